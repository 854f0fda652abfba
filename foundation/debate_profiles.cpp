#include "foundation/debate_profiles.h"

#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/values.h"

namespace {

const std::array<QString, 10> kNumerals = {
    QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三"), QStringLiteral("四"),
    QStringLiteral("五"), QStringLiteral("六"), QStringLiteral("七"), QStringLiteral("八"),
    QStringLiteral("九"), QStringLiteral("十"),
};

QString Numeral(int n) {
    return n >= 1 && n <= int(kNumerals.size()) ? kNumerals[std::size_t(n - 1)] : QString();
}

}  // namespace

QString AffirmativeDebaterKey(int n) {
    return QStringLiteral("正方") + Numeral(n) + QStringLiteral("辩");
}

QString NegativeDebaterKey(int n) {
    return QStringLiteral("反方") + Numeral(n) + QStringLiteral("辩");
}

QString JudgeKey(int n) {
    return QStringLiteral("评委") + Numeral(n);
}

const std::array<QString, 26>& DebateInfoKeys() {
    static const std::array<QString, 26> keys = [] {
        using namespace DebateKey;
        std::array<QString, 26> all = {
            Competition,       Host,           Organiser,       CoOrganiser,
            AffirmativeMotion, NegativeMotion, AffirmativeTeam, NegativeTeam};
        std::size_t next = 8;
        for (int n = 1; n <= 4; ++n) {
            all[next++] = AffirmativeDebaterKey(n);
        }
        for (int n = 1; n <= 4; ++n) {
            all[next++] = NegativeDebaterKey(n);
        }
        for (int n = 1; n <= 10; ++n) {
            all[next++] = JudgeKey(n);
        }
        return all;
    }();
    return keys;
}

QString LabelObject::writtenLeftKey() const {
    return label == QLatin1String("L4") ? QStringLiteral("l4_left") : leftKey();
}

QString LabelObject::writtenTopKey() const {
    return label == QLatin1String("L4") ? QStringLiteral("l4_top") : topKey();
}

const std::array<LabelObject, 4>& LabelObjects() {
    static const std::array<LabelObject, 4> objects = {{
        {QStringLiteral("正反方"), QStringLiteral("L1")},
        {QStringLiteral("代表队名称"), QStringLiteral("L2")},
        {QStringLiteral("得分"), QStringLiteral("L3")},
        {QStringLiteral("获胜方"), QStringLiteral("L4")},
    }};
    return objects;
}

QString FontFlagText(bool on) {
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<bool> FontFlagValue(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    if (const std::optional<double> number = StrictNumber(trimmed)) {
        return *number != 0;
    }
    return std::nullopt;
}

double ScoreValue(const QString& text) {
    return LeadingDecimal(text);
}

QString DecideWinner(const QString& affirmativeScore, const QString& negativeScore,
                     const QString& affirmativeTeam, const QString& negativeTeam) {
    const double affirmative = ScoreValue(affirmativeScore);
    const double negative = ScoreValue(negativeScore);
    if (negative < affirmative) {
        return affirmativeTeam;
    }
    if (affirmative < negative) {
        return negativeTeam;
    }
    return kDraw;
}

QString DebateNameIn(const QString& appDir) {
    return ReadProfileString(AppPath(appDir, kDebateInfoProfile), kDebateInfoSection,
                             DebateKey::Competition);
}

#include "foundation/match_report.h"

#include "foundation/debate_profiles.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"

namespace {

QString Blanks(int count) {
    return QString(count, QLatin1Char(' '));
}

// "一辩：林知远    二辩：..." : labelled values, four blanks between them, after `indent`.
QString Row(int indent, const QList<std::pair<QString, QString>>& entries) {
    QStringList parts;
    for (const auto& [label, value] : entries) {
        parts << label + QStringLiteral("：") + value;
    }
    return Blanks(indent) + parts.join(Blanks(4));
}

}  // namespace

QStringList ReportLines(const QString& appDir, const QString& date, const QString& time) {
    const QString info = AppPath(appDir, kDebateInfoProfile);
    const QString result = AppPath(appDir, kResultProfile);
    const auto debate = [&info](const QString& key) {
        return ReadProfileString(info, kDebateInfoSection, key);
    };
    const auto labelled = [&debate](const QString& label, const QString& key) {
        return Blanks(4) + label + QStringLiteral("：") + debate(key);
    };
    const auto debaters = [&debate](QString (*key)(int)) {
        QList<std::pair<QString, QString>> entries;
        const QStringList speakers = {QStringLiteral("一辩"), QStringLiteral("二辩"),
                                      QStringLiteral("三辩"), QStringLiteral("四辩")};
        for (int n = 1; n <= 4; ++n) {
            entries.append({speakers[n - 1], debate(key(n))});
        }
        return Row(11, entries);
    };
    const auto judges = [&debate](int first, int last) {
        QList<std::pair<QString, QString>> entries;
        for (int n = first; n <= last; ++n) {
            entries.append({JudgeKey(n), debate(JudgeKey(n))});
        }
        return Row(11, entries);
    };
    const QString affirmativeScore =
        ReadProfileString(result, kScoreSection, ResultKey::AffirmativeScore);
    const QString negativeScore =
        ReadProfileString(result, kScoreSection, ResultKey::NegativeScore);
    const QString winner = ReadProfileString(result, kConfigSection, ResultKey::Winner);

    return {
        QString(),
        Blanks(35) + QStringLiteral("辩论赛报表"),
        QString(),
        Blanks(55) + date + QLatin1Char('-') + time,
        QString(76, QLatin1Char('_')),
        QString(),
        labelled(QStringLiteral("比赛名称"), DebateKey::Competition),
        QString(),
        labelled(QStringLiteral("主办单位"), DebateKey::Host),
        labelled(QStringLiteral("承办单位"), DebateKey::Organiser),
        labelled(QStringLiteral("协办单位"), DebateKey::CoOrganiser),
        QString(),
        labelled(QStringLiteral("正方辩题"), DebateKey::AffirmativeMotion),
        labelled(QStringLiteral("反方辩题"), DebateKey::NegativeMotion),
        QString(),
        labelled(QStringLiteral("正方代表队名称"), DebateKey::AffirmativeTeam),
        labelled(QStringLiteral("反方代表队名称"), DebateKey::NegativeTeam),
        QString(),
        Blanks(4) + QStringLiteral("正方队员"),
        debaters(AffirmativeDebaterKey),
        Blanks(4) + QStringLiteral("反方队员"),
        debaters(NegativeDebaterKey),
        QString(),
        Blanks(4) + QStringLiteral("评 委"),
        judges(1, 4),
        judges(5, 8),
        judges(9, 10),
        QString(),
        Blanks(4) + QStringLiteral("双方最终得分"),
        Blanks(16) + QStringLiteral("正方总成绩：") + affirmativeScore + QStringLiteral("分"),
        Blanks(16) + QStringLiteral("反方总成绩：") + negativeScore + QStringLiteral("分"),
        QString(),
        Blanks(4) + QStringLiteral("比赛获胜方：") + winner,
        QString(),
        QString(),
        Blanks(44) + QStringLiteral("正方代表签字："),
        QString(),
        QString(),
        Blanks(44) + QStringLiteral("反方代表签字："),
    };
}

QString ReportText(const QString& appDir, const QString& date, const QString& time) {
    return ReportLines(appDir, date, time).join(QStringLiteral("\r\n"));
}

#include "timing/segment_state.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>
#include <limits>

#include "foundation/segment_profile.h"

namespace {

constexpr int kFormatVersion = 2;
// Far more than any screen writes: a journal larger than this was not written by one.
constexpr qsizetype kLongestJournal = 16 * 1024;
constexpr qsizetype kMostEntries = 16;
constexpr qsizetype kLongestText = 32;
// The debate's and the segment's names, typed by the organisers: far longer than any shown.
constexpr qsizetype kLongestName = 1024;

bool IsName(const QString& name) {
    static const QRegularExpression kName(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,31}$"));
    return kName.match(name).hasMatch();
}

QString ColourText(const QColor& colour) {
    return colour.name(QColor::HexRgb).toUpper();
}

std::optional<QColor> ColourFrom(const QJsonValue& value) {
    static const QRegularExpression kColour(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    if (!value.isString() || !kColour.match(value.toString()).hasMatch()) {
        return std::nullopt;
    }
    return QColor(value.toString());
}

std::optional<qint16> SecondsFrom(const QJsonValue& value) {
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || number != std::floor(number) ||
        number < std::numeric_limits<qint16>::min() ||
        number > std::numeric_limits<qint16>::max()) {
        return std::nullopt;
    }
    return qint16(number);
}

// The entries of an object whose keys are names, each read by `read`; none when any is not.
template <typename T, typename Read>
std::optional<QMap<QString, T>> NamedEntries(const QJsonValue& value, Read read) {
    if (!value.isObject() || value.toObject().size() > kMostEntries) {
        return std::nullopt;
    }
    QMap<QString, T> entries;
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<T> entry = read(it.value());
        if (!IsName(it.key()) || !entry) {
            return std::nullopt;
        }
        entries.insert(it.key(), *entry);
    }
    return entries;
}

// A count of seconds or turns: whole, not negative, no more than a day of ticks could make.
std::optional<int> CountFrom(const QJsonValue& value) {
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || number != std::floor(number) || number < 0 || number > 1'000'000) {
        return std::nullopt;
    }
    return int(number);
}

QJsonObject TurnJson(const TurnProgress& turn) {
    QJsonObject object{{"number", turn.number},     {"limit", turn.limit},
                       {"ticks", turn.ticks},       {"starts", turn.starts},
                       {"overtime", turn.overtime}, {"countingOvertime", turn.countingOvertime},
                       {"role", turn.role}};
    if (turn.began.isValid()) {
        object.insert("began", turn.began.toUTC().toString(Qt::ISODateWithMs));
    }
    return object;
}

std::optional<TurnProgress> TurnFrom(const QJsonValue& value) {
    const QJsonObject turn = value.toObject();
    const auto number = CountFrom(turn.value("number"));
    const auto limit = SecondsFrom(turn.value("limit"));
    const auto ticks = CountFrom(turn.value("ticks"));
    const auto starts = CountFrom(turn.value("starts"));
    const auto overtime = CountFrom(turn.value("overtime"));
    const QJsonValue began = turn.value("began");
    const QDateTime beganAt = QDateTime::fromString(began.toString(), Qt::ISODate);
    const QJsonValue role = turn.value("role");
    if (!number || !limit || !ticks || !starts || !overtime ||
        !turn.value("countingOvertime").isBool() || (!began.isUndefined() && !beganAt.isValid()) ||
        !role.isString() || role.toString().size() > kLongestText) {
        return std::nullopt;
    }
    return TurnProgress{*number, *limit,         *ticks,
                        *starts, *overtime,      turn.value("countingOvertime").toBool(),
                        beganAt, role.toString()};
}

// A journal of the first format, left by the build before this one after a crash and an
// upgrade, lacks what the record of its turns adds (the style, the debate, whose turn): it
// resumes all the same, its turns recorded without them.
QJsonObject FromFirstFormat(QJsonObject object) {
    object.insert("version", kFormatVersion);
    object.insert("style", 0);
    object.insert("debate", QString());
    QJsonObject turns = object.value("turns").toObject();
    for (auto turn = turns.begin(); turn != turns.end(); ++turn) {
        QJsonObject progress = turn->toObject();
        progress.insert("role", QString());
        *turn = progress;
    }
    object.insert("turns", turns);
    return object;
}

}  // namespace

QByteArray SegmentStateToJson(const SegmentState& state) {
    QJsonObject counters, shown, enabled, turns;
    for (auto it = state.counters.cbegin(); it != state.counters.cend(); ++it) {
        counters.insert(it.key(), it.value());
    }
    for (auto it = state.shown.cbegin(); it != state.shown.cend(); ++it) {
        shown.insert(it.key(), QJsonObject{{"text", it->text},
                                           {"colour", ColourText(it->colour)},
                                           {"published", it->published},
                                           {"caption", it->caption}});
    }
    for (auto it = state.enabled.cbegin(); it != state.enabled.cend(); ++it) {
        enabled.insert(it.key(), it.value());
    }
    for (auto it = state.turns.cbegin(); it != state.turns.cend(); ++it) {
        turns.insert(it.key(), TurnJson(it.value()));
    }
    return QJsonDocument(QJsonObject{{"version", kFormatVersion},
                                     {"screen", state.screen},
                                     {"segmentNumber", state.segmentNumber},
                                     {"segment", state.segment},
                                     {"style", state.style},
                                     {"debate", state.debate},
                                     {"written", state.written.toUTC().toString(Qt::ISODate)},
                                     {"counters", counters},
                                     {"shown", shown},
                                     {"enabled", enabled},
                                     {"running", QJsonArray::fromStringList(state.running)},
                                     {"turns", turns}})
        .toJson(QJsonDocument::Indented);
}

std::optional<SegmentState> SegmentStateFromJson(const QByteArray& json) {
    if (json.size() > kLongestJournal) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object().value("version") == 1
                                   ? FromFirstFormat(document.object())
                                   : document.object();
    SegmentState state;
    state.screen = object.value("screen").toString();
    state.segment = object.value("segment").toString();
    state.debate = object.value("debate").toString();
    const QJsonValue style = object.value("style");
    state.style = style.toInt(-1);
    state.written = QDateTime::fromString(object.value("written").toString(), Qt::ISODate);
    const auto counters = NamedEntries<qint16>(object.value("counters"), SecondsFrom);
    const auto shown = NamedEntries<ShownClock>(object.value("shown"), [](const QJsonValue& v) {
        const QJsonObject clock = v.toObject();
        const std::optional<QColor> colour = ColourFrom(clock.value("colour"));
        const QJsonValue text = clock.value("text");
        const QJsonValue caption = clock.value("caption");
        return text.isString() && text.toString().size() <= kLongestText && colour &&
                       clock.value("published").isBool() && caption.isString() &&
                       caption.toString().size() <= kLongestText
                   ? std::optional<ShownClock>({text.toString(), *colour,
                                                clock.value("published").toBool(),
                                                caption.toString()})
                   : std::nullopt;
    });
    const auto enabled = NamedEntries<bool>(object.value("enabled"), [](const QJsonValue& v) {
        return v.isBool() ? std::optional<bool>(v.toBool()) : std::nullopt;
    });
    const auto turns = NamedEntries<TurnProgress>(object.value("turns"), TurnFrom);
    const QJsonValue segmentNumber = object.value("segmentNumber");
    state.segmentNumber = segmentNumber.toInt(-1);
    const QJsonValue running = object.value("running");
    if (object.value("version").toInt() != kFormatVersion || !IsName(state.screen) ||
        !segmentNumber.isDouble() || segmentNumber.toDouble() != state.segmentNumber ||
        state.segmentNumber < 0 || state.segmentNumber > kSegmentCount || !turns ||
        !object.value("segment").isString() || state.segment.size() > kLongestName ||
        !style.isDouble() || style.toDouble() != state.style || state.style < 0 ||
        state.style > int(TimingStyle::PerSpeech) || !object.value("debate").isString() ||
        state.debate.size() > kLongestName || !state.written.isValid() || !counters || !shown ||
        !enabled || !running.isArray() || running.toArray().size() > kMostEntries) {
        return std::nullopt;
    }
    for (const QJsonValue& name : running.toArray()) {
        if (!IsName(name.toString())) {
            return std::nullopt;
        }
        state.running << name.toString();
    }
    state.counters = *counters;
    state.shown = *shown;
    state.enabled = *enabled;
    state.turns = *turns;
    return state;
}

#include "tournament/board_room.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <cmath>

namespace {

constexpr qsizetype kShortText = 32;  // screen names, clock names, labels, clock texts
constexpr qsizetype kNameText = 100;  // a segment's or a debate's name
constexpr double kLongestOvertime = 24 * 3600;

// Copies `key` of `from` into `to` when it is a string, cut to `longest`.
void CopyText(const QJsonObject& from, QJsonObject& to, const char* key, qsizetype longest) {
    const QJsonValue value = from.value(QLatin1String(key));
    if (value.isString()) {
        to.insert(QLatin1String(key), value.toString().left(longest));
    }
}

QJsonObject Clock(const QJsonObject& from) {
    QJsonObject clock;
    CopyText(from, clock, "name", kShortText);
    CopyText(from, clock, "text", kShortText);
    CopyText(from, clock, "label", kShortText);
    CopyText(from, clock, "overtimeOf", kShortText);
    static const QRegularExpression kColour(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    if (const QJsonValue colour = from.value(QLatin1String("colour"));
        colour.isString() && kColour.match(colour.toString()).hasMatch()) {
        clock.insert(QLatin1String("colour"), colour);
    }
    if (const QJsonValue overtime = from.value(QLatin1String("overtime")); overtime.isDouble()) {
        const double seconds = overtime.toDouble();
        if (std::isfinite(seconds) && seconds >= 0 && seconds <= kLongestOvertime) {
            clock.insert(QLatin1String("overtime"), std::floor(seconds));
        }
    }
    return clock;
}

}  // namespace

QJsonObject BoardRoomState(const QJsonObject& state) {
    QJsonObject kept;
    CopyText(state, kept, "screen", kShortText);
    CopyText(state, kept, "segment", kNameText);
    CopyText(state, kept, "debate", kNameText);
    if (const QJsonValue running = state.value(QLatin1String("running")); running.isBool()) {
        kept.insert(QLatin1String("running"), running);
    }
    QJsonArray clocks;
    for (const QJsonValue& clock : state.value(QLatin1String("clocks")).toArray()) {
        if (clocks.size() >= kMostClocks) {
            break;
        }
        if (clock.isObject()) {
            clocks.append(Clock(clock.toObject()));
        }
    }
    kept.insert(QLatin1String("clocks"), clocks);
    return kept;
}

QDateTime HeardIn(const QJsonObject& message, bool retained, const QDateTime& now) {
    if (!retained) {
        return now;
    }
    const QJsonValue updated = message.value(QLatin1String("updated"));
    if (!updated.isString() || updated.toString().size() > 40) {
        return {};
    }
    const QDateTime at = QDateTime::fromString(updated.toString(), Qt::ISODateWithMs);
    return at.isValid() ? std::min(at.toUTC(), now) : QDateTime();
}

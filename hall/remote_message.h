#pragma once
// One message from a client of the hall's network, and the refusals it may get back.

#include <QString>

namespace Refusal {
inline const QString Forbidden = QStringLiteral("forbidden");  // no right token
inline const QString TooMany = QStringLiteral("too many");     // guessing or sending too fast
inline const QString Malformed = QStringLiteral("malformed");  // not a JSON object
inline const QString Unknown = QStringLiteral("unknown");      // an object that asks nothing known
inline const QString Unavailable =
    QStringLiteral("unavailable");  // no such action now, or disabled
}  // namespace Refusal

struct RemoteMessage {
    enum class Kind { Trigger, Notice, Malformed, Unknown };
    Kind kind = Kind::Malformed;
    QString action;  // the action to trigger
    QString text;    // a notice's text
    QString room;    // the room a notice is for; empty: every room
};

// The longest notice a board sends.
inline constexpr qsizetype kLongestNotice = 500;

// Reads `{"trigger": "<action name>"}` or `{"notice": "<text>"}` (with `"room": "<room>"` for one
// room); anything else is malformed or unknown.
RemoteMessage ReadRemoteMessage(const QString& text);

// `{"error": "<kind>"}`, as sent back; with `waitSeconds`, also `"wait": <seconds>`, the time
// after which the same request may be made again.
QString RefusalText(const QString& kind, int waitSeconds = 0);

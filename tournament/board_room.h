#pragma once
// A room's messages as the board keeps them. A room's state comes from a laptop in a hall that
// anyone may have changed, so the board keeps only what it shows, each field of the type it
// must have and within bounds, and drops the rest:
//   {"screen": "Form6", "segment": "驳论", "debate": "…", "running": true,
//    "clocks": [{"name", "text", "colour": "#RRGGBB", "label", "overtime": <s>, "overtimeOf"}]}
// Strings are cut to their bound, at most kMostClocks clocks; a clock that is no object, a
// number where text belongs or text where a number belongs is left out.

#include <QDateTime>
#include <QJsonObject>

inline constexpr int kMostClocks = 8;

QJsonObject BoardRoomState(const QJsonObject& state);

// When a room was last heard, by one of its messages: the message's "updated" (a time to come
// counts as `now`), or `now` itself for a message said just now rather than kept by the broker
// since some earlier time (`retained`). Invalid when the message does not say.
QDateTime HeardIn(const QJsonObject& message, bool retained, const QDateTime& now);

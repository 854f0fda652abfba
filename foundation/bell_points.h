#pragma once
// Bells a segment rings besides its warning cue: at chosen moments of the remaining time, each
// a short handbell struck one to three times ("420:1,60:2,10:3": at 7:00, 1:00 and 0:10 left).
// Stored in the segment profile as one list, copied by the launch with the other keys; an
// absent or empty list rings nothing.

#include <QList>
#include <QString>

struct BellPoint {
    int remaining = 0;  // seconds left when it rings, 1 or more
    int rings = 1;      // 1..3
    bool operator==(const BellPoint&) const = default;
};

inline constexpr int kMostBellRings = 3;
inline constexpr int kMostBellPoints = 12;

// The points of `text`, leniently: entries apart by ',' '，' ';' or blanks, each "seconds" or
// "seconds:rings" (or '：'). Entries that are no number, not above 0 or past 32767 seconds
// are skipped; rings outside 1..3 are brought into it; a point named twice keeps its first
// rings. At most kMostBellPoints, sorted from the most time left.
QList<BellPoint> BellPointsFrom(const QString& text);
// `points` as stored: "420:1,60:2".
QString BellPointsText(const QList<BellPoint>& points);
// How often the bell rings when `remaining` seconds are left: 0 when no point is there.
int BellRingsAt(const QList<BellPoint>& points, int remaining);

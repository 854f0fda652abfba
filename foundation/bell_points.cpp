#include "foundation/bell_points.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

QList<BellPoint> BellPointsFrom(const QString& text) {
    static const QRegularExpression apart(QStringLiteral("[,，;；\\s]+"));
    static const QRegularExpression entry(QStringLiteral("^(\\d{1,5})(?:[:：](\\d{1,3}))?$"));
    QList<BellPoint> points;
    for (const QString& part : text.split(apart, Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = entry.match(part);
        if (!match.hasMatch()) {
            continue;
        }
        const int remaining = match.captured(1).toInt();
        if (remaining < 1 || remaining > 32767 ||
            std::any_of(points.cbegin(), points.cend(),
                        [&](const BellPoint& p) { return p.remaining == remaining; })) {
            continue;
        }
        const int rings = match.captured(2).isEmpty() ? 1 : match.captured(2).toInt();
        points.append({remaining, std::clamp(rings, 1, kMostBellRings)});
        if (points.size() == kMostBellPoints) {
            break;
        }
    }
    std::sort(points.begin(), points.end(),
              [](const BellPoint& a, const BellPoint& b) { return a.remaining > b.remaining; });
    return points;
}

QString BellPointsText(const QList<BellPoint>& points) {
    QStringList parts;
    for (const BellPoint& point : points) {
        parts << QStringLiteral("%1:%2").arg(point.remaining).arg(point.rings);
    }
    return parts.join(QLatin1Char(','));
}

int BellRingsAt(const QList<BellPoint>& points, int remaining) {
    for (const BellPoint& point : points) {
        if (point.remaining == remaining) {
            return point.rings;
        }
    }
    return 0;
}

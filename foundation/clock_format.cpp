#include "foundation/clock_format.h"

#include "foundation/segment_profile.h"

QString FormatClock(qint16 seconds, const QString& format) {
    if (format == ClockFormat::MinutesSeconds) {
        // Minutes round towards minus infinity while the remainder keeps the sign of the
        // seconds, so -5 reads -1分-05秒: the same text the clocks have always shown.
        const int minutes = seconds >= 0 ? seconds / 60 : -((-seconds + 59) / 60);
        const int rest = seconds % 60;
        const QString restText = rest < 0
                                     ? QStringLiteral("-%1").arg(-rest, 2, 10, QLatin1Char('0'))
                                     : QStringLiteral("%1").arg(rest, 2, 10, QLatin1Char('0'));
        return QString::number(minutes) + QStringLiteral("分") + restText + QStringLiteral("秒");
    }
    if (format == ClockFormat::Seconds) {
        return QString::number(seconds) + QLatin1Char('s');
    }
    return {};
}

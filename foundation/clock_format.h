#pragma once

#include <QString>
#include <QtGlobal>

// Clock text for `seconds` in clock format "1" (minutes and seconds: 2分05秒) or "2"
// (seconds: 125s). Any other format gives the empty text: the caller keeps its label as is.
QString FormatClock(qint16 seconds, const QString& format);

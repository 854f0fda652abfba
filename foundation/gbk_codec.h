#pragma once
// The system's code page 936 converter under ToGbk and FromGbk: Qt's ICU one on Linux,
// the Windows one on Windows, where Qt has no ICU.

#include <QByteArray>
#include <QString>

namespace gbk_codec {

bool Available();

// Characters GBK cannot hold become one '?' each.
QByteArray Encode(QStringView text);

// `bytes` never ends in a lone lead byte; invalid sequences become U+FFFD.
QString Decode(QByteArrayView bytes);

}  // namespace gbk_codec

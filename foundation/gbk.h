#pragma once
// Profiles live on disk in code page 936 (GBK); text in memory is QString.

#include <QByteArray>
#include <QString>

// Whether this Qt can convert GBK at all (it needs ICU). Without it nothing is read or written.
bool GbkAvailable();

// Characters GBK cannot hold become '?', as the ANSI conversion of the desktop does.
QByteArray ToGbk(const QString& text);

// Byte sequences that are not valid GBK become U+FFFD; the rest is kept.
QString FromGbk(const QByteArray& bytes);

// The longest prefix of `bytes` that is at most `maxBytes` long and does not end in the
// middle of a double-byte character.
QByteArray CutGbk(const QByteArray& bytes, int maxBytes);

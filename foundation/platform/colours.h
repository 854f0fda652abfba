#pragma once
// Colours are stored as Windows colour values: red in the low byte, then green, then blue.
// A value with the high bit set names a system colour (0x8000000F button face and so on),
// which here resolves to the matching role of the application palette.

#include <QColor>
#include <QString>
#include <QtGlobal>

// The colour a stored value stands for. Bits 24..30 of an ordinary value are ignored; a system
// colour index that Windows does not define gives black.
QColor ColourFromValue(quint32 value);

// Red | green << 8 | blue << 16 of `colour` (alpha dropped); 0 for an invalid colour.
quint32 ColourValueOf(const QColor& colour);

// The decimal text a profile stores for `colour` ("255" for red).
QString ColourText(const QColor& colour);

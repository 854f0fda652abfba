#pragma once
// Font sizes and coordinates are stored as the ordinary decimal text of a single-precision
// number: 1395 for a whole number, 1234.5 or 10.5 otherwise.

#include <QString>

// Fixed notation with the fewest digits that read back as the same float; no decimal point for
// whole numbers, no exponent.
QString SingleText(float value);

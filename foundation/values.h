#pragma once
// Lenient readers for profile values: one reader per kind of value, shared by every screen.

#include <QString>
#include <optional>

// The number at the start of `text`, blanks ignored anywhere ("1 2" is 12, "90s" is 90,
// "" is 0); also reads "&H" hex and "&O" octal. Never fails.
double LeadingNumber(const QString& text);

// LeadingNumber without "&H" and "&O": decimal digits only ("&H10" is 0).
double LeadingDecimal(const QString& text);

// Rounds half to even, as the desktop's integer conversion does (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// Seconds: LeadingNumber rounded to 16 bits. A result outside -32768..32767 is not taken
// and `previous` is returned instead.
qint16 ReadSeconds(const QString& text, qint16 previous = 0);

// A whole number read as LeadingNumber and rounded ("循环播放", "音量大小"); 0 when none.
int ReadWholeNumber(const QString& text);

// The whole text as a number (blanks around it allowed), or nullopt when it is empty or not
// entirely a number.
std::optional<double> StrictNumber(const QString& text);

// A Windows colour value: the whole text as a 32-bit integer (red in the low byte), or
// nullopt when it cannot be read.
std::optional<quint32> ReadColourValue(const QString& text);

// "Y" exactly; "y", "Yes" and empty are not.
bool IsYesFlag(const QString& text);

// Check-box state flags "1"/"0": the value read as a whole number.
bool IsCheckedFlag(const QString& text);
// The flag a check box stores: "1" checked, "0" not.
QString CheckedFlagText(bool checked);

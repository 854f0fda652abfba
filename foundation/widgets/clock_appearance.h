#pragma once
// How a clock screen looks, as its active segment profile says: the clock font, the clock and
// warning colours, the window background colour and the background picture. A value that is
// empty or cannot be used leaves that part as the screen designed it.

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <optional>

class QWidget;
class StretchedPicture;

// What a colour value that cannot be read gives. The single and per-speech countdowns take
// black; the two-side, question-and-answer and questioner/answerer countdowns keep the colour
// they were designed with.
enum class UnreadableColour { Black, KeepDesigned };

struct ClockAppearance {
    QString fontFace;                // empty: keep the designed face (also when not installed)
    std::optional<qreal> pointSize;  // nullopt: keep the designed size
    bool bold = false;               // "Y" exactly
    bool italic = false;             // "Y" exactly
    std::optional<QColor> clockColour;
    std::optional<QColor> warnColour;
    std::optional<QColor> backColour;
    QString picturePath;  // empty when the profile names no picture

    // `designed` with the face, size, bold and italic above.
    QFont fontFrom(const QFont& designed) const;
};

// Reads the appearance from the active segment profile of `appDir`.
ClockAppearance ReadClockAppearance(const QString& appDir, UnreadableColour policy);

// Applies the font and clock colour to every clock label, the background colour to `window`
// and the picture to `picture` (kept as it was when the file cannot be loaded). Any of the
// targets may be null.
void ApplyClockAppearance(const ClockAppearance& appearance, const QList<QWidget*>& clocks,
                          QWidget* window, StretchedPicture* picture);

// The clock colour at or below the warning point, and back to the clock colour on a reset; a
// colour the profile does not give leaves the label's colour as it is.
void ShowWarnColour(const ClockAppearance& appearance, QWidget* clock);
void ShowClockColour(const ClockAppearance& appearance, QWidget* clock);

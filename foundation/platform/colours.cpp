#include "foundation/platform/colours.h"

#include <QGuiApplication>
#include <QPalette>
#include <iterator>

namespace {

constexpr quint32 kSystemColourBit = 0x80000000u;

struct SystemColour {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Windows COLOR_* indexes 0..30 and the palette role that plays the same part here. Windows'
// "window" is the background of text boxes and lists, which Qt calls Base.
constexpr SystemColour kSystemColours[] = {
    {QPalette::Active, QPalette::Button},           // 0 scroll bar
    {QPalette::Active, QPalette::Dark},             // 1 desktop
    {QPalette::Active, QPalette::Highlight},        // 2 active caption
    {QPalette::Inactive, QPalette::Mid},            // 3 inactive caption
    {QPalette::Active, QPalette::Window},           // 4 menu
    {QPalette::Active, QPalette::Base},             // 5 window
    {QPalette::Active, QPalette::Shadow},           // 6 window frame
    {QPalette::Active, QPalette::WindowText},       // 7 menu text
    {QPalette::Active, QPalette::Text},             // 8 window text
    {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
    {QPalette::Active, QPalette::Button},           // 10 active border
    {QPalette::Active, QPalette::Button},           // 11 inactive border
    {QPalette::Active, QPalette::Dark},             // 12 application workspace
    {QPalette::Active, QPalette::Highlight},        // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 highlighted text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},           // 17 grey text
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Inactive, QPalette::WindowText},     // 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
    {QPalette::Active, QPalette::Shadow},           // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},      // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},      // 24 info background
    {QPalette::Active, QPalette::Button},           // 25 unused by Windows, kept neutral
    {QPalette::Active, QPalette::Link},             // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight},        // 27 gradient active caption
    {QPalette::Inactive, QPalette::Mid},            // 28 gradient inactive caption
    {QPalette::Active, QPalette::Highlight},        // 29 menu highlight
    {QPalette::Active, QPalette::Window},           // 30 menu bar
};

}  // namespace

QColor ColourFromValue(quint32 value) {
    if (value & kSystemColourBit) {
        const quint32 index = value & ~kSystemColourBit;
        if (index >= std::size(kSystemColours))
            return Qt::black;
        const SystemColour& system = kSystemColours[index];
        return QGuiApplication::palette().color(system.group, system.role);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 ColourValueOf(const QColor& colour) {
    if (!colour.isValid())
        return 0;
    const QColor rgb = colour.toRgb();
    return quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16;
}

QString ColourText(const QColor& colour) {
    return QString::number(ColourValueOf(colour));
}

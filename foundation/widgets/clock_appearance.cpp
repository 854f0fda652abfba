#include "foundation/widgets/clock_appearance.h"

#include <QWidget>

#include "foundation/file_names.h"
#include "foundation/platform/colours.h"
#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/values.h"
#include "foundation/widgets/fonts.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/widget_colours.h"

namespace {

std::optional<QColor> ColourOf(const QString& text, UnreadableColour policy) {
    if (const std::optional<quint32> value = ReadColourValue(text))
        return ColourFromValue(*value);
    if (policy == UnreadableColour::Black)
        return QColor(Qt::black);
    return std::nullopt;
}

}  // namespace

QFont ClockAppearance::fontFrom(const QFont& designed) const {
    QFont font = designed;
    if (!fontFace.isEmpty())
        font.setFamily(fontFace);
    if (pointSize)
        font.setPointSizeF(*pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

ClockAppearance ReadClockAppearance(const QString& appDir, UnreadableColour policy) {
    const QString profile = ActiveSegmentProfilePath(appDir);
    const auto read = [&profile](const QString& key) {
        return ReadProfileString(profile, kConfigSection, key);
    };
    ClockAppearance appearance;
    if (const QString face = read(SegmentKey::FontFace); FontFaceAvailable(face))
        appearance.fontFace = face;
    appearance.pointSize = PointSizeValue(read(SegmentKey::FontSize));
    appearance.bold = IsYesFlag(read(SegmentKey::Bold));
    appearance.italic = IsYesFlag(read(SegmentKey::Italic));
    appearance.clockColour = ColourOf(read(SegmentKey::ClockColour), policy);
    appearance.warnColour = ColourOf(read(SegmentKey::WarnColour), policy);
    appearance.backColour = ColourOf(read(SegmentKey::BackColour), policy);
    appearance.picturePath = StoredFilePath(appDir, kClockPictureFolder, read(SegmentKey::Picture));
    return appearance;
}

void ApplyClockAppearance(const ClockAppearance& appearance, const QList<QWidget*>& clocks,
                          QWidget* window, StretchedPicture* picture) {
    for (QWidget* clock : clocks) {
        if (!clock)
            continue;
        clock->setFont(appearance.fontFrom(clock->font()));
        ShowClockColour(appearance, clock);
    }
    if (window && appearance.backColour)
        SetBackgroundColour(window, *appearance.backColour);
    if (picture)
        picture->load(appearance.picturePath);
}

void ShowWarnColour(const ClockAppearance& appearance, QWidget* clock) {
    if (appearance.warnColour)
        SetTextColour(clock, *appearance.warnColour);
}

void ShowClockColour(const ClockAppearance& appearance, QWidget* clock) {
    if (appearance.clockColour)
        SetTextColour(clock, *appearance.clockColour);
}

#include "timing/transition_screen.h"

#include <QPushButton>

#include "foundation/file_names.h"
#include "foundation/platform/colours.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/reveal_strip.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "timing/segment_launch.h"

namespace {
// Cyan: what shows where no picture covers the window.
constexpr quint32 kDesignedBackground = 16776960;
}  // namespace

Form15::Form15(const AppContext& context, QWidget* parent)
    : FullScreenWindow(QSize(12000, 9000), parent),
      context_(context),
      command1_(new QPushButton(QStringLiteral("进入计时界面"), this)) {
    setObjectName(screenObjectName(ScreenId::Transition));
    SetBackgroundColour(this, ColourFromValue(kDesignedBackground));
    PlaceInTwips(picture(), 0, 0, 12015, 9015);
    command1_->setObjectName(QStringLiteral("Command1"));
    PlaceInTwips(command1_, 10440, 8520, 1335, 375);
    connect(command1_, &QPushButton::clicked, this, &Form15::enterClock);
    publish(command1_);

    auto* strip = new RevealStrip(this, RevealStrip::Edge::Bottom, command1_);
    strip->addControl(command1_);
    strip->watch(picture());

    command1_->show();
    rememberLayout();
    const QString name = ReadProfileString(ActiveSegmentProfilePath(context_.appDir),
                                           kConfigSection, SegmentKey::TransitionPicture);
    // A missing or unreadable picture leaves the cyan background.
    picture()->load(StoredFilePath(context_.appDir, kTransitionPictureFolder, name));
}

void Form15::enterClock() {
    const QString style = ReadProfileString(ActiveSegmentProfilePath(context_.appDir),
                                            kConfigSection, SegmentKey::Style);
    if (const std::optional<ScreenId> clock = ClockScreenFor(style)) {
        context_.navigator->Replace(this, *clock);
    }
}

#include "console/screen_miniature.h"

#include "foundation/widgets/full_screen_window.h"
#include "foundation/widgets/widget_colours.h"

namespace {

// The miniature follows a running clock at least this often.
constexpr int kBeatMs = 250;
const QSize kMiniatureSize(480, 300);

}  // namespace

ScreenMiniature::ScreenMiniature(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("Miniature"));
    setFixedSize(kMiniatureSize);
    setAlignment(Qt::AlignCenter);
    setAccessibleName(QStringLiteral("投影画面"));
    SetBackgroundColour(this, Qt::black);
    beat_.setInterval(kBeatMs);
    connect(&beat_, &QTimer::timeout, this, &ScreenMiniature::redraw);
}

void ScreenMiniature::follow(FullScreenWindow* screen) {
    screen_ = screen;
    screenChanged();
}

void ScreenMiniature::screenChanged() {
    // While a clock runs the beat redraws; a tick need not draw again.
    if (!screen_ || !screen_->clockRunning()) {
        beat_.stop();
        redraw();
    } else if (!beat_.isActive()) {
        beat_.start();
        redraw();
    }
}

void ScreenMiniature::redraw() {
    const QPixmap picture =
        screen_ && screen_->isVisible() ? screen_->miniature(size()) : QPixmap();
    if (picture.isNull()) {
        clear();
        shownKey_ = 0;
    } else if (picture.cacheKey() != shownKey_) {
        shownKey_ = picture.cacheKey();
        setPixmap(picture);
    }
}

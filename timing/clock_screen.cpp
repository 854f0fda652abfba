#include "timing/clock_screen.h"

#include <QCloseEvent>
#include <QPushButton>

#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/widgets/mouse_presses.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/reveal_strip.h"
#include "foundation/widgets/second_ticker.h"
#include "foundation/widgets/twips.h"
#include "screens/navigator.h"

ClockScreen::ClockScreen(const AppContext& context, QSize designClientTwips, QWidget* parent)
    : FullScreenWindow(designClientTwips, parent), context_(context) {}

QString ClockScreen::readActive(const QString& key) const {
    return ReadProfileString(ActiveSegmentProfilePath(context_.appDir), kConfigSection, key);
}

SecondTicker* ClockScreen::addTicker(const QString& objectName) {
    auto* ticker = new SecondTicker(this);
    ticker->setObjectName(objectName);
    tickers_.append(ticker);
    return ticker;
}

QPushButton* ClockScreen::addButton(const QString& objectName, const QString& caption, int left,
                                    int top) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    PlaceInTwips(button, left, top, 1095, 375);
    return button;
}

void ClockScreen::onPress(const QList<QWidget*>& targets,
                          std::function<void(Qt::MouseButton)> handler) {
    new MousePresses(this, targets, std::move(handler));
}

RevealStrip* ClockScreen::addBottomStrip(QWidget* reference, const QList<QWidget*>& controls,
                                         int depth) {
    auto* strip = new RevealStrip(this, RevealStrip::Edge::Bottom, reference, depth);
    for (QWidget* control : controls) {
        strip->addControl(control);
    }
    strip->watch(picture());
    return strip;
}

void ClockScreen::loadAppearance(UnreadableColour policy, const QList<QWidget*>& clocks) {
    appearance_ = ReadClockAppearance(context_.appDir, policy);
    ApplyClockAppearance(appearance_, clocks, this, picture());
}

void ClockScreen::playCue(const CueSpec& cue) {
    context_.platform->Wave().PlayWave(
        ResolveCuePath(context_.appDir, ActiveSegmentProfilePath(context_.appDir), cue));
}

void ClockScreen::backToMain() {
    showMainOnce();
    close();
}

void ClockScreen::closeEvent(QCloseEvent* event) {
    // A closed screen may outlive its window for a while; its clocks must not sound from there.
    for (SecondTicker* ticker : tickers_) {
        ticker->stop();
    }
    showMainOnce();
    FullScreenWindow::closeEvent(event);
}

void ClockScreen::showMainOnce() {
    if (mainShown_) {
        return;
    }
    mainShown_ = true;
    context_.navigator->ShowMain();
}

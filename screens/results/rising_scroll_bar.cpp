#include "screens/results/rising_scroll_bar.h"

#include <QMouseEvent>

RisingScrollBar::RisingScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setInvertedAppearance(true);
    // Keys and the wheel follow the picture: up raises the value, and so the handle.
    setInvertedControls(false);
    // Its "Top" and "Scroll up" entries would name the opposite ends.
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QAbstractSlider::actionTriggered, this, &RisingScrollBar::turnRound);
}

void RisingScrollBar::mousePressEvent(QMouseEvent* event) {
    mouseHeld_ = true;
    QScrollBar::mousePressEvent(event);
}

void RisingScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    QScrollBar::mouseReleaseEvent(event);
    mouseHeld_ = false;
}

void RisingScrollBar::turnRound(int action) {
    // Arrow and trough presses, and their repeats while the button is held. The handle has
    // already moved the upright way (or stayed at an end); value() is still where it stood.
    if (!mouseHeld_) {
        return;
    }
    switch (action) {
        case SliderSingleStepAdd:
            setSliderPosition(value() - singleStep());
            break;
        case SliderSingleStepSub:
            setSliderPosition(value() + singleStep());
            break;
        case SliderPageStepAdd:
            setSliderPosition(value() - pageStep());
            break;
        case SliderPageStepSub:
            setSliderPosition(value() + pageStep());
            break;
        default:
            break;
    }
}

#include "foundation/widgets/reveal_strip.h"

#include <QMouseEvent>
#include <QWidget>

RevealStrip::RevealStrip(QWidget* window, Edge edge, QWidget* reference, int depth)
    : QObject(window), window_(window), edge_(edge), reference_(reference), depth_(depth) {}

void RevealStrip::addControl(QWidget* control) {
    controls_.append(control);
}

void RevealStrip::watch(QWidget* source) {
    source->setMouseTracking(true);
    source->installEventFilter(this);
}

bool RevealStrip::contains(QPoint windowPosition) const {
    if (!reference_)
        return false;
    if (edge_ == Edge::Bottom)
        return windowPosition.y() > window_->height() - depth_ * reference_->height();
    return windowPosition.x() < reference_->width();
}

void RevealStrip::track(QPoint windowPosition) {
    const bool inside = contains(windowPosition);
    for (const QPointer<QWidget>& control : controls_) {
        if (control)
            control->setVisible(inside);
    }
}

bool RevealStrip::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        auto* source = static_cast<QWidget*>(watched);
        const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
        track(source == window_ ? position : source->mapTo(window_, position));
    }
    return false;
}

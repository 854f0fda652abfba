#include "screens/results/announcement_label.h"

#include <QMouseEvent>

namespace {
const QColor kHeld(50, 50, 50);
}  // namespace

AnnouncementLabel::AnnouncementLabel(const QString& objectName, const QString& placeholder,
                                     QWidget* parent)
    : QLabel(placeholder, parent) {
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    QPalette held = palette();
    held.setColor(QPalette::Window, kHeld);
    setPalette(held);
    showHeld(false);
}

void AnnouncementLabel::showHeld(bool held) {
    // Transparent otherwise: the picture shows around the text.
    setAutoFillBackground(held);
    update();
}

void AnnouncementLabel::mousePressEvent(QMouseEvent* event) {
    grab_ = event->position().toPoint();
    dragging_ = true;
    showHeld(true);
}

void AnnouncementLabel::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        move(pos() + event->position().toPoint() - grab_);
    }
}

void AnnouncementLabel::mouseReleaseEvent(QMouseEvent*) {
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    showHeld(false);
    emit released();
}

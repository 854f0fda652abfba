#include "foundation/widgets/mouse_presses.h"

#include <QMouseEvent>
#include <QWidget>

MousePresses::MousePresses(QObject* owner, const QList<QWidget*>& targets, Handler handler)
    : QObject(owner), handler_(std::move(handler)) {
    for (QWidget* target : targets) {
        target->installEventFilter(this);
    }
}

bool MousePresses::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        handler_(static_cast<QMouseEvent*>(event)->button());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

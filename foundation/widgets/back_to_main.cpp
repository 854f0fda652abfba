#include "foundation/widgets/back_to_main.h"

#include <QEvent>
#include <QWidget>

#include "foundation/platform/navigator.h"

BackToMain::BackToMain(QWidget* screen, Navigator* navigator)
    : QObject(screen), screen_(screen), navigator_(navigator) {
    screen->installEventFilter(this);
}

void BackToMain::now() {
    showMainOnce();
    screen_->close();
}

bool BackToMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == screen_ && event->type() == QEvent::Close) {
        showMainOnce();
    }
    return QObject::eventFilter(watched, event);
}

void BackToMain::showMainOnce() {
    if (shown_ || !navigator_) {
        return;
    }
    shown_ = true;
    navigator_->ShowMain();
}

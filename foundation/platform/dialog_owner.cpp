#include "foundation/platform/dialog_owner.h"

#include <QApplication>
#include <QWidget>

QWidget* DialogOwner(QWidget* owner) {
    // The full-window screens are the audience's, whatever state the window system reports.
    if (owner && !owner->window()->inherits("FullScreenWindow")) {
        return owner;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->property(kOperatorWindowProperty).toBool()) {
            return window;
        }
    }
    return owner;
}

#include "foundation/widgets/drag_window.h"

#include <QWidget>
#include <QWindow>

bool DragWindow(QWidget* screen) {
    QWindow* handle = screen->window()->windowHandle();
    if (!handle)
        return false;
    // The window system takes the pointer over; a widget holding it would fight for it.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    return handle->startSystemMove();
}

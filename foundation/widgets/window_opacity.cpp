#include "foundation/widgets/window_opacity.h"

#include <QWidget>
#include <QtGlobal>

void SetWindowOpacity(QWidget* screen, int alpha) {
    screen->window()->setWindowOpacity(qBound(0, alpha, 255) / 255.0);
}

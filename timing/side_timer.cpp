#include "timing/side_timer.h"

SideTimer::SideTimer(const AppContext& context, const QString& objectName, QWidget* parent)
    : ClockScreen(context, QSize(11880, 8490), parent) {
    setObjectName(objectName);
}

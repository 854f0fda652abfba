#include "timing/two_side_countdown.h"

Form6::Form6(const AppContext& context, QWidget* parent)
    : ClockScreen(context, QSize(12000, 9000), parent) {
    setObjectName(QStringLiteral("Form6"));
}

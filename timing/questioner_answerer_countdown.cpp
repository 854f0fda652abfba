#include "timing/questioner_answerer_countdown.h"

Form18::Form18(const AppContext& context, QWidget* parent)
    : ClockScreen(context, QSize(12000, 9000), parent) {
    setObjectName(QStringLiteral("Form18"));
}

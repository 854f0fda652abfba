#include "timing/per_speech_countdown.h"

Form22::Form22(const AppContext& context, QWidget* parent)
    : ClockScreen(context, QSize(12000, 9000), parent) {
    setObjectName(QStringLiteral("Form22"));
}

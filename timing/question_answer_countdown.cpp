#include "timing/question_answer_countdown.h"

Form5::Form5(const AppContext& context, QWidget* parent)
    : ClockScreen(context, QSize(12000, 9000), parent) {
    setObjectName(QStringLiteral("Form5"));
}

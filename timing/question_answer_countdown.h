#pragma once
// Form5: The question-and-answer countdown of timing style "Mode-3".

#include "timing/clock_screen.h"

class Form5 : public ClockScreen {
    Q_OBJECT
  public:
    explicit Form5(const AppContext& context, QWidget* parent = nullptr);
};

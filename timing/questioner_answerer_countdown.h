#pragma once
// Form18: The questioner and answerer countdown of timing style "Mode-4".

#include "timing/clock_screen.h"

class Form18 : public ClockScreen {
    Q_OBJECT
  public:
    explicit Form18(const AppContext& context, QWidget* parent = nullptr);
};

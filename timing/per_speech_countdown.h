#pragma once
// Form22: The per-speech countdown of timing style "Mode-5".

#include "timing/clock_screen.h"

class Form22 : public ClockScreen {
    Q_OBJECT
  public:
    explicit Form22(const AppContext& context, QWidget* parent = nullptr);
};

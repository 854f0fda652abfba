#pragma once
// Form6: The two-side countdown of timing style "Mode-2".

#include "timing/clock_screen.h"

class Form6 : public ClockScreen {
    Q_OBJECT
  public:
    explicit Form6(const AppContext& context, QWidget* parent = nullptr);
};

#pragma once
// Form15: the full-window picture shown between the main screen and a segment's clock, until
// the operator moves on with "进入计时界面".

#include "foundation/platform/platform.h"
#include "foundation/widgets/full_screen_window.h"

class QPushButton;

class Form15 : public FullScreenWindow {
    Q_OBJECT
  public:
    explicit Form15(const AppContext& context, QWidget* parent = nullptr);

  private:
    // Opens the clock screen of the active profile's style; does nothing without a valid style.
    void enterClock();

    AppContext context_;
    QPushButton* command1_;
};

#pragma once
// For benchmarks and tools that run a screen on its own: every request is ignored.

#include "screens/navigator.h"

class NoNavigator : public Navigator {
  public:
    void Replace(QWidget*, ScreenId) override {}
    void OpenOver(QWidget*, ScreenId) override {}
    void ShowMain() override {}
    void ShowHelp() override {}
};

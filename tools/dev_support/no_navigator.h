#pragma once
// For benchmarks and tools that run a screen on its own: every request is ignored.

#include "foundation/platform/navigator.h"

class NoNavigator : public Navigator {
  public:
    void Replace(QWidget*, ScreenId) override {}
    void ReplaceAll(QWidget*, ScreenId) override {}
    void SetAside(QWidget*, ScreenId) override {}
    void OpenOver(QWidget*, ScreenId) override {}
    void ShowMain() override {}
    void ExitProgram() override {}
    void LockMain(const QWidget*, bool) override {}
    void ClearMainPicture() override {}
    void RefreshMain() override {}
};

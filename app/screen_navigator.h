#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "foundation/platform/navigator.h"
#include "foundation/platform/platform.h"

// Builds every screen the program has and shows it as the operator asks. A screen that is
// not built (yet) is simply not opened. Every screen it shows is raised and activated, so the
// keyboard reaches it without a click first.
class ScreenNavigator : public Navigator {
  public:
    using Factory = std::function<QWidget*(AppContext&)>;

    explicit ScreenNavigator(AppContext& context);

    void Register(ScreenId id, Factory factory);

    void Replace(QWidget* from, ScreenId to) override;
    void ReplaceAll(QWidget* from, ScreenId to) override;
    void SetAside(QWidget* from, ScreenId to) override;
    void OpenOver(QWidget* from, ScreenId to) override;
    void ShowMain() override;
    void ExitProgram() override;
    void LockMain(bool locked) override;
    void ClearMainPicture() override;

  private:
    QWidget* Build(ScreenId id);
    // Shows `to`, then closes `from`; false, changing nothing, when `to` cannot be built.
    bool ShowInstead(QWidget* from, ScreenId to);
    void Close(QWidget* screen);
    static void Present(QWidget* screen);

    AppContext& context_;
    std::map<ScreenId, Factory> factories_;
    QPointer<QWidget> main_;
    // Screens set aside, shown again instead of built anew.
    std::map<ScreenId, QPointer<QWidget>> kept_;
    bool exiting_ = false;
    // The last lock request, kept for a main screen loaded while an information window is up.
    bool mainLocked_ = false;
};

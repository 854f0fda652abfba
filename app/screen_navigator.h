#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "foundation/platform/platform.h"
#include "screens/navigator.h"

// Builds every screen the program has and shows it as the operator asks. A screen that is
// not built (yet) is simply not opened.
class ScreenNavigator : public Navigator {
  public:
    using Factory = std::function<QWidget*(AppContext&)>;

    explicit ScreenNavigator(AppContext& context);

    void Register(ScreenId id, Factory factory);

    void Replace(QWidget* from, ScreenId to) override;
    void OpenOver(QWidget* from, ScreenId to) override;
    void ShowMain() override;
    void ShowHelp() override;

  private:
    QWidget* Build(ScreenId id);

    AppContext& context_;
    std::map<ScreenId, Factory> factories_;
    QPointer<QWidget> main_;
};

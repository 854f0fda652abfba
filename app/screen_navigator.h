#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QWidget>
#include <functional>
#include <map>

#include "foundation/platform/navigator.h"
#include "foundation/platform/platform.h"
#include "foundation/screen_roles.h"
#include "foundation/widgets/full_screen_window.h"

class QScreen;

// Builds every screen the program has and shows it as the operator asks. A screen that is
// not built (yet) is simply not opened; one that is open already (shown, or set aside) is
// brought forward instead of built again, so no screen is ever open twice. Every screen it shows is
// raised and activated, so the keyboard reaches it without a click first. With two screens or more,
// the full-window screens the audience sees open on the projector screen and every other window on
// the operator's.
class ScreenNavigator : public QObject, public Navigator {
    Q_OBJECT
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
    void LockMain(const QWidget* window, bool locked) override;
    void ClearMainPicture() override;
    void RefreshMain() override;

    // The full-window screen the audience sees now, or none.
    FullScreenWindow* audienceScreen() const {
        return qobject_cast<FullScreenWindow*>(audience_.data());
    }
    // The main screen, while it is open.
    FullScreenWindow* mainScreen() const { return qobject_cast<FullScreenWindow*>(main_.data()); }
    // Puts `window` where its kind belongs again, after the projector choice changed.
    void placeAgain(QWidget* window) const { Place(window, Roles()); }
    // The projector and the operator's screen as "\config\display.ini" and the screens
    // attached now decide them; both null with one screen.
    QScreen* projectorScreen() const;
    QScreen* operatorScreen() const;

  signals:
    void audienceScreenChanged(FullScreenWindow* screen);

  private:
    // The open window of `id`, or a new one.
    QWidget* Build(ScreenId id);
    // The window of `id` that is open now (shown, or set aside), or none.
    QWidget* OpenWindow(ScreenId id) const;
    void ApplyMainLock();
    // Shows `to`, then closes `from`; false, changing nothing, when `to` cannot be built.
    bool ShowInstead(QWidget* from, ScreenId to);
    void Close(QWidget* screen);
    void Present(QWidget* screen);
    // Puts `screen` on the screen its kind belongs on.
    void Place(QWidget* screen, const ScreenRoles& roles) const;
    ScreenRoles Roles() const;
    // The audience screen is the one shown last that is still up.
    void FollowAudience();

    AppContext& context_;
    std::map<ScreenId, Factory> factories_;
    QPointer<QWidget> main_;
    // The window last built for each screen; it counts as open while shown or set aside.
    std::map<ScreenId, QPointer<QWidget>> built_;
    bool exiting_ = false;
    // The windows holding the main screen's lock, kept for a main screen loaded meanwhile.
    QSet<const QWidget*> lockHolders_;
    // Kept as widgets and cast when read: a screen being destroyed is no FullScreenWindow any
    // more, and must not be taken for one.
    QList<QPointer<QWidget>> shownAudience_;
    QPointer<QWidget> audience_;
};

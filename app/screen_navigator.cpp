#include "app/screen_navigator.h"

#include <QApplication>
#include <QScreen>
#include <QWindow>

#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/widgets/full_screen_window.h"

ScreenNavigator::ScreenNavigator(AppContext& context) : context_(context) {}

void ScreenNavigator::Register(ScreenId id, Factory factory) {
    factories_[id] = std::move(factory);
}

namespace {
// Set on a window hidden by SetAside: it is still open, only out of sight.
constexpr char kSetAsideProperty[] = "debaclockSetAside";
}  // namespace

QWidget* ScreenNavigator::OpenWindow(ScreenId id) const {
    const auto built = built_.find(id);
    if (built == built_.end() || !built->second) {
        return nullptr;
    }
    QWidget* screen = built->second;
    // A closed window lingers until its deferred deletion: it is no longer open.
    return screen->isVisible() || screen->property(kSetAsideProperty).toBool() ? screen : nullptr;
}

QWidget* ScreenNavigator::Build(ScreenId id) {
    if (exiting_) {
        return nullptr;
    }
    if (QWidget* open = OpenWindow(id)) {
        open->setProperty(kSetAsideProperty, false);
        return open;
    }
    const auto factory = factories_.find(id);
    if (factory == factories_.end()) {
        return nullptr;
    }
    QWidget* screen = factory->second(context_);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    built_[id] = screen;
    return screen;
}

void ScreenNavigator::Present(QWidget* screen) {
    const ScreenRoles roles = Roles();
    Place(screen, roles);
    screen->show();
    // A window manager that prevents focus stealing would otherwise leave the keyboard with
    // the window that is about to close, and the arrow keys of a clock would go nowhere.
    screen->raise();
    // With a projector the keyboard stays with the operator's windows: the console drives the
    // audience screens, and a projected window must not take its keys away.
    if (!(qobject_cast<FullScreenWindow*>(screen) && roles.twoScreens())) {
        screen->activateWindow();
    }
    if (auto* audience = qobject_cast<FullScreenWindow*>(screen)) {
        shownAudience_.removeAll(audience);
        shownAudience_.append(audience);
        connect(audience, &QObject::destroyed, this, &ScreenNavigator::FollowAudience,
                Qt::UniqueConnection);
    }
    FollowAudience();
}

ScreenRoles ScreenNavigator::Roles() const {
    QStringList names;
    for (const QScreen* display : QGuiApplication::screens()) {
        names << display->name();
    }
    return ChooseScreenRoles(
        names, int(QGuiApplication::screens().indexOf(QGuiApplication::primaryScreen())),
        ReadProfileString(AppPath(context_.appDir, kDisplayProfile), kConfigSection,
                          kProjectorScreenKey));
}

QScreen* ScreenNavigator::projectorScreen() const {
    const ScreenRoles roles = Roles();
    return roles.twoScreens() ? QGuiApplication::screens().at(roles.projector) : nullptr;
}

QScreen* ScreenNavigator::operatorScreen() const {
    const ScreenRoles roles = Roles();
    return roles.twoScreens() ? QGuiApplication::screens().at(roles.console) : nullptr;
}

void ScreenNavigator::Place(QWidget* screen, const ScreenRoles& roles) const {
    if (!roles.twoScreens()) {
        return;  // one screen: every window where it has always been
    }
    const bool audience = qobject_cast<FullScreenWindow*>(screen);
    QScreen* target = QGuiApplication::screens().at(audience ? roles.projector : roles.console);
    if (screen->screen() == target && (audience || target->geometry().contains(screen->pos()))) {
        return;
    }
    screen->setScreen(target);
    if (audience) {
        screen->setGeometry(target->geometry());
    } else {
        QRect frame = screen->frameGeometry();
        frame.moveCenter(target->availableGeometry().center());
        screen->move(frame.topLeft());
    }
}

void ScreenNavigator::FollowAudience() {
    shownAudience_.removeAll(nullptr);
    FullScreenWindow* now = nullptr;
    for (auto it = shownAudience_.crbegin(); it != shownAudience_.crend(); ++it) {
        if (auto* screen = qobject_cast<FullScreenWindow*>(it->data());
            screen && screen->isVisible()) {
            now = screen;
            break;
        }
    }
    if (now != audience_.data()) {
        audience_ = now;
        emit audienceScreenChanged(now);
    }
}

bool ScreenNavigator::ShowInstead(QWidget* from, ScreenId to) {
    if (to == ScreenId::Main) {
        ShowMain();
    } else if (QWidget* screen = Build(to)) {
        Present(screen);
        if (screen == from) {
            return true;  // asked for itself: it stays
        }
    } else {
        return false;  // nothing to show: the current screen stays
    }
    Close(from);
    return true;
}

void ScreenNavigator::Close(QWidget* screen) {
    if (!screen) {
        return;
    }
    if (screen == main_) {
        main_ = nullptr;  // the next ShowMain loads a fresh main screen
    }
    screen->close();
    FollowAudience();
}

void ScreenNavigator::Replace(QWidget* from, ScreenId to) {
    ShowInstead(from, to);
}

void ScreenNavigator::ReplaceAll(QWidget* from, ScreenId to) {
    QWidget* main = main_;
    if (ShowInstead(from, to) && to != ScreenId::Main) {
        Close(main);
    }
}

void ScreenNavigator::SetAside(QWidget* from, ScreenId to) {
    QWidget* screen = Build(to);
    if (!screen) {
        return;
    }
    Present(screen);
    if (from && from != screen) {
        from->setProperty(kSetAsideProperty, true);
        from->hide();
    }
    FollowAudience();
}

void ScreenNavigator::OpenOver(QWidget* from, ScreenId to) {
    QWidget* screen = Build(to);
    if (!screen) {
        return;
    }
    if (from) {
        // Transient for the screen underneath: a full-window screen can never cover it. Not
        // a child widget, so it does not take that screen's font and colours.
        screen->winId();
        from->window()->winId();
        screen->windowHandle()->setTransientParent(from->window()->windowHandle());
    }
    Present(screen);
}

void ScreenNavigator::ShowMain() {
    if (main_) {
        Present(main_);
        return;
    }
    main_ = Build(ScreenId::Main);
    if (main_) {
        if (!lockHolders_.isEmpty()) {
            ApplyMainLock();
        }
        Present(main_);
    }
}

void ScreenNavigator::ExitProgram() {
    exiting_ = true;
    // Each screen ends its music and clocks as it closes; none of them opens another now.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            window->close();
        }
    }
    QCoreApplication::quit();
}

void ScreenNavigator::LockMain(const QWidget* window, bool locked) {
    const bool wasLocked = !lockHolders_.isEmpty();
    if (locked && !lockHolders_.contains(window)) {
        lockHolders_.insert(window);
        // A holder that goes without letting go (deleted, never closed) lets go as it goes.
        connect(window, &QObject::destroyed, this, [this, window] { LockMain(window, false); });
    } else if (!locked) {
        lockHolders_.remove(window);
    }
    if (wasLocked != !lockHolders_.isEmpty()) {
        ApplyMainLock();
    }
}

void ScreenNavigator::ApplyMainLock() {
    if (main_) {
        QMetaObject::invokeMethod(main_, "lockForInformation",
                                  Q_ARG(bool, !lockHolders_.isEmpty()));
    }
}

void ScreenNavigator::RefreshMain() {
    if (main_) {
        QMetaObject::invokeMethod(main_, "refresh");
    }
}

void ScreenNavigator::ClearMainPicture() {
    if (main_) {
        QMetaObject::invokeMethod(main_, "clearPicture");
    }
}

#include "screen_navigator.h"

#include "foundation/paths.h"

ScreenNavigator::ScreenNavigator(AppContext& context) : context_(context) {}

void ScreenNavigator::Register(ScreenId id, Factory factory) {
    factories_[id] = std::move(factory);
}

QWidget* ScreenNavigator::Build(ScreenId id) {
    const auto factory = factories_.find(id);
    if (factory == factories_.end()) {
        return nullptr;
    }
    QWidget* screen = factory->second(context_);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    return screen;
}

void ScreenNavigator::Replace(QWidget* from, ScreenId to) {
    if (to == ScreenId::Main) {
        ShowMain();
    } else if (QWidget* screen = Build(to)) {
        screen->show();
    } else {
        return;  // nothing to show: the current screen stays
    }
    if (from) {
        if (from == main_) {
            main_ = nullptr;  // the next ShowMain loads a fresh main screen
        }
        from->close();
    }
}

void ScreenNavigator::OpenOver(QWidget* /*from*/, ScreenId to) {
    if (QWidget* screen = Build(to)) {
        screen->show();
    }
}

void ScreenNavigator::ShowMain() {
    if (main_) {
        main_->raise();
        main_->activateWindow();
        return;
    }
    main_ = Build(ScreenId::Main);
    if (main_) {
        main_->show();
    }
}

void ScreenNavigator::ShowHelp() {
    context_.platform->Desktop().Open(AppPath(context_.appDir, QStringLiteral("\\help.html")));
}

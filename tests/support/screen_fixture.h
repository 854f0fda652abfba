#pragma once
// The base of every screen test: a throw-away program folder, the fake platform and a
// recording navigator, plus small helpers so a test reads like the behaviour it checks.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "foundation/foundation.h"
#include "foundation/platform/fakes/fake_platform.h"
#include "foundation/platform/navigator.h"
#include "foundation/setup_applying.h"
#include "foundation/widgets/second_ticker.h"
#include "support/temp_app_dir.h"
#include "tools/dev_support/copy_tree.h"

// The top-level window named `name` that is shown now, or none.
inline QWidget* ShownWindow(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// Deletes every window a test of the real navigator left open, but `except`. Popups (a combo
// box's list) belong to their widget and go with it; a window may take others with it.
inline void DeleteWindows(const QWidget* except = nullptr) {
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != except && !window->parentWidget()) {
            windows << window;
        }
    }
    qDeleteAll(windows);
}

class FakeNavigator : public Navigator {
  public:
    struct Request {
        QString
            kind;  // "replace", "replace all", "aside", "over", "main", "exit", "lock", "unlock",
        // "clear picture"
        ScreenId screen = ScreenId::Main;
    };
    void Replace(QWidget* from, ScreenId to) override {
        requests.append({"replace", to});
        if (from) {
            from->close();
        }
    }
    void ReplaceAll(QWidget* from, ScreenId to) override {
        requests.append({"replace all", to});
        if (from) {
            from->close();
        }
    }
    void SetAside(QWidget* from, ScreenId to) override {
        requests.append({"aside", to});
        if (from) {
            from->hide();
        }
    }
    void OpenOver(QWidget*, ScreenId to) override { requests.append({"over", to}); }
    void ShowMain() override { requests.append({"main", ScreenId::Main}); }
    void ExitProgram() override { requests.append({"exit", ScreenId::Main}); }
    void LockMain(const QWidget*, bool locked) override {
        requests.append({locked ? "lock" : "unlock", ScreenId::Main});
    }
    void ClearMainPicture() override { requests.append({"clear picture", ScreenId::Main}); }
    void RefreshMain() override { requests.append({"refresh", ScreenId::Main}); }

    int count(const QString& kind) const {
        return int(std::count_if(requests.begin(), requests.end(),
                                 [&](const Request& r) { return r.kind == kind; }));
    }
    QList<Request> requests;
};

class ScreenFixture {
  public:
    ScreenFixture() { context = AppContext{dir.path(), &platform, &navigator, &setupApplying}; }

    // Copies the shipped data/ into the program folder (sample debate, pictures, sounds).
    void useShippedData() { CopyTree(QStringLiteral(DEBACLOCK_DATA_DIR), dir.path()); }

    QString path(const QString& relative) const { return AppPath(dir.path(), relative); }
    QString profile(const QString& relative, const QString& key,
                    const QString& section = kConfigSection) const {
        return ReadProfileString(path(relative), section, key);
    }
    void setProfile(const QString& relative, const QString& key, const QString& value,
                    const QString& section = kConfigSection) {
        dir.mkdir(QFileInfo(QString(relative).replace('\\', '/').mid(1)).path());
        WriteProfileString(path(relative), section, key, value);
    }

    template <typename T = QWidget>
    static T* find(QWidget* screen, const QString& name) {
        if (screen->objectName() == name) {
            return qobject_cast<T*>(screen);
        }
        return screen->findChild<T*>(name);
    }
    static void click(QWidget* screen, const QString& name) {
        auto* button = find<QAbstractButton>(screen, name);
        QVERIFY2(button, qPrintable("no button " + name));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static void tick(QWidget* screen, const QString& name, int times = 1) {
        auto* ticker = screen->findChild<SecondTicker*>(name);
        QVERIFY2(ticker, qPrintable("no ticker " + name));
        for (int i = 0; i < times; ++i) {
            ticker->fire();
        }
    }
    static QString text(QWidget* screen, const QString& name) {
        if (auto* label = find<QLabel>(screen, name)) {
            return label->text();
        }
        if (auto* button = find<QAbstractButton>(screen, name)) {
            return button->text();
        }
        return {};
    }
    static QColor colour(QWidget* screen, const QString& name) {
        QWidget* widget = find(screen, name);
        return widget ? widget->palette().color(widget->foregroundRole()) : QColor();
    }

    QStringList played() const { return platform.wave.played; }

    TempAppDir dir;
    FakePlatform platform;
    FakeNavigator navigator;
    SetupApplying setupApplying;
    AppContext context;
};

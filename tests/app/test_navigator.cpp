#include <QApplication>
#include <QPointer>
#include <QWindow>
#include <QtTest>

#include "app/screen_navigator.h"
#include "app_tests.h"
#include "support/screen_fixture.h"

namespace {

struct Built {
    QList<QPointer<QWidget>> screens;
};

ScreenNavigator::Factory Counting(Built& built, const QString& name) {
    return [&built, name](AppContext&) {
        auto* screen = new QWidget;
        screen->setObjectName(name);
        built.screens.append(screen);
        return screen;
    };
}

}  // namespace

void NavigatorTest::replaceShowsTheNewScreenThenClosesTheOld() {
    ScreenFixture fixture;
    ScreenNavigator navigator(fixture.context);
    Built built;
    navigator.Register(ScreenId::Main, Counting(built, "Form4"));
    navigator.Register(ScreenId::SingleCountdown, Counting(built, "Form17"));
    navigator.ShowMain();
    QPointer<QWidget> main = built.screens.value(0);
    QVERIFY(main && main->isVisible());

    bool newShownWhenOldCloses = false;
    QObject::connect(main, &QObject::destroyed, [&] {
        newShownWhenOldCloses = built.screens.size() == 2 && built.screens[1]->isVisible();
    });
    navigator.Replace(main, ScreenId::SingleCountdown);
    QTRY_VERIFY(!main);
    QVERIFY(newShownWhenOldCloses);

    // Closing the clock screen brings a fresh main screen.
    navigator.ShowMain();
    QCOMPARE(built.screens.size(), 3);
    QCOMPARE(built.screens[2]->objectName(), QString("Form4"));
    qDeleteAll(built.screens);
}

void NavigatorTest::unknownScreenKeepsTheCurrentOne() {
    ScreenFixture fixture;
    ScreenNavigator navigator(fixture.context);
    Built built;
    navigator.Register(ScreenId::Main, Counting(built, "Form4"));
    navigator.ShowMain();
    navigator.Replace(built.screens[0], ScreenId::Ceremony);
    QCoreApplication::processEvents();
    QVERIFY(built.screens[0] && built.screens[0]->isVisible());
    delete built.screens[0];
}

void NavigatorTest::showMainLoadsAFreshMainOnlyWhenNoneIsOpen() {
    ScreenFixture fixture;
    ScreenNavigator navigator(fixture.context);
    Built built;
    navigator.Register(ScreenId::Main, Counting(built, "Form4"));
    navigator.ShowMain();
    navigator.ShowMain();
    QCOMPARE(built.screens.size(), 1);
    built.screens[0]->close();
    QTRY_VERIFY(!built.screens[0]);
    navigator.ShowMain();
    QCOMPARE(built.screens.size(), 2);
    delete built.screens[1];
}

void NavigatorTest::replaceAllLeavesOnlyTheNewScreen() {
    ScreenFixture fixture;
    ScreenNavigator navigator(fixture.context);
    Built built;
    navigator.Register(ScreenId::Main, Counting(built, "Form4"));
    navigator.Register(ScreenId::ScoreEntry, Counting(built, "Form16"));
    navigator.Register(ScreenId::Announcement, Counting(built, "Form11"));
    navigator.ShowMain();
    navigator.OpenOver(built.screens[0], ScreenId::ScoreEntry);
    navigator.ReplaceAll(built.screens[1], ScreenId::Report);  // not built: nothing changes
    QVERIFY(built.screens[0]->isVisible() && built.screens[1]->isVisible());
    navigator.ReplaceAll(built.screens[1], ScreenId::Announcement);
    QTRY_VERIFY(!built.screens[0] && !built.screens[1]);
    QVERIFY(built.screens[2]->isVisible());
    navigator.ShowMain();  // a fresh main screen afterwards
    QCOMPARE(built.screens.size(), 4);
    qDeleteAll(built.screens);
}

void NavigatorTest::aScreenSetAsideComesBackAsItWasLeft() {
    ScreenFixture fixture;
    ScreenNavigator navigator(fixture.context);
    Built built;
    navigator.Register(ScreenId::Main, Counting(built, "Form4"));
    navigator.Register(ScreenId::SettingsHome, Counting(built, "Form13"));
    navigator.Register(ScreenId::BasicInfoPage, Counting(built, "Form2"));
    navigator.ShowMain();
    navigator.OpenOver(built.screens[0], ScreenId::SettingsHome);
    built.screens[1]->setWindowTitle("as left");
    navigator.SetAside(built.screens[1], ScreenId::BasicInfoPage);
    QVERIFY(!built.screens[1]->isVisible() && built.screens[2]->isVisible());
    navigator.Replace(built.screens[2], ScreenId::SettingsHome);  // "<<上一步"
    QTRY_VERIFY(!built.screens[2]);
    QCOMPARE(built.screens.size(), 3);  // not built again
    QVERIFY(built.screens[1]->isVisible());
    QCOMPARE(built.screens[1]->windowTitle(), QString("as left"));
    built.screens[1]->close();  // once closed, the next request builds it afresh
    QTRY_VERIFY(!built.screens[1]);
    navigator.OpenOver(built.screens[0], ScreenId::SettingsHome);
    QCOMPARE(built.screens.size(), 4);
    qDeleteAll(built.screens);
}

void NavigatorTest::everyScreenShownIsActivated() {
    // Under a window manager that prevents focus stealing the keyboard would stay with the
    // closing screen, and a clock's arrow keys would need a click first.
    ScreenFixture fixture;
    ScreenNavigator navigator(fixture.context);
    Built built;
    navigator.Register(ScreenId::Main, Counting(built, "Form4"));
    navigator.Register(ScreenId::TwoSide, Counting(built, "Form6"));
    navigator.Register(ScreenId::SettingsHome, Counting(built, "Form13"));
    navigator.ShowMain();
    QTRY_COMPARE(QApplication::activeWindow(), built.screens[0].data());
    navigator.OpenOver(built.screens[0], ScreenId::SettingsHome);
    QTRY_COMPARE(QApplication::activeWindow(), built.screens[1].data());
    navigator.ShowMain();  // already open underneath: brought back to the keyboard
    QTRY_COMPARE(QApplication::activeWindow(), built.screens[0].data());
    navigator.Replace(built.screens[0], ScreenId::TwoSide);
    QTRY_COMPARE(QApplication::activeWindow(), built.screens[2].data());
    qDeleteAll(built.screens);
}

void NavigatorTest::screenOpenedOverStaysInFrontOfIt() {
    ScreenFixture fixture;
    ScreenNavigator navigator(fixture.context);
    Built built;
    navigator.Register(ScreenId::Main, Counting(built, "Form4"));
    navigator.Register(ScreenId::ScoreEntry, Counting(built, "Form16"));
    navigator.ShowMain();
    navigator.OpenOver(built.screens[0], ScreenId::ScoreEntry);
    QWidget* over = built.screens.value(1);
    QVERIFY(over && over->isVisible() && built.screens[0]->isVisible());
    QCOMPARE(over->windowHandle()->transientParent(), built.screens[0]->windowHandle());
    // A window of its own, not a child: it takes nothing from the main screen's look.
    QCOMPARE(over->parentWidget(), nullptr);
    QTRY_COMPARE(QApplication::activeWindow(), over);
    qDeleteAll(built.screens);
}

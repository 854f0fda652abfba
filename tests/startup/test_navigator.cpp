#include <QPointer>
#include <QtTest>

#include "screen_navigator.h"
#include "startup_tests.h"
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

void NavigatorTest::helpOpensTheShippedHelpPage() {
    ScreenFixture fixture;
    fixture.dir.write("help.html", "<html></html>");
    ScreenNavigator navigator(fixture.context);
    navigator.ShowHelp();
    QCOMPARE(fixture.platform.desktop.opened, QStringList{fixture.dir.path() + "/help.html"});
}

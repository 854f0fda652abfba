#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include "screens/startup/splash_screen.h"
#include "support/screen_fixture.h"

namespace {

// Fires the fade timer until it stops (or a limit is reached) and returns the opacities the
// window itself had after each tick, as 0..255.
QList<int> FadeTicks(Form1& splash, int limit) {
    QList<int> seen;
    for (int i = 0; i < limit && splash.Timer1->isActive(); ++i) {
        splash.onTimer1();
        seen.append(qRound(splash.windowOpacity() * 255));
    }
    return seen;
}

}  // namespace

class SplashTest : public QObject {
    Q_OBJECT
  private slots:
    void showsTheVersion();
    void fadesInThenWaitsThreeSecondsThenFadesOut();
    void closeDuringFadeInJumpsToFadeOut();
    void closeDuringFadeOutChangesNothing();
};

void SplashTest::showsTheVersion() {
    ScreenFixture fixture;
    Form1 splash(fixture.context);
    QCOMPARE(splash.Label1->text(), QString("版本：4.1.3"));
    QCOMPARE(splash.opacity(), 0);
    QVERIFY(splash.Timer1->isActive());
    QVERIFY(!splash.Timer2->isActive());
    QCOMPARE(splash.Timer1->interval(), 15);
}

void SplashTest::fadesInThenWaitsThreeSecondsThenFadesOut() {
    ScreenFixture fixture;
    QPointer<Form1> splash = new Form1(fixture.context);
    splash->setAttribute(Qt::WA_DeleteOnClose);

    QCOMPARE(splash->windowOpacity(), 0.0);
    const QList<int> fadeIn = FadeTicks(*splash, 100);
    QCOMPARE(fadeIn.size(), 37);
    QCOMPARE(fadeIn.first(), 7);
    QCOMPARE(fadeIn[35], 252);
    QCOMPARE(fadeIn.last(), 255);
    QVERIFY(splash->Timer2->isActive());
    // The music backend is readied once, while nothing moves.
    QCOMPARE(fixture.platform.mediaWarmUps, 1);

    splash->onTimer2();
    splash->onTimer2();
    QVERIFY(!splash->Timer1->isActive());
    splash->onTimer2();  // the third second asks to close: refused, the fade-out begins
    QVERIFY(splash);
    QVERIFY(!splash->Timer2->isActive());
    QVERIFY(splash->Timer1->isActive());
    QCOMPARE(fixture.navigator.count("main"), 0);

    const QList<int> fadeOut = FadeTicks(*splash, 100);
    QCOMPARE(fadeOut.size(), 19);
    QCOMPARE(fadeOut.first(), 241);
    QCOMPARE(fadeOut[17], 3);
    QCOMPARE(splash->opacity(), 0);  // the hand-over: the window closes from 3
    QCOMPARE(fixture.navigator.count("main"), 1);
    QCOMPARE(fixture.platform.mediaWarmUps, 1);
    QTRY_VERIFY(!splash);  // closed and deleted after the hand-over
}

void SplashTest::closeDuringFadeInJumpsToFadeOut() {
    ScreenFixture fixture;
    QPointer<Form1> splash = new Form1(fixture.context);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    FadeTicks(*splash, 10);
    QCOMPARE(splash->opacity(), 70);
    QVERIFY(!splash->close());
    QVERIFY(!splash->fadingIn());
    QCOMPARE(FadeTicks(*splash, 1), QList<int>{56});
    FadeTicks(*splash, 100);
    QCOMPARE(fixture.navigator.count("main"), 1);
    QTRY_VERIFY(!splash);
}

void SplashTest::closeDuringFadeOutChangesNothing() {
    ScreenFixture fixture;
    Form1 splash(fixture.context);
    FadeTicks(splash, 100);
    splash.close();
    splash.onTimer1();
    const int opacity = splash.opacity();
    QVERIFY(!splash.close());
    QCOMPARE(splash.opacity(), opacity);
    QVERIFY(splash.Timer1->isActive());
    QCOMPARE(fixture.navigator.count("main"), 0);
}

QTEST_MAIN(SplashTest)
#include "test_splash.moc"

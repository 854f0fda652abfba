// The two-side countdown (style "Mode-2"): handing the time between the sides, each side's
// warning and time-up, pause and reset.

#include <QApplication>
#include <QtTest>

#include "support/clock_screen_fixture.h"
#include "timing/two_side_countdown.h"

namespace {

enum class Input { PressPicture, PressLabels, KeyOnFocusedButton };

// Each side 1分30秒, warned at 30 s.
struct TwoSide : ClockScreenFixture<Form6> {
    explicit TwoSide(const QString& limit = "90", const QString& warnPoint = "30")
        : ClockScreenFixture("1", limit, warnPoint) {}

    // The affirmative side by the left button or key, the negative side by the right one.
    void give(bool affirmative, Input input = Input::PressPicture) {
        if (input == Input::KeyOnFocusedButton) {
            QTest::keyClick(QApplication::focusWidget(),
                            affirmative ? Qt::Key_Left : Qt::Key_Right);
            return;
        }
        // Presses go round the four labels, which all hand the time over alike.
        press(affirmative ? Qt::LeftButton : Qt::RightButton,
              input == Input::PressPicture ? QStringLiteral("Image1")
                                           : QStringLiteral("Label%1").arg(2 + presses++ % 4));
    }
    int presses = 0;
};

}  // namespace

class TwoSideCountdownTest : public QObject {
    Q_OBJECT

  private slots:
    void handingOverKeepsRemainingTimes_data() {
        QTest::addColumn<Input>("input");
        QTest::newRow("press on the picture") << Input::PressPicture;
        QTest::newRow("presses on the labels") << Input::PressLabels;
        QTest::newRow("arrow keys while a button has the focus") << Input::KeyOnFocusedButton;
    }

    void handingOverKeepsRemainingTimes() {
        QFETCH(Input, input);
        TwoSide c;
        Form6* screen = c.open();
        screen->show();
        QApplication::setActiveWindow(screen);
        QWidget* focused = c.at("Command2");
        focused->setFocus();
        c.press(Qt::MiddleButton);
        QCOMPARE(c.running(), "");
        QVERIFY(!c.enabled("Command3"));

        c.give(true, input);
        QVERIFY(c.enabled("Command3"));
        c.tick("Timer1", 20);
        c.give(false, input);
        QCOMPARE(c.running(), "Timer2");
        c.tick("Timer2", 5);
        c.give(false, input);  // the running side keeps running
        c.tick("Timer2");
        c.give(true, input);
        QCOMPARE(c.running(), "Timer1");
        c.tick("Timer1");
        QCOMPARE(c.clocks({"Label4", "Label5"}), "1分09秒|1分24秒");
        QCOMPARE(QApplication::focusWidget(), focused);  // the keys did not move the focus
    }

    void sideRunsOut_data() {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("warnPoint");
        QTest::addColumn<QStringList>("cues");
        QTest::addColumn<bool>("warnColourShown");
        const auto row = [](const char* name, const char* limit, const char* warnPoint,
                            QStringList cues, bool warnColourShown) {
            QTest::newRow(name) << QString(limit) << QString(warnPoint) << cues << warnColourShown;
        };
        row("warning, then time up", "5", "2", {"Warn", "Timeout"}, true);
        // Both cues on the last tick; the clock goes straight to red.
        row("warning point 0", "3", "0", {"Warn", "Timeout"}, false);
        // Time is up on the first tick, at -1, which is not exactly 0: no cue.
        row("limit 0", "0", "0", {}, false);
    }

    void sideRunsOut() {
        QFETCH(QString, limit);
        QFETCH(QString, warnPoint);
        QFETCH(QStringList, cues);
        QFETCH(bool, warnColourShown);
        TwoSide c(limit, warnPoint);
        c.open();
        const QString full = c.clock("Label4");
        bool warnColourSeen = false;
        c.give(false);
        while (c.running() == "Timer2") {
            c.tick("Timer2");
            warnColourSeen = warnColourSeen || c.ink("Label5") == kYellow;
        }
        QCOMPARE(warnColourSeen, warnColourShown);
        // Started again, a timed-out side ticks once more, silently.
        c.give(false);
        c.tick("Timer2");
        QCOMPARE(c.running(), "");
        QCOMPARE(c.clock("Label5"), kTimeUp);
        QCOMPARE(c.ink("Label5"), kRed);
        QCOMPARE(c.cues(), cues);
        QCOMPARE(c.clock("Label4"), full);
        QCOMPARE(c.ink("Label4"), kWhite);
    }

    void reset_data() {
        QTest::addColumn<bool>("pauseFirst");
        QTest::addColumn<QString>("clockColour");
        QTest::newRow("after a pause") << true << "16777215";
        QTest::newRow("while running") << false << "16777215";
        // The clocks are shown in their designed colour then, and a reset must bring it back.
        QTest::newRow("no clock colour in the profile") << false << "";
    }

    void reset() {
        QFETCH(bool, pauseFirst);
        QFETCH(QString, clockColour);
        TwoSide c("35", "30");
        c.set(SegmentKey::ClockColour, clockColour);
        c.open();
        const QColor countdown = c.ink("Label4");
        c.give(false);
        c.tick("Timer2", 35);  // timed out, red
        c.give(true);
        c.tick("Timer1", 10);  // warned
        if (pauseFirst) {
            c.click("Command3");
            QCOMPARE(c.running(), "");
            QVERIFY(!c.enabled("Command3"));
        }
        // A limit out of the 16-bit range leaves each side the time it had.
        c.set(SegmentKey::Limit, "40000");
        c.click("Command2");
        QCOMPARE(c.running(), "");
        QCOMPARE(c.enabled("Command3"), !pauseFirst);
        QCOMPARE(c.clocks({"Label4", "Label5"}), "0分25秒|0分00秒");
        QCOMPARE(c.ink("Label4"), countdown);
        QCOMPARE(c.ink("Label5"), countdown);
        // The limit is read again, the warning point is not.
        c.set(SegmentKey::Limit, "60");
        c.set(SegmentKey::WarnPoint, "50");
        c.click("Command2");
        QCOMPARE(c.clock("Label5"), "1分00秒");
        c.give(false);
        c.tick("Timer2", 10);
        QCOMPARE(c.ink("Label5"), countdown);
        c.tick("Timer2", 20);
        QCOMPARE(c.ink("Label5"), kYellow);
    }
};

QTEST_MAIN(TwoSideCountdownTest)
#include "test_two_side_countdown.moc"

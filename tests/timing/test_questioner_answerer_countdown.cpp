// The questioner and answerer countdown (style "Mode-4"): switching sides, each side's own
// limit and warning point, a time-up cue on every timed-out tick, pause, reset, button strip.

#include <QtTest>

#include "support/clock_screen_fixture.h"
#include "timing/questioner_answerer_countdown.h"

namespace {

const QString kTimeUpWithoutBlank = QStringLiteral("时间到！");

// Questioner 30 s warned at 10, answerer 180 s warned at 30. The shared limit and warning
// point are the other styles': should this screen read them, the times would show it.
struct QuestionerAnswerer : ClockScreenFixture<Form18> {
    QuestionerAnswerer() : ClockScreenFixture("2", "77", "20") {
        set(SegmentKey::QuestionerLimit, "30");
        set(SegmentKey::AnswererLimit, "180");
        set(SegmentKey::QuestionerWarnPoint, "10");
        set(SegmentKey::AnswererWarnPoint, "30");
    }
};

}  // namespace

class QuestionerAnswererCountdownTest : public QObject {
    Q_OBJECT

  private slots:
    void switchingKeepsRemainingTimes() {
        QuestionerAnswerer c;
        Form18* screen = c.open();
        QCOMPARE(c.clocks({"Label4", "Label5"}), "30s|180s");
        QCOMPARE(c.ink("Label4"), kWhite);
        c.press(Qt::LeftButton, "Label5");
        c.tick("Timer3", 18);
        c.press(Qt::RightButton, "Label4");
        QCOMPARE(c.running(), "Timer4");
        c.tick("Timer4");
        c.press(Qt::LeftButton);
        c.press(Qt::LeftButton);  // the running side keeps running
        QCOMPARE(c.running(), "Timer3");
        c.tick("Timer3");
        QCOMPARE(c.clocks({"Label4", "Label5"}), "11s|179s");
        // Neither the captions, nor other buttons, nor the keyboard switch.
        c.press(Qt::RightButton, "Label1_0");
        c.press(Qt::RightButton, "Label1_1");
        c.press(Qt::MiddleButton);
        QTest::keyClick(screen, Qt::Key_Right);
        QCOMPARE(c.running(), "Timer3");
    }

    void sideRunsOut_data() {
        QTest::addColumn<bool>("questioner");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("warnPoint");
        QTest::addColumn<int>("warnedAfter");  // ticks until the warning colour; 0 for never
        QTest::addColumn<bool>("warns");
        const auto row = [](const char* name, bool questioner, const char* limit,
                            const char* warnPoint, int warnedAfter, bool warns) {
            QTest::newRow(name) << questioner << QString(limit) << QString(warnPoint) << warnedAfter
                                << warns;
        };
        // Each side's own warning point; the other side's (10 or 30) would warn after 5 s.
        row("questioner", true, "35", "25", 10, true);
        row("answerer", false, "15", "5", 10, true);
        // Warning colour and cue on the last tick, then red and the time-up cue.
        row("warning point 0", true, "3", "0", 0, true);
        // Time is up on the first tick, at -1, and still the cue sounds.
        row("limit 0", false, "0", "30", 0, false);
    }

    void sideRunsOut() {
        QFETCH(bool, questioner);
        QFETCH(QString, limit);
        QFETCH(QString, warnPoint);
        QFETCH(int, warnedAfter);
        QFETCH(bool, warns);
        const QString clock = questioner ? "Label4" : "Label5";
        const QString other = questioner ? "Label5" : "Label4";
        const QString timer = questioner ? "Timer3" : "Timer4";
        const Qt::MouseButton button = questioner ? Qt::LeftButton : Qt::RightButton;
        QuestionerAnswerer c;
        c.set(questioner ? SegmentKey::QuestionerLimit : SegmentKey::AnswererLimit, limit);
        c.set(questioner ? SegmentKey::QuestionerWarnPoint : SegmentKey::AnswererWarnPoint,
              warnPoint);
        c.open();
        const QString otherFull = c.clock(other);
        c.press(button);
        for (int ticks = 1; c.running() == timer; ++ticks) {
            c.tick(timer);
            if (c.running() == timer) {
                QCOMPARE(c.ink(clock) == kYellow, warnedAfter > 0 && ticks >= warnedAfter);
            }
        }
        QStringList heard = warns ? QStringList{"Warn", "Timeout"} : QStringList{"Timeout"};
        // Every start of a timed-out side ticks once more and cues again.
        for (int start = 0; start < 2; ++start) {
            c.press(button);
            c.tick(timer);
            QCOMPARE(c.running(), "");
            heard << "Timeout";
        }
        QCOMPARE(c.clock(clock), kTimeUpWithoutBlank);
        QCOMPARE(c.ink(clock), kRed);
        QCOMPARE(c.cues(), heard);
        QCOMPARE(c.clock(other), otherFull);
    }

    void pauseAndReset_data() {
        QTest::addColumn<QString>("clockColour");
        QTest::newRow("clock colour in the profile") << "16777215";
        // The clocks are shown in their designed colour then, and a reset must bring it back.
        QTest::newRow("no clock colour in the profile") << "red";
    }

    void pauseAndReset() {
        QFETCH(QString, clockColour);
        QuestionerAnswerer c;
        c.set(SegmentKey::ClockColour, clockColour);
        c.open();
        const QColor countdown = c.ink("Label4");
        c.press(Qt::LeftButton);
        c.tick("Timer3", 30);  // timed out, red
        c.press(Qt::RightButton);
        c.tick("Timer4", 150);  // warned
        c.click("Command2");
        c.click("Command2");
        QCOMPARE(c.running(), "");
        QVERIFY(c.enabled("Command2"));
        c.press(Qt::RightButton);
        // Limits are read again; one out of the 16-bit range keeps the time it had.
        c.set(SegmentKey::QuestionerLimit, "45");
        c.set(SegmentKey::AnswererLimit, "32768");
        c.set(SegmentKey::AnswererWarnPoint, "25");
        c.click("Command4");
        QCOMPARE(c.running(), "");
        QCOMPARE(c.clocks({"Label4", "Label5"}), "45s|30s");
        QCOMPARE(c.ink("Label4"), countdown);
        QCOMPARE(c.ink("Label5"), countdown);
        c.press(Qt::RightButton);
        c.tick("Timer4", 10);
        QCOMPARE(c.ink("Label5"), countdown);  // the warning point was not read again
    }

    void buttonStripIsThreeButtonsDeep() {
        QuestionerAnswerer c;
        c.open();
        // Design height 600 pixels; the buttons are 25 pixels high.
        for (const auto& [y, shown] :
             {std::pair{525, ""}, std::pair{526, "Command1 Command2 Command4"}}) {
            c.hover(y);
            QCOMPARE(c.shownButtons(), shown);
        }
    }
};

QTEST_MAIN(QuestionerAnswererCountdownTest)
#include "test_questioner_answerer_countdown.moc"

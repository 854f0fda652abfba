// The question-and-answer countdown (style "Mode-3"): who has the floor after each mouse
// button, the per-turn clocks running over, the total running out, pause and reset.

#include <QtTest>

#include "foundation/widgets/twips.h"
#include "support/clock_screen_fixture.h"
#include "timing/question_answer_countdown.h"

namespace {

// A total of 180 s warned at 30, questions of 30 s and answers of 40 s, in seconds.
struct QA : ClockScreenFixture<Form5> {
    explicit QA(const QString& total = "180", const QString& warnPoint = "30")
        : ClockScreenFixture("2", total, warnPoint) {
        set(SegmentKey::QuestionLimit, "30");
        set(SegmentKey::AnswerLimit, "40");
    }
    // Total, question and answer clock.
    QString clocks() const { return ClockScreenFixture::clocks({"Label2", "Label4", "Label5"}); }
};

}  // namespace

class QuestionAnswerCountdownTest : public QObject {
    Q_OBJECT

  private slots:
    void opensIdle() {
        QA q;
        q.set(SegmentKey::Format, "1");
        q.set(SegmentKey::FontSize, "20");
        Form5* screen = q.open();
        QCOMPARE(q.at("Label5")->geometry(), RectFromTwips(7110, 2160, 2895, 2025));
        QCOMPARE(QA::text(screen, "Label1_1"), "一次回答剩余时间");
        QCOMPARE(q.clocks(), "3分00秒|30s|40s");  // per-turn clocks always in seconds
        QCOMPARE(q.running(), "");
        QCOMPARE(q.enabledButtons(), "Command1");
        QCOMPARE(q.ink(), kWhite);
        QCOMPARE(q.back(), kBack);
        QCOMPARE(q.at("Label2")->font().pointSizeF(), 20.0);
        for (const char* turn : {"Label4", "Label5"}) {  // the look is the total clock's only
            QCOMPARE(q.ink(turn), kBlack);
            QCOMPARE(q.at(turn)->font().pointSizeF(), 90.0);
        }
    }

    void theFloorPassesBetweenSides() {
        QA q;
        q.open();
        q.press(Qt::RightButton, "Label4");
        QCOMPARE(q.running(), "Timer1 Timer4");
        // Only a left click makes reset available.
        QCOMPARE(q.enabledButtons(), "Command1 Command2");
        q.press(Qt::LeftButton, "Label1_1");
        QCOMPARE(q.enabledButtons(), "Command1 Command2 Command4");
        QCOMPARE(q.running(), "Timer1 Timer3");
        q.second(5);
        QCOMPARE(q.clocks(), "175s|25s|40s");
        q.press(Qt::LeftButton, "Label5");  // the same side again: the question goes on
        q.second();
        QCOMPARE(q.clocks(), "174s|24s|40s");
        q.set(SegmentKey::QuestionLimit, "35");  // the limit is read at every switch
        q.press(Qt::RightButton, "Label2");
        QCOMPARE(q.running(), "Timer1 Timer4");
        q.second(2);
        QCOMPARE(q.clocks(), "172s|35s|38s");
        q.press(Qt::MiddleButton);
        QCOMPARE(q.running(), "Timer1 Timer4");
        q.press(Qt::LeftButton, "Label1_0");
        QCOMPARE(q.clocks(), "172s|35s|40s");
    }

    void turnRunsOver_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("label");
        QTest::newRow("question") << Qt::LeftButton << "Label4";
        QTest::newRow("answer") << Qt::RightButton << "Label5";
    }

    void turnRunsOver() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, label);
        QA q("180", "10");
        q.set(SegmentKey::QuestionLimit, "3");
        q.set(SegmentKey::AnswerLimit, "3");
        q.open();
        q.press(button);
        q.second(2);
        QCOMPARE(q.ink(label), kBlack);
        q.second();
        QCOMPARE(q.clock(label), "0s");
        QCOMPARE(q.ink(label), kRed);
        QCOMPARE(q.running(), "Timer1");
        QCOMPARE(q.cues(), QStringList{"Cs"});
        q.second(27);
        QVERIFY(q.clocks().startsWith("150s|"));
        for (int again = 0; again < 2; ++again) {  // from 0 each time: -1s, never further
            q.press(button);
            q.second();
            QCOMPARE(q.clock(label), "-1s");
            QCOMPARE(q.running(), "Timer1");
        }
        QCOMPARE(q.cues(), (QStringList{"Cs", "Cs", "Cs"}));
        q.press(button == Qt::LeftButton ? Qt::RightButton : Qt::LeftButton);
        QCOMPARE(q.clock(label), "3s");
        QCOMPARE(q.ink(label), kBlack);
    }

    void totalTimeOut_data() {
        QTest::addColumn<QString>("warnPoint");
        QTest::addColumn<QStringList>("cues");
        QTest::newRow("warned before") << "2" << QStringList{"Warn", "Timeout"};
        QTest::newRow("warning point 0: one tick") << "0" << QStringList{"Warn", "Timeout"};
        QTest::newRow("warning point -1") << "-1" << QStringList{"Timeout"};
    }

    void totalTimeOut() {
        QFETCH(QString, warnPoint);
        QFETCH(QStringList, cues);
        QA q("4", warnPoint);
        q.open();
        q.press(Qt::LeftButton);
        q.second(2);
        QCOMPARE(q.ink(), warnPoint == "2" ? kYellow : kWhite);
        q.press(Qt::RightButton);
        q.second(2);  // the total runs out first in its second: the answer stops at 39s
        QCOMPARE(q.clocks(), kTimeUp + "|30s|39s");
        QCOMPARE(q.ink(), kRed);
        QCOMPARE(q.running(), "");
        QCOMPARE(q.cues(), cues);
        q.press(Qt::LeftButton);  // one more tick: time-up again, all stop, no time-up cue
        q.tick();
        QCOMPARE(q.clocks(), kTimeUp + "|30s|40s");
        QCOMPARE(q.running(), "");
        // At -1 a warning point of -1 is reached: the operator asked for that cue.
        QCOMPARE(q.cues(), cues + (warnPoint == "-1" ? QStringList{"Warn"} : QStringList{}));
    }

    void pauseAndReset() {
        QA q("5", "0");
        q.set(SegmentKey::ClockColour, "");
        q.open();
        const QColor designed = q.ink();
        q.press(Qt::LeftButton);
        q.second(2);
        q.click("Command2");
        QCOMPARE(q.running(), "");
        QCOMPARE(q.enabledButtons(), "Command1 Command4");
        QCOMPARE(q.clocks(), "3s|28s|40s");
        q.press(Qt::LeftButton);
        q.second(3);
        QCOMPARE(q.ink(), kRed);
        // Limits are read again; one out of the 16-bit range keeps the current value.
        q.set(SegmentKey::Limit, "90");
        q.set(SegmentKey::QuestionLimit, "40000");
        q.set(SegmentKey::AnswerLimit, "-20");
        SetTextColour(q.at("Label4"), kRed);
        q.click("Command4");
        QCOMPARE(q.clocks(), "90s|26s|-20s");
        QCOMPARE(q.ink(), designed);  // not the red of time-up
        QCOMPARE(q.ink("Label4"), kBlack);
        QCOMPARE(q.running(), "");
        QCOMPARE(q.enabledButtons(), "Command1 Command2 Command4");  // they keep their states
        q.click("Command1");
        QCOMPARE(q.navigator.count("main"), 1);
    }
};

QTEST_MAIN(QuestionAnswerCountdownTest)
#include "test_question_answer_countdown.moc"

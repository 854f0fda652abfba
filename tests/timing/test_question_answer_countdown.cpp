// The question-and-answer countdown (style "Mode-3"): who has the floor after each mouse
// button, the per-turn clocks running over, the total running out, pause and reset.

#include <QtTest>
#include <memory>

#include "foundation/platform/colours.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "support/screen_fixture.h"
#include "timing/question_answer_countdown.h"

namespace {

const QColor kWhite = ColourFromValue(16777215);
const QColor kYellow = ColourFromValue(65535);
const QColor kRed = ColourFromValue(255);
const QColor kBlack = ColourFromValue(0);
const QByteArray kWave = QByteArrayLiteral("RIFF\x04\0\0\0WAVE");  // the fake asks for a file

struct QA : ScreenFixture {
    explicit QA(const QString& total = "180", const QString& warnPoint = "30") {
        for (const char* cue : {"Warn", "Timeout", "Cs"}) {
            dir.writeBytes(QString("sound/%1/Default.wav").arg(cue), kWave);
        }
        dir.write("config/Timetemp.ini",
                  QString("[配置信息]\n计时格式=2\n限时=%1\n警告时间点=%2\n"
                          "提问方一次提问限时=30\n回答方一次回答限时=40\n"
                          "倒计时字体颜色=16777215\n时间不足时字体颜色=65535\n背景颜色=2035466\n"
                          "时间不足提示音=Default\n时间到提示音=Default\n超时提示音=Default\n")
                      .arg(total, warnPoint));
    }
    void set(const QString& key, const QString& value) {
        setProfile("\\config\\Timetemp.ini", key, value);
    }
    Form5* open() { return (screen = std::make_unique<Form5>(context)).get(); }
    QWidget* at(const QString& name) const { return find(screen.get(), name); }
    void press(Qt::MouseButton button, const QString& on = "Image1") {
        QTest::mouseClick(at(on), button, {}, QPoint(5, 5));
    }
    void click(const QString& name) { ScreenFixture::click(screen.get(), name); }
    // One second: every running clock ticks, the total first.
    void second(int times = 1) {
        for (int i = 0; i < times * 3; ++i) {
            tick(screen.get(), QString("Timer%1").arg("134"[i % 3]));
        }
    }
    QString running() const {
        QStringList on = {"Timer1", "Timer3", "Timer4"};
        on.removeIf(
            [&](const QString& t) { return !screen->findChild<SecondTicker*>(t)->isActive(); });
        return on.join(' ');
    }
    // Total, question and answer clock.
    QString clocks() const {
        return text(screen.get(), "Label2") + '|' + text(screen.get(), "Label4") + '|' +
               text(screen.get(), "Label5");
    }
    QColor colourOf(const QString& name) const { return colour(screen.get(), name); }
    // The cues heard, by their folder: "Warn", "Timeout", "Cs".
    QStringList cues() const {
        QStringList heard = played();
        return heard.replaceInStrings(QRegularExpression(".*/(\\w+)/Default.wav"), "\\1");
    }

    std::unique_ptr<Form5> screen;
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
        QCOMPARE(QA::text(screen, "Label1_1"), QString("一次回答剩余时间"));
        QCOMPARE(q.clocks(), QString("3分00秒|30s|40s"));  // per-turn clocks always in seconds
        QCOMPARE(q.running(), QString());
        QVERIFY(!q.at("Command2")->isEnabled());
        QVERIFY(!q.at("Command4")->isEnabled());
        QCOMPARE(q.colourOf("Label2"), kWhite);
        QCOMPARE(BackgroundColour(screen), ColourFromValue(2035466));
        QCOMPARE(q.at("Label2")->font().pointSizeF(), 20.0);
        for (const char* turn : {"Label4", "Label5"}) {  // the look is the total clock's only
            QCOMPARE(q.colourOf(turn), kBlack);
            QCOMPARE(q.at(turn)->font().pointSizeF(), 90.0);
        }
    }

    void theFloorPassesBetweenSides() {
        QA q;
        q.open();
        q.press(Qt::RightButton, "Label4");
        QCOMPARE(q.running(), QString("Timer1 Timer4"));
        QVERIFY(q.at("Command2")->isEnabled());
        QVERIFY(!q.at("Command4")->isEnabled());  // only a left click makes reset available
        q.press(Qt::LeftButton, "Label1_1");
        QVERIFY(q.at("Command4")->isEnabled());
        QCOMPARE(q.running(), QString("Timer1 Timer3"));
        q.second(5);
        QCOMPARE(q.clocks(), QString("175s|25s|40s"));
        q.press(Qt::LeftButton, "Label5");  // the same side again: the question goes on
        q.second();
        QCOMPARE(q.clocks(), QString("174s|24s|40s"));
        q.set(SegmentKey::QuestionLimit, "35");  // the limit is read at every switch
        q.press(Qt::RightButton, "Label2");
        QCOMPARE(q.running(), QString("Timer1 Timer4"));
        q.second(2);
        QCOMPARE(q.clocks(), QString("172s|35s|38s"));
        q.press(Qt::MiddleButton);
        QCOMPARE(q.running(), QString("Timer1 Timer4"));
        q.press(Qt::LeftButton, "Label1_0");
        QCOMPARE(q.clocks(), QString("172s|35s|40s"));
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
        QCOMPARE(q.colourOf(label), kBlack);
        q.second();
        QCOMPARE(QA::text(q.screen.get(), label), QString("0s"));
        QCOMPARE(q.colourOf(label), kRed);
        QCOMPARE(q.running(), QString("Timer1"));
        QCOMPARE(q.cues(), QStringList{"Cs"});
        q.second(27);
        QVERIFY(q.clocks().startsWith("150s|"));
        for (int again = 0; again < 2; ++again) {  // from 0 each time: -1s, never further
            q.press(button);
            q.second();
            QCOMPARE(QA::text(q.screen.get(), label), QString("-1s"));
            QCOMPARE(q.running(), QString("Timer1"));
        }
        QCOMPARE(q.cues(), (QStringList{"Cs", "Cs", "Cs"}));
        q.press(button == Qt::LeftButton ? Qt::RightButton : Qt::LeftButton);
        QCOMPARE(QA::text(q.screen.get(), label), QString("3s"));
        QCOMPARE(q.colourOf(label), kBlack);
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
        QCOMPARE(q.colourOf("Label2"), warnPoint == "2" ? kYellow : kWhite);
        q.press(Qt::RightButton);
        q.second(2);  // the total runs out first in its second: the answer stops at 39s
        QCOMPARE(q.clocks(), QString(" 时间到！|30s|39s"));
        QCOMPARE(q.colourOf("Label2"), kRed);
        QCOMPARE(q.running(), QString());
        QCOMPARE(q.cues(), cues);
        q.press(Qt::LeftButton);  // one more tick: time-up again, all stop, no time-up cue
        QA::tick(q.screen.get(), "Timer1");
        QCOMPARE(q.clocks(), QString(" 时间到！|30s|40s"));
        QCOMPARE(q.running(), QString());
        // At -1 a warning point of -1 is reached: the operator asked for that cue.
        QCOMPARE(q.cues(), cues + (warnPoint == "-1" ? QStringList{"Warn"} : QStringList{}));
    }

    void pauseAndReset() {
        QA q("5", "0");
        q.set(SegmentKey::ClockColour, "");
        q.open();
        const QColor designed = q.colourOf("Label2");
        q.press(Qt::LeftButton);
        q.second(2);
        q.click("Command2");
        QCOMPARE(q.running(), QString());
        QVERIFY(!q.at("Command2")->isEnabled());
        QCOMPARE(q.clocks(), QString("3s|28s|40s"));
        q.press(Qt::LeftButton);
        q.second(3);
        QCOMPARE(q.colourOf("Label2"), kRed);
        // Limits are read again; one out of the 16-bit range keeps the current value.
        q.set(SegmentKey::Limit, "90");
        q.set(SegmentKey::QuestionLimit, "40000");
        q.set(SegmentKey::AnswerLimit, "-20");
        SetTextColour(q.at("Label4"), kRed);
        q.click("Command4");
        QCOMPARE(q.clocks(), QString("90s|26s|-20s"));
        QCOMPARE(q.colourOf("Label2"), designed);  // not the red of time-up
        QCOMPARE(q.colourOf("Label4"), kBlack);
        QCOMPARE(q.running(), QString());
        QVERIFY(q.at("Command2")->isEnabled());  // the buttons keep their states
        q.click("Command1");
        QCOMPARE(q.navigator.count("main"), 1);
    }
};

QTEST_MAIN(QuestionAnswerCountdownTest)
#include "test_question_answer_countdown.moc"

// What the clock screens of styles 2 to 5 share beyond their own timing: their captions, and
// their way back to the main screen.

#include <QtTest>

#include "support/clock_screen_fixture.h"
#include "support/data_rows.h"
#include "timing/per_speech_countdown.h"
#include "timing/question_answer_countdown.h"
#include "timing/questioner_answerer_countdown.h"
#include "timing/two_side_countdown.h"

namespace {

// The total clock at 3 s and the turn clock at 10 s, both set going by a left press; the event
// loop then stalls for 3.5 s before the timer of `due` comes due. Returns the clocks
// "total|turn" as they stand after.
template <typename Screen>
QString AfterAStall(const QString& due, const QString& turnClock) {
    ClockScreenFixture<Screen> f("1", "3", "0");
    f.setTurnLimits("10", "10", "10", "10", "10");
    f.open();
    auto* timer = f.screen->template findChild<SecondTicker*>(due);
    qint64 now = 0;
    timer->group()->setClock([&] { return now; });
    f.press(Qt::LeftButton);
    now = 3500;
    timer->onTimerDue();
    return f.clocks({QStringLiteral("Label2"), turnClock});
}

// A screen of `Screen` over a profile that gives every limit of every style.
template <typename Screen>
struct AnyStyle : ClockScreenFixture<Screen> {
    AnyStyle() : ClockScreenFixture<Screen>("1", "90", "30") {
        for (const QString& key :
             {SegmentKey::QuestionLimit, SegmentKey::AnswerLimit, SegmentKey::QuestionerLimit,
              SegmentKey::AnswererLimit, SegmentKey::SpeechLimit}) {
            this->set(key, "60");
        }
        this->open();
    }
};

// Calls `check` with a fixture of the screen of `style` (2..5).
template <typename Check>
void ForStyle(int style, Check check) {
    switch (style) {
        case 2: {
            AnyStyle<Form6> f;
            check(f);
            break;
        }
        case 3: {
            AnyStyle<Form5> f;
            check(f);
            break;
        }
        case 4: {
            AnyStyle<Form18> f;
            check(f);
            break;
        }
        case 5: {
            AnyStyle<Form22> f;
            check(f);
            break;
        }
        default:
            QFAIL("no such style");
    }
}

}  // namespace

class ClockScreensTest : public QObject {
    Q_OBJECT

  private slots:
    void captionsAsDesigned_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        AddRow("2: affirmative", 2, QString("Label2"), QString("正方"));
        AddRow("2: affirmative clock", 2, QString("Label4"), QString("1分30秒"));
        AddRow("2: negative", 2, QString("Label3"), QString("反方"));
        AddRow("2: negative clock", 2, QString("Label5"), QString("1分30秒"));
        AddRow("2: pause", 2, QString("Command3"), QString("计时暂停"));
        AddRow("2: reset", 2, QString("Command2"), QString("初始化"));
        AddRow("2: back", 2, QString("Command1"), QString("返回主界面"));
        AddRow("4: questioner", 4, QString("Label1_0"), QString("提问方剩余时间"));
        AddRow("4: questioner clock", 4, QString("Label4"), QString("1分00秒"));
        AddRow("4: answerer", 4, QString("Label1_1"), QString("回答方剩余时间"));
        AddRow("4: answerer clock", 4, QString("Label5"), QString("1分00秒"));
        AddRow("4: pause", 4, QString("Command2"), QString("计时暂停"));
        AddRow("4: reset", 4, QString("Command4"), QString("初始化"));
        AddRow("4: back", 4, QString("Command1"), QString("返回主界面"));
    }
    void captionsAsDesigned() {
        QFETCH(int, style);
        QFETCH(QString, control);
        QFETCH(QString, caption);
        ForStyle(style, [&](auto& f) { QCOMPARE(f.clock(control), caption); });
    }

    void closingReturnsToTheMainScreenOnce_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("byButton");
        for (int style = 2; style <= 5; ++style) {
            const QByteArray name = QByteArray::number(style);
            QTest::newRow(name + ": 返回主界面") << style << true;
            QTest::newRow(name + ": closed by the window system") << style << false;
        }
    }
    void closingReturnsToTheMainScreenOnce() {
        QFETCH(int, style);
        QFETCH(bool, byButton);
        ForStyle(style, [&](auto& f) {
            f.screen->show();
            f.press(Qt::LeftButton);  // every one of these styles starts on a left press
            QVERIFY(!f.running().isEmpty());
            if (byButton) {
                f.click("Command1");
            } else {
                f.screen->close();
            }
            QVERIFY(!f.screen->isVisible());
            QCOMPARE(f.running(), "");  // nothing ticks or sounds from a closed screen
            f.screen->close();
            QCOMPARE(f.navigator.requests.size(), 1);
            QCOMPARE(f.navigator.count("main"), 1);
        });
    }

    // Without a stall, the total clock's time up at 3 s stops the turn clock after the seconds
    // that came before it in that order (the question clock starts after the total clock, the
    // speech clock before it). A stall changes nothing of that, whichever timer comes due first.
    void aStallIsMadeUpByBothClocksTogether_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("clocks");
        AddRow("3: the total clock due first", 3, QString("Timer1"), kTimeUp + "|8s");
        AddRow("3: the question clock due first", 3, QString("Timer3"), kTimeUp + "|8s");
        AddRow("5: the total clock due first", 5, QString("Timer1"), kTimeUp + "|7s");
        AddRow("5: the speech clock due first", 5, QString("Timer2"), kTimeUp + "|7s");
    }
    void aStallIsMadeUpByBothClocksTogether() {
        QFETCH(int, style);
        QFETCH(QString, due);
        QFETCH(QString, clocks);
        QCOMPARE(
            style == 3 ? AfterAStall<Form5>(due, "Label4") : AfterAStall<Form22>(due, "Label1"),
            clocks);
    }
};

QTEST_MAIN(ClockScreensTest)
#include "test_clock_screens.moc"

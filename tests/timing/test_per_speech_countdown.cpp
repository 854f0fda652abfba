// The per-speech countdown (style "Mode-5"): every left click starts a new speech, "开始计时"
// goes on without refilling, colours are fixed when the screen opens, and the total's time-out
// keeps the colour it has.

#include <QtTest>

#include "foundation/widgets/twips.h"
#include "support/clock_screen_fixture.h"
#include "timing/per_speech_countdown.h"

namespace {

// A total of 10分00秒 warned at 60 s, speeches of 120 s.
struct Speeches : ClockScreenFixture<Form22> {
    explicit Speeches(const QString& total = "600", const QString& warnPoint = "60")
        : ClockScreenFixture("1", total, warnPoint) {
        set(SegmentKey::SpeechLimit, "120");
    }
    // Total and speech clock.
    QString clocks() const { return ClockScreenFixture::clocks({"Label2", "Label1"}); }
};

}  // namespace

class PerSpeechCountdownTest : public QObject {
    Q_OBJECT

  private slots:
    void opens() {
        Speeches s;
        s.open();
        QCOMPARE(s.at("Label2")->geometry(), RectFromTwips(0, 3600, 12015, 3975));
        QCOMPARE(s.clocks(), "10分00秒|120s");
        QCOMPARE(s.ink(), kWhite);
        QCOMPARE(s.ink("Label1"), kBlack);
        QCOMPARE(s.at("Label1")->font().pointSizeF(), 90.0);
        QCOMPARE(s.back(), kBack);
        // The caption, the right and the middle button start nothing.
        s.press(Qt::LeftButton, "Label3");
        s.press(Qt::RightButton);
        s.press(Qt::MiddleButton, "Label2");
        QCOMPARE(s.running(), "");
    }

    void everyLeftClickStartsANewSpeech() {
        Speeches s;
        s.open();
        s.press(Qt::LeftButton, "Label1");
        QCOMPARE(s.running(), "Timer1 Timer2");
        s.second();
        QCOMPARE(s.clocks(), "9分59秒|119s");
        s.second(59);
        s.set(SegmentKey::SpeechLimit, "90");  // read anew for every speech
        s.press(Qt::LeftButton, "Label2");
        QCOMPARE(s.clocks(), "9分00秒|90s");
        s.second();
        QCOMPARE(s.clocks(), "8分59秒|89s");
    }

    void speechRunsOver() {
        Speeches s;
        s.open();
        s.press(Qt::LeftButton);
        s.second(120);
        QCOMPARE(s.clocks(), "8分00秒|0s");
        QCOMPARE(s.ink("Label1"), kRed);
        QCOMPARE(s.cues(), QStringList{"Cs"});
        QCOMPARE(s.running(), "Timer1");
        for (const char* over : {"-1s", "-2s"}) {  // "开始计时" goes on from where it stands
            s.click("Command3");
            s.second();
            QCOMPARE(s.clock("Label1"), over);
            QCOMPARE(s.running(), "Timer1");
        }
        QCOMPARE(s.cues(), (QStringList{"Cs", "Cs", "Cs"}));
        s.press(Qt::LeftButton);
        QCOMPARE(s.clocks(), "7分58秒|120s");
        QCOMPARE(s.ink("Label1"), kBlack);
    }

    void totalTimeOutKeepsItsColour_data() {
        QTest::addColumn<QString>("warnPoint");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("warned before") << "2" << kYellow;
        QTest::newRow("warning point 0: both cues on one tick") << "0" << kWhite;
    }

    void totalTimeOutKeepsItsColour() {
        QFETCH(QString, warnPoint);
        QFETCH(QColor, colour);
        Speeches s("4", warnPoint);
        s.open();
        s.press(Qt::LeftButton, "Label1");
        s.second(4);  // the total runs out first in its second: the speech stops at 117s
        QCOMPARE(s.clocks(), kTimeUp + "|117s");
        QCOMPARE(s.ink(), colour);
        QCOMPARE(s.running(), "");
        QCOMPARE(s.cues(), (QStringList{"Warn", "Timeout"}));
        s.press(Qt::LeftButton);  // the next total tick: time-up again, both stop, no cue
        s.second();
        QCOMPARE(s.clocks(), kTimeUp + "|120s");
        QCOMPARE(s.running(), "");
        QCOMPARE(s.cues(), (QStringList{"Warn", "Timeout"}));
    }

    void coloursAreReadOnceAtOpening() {
        Speeches s("3", "2");
        s.setColours("", "黄", "");
        s.open();
        s.set(SegmentKey::ClockColour, "16777215");  // too late: the screen has read its colours
        QCOMPARE(s.back(), kBlack);
        QCOMPARE(s.ink(), kBlack);
        SetTextColour(s.at("Label2"), kRed);
        s.press(Qt::LeftButton);
        s.second();
        QCOMPARE(s.ink(), kBlack);  // an unreadable warning colour is black too
        SetTextColour(s.at("Label2"), kRed);
        s.click("Command4");
        QCOMPARE(s.ink(), kBlack);
    }

    void reset() {
        Speeches s;
        s.set(SegmentKey::SpeechLimit, "1");
        s.open();
        s.press(Qt::LeftButton);
        s.second(2);
        s.set(SegmentKey::Limit, "90");
        s.set(SegmentKey::SpeechLimit, "30");
        s.click("Command4");
        QCOMPARE(s.clocks(), "1分30秒|30s");
        QCOMPARE(s.ink("Label1"), kBlack);
        QCOMPARE(s.running(), "");
        s.click("Command3");  // goes on from the values as they stand, without refilling
        s.second(3);
        s.click("Command2");
        QCOMPARE(s.running(), "");
        QVERIFY(s.enabled("Command2"));
        s.click("Command3");
        s.second(2);
        QCOMPARE(s.clocks(), "1分25秒|25s");
        s.set(SegmentKey::Limit, "32768");  // out of the 16-bit range: the values stay
        s.set(SegmentKey::SpeechLimit, "-99999");
        s.click("Command4");
        QCOMPARE(s.clocks(), "1分25秒|25s");
        s.click("Command1");
        QCOMPARE(s.navigator.count("main"), 1);
    }
};

QTEST_MAIN(PerSpeechCountdownTest)
#include "test_per_speech_countdown.moc"

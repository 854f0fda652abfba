// The per-speech countdown (style "Mode-5"): every left click starts a new speech, "开始计时"
// goes on without refilling, colours are fixed when the screen opens, and the total's time-out
// keeps the colour it has.

#include <QtTest>
#include <memory>

#include "foundation/platform/colours.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "support/screen_fixture.h"
#include "timing/per_speech_countdown.h"

namespace {

const QColor kWhite = ColourFromValue(16777215);
const QColor kYellow = ColourFromValue(65535);
const QColor kRed = ColourFromValue(255);
const QColor kBlack = ColourFromValue(0);
const QByteArray kWave = QByteArrayLiteral("RIFF\x04\0\0\0WAVE");  // the fake asks for a file

struct Speeches : ScreenFixture {
    explicit Speeches(const QString& total = "600", const QString& warnPoint = "60") {
        for (const char* cue : {"Warn", "Timeout", "Cs"}) {
            dir.writeBytes(QString("sound/%1/Default.wav").arg(cue), kWave);
        }
        dir.write("config/Timetemp.ini",
                  QString("[配置信息]\n计时格式=1\n限时=%1\n警告时间点=%2\n双方每次发言限时=120\n"
                          "倒计时字体颜色=16777215\n时间不足时字体颜色=65535\n背景颜色=2035466\n"
                          "时间不足提示音=Default\n时间到提示音=Default\n超时提示音=Default\n")
                      .arg(total, warnPoint));
    }
    void set(const QString& key, const QString& value) {
        setProfile("\\config\\Timetemp.ini", key, value);
    }
    Form22* open() { return (screen = std::make_unique<Form22>(context)).get(); }
    QWidget* at(const QString& name) const { return find(screen.get(), name); }
    void press(Qt::MouseButton button, const QString& on = "Image1") {
        QTest::mouseClick(at(on), button, {}, QPoint(5, 5));
    }
    void click(const QString& name) { ScreenFixture::click(screen.get(), name); }
    // One second: every running clock ticks, the total first.
    void second(int times = 1) {
        for (int i = 0; i < times * 2; ++i) {
            tick(screen.get(), QString("Timer%1").arg(i % 2 + 1));
        }
    }
    QString running() const {
        QStringList on = {"Timer1", "Timer2"};
        on.removeIf(
            [&](const QString& t) { return !screen->findChild<SecondTicker*>(t)->isActive(); });
        return on.join(' ');
    }
    // Total and speech clock.
    QString clocks() const {
        return text(screen.get(), "Label2") + '|' + text(screen.get(), "Label1");
    }
    QColor colourOf(const QString& name) const { return colour(screen.get(), name); }
    // The cues heard, by their folder: "Warn", "Timeout", "Cs".
    QStringList cues() const {
        QStringList heard = played();
        return heard.replaceInStrings(QRegularExpression(".*/(\\w+)/Default.wav"), "\\1");
    }

    std::unique_ptr<Form22> screen;
};

}  // namespace

class PerSpeechCountdownTest : public QObject {
    Q_OBJECT

  private slots:
    void opens() {
        Speeches s;
        Form22* screen = s.open();
        QCOMPARE(s.at("Label2")->geometry(), RectFromTwips(0, 3600, 12015, 3975));
        QCOMPARE(s.clocks(), QString("10分00秒|120s"));
        QCOMPARE(s.colourOf("Label2"), kWhite);
        QCOMPARE(s.colourOf("Label1"), kBlack);
        QCOMPARE(s.at("Label1")->font().pointSizeF(), 90.0);
        QCOMPARE(BackgroundColour(screen), ColourFromValue(2035466));
        // The caption, the right and the middle button start nothing.
        s.press(Qt::LeftButton, "Label3");
        s.press(Qt::RightButton);
        s.press(Qt::MiddleButton, "Label2");
        QCOMPARE(s.running(), QString());
    }

    void everyLeftClickStartsANewSpeech() {
        Speeches s;
        s.open();
        s.press(Qt::LeftButton, "Label1");
        QCOMPARE(s.running(), QString("Timer1 Timer2"));
        s.second();
        QCOMPARE(s.clocks(), QString("9分59秒|119s"));
        s.second(59);
        s.set(SegmentKey::SpeechLimit, "90");  // read anew for every speech
        s.press(Qt::LeftButton, "Label2");
        QCOMPARE(s.clocks(), QString("9分00秒|90s"));
        s.second();
        QCOMPARE(s.clocks(), QString("8分59秒|89s"));
    }

    void speechRunsOver() {
        Speeches s;
        s.set(SegmentKey::SpeechLimit, "2");
        s.open();
        s.press(Qt::LeftButton);
        s.second(2);
        QCOMPARE(s.clocks(), QString("9分58秒|0s"));
        QCOMPARE(s.colourOf("Label1"), kRed);
        QCOMPARE(s.cues(), QStringList{"Cs"});
        QCOMPARE(s.running(), QString("Timer1"));
        for (const char* over : {"-1s", "-2s"}) {  // "开始计时" goes on from where it stands
            s.click("Command3");
            s.second();
            QCOMPARE(Speeches::text(s.screen.get(), "Label1"), QString(over));
            QCOMPARE(s.running(), QString("Timer1"));
        }
        QCOMPARE(s.cues(), (QStringList{"Cs", "Cs", "Cs"}));
        s.press(Qt::LeftButton);
        QCOMPARE(s.clocks(), QString("9分56秒|2s"));
        QCOMPARE(s.colourOf("Label1"), kBlack);
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
        s.press(Qt::LeftButton);
        s.second(4);  // the total runs out first in its second: the speech stops at 117s
        QCOMPARE(s.clocks(), QString(" 时间到！|117s"));
        QCOMPARE(s.colourOf("Label2"), colour);
        QCOMPARE(s.running(), QString());
        QCOMPARE(s.cues(), (QStringList{"Warn", "Timeout"}));
        s.press(Qt::LeftButton);  // the next total tick: time-up again, both stop, no cue
        s.second();
        QCOMPARE(s.clocks(), QString(" 时间到！|120s"));
        QCOMPARE(s.running(), QString());
        QCOMPARE(s.cues(), (QStringList{"Warn", "Timeout"}));
    }

    void coloursAreReadOnceAtOpening() {
        Speeches s("3", "2");
        s.set(SegmentKey::BackColour, "");
        s.set(SegmentKey::ClockColour, "");
        s.set(SegmentKey::WarnColour, "黄");
        s.open();
        QCOMPARE(BackgroundColour(s.screen.get()), kBlack);
        QCOMPARE(s.colourOf("Label2"), kBlack);
        SetTextColour(s.at("Label2"), kRed);
        s.press(Qt::LeftButton);
        s.second();
        QCOMPARE(s.colourOf("Label2"), kBlack);  // an unreadable warning colour is black too
        s.set(SegmentKey::ClockColour, "16777215");
        SetTextColour(s.at("Label2"), kRed);
        s.click("Command4");
        QCOMPARE(s.colourOf("Label2"), kBlack);
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
        QCOMPARE(s.clocks(), QString("1分30秒|30s"));
        QCOMPARE(s.colourOf("Label1"), kBlack);
        QCOMPARE(s.running(), QString());
        s.click("Command3");  // goes on from the values as they stand, without refilling
        s.second(3);
        s.click("Command2");
        QCOMPARE(s.running(), QString());
        QVERIFY(s.at("Command2")->isEnabled());
        s.click("Command3");
        s.second(2);
        QCOMPARE(s.clocks(), QString("1分25秒|25s"));
        s.set(SegmentKey::Limit, "32768");  // out of the 16-bit range: the values stay
        s.set(SegmentKey::SpeechLimit, "-99999");
        s.click("Command4");
        QCOMPARE(s.clocks(), QString("1分25秒|25s"));
        s.click("Command1");
        QCOMPARE(s.navigator.count("main"), 1);
    }
};

QTEST_MAIN(PerSpeechCountdownTest)
#include "test_per_speech_countdown.moc"

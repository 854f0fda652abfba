// The questioner and answerer countdown (style "Mode-4"): switching sides, each side's own
// limit and warning point, a time-up cue on every timed-out tick, pause, reset, button strip.

#include <QApplication>
#include <QMouseEvent>
#include <QtTest>
#include <memory>

#include "foundation/platform/colours.h"
#include "foundation/widgets/picture.h"
#include "support/screen_fixture.h"
#include "timing/questioner_answerer_countdown.h"

namespace {

const QString kTimeUp = QStringLiteral("时间到！");
const QColor kWhite = ColourFromValue(16777215);
const QColor kYellow = ColourFromValue(65535);
const QColor kRed = ColourFromValue(255);

struct QuestionerAnswerer : ScreenFixture {
    QuestionerAnswerer() {
        // Enough of a WAV file for the fake player, which only asks whether it exists.
        dir.writeBytes("sound/Warn/Default.wav", "RIFF");
        dir.writeBytes("sound/Timeout/Default.wav", "RIFF");
        set(SegmentKey::QuestionerLimit, "30");
        set(SegmentKey::AnswererLimit, "180");
        set(SegmentKey::QuestionerWarnPoint, "10");
        set(SegmentKey::AnswererWarnPoint, "30");
        set(SegmentKey::Limit, "77");  // the other styles' limit, not used here
        set(SegmentKey::Format, "2");
        set(SegmentKey::ClockColour, "16777215");
        set(SegmentKey::WarnColour, "65535");
        set(SegmentKey::WarnCueChoice, "Default");
        set(SegmentKey::TimeUpCueChoice, "Default");
    }
    void set(const QString& key, const QString& value) {
        setProfile("\\config\\Timetemp.ini", key, value);
    }
    Form18* open() {
        screen = std::make_unique<Form18>(context);
        return screen.get();
    }
    void press(Qt::MouseButton button, const QString& on = "Image1") {
        QTest::mouseClick(find(screen.get(), on), button);
    }
    void tick(const QString& timer, int times = 1) {
        ScreenFixture::tick(screen.get(), timer, times);
    }
    bool running(const QString& timer) {
        return screen->findChild<SecondTicker*>(timer)->isActive();
    }
    QString clock(const QString& label) { return text(screen.get(), label); }
    QColor ink(const QString& label) { return colour(screen.get(), label); }
    QString cue(const QString& file) { return path("\\sound\\" + file + "\\Default.wav"); }

    std::unique_ptr<Form18> screen;
};

}  // namespace

class QuestionerAnswererCountdownTest : public QObject {
    Q_OBJECT

  private slots:
    void switchingKeepsRemainingTimes() {
        QuestionerAnswerer c;
        Form18* screen = c.open();
        QCOMPARE(c.clock("Label4"), QString("30s"));
        QCOMPARE(c.clock("Label5"), QString("180s"));
        QCOMPARE(c.ink("Label4"), kWhite);
        c.press(Qt::LeftButton, "Label5");
        c.tick("Timer3", 18);
        c.press(Qt::RightButton, "Label4");
        QVERIFY(!c.running("Timer3"));
        c.tick("Timer4");
        c.press(Qt::LeftButton);
        c.press(Qt::LeftButton);  // the running side keeps running
        QVERIFY(!c.running("Timer4"));
        c.tick("Timer3");
        QCOMPARE(c.clock("Label4"), QString("11s"));
        QCOMPARE(c.clock("Label5"), QString("179s"));
        // Neither the captions, nor other buttons, nor the keyboard switch.
        c.press(Qt::RightButton, "Label1_0");
        c.press(Qt::RightButton, "Label1_1");
        c.press(Qt::MiddleButton);
        QTest::keyClick(screen, Qt::Key_Right);
        QVERIFY(c.running("Timer3") && !c.running("Timer4"));
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
        const QString timer = questioner ? "Timer3" : "Timer4";
        QuestionerAnswerer c;
        c.set(questioner ? SegmentKey::QuestionerLimit : SegmentKey::AnswererLimit, limit);
        c.set(questioner ? SegmentKey::QuestionerWarnPoint : SegmentKey::AnswererWarnPoint,
              warnPoint);
        c.open();
        const QString otherFull = c.clock(questioner ? "Label5" : "Label4");
        c.press(questioner ? Qt::LeftButton : Qt::RightButton);
        for (int ticks = 1; c.running(timer); ++ticks) {
            c.tick(timer);
            if (c.running(timer)) {
                QCOMPARE(c.ink(clock) == kYellow, warnedAfter > 0 && ticks >= warnedAfter);
            }
        }
        QStringList heard;
        if (warns) {
            heard << c.cue("Warn");
        }
        heard << c.cue("Timeout");
        // Every start of a timed-out side ticks once more and cues again.
        for (int start = 0; start < 2; ++start) {
            c.press(questioner ? Qt::LeftButton : Qt::RightButton);
            c.tick(timer);
            QVERIFY(!c.running(timer));
            heard << c.cue("Timeout");
        }
        QCOMPARE(c.clock(clock), kTimeUp);
        QCOMPARE(c.ink(clock), kRed);
        QCOMPARE(c.played(), heard);
        QCOMPARE(c.clock(questioner ? "Label5" : "Label4"), otherFull);
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
        c.click(c.screen.get(), "Command2");
        c.click(c.screen.get(), "Command2");
        QVERIFY(!c.running("Timer4"));
        QVERIFY(ScreenFixture::find(c.screen.get(), "Command2")->isEnabled());
        c.press(Qt::RightButton);
        // Limits are read again; one out of the 16-bit range keeps the time it had.
        c.set(SegmentKey::QuestionerLimit, "45");
        c.set(SegmentKey::AnswererLimit, "32768");
        c.set(SegmentKey::AnswererWarnPoint, "25");
        c.click(c.screen.get(), "Command4");
        QVERIFY(!c.running("Timer4"));
        QCOMPARE(c.clock("Label4"), QString("45s"));
        QCOMPARE(c.clock("Label5"), QString("30s"));
        QCOMPARE(c.ink("Label4"), countdown);
        QCOMPARE(c.ink("Label5"), countdown);
        c.press(Qt::RightButton);
        c.tick("Timer4", 10);
        QCOMPARE(c.ink("Label5"), countdown);  // the warning point was not read again
    }

    void buttonStripIsThreeButtonsDeep() {
        QuestionerAnswerer c;
        Form18* screen = c.open();
        // Design height 600 pixels; the buttons are 25 pixels high.
        for (const auto& [y, shown] : {std::pair{525, false}, std::pair{526, true}}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(400, y), QPointF(400, y), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(screen->picture(), &move);
            for (const char* button : {"Command2", "Command4", "Command1"}) {
                QCOMPARE(ScreenFixture::find(screen, button)->isVisibleTo(screen), shown);
            }
        }
    }
};

QTEST_MAIN(QuestionerAnswererCountdownTest)
#include "test_questioner_answerer_countdown.moc"

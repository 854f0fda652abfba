// The two-side countdown (style "Mode-2"): handing the time between the sides, each side's
// warning and time-up, pause and reset.

#include <QApplication>
#include <QtTest>
#include <memory>

#include "foundation/platform/colours.h"
#include "support/screen_fixture.h"
#include "timing/two_side_countdown.h"

namespace {

const QString kTimeUp = QStringLiteral(" 时间到！");
const QColor kWhite = ColourFromValue(16777215);
const QColor kYellow = ColourFromValue(65535);
const QColor kRed = ColourFromValue(255);

enum class Input { PressPicture, PressLabels, KeyOnFocusedButton };

struct TwoSide : ScreenFixture {
    explicit TwoSide(const QString& limit = "90", const QString& warnPoint = "30") {
        // Enough of a WAV file for the fake player, which only asks whether it exists.
        dir.writeBytes("sound/Warn/Default.wav", "RIFF");
        dir.writeBytes("sound/Timeout/Default.wav", "RIFF");
        set(SegmentKey::Limit, limit);
        set(SegmentKey::WarnPoint, warnPoint);
        set(SegmentKey::Format, "1");
        set(SegmentKey::ClockColour, "16777215");
        set(SegmentKey::WarnColour, "65535");
        set(SegmentKey::WarnCueChoice, "Default");
        set(SegmentKey::TimeUpCueChoice, "Default");
    }
    void set(const QString& key, const QString& value) {
        setProfile("\\config\\Timetemp.ini", key, value);
    }
    Form6* open() {
        screen = std::make_unique<Form6>(context);
        return screen.get();
    }
    // The affirmative side by the left button or key, the negative side by the right one.
    void give(bool affirmative, Input input = Input::PressPicture) {
        if (input == Input::KeyOnFocusedButton) {
            QTest::keyClick(QApplication::focusWidget(),
                            affirmative ? Qt::Key_Left : Qt::Key_Right);
            return;
        }
        // Presses go round the four labels, which all hand the time over alike.
        const QString on = input == Input::PressPicture
                               ? QStringLiteral("Image1")
                               : QStringLiteral("Label%1").arg(2 + presses++ % 4);
        QTest::mouseClick(find(screen.get(), on), affirmative ? Qt::LeftButton : Qt::RightButton);
    }
    void tick(const QString& timer, int times = 1) {
        ScreenFixture::tick(screen.get(), timer, times);
    }
    bool running(const QString& timer) {
        return screen->findChild<SecondTicker*>(timer)->isActive();
    }
    bool enabled(const QString& name) { return find(screen.get(), name)->isEnabled(); }
    QString clock(const QString& label) { return text(screen.get(), label); }
    QColor ink(const QString& label) { return colour(screen.get(), label); }
    QString cue(const QString& file) { return path("\\sound\\" + file + "\\Default.wav"); }

    std::unique_ptr<Form6> screen;
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
        QWidget* focused = ScreenFixture::find(screen, "Command2");
        focused->setFocus();
        QTest::mouseClick(ScreenFixture::find(screen, "Image1"), Qt::MiddleButton);
        QVERIFY(!c.running("Timer1") && !c.running("Timer2") && !c.enabled("Command3"));

        c.give(true, input);
        QVERIFY(c.enabled("Command3"));
        c.tick("Timer1", 20);
        c.give(false, input);
        QVERIFY(!c.running("Timer1"));
        c.tick("Timer2", 5);
        c.give(false, input);  // the running side keeps running
        c.tick("Timer2");
        c.give(true, input);
        QVERIFY(!c.running("Timer2"));
        c.tick("Timer1");
        QCOMPARE(c.clock("Label4"), QString("1分09秒"));
        QCOMPARE(c.clock("Label5"), QString("1分24秒"));
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
        while (c.running("Timer2")) {
            c.tick("Timer2");
            warnColourSeen = warnColourSeen || c.ink("Label5") == kYellow;
        }
        QCOMPARE(warnColourSeen, warnColourShown);
        // Started again, a timed-out side ticks once more, silently.
        c.give(false);
        c.tick("Timer2");
        QVERIFY(!c.running("Timer2"));
        QCOMPARE(c.clock("Label5"), kTimeUp);
        QCOMPARE(c.ink("Label5"), kRed);
        QStringList heard;
        for (const QString& cue : cues) {
            heard << c.cue(cue);
        }
        QCOMPARE(c.played(), heard);
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
            c.click(c.screen.get(), "Command3");
            QVERIFY(!c.running("Timer1") && !c.enabled("Command3"));
        }
        // A limit out of the 16-bit range leaves each side the time it had.
        c.set(SegmentKey::Limit, "40000");
        c.click(c.screen.get(), "Command2");
        QVERIFY(!c.running("Timer1"));
        QCOMPARE(c.enabled("Command3"), !pauseFirst);
        QCOMPARE(c.clock("Label4"), QString("0分25秒"));
        QCOMPARE(c.clock("Label5"), QString("0分00秒"));
        QCOMPARE(c.ink("Label4"), countdown);
        QCOMPARE(c.ink("Label5"), countdown);
        // The limit is read again, the warning point is not.
        c.set(SegmentKey::Limit, "60");
        c.set(SegmentKey::WarnPoint, "50");
        c.click(c.screen.get(), "Command2");
        QCOMPARE(c.clock("Label5"), QString("1分00秒"));
        c.give(false);
        c.tick("Timer2", 10);
        QCOMPARE(c.ink("Label5"), countdown);
        c.tick("Timer2", 20);
        QCOMPARE(c.ink("Label5"), kYellow);
    }
};

QTEST_MAIN(TwoSideCountdownTest)
#include "test_two_side_countdown.moc"

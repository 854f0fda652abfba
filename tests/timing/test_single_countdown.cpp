// The single countdown screen (style "Mode-1") and, through it, the frame all clock screens
// share: opening state, ticks, cues, colours, buttons, the button strip and closing.

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "foundation/platform/colours.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "support/screen_fixture.h"
#include "timing/single_countdown.h"

namespace {

const QString kActive = QStringLiteral("\\config\\Timetemp.ini");
const QString kTimeUp = QStringLiteral(" 时间到！");
const QColor kWhite = ColourFromValue(16777215);
const QColor kYellow = ColourFromValue(65535);
// Enough of a WAV file for the fake player, which only asks whether the file exists.
const QByteArray kWave = QByteArrayLiteral("RIFF\x04\0\0\0WAVE");

// A screen over a program folder holding both default cues and a configured segment.
struct Countdown {
    explicit Countdown(const QString& limit = "125", const QString& warnPoint = "30",
                       const QString& format = "1") {
        f.dir.writeBytes("sound/Warn/Default.wav", kWave);
        f.dir.writeBytes("sound/Timeout/Default.wav", kWave);
        set(SegmentKey::Format, format);
        set(SegmentKey::Limit, limit);
        set(SegmentKey::WarnPoint, warnPoint);
        set(SegmentKey::ClockColour, "16777215");
        set(SegmentKey::WarnColour, "65535");
        set(SegmentKey::BackColour, "2035466");
        set(SegmentKey::WarnCueChoice, "Default");
        set(SegmentKey::TimeUpCueChoice, "Default");
    }
    void set(const QString& key, const QString& value) { f.setProfile(kActive, key, value); }
    Form17* open() {
        screen = std::make_unique<Form17>(f.context);
        return screen.get();
    }

    void click(const QString& name) { ScreenFixture::click(screen.get(), name); }
    void tick(int times = 1) { ScreenFixture::tick(screen.get(), "Timer1", times); }
    QString clock() const { return ScreenFixture::text(screen.get(), "Label2"); }
    QColor clockColour() const { return ScreenFixture::colour(screen.get(), "Label2"); }
    bool running() const { return screen->findChild<SecondTicker*>("Timer1")->isActive(); }
    bool enabled(const QString& name) const {
        return ScreenFixture::find(screen.get(), name)->isEnabled();
    }
    QString warnCue() const { return f.path("\\sound\\Warn\\Default.wav"); }
    QString timeUpCue() const { return f.path("\\sound\\Timeout\\Default.wav"); }

    ScreenFixture f;
    std::unique_ptr<Form17> screen;
};

void MoveMouse(QWidget* over, QPoint position) {
    QMouseEvent move(QEvent::MouseMove, position, over->mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(over, &move);
}

}  // namespace

class SingleCountdownTest : public QObject {
    Q_OBJECT

  private slots:
    void controlsAsDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        const auto row = [](const char* name, const char* caption, QRect twips) {
            QTest::newRow(name) << QString(name) << QString(caption) << twips;
        };
        row("Label2", "", QRect(120, 3000, 11700, 3555));
        row("Command4", "初始化", QRect(3720, 8450, 1095, 375));
        row("Command3", "开始计时", QRect(4920, 8450, 1095, 375));
        row("Command2", "计时暂停", QRect(6120, 8450, 1095, 375));
        row("Command1", "返回主界面", QRect(7320, 8450, 1095, 375));
        row("Image1", "", QRect(0, 0, 11895, 8895));
    }

    void controlsAsDesigned() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        Countdown c;
        c.open();
        QWidget* control = ScreenFixture::find(c.screen.get(), name);
        QVERIFY(control);
        QCOMPARE(control->geometry(),
                 RectFromTwips(twips.x(), twips.y(), twips.width(), twips.height()));
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), caption);
        }
    }

    void opensReady() {
        Countdown c;
        Form17* screen = c.open();
        QCOMPARE(screen->objectName(), QString("Form17"));
        QCOMPARE(screen->windowTitle(), QString("debaclock"));
        QVERIFY(screen->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(screen->size(), SizeFromTwips(12000, 9000));
        QCOMPARE(c.clock(), QString("2分05秒"));
        QCOMPARE(c.clockColour(), kWhite);
        QCOMPARE(BackgroundColour(screen), ColourFromValue(2035466));
        QVERIFY(!c.running());
        QVERIFY(c.enabled("Command3"));
        QVERIFY(!c.enabled("Command2"));
        QVERIFY(!c.enabled("Command4"));
        QVERIFY(c.enabled("Command1"));
        for (const char* button : {"Command1", "Command2", "Command3", "Command4"}) {
            QVERIFY(ScreenFixture::find(screen, button)->isVisibleTo(screen));
        }
        // No font in the profile: the designed face and size stay.
        QCOMPARE(ScreenFixture::find(screen, "Label2")->font().pointSizeF(), 129.75);
        QVERIFY(c.f.platform.wave.calls.isEmpty());
    }

    void unreadableColoursAreBlack() {
        Countdown c("31", "30");
        c.set(SegmentKey::ClockColour, "白色");
        c.set(SegmentKey::WarnColour, "");
        c.set(SegmentKey::BackColour, "x");
        c.open();
        QCOMPARE(c.clockColour(), QColor(Qt::black));
        QCOMPARE(BackgroundColour(c.screen.get()), QColor(Qt::black));
        SetTextColour(ScreenFixture::find(c.screen.get(), "Label2"), Qt::green);
        c.click("Command3");
        c.tick();
        QCOMPARE(c.clock(), QString("0分30秒"));
        QCOMPARE(c.clockColour(), QColor(Qt::black));
    }

    void warnsAndRunsOut() {
        Countdown c("125", "30");
        c.open();
        c.click("Command3");
        QVERIFY(c.running());
        c.tick();
        QCOMPARE(c.clock(), QString("2分04秒"));
        QCOMPARE(c.clockColour(), kWhite);
        c.tick(93);
        QCOMPARE(c.clock(), QString("0分31秒"));
        QVERIFY(c.f.played().isEmpty());
        QCOMPARE(c.clockColour(), kWhite);
        c.tick();
        QCOMPARE(c.clock(), QString("0分30秒"));
        QCOMPARE(c.f.played(), QStringList{c.warnCue()});
        QCOMPARE(c.clockColour(), kYellow);
        c.tick(29);
        QCOMPARE(c.clock(), QString("0分01秒"));
        QCOMPARE(c.f.played(), QStringList{c.warnCue()});
        QVERIFY(c.running());
        c.tick();
        QCOMPARE(c.clock(), kTimeUp);
        QCOMPARE(c.clockColour(), kYellow);
        QCOMPARE(c.f.played(), (QStringList{c.warnCue(), c.timeUpCue()}));
        QVERIFY(!c.running());
        c.tick(5);  // a stopped timer delivers nothing more
        QCOMPARE(c.f.platform.wave.calls.size(), 2);
    }

    void warningPointNeverReached_data() {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("warnPoint");
        QTest::newRow("equal to the limit") << QString("30") << QString("30");
        QTest::newRow("above the limit") << QString("30") << QString("45");
    }

    void warningPointNeverReached() {
        QFETCH(QString, limit);
        QFETCH(QString, warnPoint);
        Countdown c(limit, warnPoint);
        c.open();
        c.click("Command3");
        while (c.running()) {
            c.tick();
            QCOMPARE(c.clockColour(), kWhite);
        }
        QCOMPARE(c.clock(), kTimeUp);
        QCOMPARE(c.f.played(), QStringList{c.timeUpCue()});
    }

    void warningPointZero() {
        Countdown c("3", "0");
        c.open();
        c.click("Command3");
        c.tick(2);
        QVERIFY(c.f.platform.wave.calls.isEmpty());
        c.tick();
        // The warning cue starts and the time-up cue at once cuts it off.
        QCOMPARE(c.f.played(), (QStringList{c.warnCue(), c.timeUpCue()}));
        QCOMPARE(c.clockColour(), kWhite);
        QCOMPARE(c.clock(), kTimeUp);
    }

    void emptyLimit_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("opening");
        QTest::newRow("minutes and seconds") << QString("1") << QString("0分00秒");
        QTest::newRow("seconds") << QString("2") << QString("0s");
    }

    void emptyLimit() {
        QFETCH(QString, format);
        QFETCH(QString, opening);
        Countdown c("", "30", format);
        c.open();
        QCOMPARE(c.clock(), opening);
        c.click("Command3");
        c.tick();
        QCOMPARE(c.clock(), kTimeUp);
        QVERIFY(!c.running());
        QVERIFY(c.f.platform.wave.calls.isEmpty());
    }

    void secondsFormat() {
        Countdown c("90", "30", "2");
        c.open();
        QCOMPARE(c.clock(), QString("90s"));
        c.click("Command3");
        for (const char* expected : {"89s", "88s", "87s"}) {
            c.tick();
            QCOMPARE(c.clock(), QString(expected));
        }
        c.tick(57);
        QCOMPARE(c.clock(), QString("30s"));
        QCOMPARE(c.f.played(), QStringList{c.warnCue()});
    }

    void otherFormatKeepsTheDesignedText_data() {
        QTest::addColumn<QString>("format");
        QTest::newRow("empty") << "";
        QTest::newRow("3") << "3";
        QTest::newRow("decimal") << "1.0";
    }

    void otherFormatKeepsTheDesignedText() {
        QFETCH(QString, format);
        Countdown c("3", "2", format);
        c.open();
        QCOMPARE(c.clock(), QString("120s"));
        c.click("Command3");
        c.tick();
        QCOMPARE(c.clock(), QString("120s"));
        c.tick();  // the warning point: cue and colour as in any format
        QCOMPARE(c.clock(), QString("120s"));
        QCOMPARE(c.clockColour(), kYellow);
        c.tick();
        QCOMPARE(c.clock(), kTimeUp);
        QCOMPARE(c.f.played(), (QStringList{c.warnCue(), c.timeUpCue()}));
    }

    void pauseThenReset() {
        Countdown c("125", "30");
        c.open();
        c.click("Command3");
        c.tick(55);
        QCOMPARE(c.clock(), QString("1分10秒"));
        c.click("Command2");
        QVERIFY(!c.running());
        QVERIFY(!c.enabled("Command2"));
        QCOMPARE(c.clock(), QString("1分10秒"));
        c.click("Command4");
        QCOMPARE(c.clock(), QString("2分05秒"));
        QCOMPARE(c.clockColour(), kWhite);
        QVERIFY(!c.running());
        QVERIFY(!c.enabled("Command2"));  // a reset leaves the buttons as they are
        QVERIFY(c.enabled("Command4"));
        c.click("Command3");
        c.tick();
        QCOMPARE(c.clock(), QString("2分04秒"));
    }

    void resetAfterWarningAndWhileRunning() {
        Countdown c("40", "30");
        c.open();
        c.click("Command3");
        c.tick(10);
        QCOMPARE(c.clockColour(), kYellow);
        // A reset reads the limit again, but not the warning point nor the colours.
        c.set(SegmentKey::Limit, "60");
        c.set(SegmentKey::WarnPoint, "50");
        c.set(SegmentKey::ClockColour, "255");
        c.click("Command4");
        QVERIFY(!c.running());
        QCOMPARE(c.clock(), QString("1分00秒"));
        QCOMPARE(c.clockColour(), kWhite);
        QVERIFY(c.enabled("Command2"));
        c.click("Command3");
        c.tick(10);
        QCOMPARE(c.clockColour(), kWhite);
        c.tick(20);
        QCOMPARE(c.clock(), QString("0分30秒"));
        QCOMPARE(c.clockColour(), kYellow);
        QCOMPARE(c.f.played(), (QStringList{c.warnCue(), c.warnCue()}));
    }

    void startAfterTimeUp_data() {
        QTest::addColumn<QString>("warnPoint");
        QTest::addColumn<int>("cuesAfterTimeUp");
        QTest::newRow("warning point above") << "5" << 0;
        // The operator asked for a cue at -1: the first start after time up reaches it.
        QTest::newRow("warning point -1") << "-1" << 1;
    }

    void startAfterTimeUp() {
        QFETCH(QString, warnPoint);
        QFETCH(int, cuesAfterTimeUp);
        Countdown c("2", warnPoint);
        c.open();
        c.click("Command3");
        c.tick(2);
        QCOMPARE(c.f.played(), QStringList{c.timeUpCue()});
        for (int press = 0; press < 2; ++press) {
            c.click("Command3");
            QVERIFY(c.running());
            c.tick();  // remaining -1, then -2
            QCOMPARE(c.clock(), kTimeUp);
            QVERIFY(!c.running());
        }
        QCOMPARE(c.f.platform.wave.calls.size(), 1 + cuesAfterTimeUp);
        // A reset after time up brings the full limit back.
        c.click("Command4");
        QCOMPARE(c.clock(), QString("0分02秒"));
    }

    void buttonStates_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("pauseEnabled");
        QTest::addColumn<bool>("resetEnabled");
        QTest::addColumn<QString>("clock");
        // Limit 5 s. "tick" is one second of a running clock.
        QTest::newRow("ready") << QStringList{} << false << false << false << "0分05秒";
        QTest::newRow("running") << QStringList{"Command3", "tick"} << true << true << true
                                 << "0分04秒";
        QTest::newRow("start while running") << QStringList{"Command3", "tick", "Command3", "tick"}
                                             << true << true << true << "0分03秒";
        QTest::newRow("paused") << QStringList{"Command3", "tick", "Command2"} << false << false
                                << true << "0分04秒";
        QTest::newRow("reset while running")
            << QStringList{"Command3", "tick", "Command4"} << false << true << true << "0分05秒";
        QTest::newRow("time up") << QStringList{"Command3", "tick", "tick", "tick", "tick", "tick"}
                                 << false << true << true << " 时间到！";
        QTest::newRow("pause after time up")
            << QStringList{"Command3", "tick", "tick", "tick", "tick", "tick", "Command2"} << false
            << false << true << " 时间到！";
    }

    void buttonStates() {
        QFETCH(QStringList, steps);
        QFETCH(bool, running);
        QFETCH(bool, pauseEnabled);
        QFETCH(bool, resetEnabled);
        QFETCH(QString, clock);
        Countdown c("5", "0");
        c.open();
        for (const QString& step : steps) {
            if (step == "tick") {
                c.tick();
            } else {
                c.click(step);
            }
        }
        QCOMPARE(c.running(), running);
        QVERIFY(c.enabled("Command3"));
        QCOMPARE(c.enabled("Command2"), pauseEnabled);
        QCOMPARE(c.enabled("Command4"), resetEnabled);
        QVERIFY(c.enabled("Command1"));
        QCOMPARE(c.clock(), clock);
    }

    void cuesAreResolvedWhenTheyPlay_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("custom");
        QTest::addColumn<QString>("heard");  // relative to the program folder, empty for silence
        const auto row = [](const char* name, const char* choice, const char* custom,
                            const char* heard) {
            QTest::newRow(name) << QString(choice) << QString(custom) << QString(heard);
        };
        row("default", "Default", "", "\\sound\\Timeout\\Default.wav");
        row("user's own", "User-Defined", "bell.wav", "\\sound\\timeout\\user\\bell.wav");
        row("user's, missing", "User-Defined", "gone.wav", "");
        row("none", "None", "", "");
    }

    void cuesAreResolvedWhenTheyPlay() {
        QFETCH(QString, choice);
        QFETCH(QString, custom);
        QFETCH(QString, heard);
        Countdown c("2", "0");
        c.f.dir.writeBytes("sound/timeout/user/bell.wav", kWave);
        c.set(SegmentKey::TimeUpCueChoice, "None");
        c.open();
        c.click("Command3");
        c.tick();
        // Changed while the clock runs: the cue still follows the profile as it is now.
        c.set(SegmentKey::TimeUpCueChoice, choice);
        c.set(SegmentKey::TimeUpCueFile, custom);
        c.tick();
        QStringList expected{c.warnCue()};
        if (!heard.isEmpty()) {
            expected << c.f.path(heard);
        }
        QCOMPARE(c.f.played(), expected);
        // Every cue reaches the player, a silent one too, since a new cue cuts the one sounding.
        QCOMPARE(c.f.platform.wave.calls.size(), 2);
    }

    void buttonStrip_data() {
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("shown");
        // Design size 800 x 600 pixels; the buttons are 25 pixels high.
        QTest::newRow("just inside") << 576 << true;
        QTest::newRow("edge of the strip") << 575 << false;
    }

    void buttonStrip() {
        QFETCH(int, y);
        QFETCH(bool, shown);
        Countdown c;
        Form17* screen = c.open();
        const QStringList buttons{"Command4", "Command3", "Command2", "Command1"};
        for (const QString& name : buttons) {
            ScreenFixture::find(screen, name)->setVisible(!shown);
        }
        MoveMouse(screen->picture(), QPoint(400, y));
        for (const QString& name : buttons) {
            QCOMPARE(ScreenFixture::find(screen, name)->isVisibleTo(screen), shown);
        }
    }

    void closing_data() {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("返回主界面") << true;
        QTest::newRow("closed by the window system") << false;
    }

    void closing() {
        QFETCH(bool, byButton);
        Countdown c("10", "5");
        Form17* screen = c.open();
        screen->show();
        c.click("Command3");
        if (byButton) {
            c.click("Command1");
        } else {
            screen->close();
        }
        QVERIFY(!screen->isVisible());
        QCOMPARE(c.f.navigator.requests.size(), 1);
        QCOMPARE(c.f.navigator.requests[0].kind, QString("main"));
        // The closed screen's clock has stopped: nothing sounds from it later.
        QVERIFY(!c.running());
        screen->close();
        QCOMPARE(c.f.navigator.count("main"), 1);
    }

    void clockIsAccessibleByItsText() {
        Countdown c("125", "30");
        c.open();
        auto* label2 = ScreenFixture::find<QLabel>(c.screen.get(), "Label2");
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(label2);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), QString("2分05秒"));
        c.click("Command3");
        c.tick();
        QCOMPARE(accessible->text(QAccessible::Name), QString("2分04秒"));
    }
};

QTEST_MAIN(SingleCountdownTest)
#include "test_single_countdown.moc"

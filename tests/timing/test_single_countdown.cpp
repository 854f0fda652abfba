// The single countdown screen (style "Mode-1") and, through it, the frame all clock screens
// share: opening state, ticks, cues, colours, buttons, the button strip and closing.

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "foundation/widgets/twips.h"
#include "support/clock_screen_fixture.h"
#include "timing/single_countdown.h"

namespace {

const QString kAllButtons = QStringLiteral("Command1 Command2 Command3 Command4");

// Limit 2分05秒, warned at 30 s, in minutes and seconds unless told otherwise.
struct Countdown : ClockScreenFixture<Form17> {
    explicit Countdown(const QString& limit = "125", const QString& warnPoint = "30",
                       const QString& format = "1")
        : ClockScreenFixture(format, limit, warnPoint) {}
};

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
        QWidget* control = c.at(name);
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
        QCOMPARE(screen->objectName(), "Form17");
        QCOMPARE(screen->windowTitle(), "debaclock");
        QVERIFY(screen->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(screen->size(), SizeFromTwips(12000, 9000));
        QCOMPARE(c.clock(), "2分05秒");
        QCOMPARE(c.ink(), kWhite);
        QCOMPARE(c.back(), kBack);
        QCOMPARE(c.running(), "");
        QCOMPARE(c.enabledButtons(), "Command1 Command3");
        QCOMPARE(c.shownButtons(), kAllButtons);
        // No font in the profile: the designed face and size stay.
        QCOMPARE(c.at("Label2")->font().pointSizeF(), 129.75);
        QVERIFY(c.platform.wave.calls.isEmpty());
    }

    void unreadableColoursAreBlack() {
        Countdown c("31", "30");
        c.setColours("白色", "", "x");
        c.open();
        QCOMPARE(c.ink(), kBlack);
        QCOMPARE(c.back(), kBlack);
        SetTextColour(c.at("Label2"), Qt::green);
        c.click("Command3");
        c.tick();
        QCOMPARE(c.clock(), "0分30秒");
        QCOMPARE(c.ink(), kBlack);
    }

    void warnsAndRunsOut() {
        Countdown c;
        c.open();
        c.click("Command3");
        QCOMPARE(c.running(), "Timer1");
        c.tick();
        QCOMPARE(c.clock(), "2分04秒");
        QCOMPARE(c.ink(), kWhite);
        c.tick(93);
        QCOMPARE(c.clock(), "0分31秒");
        QCOMPARE(c.cues(), QStringList());
        QCOMPARE(c.ink(), kWhite);
        c.tick();
        QCOMPARE(c.clock(), "0分30秒");
        QCOMPARE(c.cues(), QStringList{"Warn"});
        QCOMPARE(c.ink(), kYellow);
        c.tick(29);
        QCOMPARE(c.clock(), "0分01秒");
        QCOMPARE(c.cues(), QStringList{"Warn"});
        QCOMPARE(c.running(), "Timer1");
        c.tick();
        QCOMPARE(c.clock(), kTimeUp);
        QCOMPARE(c.ink(), kYellow);
        QCOMPARE(c.cues(), (QStringList{"Warn", "Timeout"}));
        QCOMPARE(c.running(), "");
        c.tick(5);  // a stopped timer delivers nothing more
        QCOMPARE(c.platform.wave.calls.size(), 2);
    }

    // The warning point is never met with time left: the clock keeps its colour, and whatever
    // sounds, sounds on the tick that runs out.
    void runsOutUnwarned_data() {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("warnPoint");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QStringList>("cues");
        const auto row = [](const char* name, const char* limit, const char* warnPoint,
                            const char* format, const char* opening, const QStringList& cues) {
            QTest::newRow(name) << QString(limit) << QString(warnPoint) << QString(format)
                                << QString(opening) << cues;
        };
        row("warning point equal to the limit", "30", "30", "1", "0分30秒", {"Timeout"});
        row("warning point above the limit", "30", "45", "1", "0分30秒", {"Timeout"});
        // The warning cue starts and the time-up cue at once cuts it off.
        row("warning point 0", "3", "0", "1", "0分03秒", {"Warn", "Timeout"});
        // Time is up on the first tick, at -1, which is no cue's point.
        row("empty limit", "", "30", "1", "0分00秒", {});
        row("empty limit in seconds", "", "30", "2", "0s", {});
    }

    void runsOutUnwarned() {
        QFETCH(QString, limit);
        QFETCH(QString, warnPoint);
        QFETCH(QString, format);
        QFETCH(QString, opening);
        QFETCH(QStringList, cues);
        Countdown c(limit, warnPoint, format);
        c.open();
        QCOMPARE(c.clock(), opening);
        c.click("Command3");
        int ticks = 0;
        do {
            QVERIFY(c.platform.wave.calls.isEmpty());
            c.tick();
            ++ticks;
            QCOMPARE(c.ink(), kWhite);
        } while (!c.running().isEmpty());
        QCOMPARE(ticks, std::max(1, limit.toInt()));
        QCOMPARE(c.clock(), kTimeUp);
        QCOMPARE(c.cues(), cues);
        QCOMPARE(c.platform.wave.calls.size(), cues.size());
    }

    void secondsFormat() {
        Countdown c("90", "30", "2");
        c.open();
        QCOMPARE(c.clock(), "90s");
        c.click("Command3");
        for (const char* expected : {"89s", "88s", "87s"}) {
            c.tick();
            QCOMPARE(c.clock(), expected);
        }
        c.tick(57);
        QCOMPARE(c.clock(), "30s");
        QCOMPARE(c.cues(), QStringList{"Warn"});
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
        QCOMPARE(c.clock(), "120s");
        c.click("Command3");
        for (int second = 0; second < 2; ++second) {
            c.tick();  // from the warning point on: cue and colour as in any format
            QCOMPARE(c.clock(), "120s");
            QCOMPARE(c.ink(), kYellow);
        }
        c.tick();
        QCOMPARE(c.clock(), kTimeUp);
        QCOMPARE(c.cues(), (QStringList{"Warn", "Timeout"}));
    }

    void resetAfterWarningAndWhileRunning() {
        Countdown c("40", "30");
        c.open();
        c.click("Command3");
        c.tick(10);
        QCOMPARE(c.ink(), kYellow);
        // A reset reads the limit again, but not the warning point nor the colours.
        c.set(SegmentKey::Limit, "60");
        c.set(SegmentKey::WarnPoint, "50");
        c.set(SegmentKey::ClockColour, "255");
        c.click("Command4");
        QCOMPARE(c.running(), "");
        QCOMPARE(c.clock(), "1分00秒");
        QCOMPARE(c.ink(), kWhite);
        QCOMPARE(c.enabledButtons(), kAllButtons);
        c.click("Command3");
        c.tick(10);
        QCOMPARE(c.ink(), kWhite);
        c.tick(20);
        QCOMPARE(c.clock(), "0分30秒");
        QCOMPARE(c.ink(), kYellow);
        QCOMPARE(c.cues(), (QStringList{"Warn", "Warn"}));
    }

    void startAfterTimeUp_data() {
        QTest::addColumn<QString>("warnPoint");
        QTest::addColumn<QStringList>("cues");
        QTest::newRow("warning point above") << "5" << QStringList{"Timeout"};
        // The operator asked for a cue at -1: the first start after time up reaches it.
        QTest::newRow("warning point -1") << "-1" << QStringList{"Timeout", "Warn"};
    }

    void startAfterTimeUp() {
        QFETCH(QString, warnPoint);
        QFETCH(QStringList, cues);
        Countdown c("2", warnPoint);
        c.open();
        c.click("Command3");
        c.tick(2);
        QCOMPARE(c.cues(), QStringList{"Timeout"});
        for (int press = 0; press < 2; ++press) {
            c.click("Command3");
            QCOMPARE(c.running(), "Timer1");
            c.tick();  // remaining -1, then -2
            QCOMPARE(c.clock(), kTimeUp);
            QCOMPARE(c.running(), "");
        }
        QCOMPARE(c.cues(), cues);
        QCOMPARE(c.platform.wave.calls.size(), cues.size());
        // A reset after time up brings the full limit back.
        c.click("Command4");
        QCOMPARE(c.clock(), "0分02秒");
    }

    void buttonStates_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("clock");
        const auto row = [](const char* name, const QString& steps, const QString& running,
                            const QString& enabled, const QString& clock) {
            QTest::newRow(name) << steps << running << enabled << clock;
        };
        // Limit 5 s: "tick" is one second of a running clock, the other steps are buttons.
        const QString paused = "Command1 Command3 Command4";
        const QString timeUp = "start tick tick tick tick tick";
        row("ready", "", "", "Command1 Command3", "0分05秒");
        row("running", "start tick", "Timer1", kAllButtons, "0分04秒");
        row("start while running", "start tick start tick", "Timer1", kAllButtons, "0分03秒");
        row("paused", "start tick pause", "", paused, "0分04秒");
        row("reset while running", "start tick reset", "", kAllButtons, "0分05秒");
        // A reset leaves the buttons as they are; a start then counts from the full limit.
        row("reset after a pause", "start tick pause reset", "", paused, "0分05秒");
        row("start after that reset", "start tick pause reset start tick", "Timer1", kAllButtons,
            "0分04秒");
        row("time up", timeUp, "", kAllButtons, kTimeUp);
        row("pause after time up", timeUp + " pause", "", paused, kTimeUp);
    }

    void buttonStates() {
        QFETCH(QString, steps);
        QFETCH(QString, running);
        QFETCH(QString, enabled);
        QFETCH(QString, clock);
        const QHash<QString, QString> buttons = {
            {"start", "Command3"}, {"pause", "Command2"}, {"reset", "Command4"}};
        Countdown c("5", "0");
        c.open();
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step == "tick") {
                c.tick();
            } else {
                c.click(buttons.value(step));
            }
        }
        QCOMPARE(c.running(), running);
        QCOMPARE(c.enabledButtons(), enabled);
        QCOMPARE(c.clock(), clock);
    }

    void cuesAreResolvedWhenTheyPlay_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("custom");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("default") << "Default"
                                 << "" << QStringList{"Warn", "Timeout"};
        QTest::newRow("user's own") << "User-Defined"
                                    << "bell.wav" << QStringList{"Warn", "timeout/user/bell.wav"};
        QTest::newRow("user's, missing") << "User-Defined"
                                         << "gone.wav" << QStringList{"Warn"};
        QTest::newRow("none") << "None"
                              << "" << QStringList{"Warn"};
    }

    void cuesAreResolvedWhenTheyPlay() {
        QFETCH(QString, choice);
        QFETCH(QString, custom);
        QFETCH(QStringList, heard);
        Countdown c("2", "0");
        c.addWave("sound/timeout/user/bell.wav");
        c.set(SegmentKey::TimeUpCueChoice, "None");
        c.open();
        c.click("Command3");
        c.tick();
        // Changed while the clock runs: the cue still follows the profile as it is now.
        c.set(SegmentKey::TimeUpCueChoice, choice);
        c.set(SegmentKey::TimeUpCueFile, custom);
        c.tick();
        QCOMPARE(c.cues(), heard);
        // Every cue reaches the player, a silent one too, since a new cue cuts the one sounding.
        QCOMPARE(c.platform.wave.calls.size(), 2);
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
        c.open();
        for (const QString& name : kAllButtons.split(' ')) {
            c.at(name)->setVisible(!shown);
        }
        c.hover(y);
        QCOMPARE(c.shownButtons(), shown ? kAllButtons : QString());
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
        QCOMPARE(c.navigator.requests.size(), 1);
        QCOMPARE(c.navigator.requests[0].kind, "main");
        // The closed screen's clock has stopped: nothing sounds from it later.
        QCOMPARE(c.running(), "");
        screen->close();
        QCOMPARE(c.navigator.count("main"), 1);
    }

    void stallAcrossTheWarningPointAndZero() {
        // The event loop was held up for half a minute while 10 s were left: every second due
        // is applied in turn, so both cues come in order and the clock ends at time up.
        Countdown c("10", "5");
        c.open();
        auto* timer = c.screen->findChild<SecondTicker*>("Timer1");
        qint64 now = 0;
        timer->group()->setClock([&] { return now; });
        c.click("Command3");
        now = 30000;
        timer->onTimerDue();
        QCOMPARE(c.cues(), (QStringList{"Warn", "Timeout"}));
        QCOMPARE(c.clock(), kTimeUp);
        QCOMPARE(c.ink(), kYellow);
        QCOMPARE(c.running(), "");
        c.click("Command3");  // one more start: one more tick, silent, as after any time up
        c.tick();
        QCOMPARE(c.cues(), (QStringList{"Warn", "Timeout"}));
    }

    void clockIsAccessibleByItsText() {
        Countdown c;
        c.open();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(c.at("Label2"));
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), "2分05秒");
        c.click("Command3");
        c.tick();
        QCOMPARE(accessible->text(QAccessible::Name), "2分04秒");
    }
};

QTEST_MAIN(SingleCountdownTest)
#include "test_single_countdown.moc"

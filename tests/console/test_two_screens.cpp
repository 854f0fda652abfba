// A laptop with a projector: the audience's full-window screens open on the projector, every
// other window on the operator's screen, and the navigator says which audience screen is up.
// Runs on an offscreen platform with two screens.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QSlider>
#include <QStyleOptionGroupBox>
#include <QTableWidget>
#include <QTemporaryFile>
#include <QtTest>

#include "app/screen_navigator.h"
#include "app/screens_registry.h"
#include "console/operator_console.h"
#include "foundation/debate_profiles.h"
#include "foundation/main_profile.h"
#include "foundation/platform/dialog_owner.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/screen_roles.h"
#include "foundation/segment_profile.h"
#include "foundation/setup_applying.h"
#include "foundation/widgets/plain_labels.h"
#include "hall/screen_snapshot.h"
#include "support/clock_screen_fixture.h"
#include "support/data_rows.h"
#include "support/real_program.h"
#include "support/screen_fixture.h"
#include "timing/clock_screen.h"
#include "timing/segment_journal.h"
#include "tools/dev_support/two_screens.h"

namespace {

struct TwoScreenNavigator : ScreenFixture {
    ScreenNavigator navigator{context};
    QList<QPointer<QWidget>> built;

    TwoScreenNavigator() {
        const auto audience = [this](const QString& name) {
            return [this, name](AppContext&) -> QWidget* {
                auto* screen = new FullScreenWindow(QSize(12000, 9000));
                screen->setObjectName(name);
                built.append(screen);
                return screen;
            };
        };
        navigator.Register(ScreenId::Main, audience("Form4"));
        navigator.Register(ScreenId::TwoSide, audience("Form6"));
        navigator.Register(ScreenId::Report, [this](AppContext&) {
            auto* report = new QWidget;
            report->setObjectName("Form12");
            report->resize(600, 400);
            built.append(report);
            return report;
        });
    }
    ~TwoScreenNavigator() { qDeleteAll(built); }

    QWidget* shown(const QString& name) const {
        for (QWidget* screen : built) {
            if (screen && screen->objectName() == name && screen->isVisible()) {
                return screen;
            }
        }
        return nullptr;
    }
};

QScreen* Named(const QString& name) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == name) {
            return screen;
        }
    }
    return nullptr;
}

// The real program on two screens: every screen registered, the sample debate, the journal
// and the console, with a text box and a check box of its own as settings on it would have.
struct ConsoleRun : RealProgram {
    SegmentJournal journal{dir.path()};
    std::unique_ptr<OperatorConsole> console;
    QLineEdit* textBox;
    QCheckBox* checkBox;

    ConsoleRun() {
        QObject::connect(&navigator, &ScreenNavigator::audienceScreenChanged, &journal,
                         &SegmentJournal::follow);
        console = std::make_unique<OperatorConsole>(context, navigator, nullptr, &journal);
        textBox = new QLineEdit(console.get());
        textBox->setObjectName("SomeSetting");
        checkBox = new QCheckBox(QStringLiteral("启用"), console.get());
        console->layout()->addWidget(textBox);
        console->layout()->addWidget(checkBox);
        console->showWhenTwoScreens();
        QCoreApplication::sendPostedEvents();
    }
    ~ConsoleRun() { DeleteWindows(console.get()); }
    // The operator's keyboard: it goes to the console's window (every other window shown takes
    // the activation on this platform), and there to whatever has the focus.
    void key(Qt::Key key) {
        if (QApplication::activeWindow() != console.get()) {
            QApplication::setActiveWindow(console.get());
            QVERIFY(QTest::qWaitForWindowActive(console.get()));
            QCoreApplication::sendPostedEvents();
        }
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : QApplication::activeWindow(), key);
        QCoreApplication::sendPostedEvents();
    }
    QPushButton* button(const QString& name) const {
        return console->findChild<QPushButton*>(name);
    }
    FullScreenWindow* audience() const { return navigator.audienceScreen(); }
    QString running() const {
        QStringList names;
        for (const SecondTicker* ticker : audience()->findChildren<SecondTicker*>()) {
            if (ticker->isActive()) {
                names << ticker->objectName();
            }
        }
        return names.join(' ');
    }
    QString consoleClocks() const {
        QStringList shown;
        for (const QLabel* clock :
             console->findChild<QWidget*>("ClockArea")->findChildren<QLabel*>()) {
            if (clock->objectName().startsWith("Label")) {
                shown << clock->objectName() + '=' + clock->text();
            }
        }
        return shown.join(' ');
    }
};

}  // namespace

class TwoScreensTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::screens().size(), 2);
        QCOMPARE(QGuiApplication::primaryScreen()->name(), QStringLiteral("LVDS-1"));
    }

    void audienceOnTheProjectorOperatorWindowsOnTheLaptop_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("projector");
        QTest::addColumn<QString>("operatorScreen");
        QTest::newRow("none stored") << ""
                                     << "VGA-1"
                                     << "LVDS-1";
        QTest::newRow("a stored screen") << "VGA-1"
                                         << "VGA-1"
                                         << "LVDS-1";
        QTest::newRow("an absent screen") << "HDMI-9"
                                          << "VGA-1"
                                          << "LVDS-1";
        QTest::newRow("the laptop's own screen chosen") << "LVDS-1"
                                                        << "LVDS-1"
                                                        << "VGA-1";
    }
    void audienceOnTheProjectorOperatorWindowsOnTheLaptop() {
        QFETCH(QString, stored);
        QFETCH(QString, projector);
        QFETCH(QString, operatorScreen);
        TwoScreenNavigator t;
        if (!stored.isEmpty()) {
            t.setProfile(kDisplayProfile, kProjectorScreenKey, stored);
        }
        QCOMPARE(t.navigator.projectorScreen(), Named(projector));
        QCOMPARE(t.navigator.operatorScreen(), Named(operatorScreen));

        t.navigator.ShowMain();
        QWidget* main = t.shown("Form4");
        QVERIFY(main);
        t.navigator.OpenOver(main, ScreenId::Report);
        t.navigator.Replace(main, ScreenId::TwoSide);
        QWidget* clock = t.shown("Form6");
        QWidget* report = t.shown("Form12");
        QVERIFY(clock && report);

        for (QWidget* audience : {main, clock}) {
            QCOMPARE(audience->screen(), Named(projector));
            QCOMPARE(audience->geometry(), Named(projector)->geometry());
        }
        QCOMPARE(report->screen(), Named(operatorScreen));
        QVERIFY(Named(operatorScreen)->geometry().contains(report->geometry()));
    }

    void navigatorSaysWhichAudienceScreenIsUp() {
        TwoScreenNavigator t;
        QSignalSpy changes(&t.navigator, &ScreenNavigator::audienceScreenChanged);
        t.navigator.ShowMain();
        QWidget* main = t.shown("Form4");
        QCOMPARE(t.navigator.audienceScreen(), main);

        t.navigator.OpenOver(main, ScreenId::Report);  // not an audience screen
        QCOMPARE(t.navigator.audienceScreen(), main);
        t.navigator.Replace(main, ScreenId::TwoSide);
        QWidget* clock = t.shown("Form6");
        QCOMPARE(t.navigator.audienceScreen(), clock);

        t.navigator.Replace(clock, ScreenId::Main);
        QCOMPARE(t.navigator.audienceScreen(), t.shown("Form4"));
        QCOMPARE(changes.count(), 3);
        QCOMPARE(changes.last().first().value<FullScreenWindow*>(), t.shown("Form4"));
    }

    void consoleDrivesATwoSideSegmentFromTheKeyboard();
    void consoleKeysActWhateverHasTheFocusButNotWhileTyping();
    void launchListFollowsTheProfiles();
    void forgottenStartShowsOnTheConsoleOnly();
    void ceremonyButtonsOnTheConsole();
    void dialogsOpenOverTheConsole();
    void consoleVolumeIsTheMainScreens();
    void choosingTheConsolesScreenMovesTheConsole();
    void snapshotOfWhatTheProjectorShows();
    void layoutModeEndsOnlyThroughItsOwnCommand();
    void launchesWaitWhileASetupMoves();
    void consoleHeadingsShowInFull();
    void overTimeAndTheTimeRecordOnTheConsole();
    void aSegmentNameThatLooksLikeMarkupShowsAsWritten();
    void anInterruptedTurnIsSaidSoInTheRecord();
    void keysFollowWhatACommandDoesWhateverItsCaption_data();
    void keysFollowWhatACommandDoesWhateverItsCaption();
    void layoutModeEndsThroughEscWhateverItsCaption();
    void aLaunchCaptionThatReadsLikeACommandTakesNoKey_data();
    void aLaunchCaptionThatReadsLikeACommandTakesNoKey();
    void theMiniatureShowsWhatTheHallSees();
    void escOnTheTransitionBringsTheMainScreenBack();
    void theConsoleNamesEachScreenAsCatalogued();
};

namespace {

// Every published button of `screen` captioned anew, as another timing style or a restyled
// screen would caption it; a press on the screen that does nothing lets the console see it.
void Recaption(FullScreenWindow* screen) {
    for (QAction* action : screen->actions()) {
        if (auto* button = screen->findChild<QPushButton*>(action->objectName())) {
            button->setText(QStringLiteral("按钮") + action->objectName());
        }
    }
    QTest::mouseClick(screen->picture(), Qt::MiddleButton);
    QCoreApplication::sendPostedEvents();
}

}  // namespace

// Space, R and Esc do what they do on every timing style, whatever the buttons say.
void TwoScreensTest::keysFollowWhatACommandDoesWhateverItsCaption_data() {
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("sideFirst");  // the clock starts from a side, Space pauses it
    QTest::addColumn<QString>("runningAfterSpace");
    AddRow("Mode-1", QString("Mode-1"), false, QString("Timer1"));
    AddRow("Mode-2", QString("Mode-2"), true, QString());
    AddRow("Mode-3", QString("Mode-3"), true, QString());
    AddRow("Mode-4", QString("Mode-4"), true, QString());
    AddRow("Mode-5", QString("Mode-5"), false, QString("Timer1 Timer2"));
}
void TwoScreensTest::keysFollowWhatACommandDoesWhateverItsCaption() {
    QFETCH(QString, style);
    QFETCH(bool, sideFirst);
    QFETCH(QString, runningAfterSpace);
    ConsoleRun run;
    WriteProfileString(SegmentProfilePath(run.dir.path(), 3), kConfigSection, SegmentKey::Style,
                       style);
    run.key(Qt::Key_3);
    auto* clock = qobject_cast<ClockScreen*>(run.audience());
    QVERIFY(clock);
    QCOMPARE(clock->objectName(), screenObjectName(*ClockScreenFor(style)));
    const QString fresh = run.consoleClocks();
    Recaption(clock);
    QVERIFY(run.button("Command1")->text().startsWith(QStringLiteral("按钮")));
    if (sideFirst) {
        run.key(Qt::Key_Left);
        QVERIFY(!run.running().isEmpty());
        FireRunningTickers(clock);
    }
    run.key(Qt::Key_Space);
    QCOMPARE(run.running(), runningAfterSpace);
    const QString beforeTick = run.consoleClocks();
    FireRunningTickers(clock);
    QCOMPARE(run.consoleClocks() == beforeTick, runningAfterSpace.isEmpty());
    QVERIFY(run.consoleClocks() != fresh);
    if (!runningAfterSpace.isEmpty()) {  // Space again pauses what it started
        run.key(Qt::Key_Space);
        QCOMPARE(run.running(), QString());
    }
    run.key(Qt::Key_R);
    QCOMPARE(run.running(), QString());
    QCOMPARE(run.consoleClocks(), fresh);
    run.key(Qt::Key_Escape);
    QTRY_COMPARE(run.audience(), run.navigator.mainScreen());
}

// Esc on the transition, which has no way back of its own, puts the main screen up again.
void TwoScreensTest::escOnTheTransitionBringsTheMainScreenBack() {
    ConsoleRun run;
    WriteProfileString(SegmentProfilePath(run.dir.path(), 3), kConfigSection,
                       QStringLiteral("使用过场图片"), "1");
    run.key(Qt::Key_3);
    QCOMPARE(run.audience()->objectName(), screenObjectName(ScreenId::Transition));
    run.key(Qt::Key_Escape);
    QTRY_VERIFY(run.audience() && run.audience() == run.navigator.mainScreen());
    QVERIFY(run.audience()->isVisible());
}

// The console shows the projected screen small, and follows it to the next one.
void TwoScreensTest::theMiniatureShowsWhatTheHallSees() {
    ConsoleRun run;
    auto* miniature = run.console->findChild<QLabel*>("Miniature");
    const auto shown = [miniature] { return miniature->pixmap().toImage(); };
    const auto colours = [](const QImage& image) {
        QSet<QRgb> seen;
        for (int y = 0; y < image.height(); y += 10) {
            for (int x = 0; x < image.width(); x += 10) {
                seen.insert(image.pixel(x, y));
            }
        }
        return seen.size();
    };
    const QImage main = shown();
    QCOMPARE(main.size(), miniature->size());
    QVERIFY(colours(main) > 10);  // the main screen's picture, not a black box
    run.key(Qt::Key_3);
    QTRY_VERIFY(shown() != main);
    QVERIFY(colours(shown()) > 1);
}

// Each audience screen with a name of its own is named so above the console; a clock screen of
// a timing style by the segment it times.
void TwoScreensTest::theConsoleNamesEachScreenAsCatalogued() {
    ConsoleRun run;
    auto* title = run.console->findChild<QLabel*>("ScreenTitle");
    for (const CataloguedScreen& screen : screenCatalogue()) {
        if (!screen.audience || screen.title.isEmpty()) {
            continue;
        }
        run.navigator.OpenOver(run.navigator.mainScreen(), screen.id);
        QCOMPARE(run.audience()->objectName(), screen.objectName);
        QCOMPARE(title->text(), QStringLiteral("投影中：") + screen.title);
        if (run.audience() != run.navigator.mainScreen()) {
            run.audience()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    run.key(Qt::Key_3);
    QCOMPARE(title->text(), QStringLiteral("投影中：驳论（Mode-2）"));
}

// The announcement laid out from page 4-4 is left through its own command, captioned as it may.
void TwoScreensTest::layoutModeEndsThroughEscWhateverItsCaption() {
    ConsoleRun run;
    run.navigator.OpenOver(run.navigator.mainScreen(), ScreenId::OtherSegmentsPage);
    ShownWindow(screenObjectName(ScreenId::OtherSegmentsPage))
        ->findChild<QPushButton*>("Command11")
        ->click();  // 更多设置...
    QCoreApplication::sendPostedEvents();
    QVERIFY(run.audience()->inLayoutMode());
    Recaption(run.audience());
    run.key(Qt::Key_Escape);
    QCOMPARE(run.profile(kResultProfile, ResultKey::DesignMode), DesignMode::Off);
    QTRY_COMPARE(run.audience(), run.navigator.mainScreen());
}

// A segment may be named anything: one named like a command launches only from its own button.
void TwoScreensTest::aLaunchCaptionThatReadsLikeACommandTakesNoKey_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("name");
    AddRow("Space", int(Qt::Key_Space), QStringLiteral("开始计时"));
    AddRow("Space, paused", int(Qt::Key_Space), QStringLiteral("计时暂停"));
    AddRow("R", int(Qt::Key_R), QStringLiteral("初始化"));
    AddRow("Esc", int(Qt::Key_Escape), QStringLiteral("返回主界面"));
}
void TwoScreensTest::aLaunchCaptionThatReadsLikeACommandTakesNoKey() {
    QFETCH(int, key);
    QFETCH(QString, name);
    ConsoleRun run;
    WriteProfileString(SegmentProfilePath(run.dir.path(), 3), kConfigSection, SegmentKey::Name,
                       name);
    run.audience()->findChild<QAction*>("Command19")->trigger();  // 刷新设置
    QCoreApplication::sendPostedEvents();
    QCOMPARE(run.button("Launch_Command4_2")->text(), name);
    run.key(Qt::Key(key));
    QCOMPARE(run.audience(), run.navigator.mainScreen());
    run.key(Qt::Key_3);  // its own key still launches it
    QCOMPARE(run.audience()->objectName(), screenObjectName(ScreenId::TwoSide));
}

void TwoScreensTest::anInterruptedTurnIsSaidSoInTheRecord() {
    ConsoleRun run;
    const QDateTime start = QDateTime::currentDateTime().addSecs(-30);
    const QString debate =
        run.profile(kDebateInfoProfile, DebateKey::Competition, kDebateInfoSection);
    for (const bool interrupted : {false, true}) {
        QVERIFY(AppendTimeRecord(run.dir.path(),
                                 {debate, 3, QStringLiteral("驳论"), 2, QStringLiteral("正方"), 120,
                                  5, 0, 1, start, start.addSecs(5), interrupted})
                    .isEmpty());
    }
    run.key(Qt::Key_3);  // a turn ends, the list reads the record again
    run.key(Qt::Key_Left);
    FireRunningTickers(run.audience());
    run.key(Qt::Key_Escape);
    auto* table = run.console->findChild<QTableWidget*>("TimeRecordTable");
    QTRY_COMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("正方"));
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("正方（中断）"));
}

// A setup travels between rooms: what its profiles name is shown, never taken for markup.
void TwoScreensTest::aSegmentNameThatLooksLikeMarkupShowsAsWritten() {
    ConsoleRun run;
    const QString name = QStringLiteral("<font size=7 color=red>驳论</font><img src=x.png>");
    WriteProfileString(SegmentProfilePath(run.dir.path(), 3), kConfigSection, SegmentKey::Name,
                       name);
    run.key(Qt::Key_3);
    auto* title = run.console->findChild<QLabel*>("ScreenTitle");
    const QString shown = QStringLiteral("投影中：") + name + QStringLiteral("（Mode-2）");
    QCOMPARE(title->text(), shown);
    QCOMPARE(QAccessible::queryAccessibleInterface(title)->text(QAccessible::Name), shown);
}

// A side runs out and speaks on: the console counts the over time beside its clock until the
// next press; the turn then lands in the record, red, and exports. A record that cannot be
// kept is said there, and the timing goes on.
void TwoScreensTest::overTimeAndTheTimeRecordOnTheConsole() {
    ConsoleRun run;
    run.key(Qt::Key_3);
    auto* clock = qobject_cast<ClockScreen*>(run.audience());
    QVERIFY(clock);
    run.key(Qt::Key_Left);
    for (int i = 0; i < 1000 && clock->clocks()[0].text != kTimeUp; ++i) {
        FireRunningTickers(clock);
    }
    for (int i = 0; i < 12; ++i) {
        clock->overtimeTicker()->fire();
    }
    QCoreApplication::sendPostedEvents();
    const QList<QLabel*> overtimes = run.console->findChildren<QLabel*>("ClockOvertime");
    QCOMPARE(overtimes.size(), 2);
    QVERIFY(overtimes[0]->isVisibleTo(run.console.get()));
    QCOMPARE(overtimes[0]->text(), QStringLiteral("超时 0分12秒"));
    QCOMPARE(TextColour(overtimes[0]), QColor(Qt::red));
    QVERIFY(!overtimes[1]->isVisibleTo(run.console.get()));
    run.key(Qt::Key_Right);  // the next press, here from the console, ends the count
    QVERIFY(!clock->overtimeTicker()->isActive());
    FireRunningTickers(clock);

    run.key(Qt::Key_Escape);
    auto* table = run.console->findChild<QTableWidget*>("TimeRecordTable");
    QTRY_COMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("正方"));
    QCOMPARE(table->item(0, 4)->text(), QStringLiteral("0分12秒"));
    QCOMPARE(table->item(0, 4)->foreground().color(), QColor(Qt::red));
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("反方"));
    QCOMPARE(table->item(1, 3)->text(), QStringLiteral("0分01秒"));

    const QString exported = run.dir.path() + "/导出.csv";
    run.platform.dialogs.answerSave(exported);
    QTest::mouseClick(run.button("ExportTimeRecord"), Qt::LeftButton);
    QFile file(exported);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<TurnRecord> rows = TimeRecordRows(file.readAll());
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].over, 12);
    QCOMPARE(rows[0].segmentName, QStringLiteral("驳论"));

    // A folder nobody can write in takes the place of the records.
    const QString records = QFileInfo(TimeRecordPath(run.dir.path(), QDate::currentDate())).path();
    QVERIFY(QDir(records).removeRecursively() && QFile(records).open(QIODevice::WriteOnly));
    run.key(Qt::Key_3);
    run.key(Qt::Key_Left);
    FireRunningTickers(run.audience());
    run.key(Qt::Key_Escape);
    auto* status = run.console->findChild<QLabel*>("TimeRecordStatus");
    QTRY_VERIFY(status->text().startsWith(QStringLiteral("用时记录无法保存：")));
    QCOMPARE(run.audience(), run.navigator.mainScreen());
}

void TwoScreensTest::consoleDrivesATwoSideSegmentFromTheKeyboard() {
    ConsoleRun run;
    QCOMPARE(run.console->screen()->name(), QStringLiteral("LVDS-1"));
    QCOMPARE(run.button("Launch_Command4_2")->text(), QStringLiteral("驳论"));

    run.key(Qt::Key_3);
    FullScreenWindow* clock = run.audience();
    QVERIFY(clock);
    QCOMPARE(clock->objectName(), QStringLiteral("Form6"));
    QCOMPARE(clock->screen()->name(), QStringLiteral("VGA-1"));
    QCOMPARE(run.console->findChild<QLabel*>("ScreenTitle")->text(),
             QStringLiteral("投影中：驳论（Mode-2）"));
    // The strip's buttons with their captions and states, and the two sides.
    for (const QString name : {"Command1", "Command2", "Command3"}) {
        QCOMPARE(run.button(name)->text(), clock->findChild<QPushButton*>(name)->text());
        QCOMPARE(run.button(name)->isEnabled(), clock->findChild<QPushButton*>(name)->isEnabled());
    }
    QVERIFY(run.button("Left") && run.button("Right"));
    QVERIFY(!run.button("Command3")->isEnabled());

    run.key(Qt::Key_Left);
    QCOMPARE(run.running(), QStringLiteral("Timer1"));
    QVERIFY(run.button("Command3")->isEnabled());
    clock->findChild<SecondTicker*>("Timer1")->fire();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(run.consoleClocks(), QStringLiteral("Label4=1分59秒 Label5=2分00秒"));
    QStringList captions;
    for (const QLabel* caption : run.console->findChildren<QLabel*>("ClockCaption")) {
        captions << caption->text();
    }
    QCOMPARE(captions, QStringList({"正方", "反方"}));
    run.key(Qt::Key_Right);
    QCOMPARE(run.running(), QStringLiteral("Timer2"));
    run.key(Qt::Key_Space);  // pauses
    QCOMPARE(run.running(), QString());
    run.key(Qt::Key_R);
    QCOMPARE(run.consoleClocks(), QStringLiteral("Label4=2分00秒 Label5=2分00秒"));
    // A console button is the same press as the projected one.
    run.button("Right")->click();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(run.running(), QStringLiteral("Timer2"));

    run.key(Qt::Key_Escape);
    QTRY_COMPARE(run.audience()->objectName(), QStringLiteral("Form4"));
    QCOMPARE(run.audience()->screen()->name(), QStringLiteral("VGA-1"));
}

// The focus starts in no box of the console; a check box that has it does not toggle on Space;
// a box clicked into takes every key but Esc, which gives the keys back, as a click elsewhere
// on the console does.
void TwoScreensTest::consoleKeysActWhateverHasTheFocusButNotWhileTyping() {
    ConsoleRun run;
    run.key(Qt::Key_3);
    FullScreenWindow* clock = run.audience();
    QCOMPARE(clock->objectName(), QStringLiteral("Form6"));
    QVERIFY(!run.textBox->hasFocus());
    run.key(Qt::Key_Left);
    QCOMPARE(run.running(), QStringLiteral("Timer1"));
    QCOMPARE(run.textBox->text(), QString());

    run.checkBox->setFocus(Qt::TabFocusReason);
    run.key(Qt::Key_Space);  // pauses
    QCOMPARE(run.running(), QString());
    QVERIFY(!run.checkBox->isChecked());
    run.key(Qt::Key_Right);
    QCOMPARE(run.running(), QStringLiteral("Timer2"));

    QTest::mouseClick(run.textBox, Qt::LeftButton);
    QVERIFY(run.textBox->hasFocus());
    for (const Qt::Key key : {Qt::Key_1, Qt::Key_Space, Qt::Key_R, Qt::Key_Left, Qt::Key_Left,
                              Qt::Key_8, Qt::Key_Right}) {
        run.key(key);
    }
    QCOMPARE(run.textBox->text(), QStringLiteral("18 r"));
    QCOMPARE(run.running(), QStringLiteral("Timer2"));
    QCOMPARE(run.audience(), clock);

    run.key(Qt::Key_Escape);  // out of the box, the segment still up
    QCOMPARE(run.audience(), clock);
    QVERIFY(!run.textBox->hasFocus());
    run.key(Qt::Key_Left);
    QCOMPARE(run.running(), QStringLiteral("Timer1"));

    QTest::mouseClick(run.textBox, Qt::LeftButton);
    run.key(Qt::Key_Right);  // moves the cursor
    QCOMPARE(run.running(), QStringLiteral("Timer1"));
    QTest::mouseClick(run.console->findChild<QWidget*>("ClockArea"), Qt::LeftButton);
    run.key(Qt::Key_Right);
    QCOMPARE(run.running(), QStringLiteral("Timer2"));
    QCOMPARE(run.textBox->text(), QStringLiteral("18 r"));

    run.key(Qt::Key_Escape);
    QTRY_COMPARE(run.audience()->objectName(), QStringLiteral("Form4"));
}

void TwoScreensTest::launchListFollowsTheProfiles() {
    ConsoleRun run;
    QCOMPARE(run.button("Launch_Command4_0")->text(), QStringLiteral("正方立论"));
    QCOMPARE(run.button("Launch_Command10")->text(), QStringLiteral("观众提问"));
    WriteProfileString(SegmentProfilePath(run.dir.path(), 1), kConfigSection, SegmentKey::Name,
                       QStringLiteral("开篇立论"));
    run.audience()->findChild<QAction*>("Command19")->trigger();  // 刷新设置
    QCoreApplication::sendPostedEvents();
    QCOMPARE(run.button("Launch_Command4_0")->text(), QStringLiteral("开篇立论"));
}

void TwoScreensTest::choosingTheConsolesScreenMovesTheConsole() {
    ConsoleRun run;
    auto* choice = run.console->findChild<QComboBox*>("ProjectorChoice");
    QCOMPARE(choice->currentText(), QStringLiteral("VGA-1"));
    const int laptop = choice->findText("LVDS-1");
    choice->setCurrentIndex(laptop);
    emit choice->activated(laptop);
    QCOMPARE(run.profile(kDisplayProfile, kProjectorScreenKey), QStringLiteral("LVDS-1"));
    QCOMPARE(run.audience()->screen()->name(), QStringLiteral("LVDS-1"));
    QCOMPARE(run.console->screen()->name(), QStringLiteral("VGA-1"));
}

void TwoScreensTest::snapshotOfWhatTheProjectorShows() {
    ConsoleRun run;
    QCOMPARE(
        ScreenSnapshot(nullptr, QString()),
        (QJsonObject{
            {"screen", ""}, {"segment", ""}, {"clocks", QJsonArray()}, {"actions", QJsonArray()}}));
    QCOMPARE(SegmentOnScreen(run.dir.path(), run.audience()), QString());
    run.key(Qt::Key_3);
    run.key(Qt::Key_Left);
    const QJsonObject shown =
        ScreenSnapshot(run.audience(), SegmentOnScreen(run.dir.path(), run.audience()));
    QCOMPARE(shown["screen"].toString(), QStringLiteral("Form6"));
    QCOMPARE(shown["segment"].toString(), QStringLiteral("驳论"));
    const QJsonArray clocks = shown["clocks"].toArray();
    QCOMPARE(clocks.size(), 2);
    QCOMPARE(clocks[0].toObject()["name"].toString(), QStringLiteral("Label4"));
    QCOMPARE(clocks[0].toObject()["text"].toString(), QStringLiteral("2分00秒"));
    QVERIFY(QRegularExpression("^#[0-9A-F]{6}$")
                .match(clocks[0].toObject()["colour"].toString())
                .hasMatch());
    QJsonObject pause;
    for (const QJsonValue action : shown["actions"].toArray()) {
        if (action.toObject()["name"] == "Command3") {
            pause = action.toObject();
        }
    }
    QCOMPARE(
        pause,
        (QJsonObject{
            {"name", "Command3"}, {"text", "计时暂停"}, {"enabled", true}, {"role", "pause"}}));
}

void TwoScreensTest::consoleVolumeIsTheMainScreens() {
    ConsoleRun run;
    auto* volume = run.console->findChild<QSlider*>("Volume");
    auto* bar = run.audience()->findChild<QScrollBar*>("Hl1");
    QCOMPARE(volume->value(), bar->value());
    volume->setValue(70);
    QCOMPARE(bar->value(), 70);
    QCOMPARE(run.profile(kMainProfile, MainKey::Volume), QStringLiteral("70"));
    bar->setValue(30);  // dragged on the projected screen
    QCoreApplication::sendPostedEvents();
    QCOMPARE(volume->value(), 30);
    QVERIFY(!run.button("Hl1"));
}

void TwoScreensTest::dialogsOpenOverTheConsole() {
    ConsoleRun run;
    QWidget* main = run.audience();
    QCOMPARE(DialogOwner(main), run.console.get());
    QCOMPARE(DialogOwner(nullptr), run.console.get());
    QWidget page;  // a settings page, on the operator's screen already
    page.show();
    QCOMPARE(DialogOwner(&page), &page);
    run.console->hide();  // one screen again: every owner as it was
    QCOMPARE(DialogOwner(main), main);
}

void TwoScreensTest::ceremonyButtonsOnTheConsole() {
    ConsoleRun run;
    run.button("Launch_Command13")->click();  // 颁奖仪式
    QCoreApplication::sendPostedEvents();
    QCOMPARE(run.audience()->objectName(), QStringLiteral("Form8"));
    QCOMPARE(run.button("Command2")->text(), QStringLiteral("播放▲"));
    QCOMPARE(run.button("Command3")->text(), QStringLiteral("停止■"));
    QVERIFY(!run.button("Left"));
    QVERIFY(run.console->findChild<QLabel*>("NoClock")->isVisible());
    run.button("Command1")->click();  // 返回主界面
    QTRY_COMPARE(run.audience()->objectName(), QStringLiteral("Form4"));
}

void TwoScreensTest::forgottenStartShowsOnTheConsoleOnly() {
    ConsoleRun run;
    run.key(Qt::Key_3);
    QLabel* forgotten = run.console->findChild<QLabel*>("ForgottenStart");
    run.console->checkForgottenStart();  // ten seconds on, nothing started
    QVERIFY(forgotten->isVisible());
    QCOMPARE(forgotten->text(), QStringLiteral("计时尚未开始"));
    QVERIFY(!run.audience()->findChild<QLabel*>("ForgottenStart"));
    run.key(Qt::Key_Left);
    QVERIFY(!forgotten->isVisible());
    run.key(Qt::Key_Space);
    run.console->checkForgottenStart();  // paused after a start is no forgotten start
    QVERIFY(!forgotten->isVisible());
}

void TwoScreensTest::layoutModeEndsOnlyThroughItsOwnCommand() {
    ConsoleRun run;
    const auto press = [](const QString& window, const QString& button) {
        QWidget* shown = ShownWindow(window);
        QVERIFY2(shown, qPrintable("no window " + window));
        shown->findChild<QPushButton*>(button)->click();
    };
    run.navigator.OpenOver(run.navigator.mainScreen(), ScreenId::OtherSegmentsPage);
    press("Form10", "Command11");  // 更多设置...
    QCoreApplication::sendPostedEvents();
    QCOMPARE(run.audience()->objectName(), QStringLiteral("Form11"));
    QVERIFY(run.console->findChild<QLabel*>("LaunchesHeld")->isVisible());
    QVERIFY(!run.button("Launch_Command4_0")->isEnabled());

    // Neither a launch key nor the button leaves layout mode behind.
    run.key(Qt::Key_1);
    run.button("Launch_Command4_0")->click();
    QCOMPARE(run.audience()->objectName(), QStringLiteral("Form11"));
    QCOMPARE(run.profile(kResultProfile, "设计模式"), QStringLiteral("On"));

    // Esc is "返回设置界面": the mode ends, page 4-4 comes back, launches with it.
    run.key(Qt::Key_Escape);
    QCOMPARE(run.profile(kResultProfile, "设计模式"), QStringLiteral("Off"));
    QTRY_COMPARE(run.audience()->objectName(), QStringLiteral("Form4"));
    QVERIFY(!run.console->findChild<QLabel*>("LaunchesHeld")->isVisible());
    QVERIFY(run.button("Launch_Command4_0")->isEnabled());

    // "进入公布界面" then opens the real announcement.
    run.navigator.OpenOver(run.navigator.mainScreen(), ScreenId::ScoreEntry);
    press("Form16", "Command1");  // the scores saved first, as always
    press("Form16", "Command2");
    QCoreApplication::sendPostedEvents();
    QCOMPARE(run.audience()->objectName(), QStringLiteral("Form11"));
    QVERIFY(!run.audience()->inLayoutMode());
    QVERIFY(run.button("Command2")->isEnabled());  // 正方得分
    QVERIFY(!run.button("Command7"));              // no way back to the settings offered
}

// While an import moves a setup's files, neither a launch key, nor a launch button, nor the main
// screen's own button starts a segment or closes the one up, and the console says why.
void TwoScreensTest::launchesWaitWhileASetupMoves() {
    ConsoleRun run;
    auto* held = run.console->findChild<QLabel*>("LaunchesHeld");
    const auto launchOnMain = [&run] {
        run.navigator.mainScreen()->findChild<QPushButton*>("Command4_2")->click();
        QCoreApplication::sendPostedEvents();
    };
    {
        const SetupApplyingScope applying(run.setupApplying);
        QCoreApplication::sendPostedEvents();
        QVERIFY(held->isVisible());
        QCOMPARE(held->text(), QStringLiteral("正在导入比赛方案…"));
        QVERIFY(!run.button("Launch_Command4_2")->isEnabled());
        run.key(Qt::Key_3);
        run.button("Launch_Command4_2")->click();
        launchOnMain();
        QCOMPARE(run.audience()->objectName(), QStringLiteral("Form4"));
    }
    QCoreApplication::sendPostedEvents();
    QVERIFY(!held->isVisible());
    QVERIFY(run.button("Launch_Command4_2")->isEnabled());
    launchOnMain();
    QCOMPARE(run.audience()->objectName(), QStringLiteral("Form6"));

    const SetupApplyingScope applying(
        run.setupApplying);  // a segment up: a launch key leaves it up
    run.key(Qt::Key_1);
    QCOMPARE(run.audience()->objectName(), QStringLiteral("Form6"));
}

void TwoScreensTest::consoleHeadingsShowInFull() {
    ConsoleRun run;
    const QList<QGroupBox*> boxes = run.console->findChildren<QGroupBox*>();
    QVERIFY(boxes.size() >= 2);
    for (const QGroupBox* box : boxes) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                         QStyle::SC_GroupBoxLabel, box);
        QVERIFY2(box->fontMetrics().horizontalAdvance(box->title()) <= label.width(),
                 qPrintable(box->title()));
    }
}

int main(int argc, char** argv) {
    QTemporaryFile config;
    if (!UseTwoOffscreenScreens(config)) {
        return 2;
    }
    QApplication app(argc, argv);
    KeepLabelsPlain(&app);  // as the program does
    TwoScreensTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_two_screens.moc"

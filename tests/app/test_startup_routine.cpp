#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTextStream>
#include <QtTest>

#include "app/screen_navigator.h"
#include "app/screens_registry.h"
#include "app/startup.h"
#include "app_tests.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

using Lock = InstanceLock::Result;

void StartupTest::mayStart_data() {
    QTest::addColumn<Lock>("lock");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QStringList>("messages");
    AddRow("this copy holds the lock", Lock::Acquired, true, QStringList{});
    AddRow("another copy holds it", Lock::HeldElsewhere, false, QStringList{kAlreadyRunning});
    AddRow("no lock can be made", Lock::Unavailable, true, QStringList{});
}

void StartupTest::mayStart() {
    QFETCH(Lock, lock);
    QFETCH(bool, starts);
    QFETCH(QStringList, messages);
    ScreenFixture fixture;
    fixture.platform.instance.result = lock;
    QString said;
    QTextStream errors(&said);
    QCOMPARE(MayStart(fixture.platform, errors, true), starts);
    QCOMPARE(fixture.platform.messages.texts(), messages);
    QVERIFY(said.isEmpty());
}

void StartupTest::withoutGbkNothingStarts() {
    ScreenFixture fixture;
    QString said;
    QTextStream errors(&said);
    QVERIFY(!MayStart(fixture.platform, errors, false));
    QVERIFY2(said.contains("GBK"), qPrintable(said));
    // Said where a terminal or a log shows it; the lock is not even tried.
    QVERIFY(fixture.platform.messages.shown.isEmpty());
    QCOMPARE(fixture.platform.instance.attempts, 0);
    QVERIFY(GbkAvailable());  // this Qt has it, or no profile test could pass
}

void StartupTest::exitClosesAndDeletesEveryWindowBeforeReturning() {
    ScreenFixture fixture;
    fixture.useShippedData();
    ScreenNavigator navigator(fixture.context);
    fixture.context.navigator = &navigator;
    RegisterScreens(navigator);
    navigator.Register(ScreenId::ScoreEntry, [](AppContext&) {
        auto* entry = new QWidget;
        entry->setObjectName("Form16");
        return entry;
    });
    navigator.ShowMain();
    QCOMPARE(QApplication::topLevelWidgets().size(), 1);
    QWidget* main = QApplication::topLevelWidgets().constFirst();
    QCOMPARE(main->objectName(), QString("Form4"));

    fixture.platform.dialogs.answerFile(fixture.path("\\sound\\cite\\Default.mp3"));
    main->findChild<QPushButton*>("Command17")->click();
    QPointer<FakeMediaPlayer> music = fixture.platform.mediaPlayer();
    QVERIFY(music && music->playState() == MediaPlayer::Playing);
    QList<int> states;
    QObject::connect(music, &MediaPlayer::PlayStateChange, [&](int state) { states << state; });
    navigator.OpenOver(main, ScreenId::ScoreEntry);
    QCOMPARE(QApplication::topLevelWidgets().size(), 2);

    // "退  出", OK, from inside the program's own event loop.
    fixture.platform.messages.answers << true;
    QTimer::singleShot(0, main, [main] { main->findChild<QPushButton*>("Command15")->click(); });
    QTimer hang;  // only so that a broken exit fails instead of blocking the suite
    QObject::connect(&hang, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    hang.start(20000);
    QCOMPARE(RunUntilExit(), 0);

    QCOMPARE(fixture.platform.messages.texts(), QStringList{"是否退出？"});
    QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{});
    QCOMPARE(states, QList<int>{MediaPlayer::Stopped});  // stopped before it was released
    QVERIFY(!music);
    navigator.ShowMain();  // nothing opens once the program ends
    QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{});
}

// The program makes the flag its screens read: held on it, the main screen's launch buttons
// wait; another program's flag does not hold them.
void StartupTest::theProgramHoldsItsLaunchesWhileASetupMoves() {
    ScreenFixture other;
    other.useShippedData();
    Program program(other.dir.path());
    struct Windows {
        ~Windows() { DeleteWindows(); }  // before the program they were given
    } windows;
    program.navigator.ShowMain();
    QWidget* main = program.navigator.mainScreen();
    QVERIFY(main);
    auto* launch = main->findChild<QPushButton*>("Command4_0");
    QVERIFY(launch && launch->isEnabled());
    {
        const SetupApplyingScope elsewhere(other.setupApplying);
        QVERIFY(launch->isEnabled());
        const SetupApplyingScope applying(program.setupApplying);
        QVERIFY(!launch->isEnabled());
    }
    QVERIFY(launch->isEnabled());
}

void StartupTest::dialogsSpeakChinese() {
    QVERIFY2(InstallDialogCatalogue(), "qtbase_zh_CN.qm missing (qt6-translations-l10n)");
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QString("取消"));
    QMessageBox box(QMessageBox::Question, "t", "x", QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QString("确定"));
}

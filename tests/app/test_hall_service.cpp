// The hall's network as the operator switches it from the console, on a machine with one screen:
// the profile keeps the choice and the token, the server shows the screen the navigator reports,
// and a port that is taken is said.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QtTest>

#include "app/hall_service.h"
#include "app/screen_navigator.h"
#include "app/screens_registry.h"
#include "console/hall_panel.h"
#include "foundation/remote_access.h"
#include "foundation/segment_profile.h"
#include "foundation/setup_applying.h"
#include "hall/hall_client.h"
#include "support/data_rows.h"
#include "support/real_program.h"
#include "support/screen_fixture.h"

namespace {

quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::Any, 0);
    return probe.serverPort();
}

struct HallRun : RealProgram {
    std::unique_ptr<HallService> service;
    std::unique_ptr<HallPanel> panel;
    quint16 port = FreePort();

    explicit HallRun(const QString& enabled = "0") {
        setProfile(kRemoteProfile, RemoteKey::Port, QString::number(port));
        setProfile(kRemoteProfile, RemoteKey::Enabled, enabled);
        service = std::make_unique<HallService>(dir.path(), navigator);
        service->startIfEnabled();
        panel = std::make_unique<HallPanel>(*service);
        QCoreApplication::sendPostedEvents();
    }
    ~HallRun() {
        panel.reset();
        service.reset();
        DeleteWindows();
    }
    template <typename T = QWidget>
    T* shown(const QString& name) const {
        return panel->findChild<T*>(name);
    }
    void switchTo(bool on) {
        auto* box = shown<QCheckBox>("RemoteEnabled");
        if (box->isChecked() != on) {
            box->click();
        }
    }
    QString token() const { return profile(kRemoteProfile, RemoteKey::Token); }
};

}  // namespace

class HallServiceTest : public QObject {
    Q_OBJECT

  private slots:
    void offUntilTheOperatorSwitchesItOn() {
        HallRun run;
        QVERIFY(!run.service->isRunning());
        QCOMPARE(run.shown<QLabel>("RemoteStatus")->text(), QStringLiteral("未开启"));
        QVERIFY(run.shown<QLabel>("RemoteQr")->pixmap().isNull());
        QVERIFY(run.shown<QPushButton>("RemoteNewToken")->isHidden());
    }

    void switchedOnItServesWhatTheNavigatorShows() {
        HallRun run;
        run.switchTo(true);
        QVERIFY(run.service->isRunning());
        QCOMPARE(run.profile(kRemoteProfile, RemoteKey::Enabled), QStringLiteral("1"));
        QCOMPARE(run.token().size(), 22);  // made on first use, and kept
        const QString remote = run.shown<QLabel>("RemoteAddress")->text();
        QVERIFY(
            remote.contains(QStringLiteral(":%1/remote?token=%2").arg(run.port).arg(run.token())));
        QVERIFY(!run.shown<QLabel>("RemoteQr")->pixmap().isNull());

        HallClient mirror(run.port);
        mirror.waitFor(1);
        QCOMPARE(mirror.last()["screen"].toString(), QStringLiteral("Form4"));
        run.navigator.audienceScreen()->findChild<QAction*>("Command4_2")->trigger();
        QTRY_COMPARE(mirror.last()["screen"].toString(), QStringLiteral("Form6"));
        QCOMPARE(mirror.last()["segment"].toString(), QStringLiteral("驳论"));
        QTRY_VERIFY(run.shown<QLabel>("RemoteStatus")->text().contains("1 个页面"));

        run.switchTo(false);
        QTRY_COMPARE(mirror.closed.count(), 1);
        QCOMPARE(run.profile(kRemoteProfile, RemoteKey::Enabled), QStringLiteral("0"));
        QVERIFY(run.shown<QLabel>("RemoteAddress")->text().isEmpty());
    }

    void aPortInUseIsSaidAndTheChoiceKept() {
        HallRun run;
        QTcpServer squatter;
        QVERIFY(squatter.listen(QHostAddress::Any, run.port));
        run.switchTo(true);
        QVERIFY(!run.service->isRunning());
        QVERIFY(!run.shown<QCheckBox>("RemoteEnabled")->isChecked());
        QVERIFY(run.shown<QLabel>("RemoteStatus")
                    ->text()
                    .contains(QStringLiteral("端口 %1 已被其他程序占用").arg(run.port)));
        QCOMPARE(run.profile(kRemoteProfile, RemoteKey::Enabled), QStringLiteral("1"));
        squatter.close();
        run.switchTo(true);
        QVERIFY(run.service->isRunning());
        QCOMPARE(run.shown<QLabel>("RemoteStatus")->text(),
                 QStringLiteral("已开启，0 个页面已连接"));
    }

    void aNewTokenLocksOutTheRemotesOfTheOldOne() {
        HallRun run("1");  // on from the start, as the profile says
        QVERIFY(run.service->isRunning());
        const QString old = run.token();
        HallClient remote(run.port, "?token=" + old);
        remote.waitFor(1);
        run.shown<QPushButton>("RemoteNewToken")->click();
        QTRY_COMPARE(remote.closed.count(), 1);
        QVERIFY(run.token() != old);
        QVERIFY(run.shown<QLabel>("RemoteAddress")->text().contains(run.token()));
        QCOMPARE(HttpGet(run.port, "/remote?token=" + old).status, 403);
        QCOMPARE(HttpGet(run.port, "/remote?token=" + run.token()).status, 200);
    }

    // A double tap over a slow network: two launches in one write. The second was meant for the
    // main screen, which has gone by the time it would run; it is refused, not run on the
    // screen that came up.
    void twoLaunchesInOneWriteRunOne_data() {
        QTest::addColumn<QString>("second");
        AddRow("the same launch twice", QString("Command4_0"));
        AddRow("another launch after it", QString("Command4_1"));
    }
    void twoLaunchesInOneWriteRunOne() {
        QFETCH(QString, second);
        HallRun run("1");
        HallClient remote(run.port, "?token=" + run.token());
        remote.waitFor(1);
        remote.trigger("Command4_0");
        remote.trigger(second);
        QTRY_VERIFY(remote.messages.filter("unavailable").size() == 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList up;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<FullScreenWindow*>(window) && window->isVisible()) {
                up << window->objectName();
            }
        }
        QCOMPARE(up, QStringList{run.navigator.audienceScreen()->objectName()});
        QCOMPARE(ReadProfileString(ActiveSegmentProfilePath(run.dir.path()), kConfigSection,
                                   SegmentKey::ActiveName),
                 QStringLiteral("正方立论"));
    }

    // The console's address carries any token as it is, whatever signs it holds.
    void theRemoteAddressEncodesTheToken() {
        HallRun run;
        run.setProfile(kRemoteProfile, RemoteKey::Token, "a+b&c#d%e");
        run.switchTo(true);
        QVERIFY(
            run.shown<QLabel>("RemoteAddress")->text().contains("remote?token=a%2Bb%26c%23d%25e"));
    }

    // While an import moves a setup's files, a remote's launch is refused, not run.
    void launchesAreUnavailableWhileASetupMoves() {
        HallRun run("1");
        HallClient remote(run.port, "?token=" + run.token());
        remote.waitFor(1);
        const SetupApplyingScope applying(run.setupApplying);
        remote.trigger("Command4_0");
        QTRY_COMPARE(remote.lastError(), QStringLiteral("unavailable"));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(run.navigator.audienceScreen()->objectName(), QStringLiteral("Form4"));
    }

    // Layout mode is left through its own command only: a remote's launch is refused, and its
    // "返回设置界面" ends the mode as the button does.
    void launchesAreUnavailableInLayoutMode() {
        HallRun run("1");
        run.navigator.OpenOver(run.navigator.mainScreen(), ScreenId::OtherSegmentsPage);
        QWidget* page = ShownWindow("Form10");
        QVERIFY(page);
        page->findChild<QPushButton*>("Command11")->click();
        QCOMPARE(run.navigator.audienceScreen()->objectName(), QStringLiteral("Form11"));
        HallClient remote(run.port, "?token=" + run.token());
        remote.waitFor(1);
        remote.trigger("Command4_0");
        QTRY_COMPARE(remote.lastError(), QStringLiteral("unavailable"));
        QCOMPARE(run.navigator.audienceScreen()->objectName(), QStringLiteral("Form11"));
        remote.trigger("Command7");
        QTRY_COMPARE(run.profile(kResultProfile, "设计模式"), QStringLiteral("Off"));
    }
};

QTEST_MAIN(HallServiceTest)
#include "test_hall_service.moc"

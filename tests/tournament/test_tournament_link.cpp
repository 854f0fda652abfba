// A room of a tournament against a real Mosquitto broker started for each test: the room's
// retained state and presence reach the board, its last will marks it offline when it dies, a
// notice reaches the operator's console and a flood of them costs it five rows, a wrong password
// and a broker that refuses the room's messages are said there, two computers set to one room
// settle instead of taking it from each other, and the broker's rules keep a room from writing
// another room's state.

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolButton>
#include <QtTest>
#include <csignal>

#include "broker_fixture.h"
#include "console/tournament_panel.h"
#include "console/tournament_settings_dialog.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/tournament_profile.h"
#include "foundation/widgets/full_screen_window.h"
#include "support/data_rows.h"
#include "support/mosquitto_broker.h"
#include "tools/dev_support/tournament_room.h"
#include "tournament/tournament_link.h"

namespace {

using fixture::kUsers;
using fixture::Listener;

QByteArray ReadWhole(const QString& path) {
    QFile file(ResolvePath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The settings dialog the operator opens from the console.
TournamentSettingsDialog* OpenSettings(TournamentPanel& panel) {
    panel.findChild<QPushButton*>("TournamentSettings")->click();
    for (auto* dialog : panel.findChildren<TournamentSettingsDialog*>()) {
        if (dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

// A room of a tournament on `broker`, with its console panel, connected as the operator would:
// the settings dialog saved.
struct Room {
    QTemporaryDir dir;
    TournamentLink link{dir.path()};
    TournamentPanel panel{dir.path(), link};
    Room(const MosquittoBroker& broker, const QString& password, const QString& room = "A101",
         const QString& tournament = "t1") {
        ConfigureRoom(dir.path(), broker.port, tournament, room, password);
        OpenSettings(panel)->findChild<QPushButton*>("TournamentConnect")->click();
    }
    QLabel* status() const { return panel.findChild<QLabel*>("TournamentStatus"); }
    int noticeRows() const {
        return int(panel.findChildren<QLabel*>("TournamentNoticeText").size());
    }
};

}  // namespace

class TournamentLinkTest : public QObject {
    Q_OBJECT

  private slots:
    // The board sees the room's retained state and presence, and its last will once the room
    // dies without a goodbye (this test run again as a child that kills itself).
    void stateAndPresenceReachTheBoard() {
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        QTemporaryDir room;
        ConfigureRoom(room.path(), broker.port, "t1", "A101", "pass-a");
        auto link = std::make_unique<TournamentLink>(room.path());
        FullScreenWindow main(QSize(12000, 9000));
        main.setObjectName("Form4");
        link->follow(&main);
        link->applySettings();
        QTRY_VERIFY(link->isConnected());
        QCOMPARE(link->status(), QStringLiteral("已连接 127.0.0.1:%1").arg(broker.port));

        Listener board(broker.port, "board", "pass-board", {"debaclock/t1/#"});
        QTRY_COMPARE(board.json("debaclock/t1/A101/state").value("screen").toString(),
                     QStringLiteral("Form4"));
        QCOMPARE(board.json("debaclock/t1/A101/state").value("room").toString(),
                 QStringLiteral("A101"));
        QVERIFY(board.json("debaclock/t1/A101/status").value("online").toBool());
        link.reset();  // a goodbye
        QTRY_VERIFY(board.json("debaclock/t1/A101/status").contains("online") &&
                    !board.json("debaclock/t1/A101/status").value("online").toBool());

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--room-then-die", room.path()});
        QTRY_VERIFY(board.json("debaclock/t1/A101/status").value("online").toBool());
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        // No goodbye: the broker publishes the will once it sees the connection gone.
        QTRY_VERIFY_WITH_TIMEOUT(!board.json("debaclock/t1/A101/status").value("online").toBool(),
                                 10000);
    }

    // A notice of the tab room, to all rooms and to this one, shows on the console until it
    // is closed.
    void aNoticeReachesTheConsole() {
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        Room room(broker, "pass-a");
        QTRY_VERIFY(room.link.isConnected());
        TournamentPanel& panel = room.panel;
        Listener board(broker.port, "board", "pass-board");
        QTRY_VERIFY(board.client.isConnected());
        board.client.publish("debaclock/t1/notice", R"({"text": "第二轮将于14:00开始"})", false);
        board.client.publish("debaclock/t1/A101/notice", "请本赛场提前5分钟入场", false);
        board.client.publish("debaclock/t1/B202/notice", "不是给本赛场的", false);
        QTRY_COMPARE(panel.findChildren<QLabel*>("TournamentNoticeText").size(), 2);
        const QList<QLabel*> notices = panel.findChildren<QLabel*>("TournamentNoticeText");
        QVERIFY(notices[0]->text().endsWith(QStringLiteral("赛事通知：第二轮将于14:00开始")));
        QVERIFY(notices[1]->text().endsWith(QStringLiteral("致本赛场：请本赛场提前5分钟入场")));
        QTest::mouseClick(panel.findChildren<QToolButton*>("TournamentNoticeClose").first(),
                          Qt::LeftButton);
        QTRY_COMPARE(panel.findChildren<QLabel*>("TournamentNoticeText").size(), 1);
    }

    // A wrong password is said in red, and the link keeps trying without touching the timing.
    void aWrongPasswordIsSaid() {
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        Room room(broker, "wrong");
        TournamentPanel& panel = room.panel;
        QLabel* status = room.status();
        QTRY_VERIFY(status->text().startsWith(QStringLiteral("未连接：用户名或口令错误")));
        QCOMPARE(status->palette().color(QPalette::WindowText), QColor(Qt::red));

        // Mended in the settings: the right password connects.
        TournamentSettingsDialog* settings = OpenSettings(panel);
        settings->findChild<QLineEdit*>("TournamentPassword")->setText("pass-a");
        QTest::mouseClick(settings->findChild<QPushButton*>("TournamentConnect"), Qt::LeftButton);
        QTRY_COMPARE(status->text(), QStringLiteral("已连接 127.0.0.1:%1").arg(broker.port));
    }

    // A broker that is not there yet, and one that goes away mid-segment: the link keeps
    // trying and, once the broker is back, the room's state is there again.
    void reconnectsWhenTheBrokerComesBack() {
        MosquittoBroker broker(kUsers);
        broker.stop();
        QTemporaryDir room;
        ConfigureRoom(room.path(), broker.port, "t1", "A101", "pass-a");
        TournamentLink link(room.path());
        link.applySettings();
        QTRY_VERIFY(link.status().startsWith(QStringLiteral("未连接：")));
        broker.start();
        QTRY_VERIFY_WITH_TIMEOUT(link.isConnected(), 15000);

        broker.stop();  // without persistence: the retained state is gone with it
        QTRY_VERIFY(!link.isConnected());
        broker.start();
        QTRY_VERIFY_WITH_TIMEOUT(link.isConnected(), 15000);
        Listener board(broker.port, "board", "pass-board", {"debaclock/t1/+/state"});
        QTRY_COMPARE(board.json("debaclock/t1/A101/state").value("room").toString(),
                     QStringLiteral("A101"));
    }

    // 3,000 notices (and the same one fifty times) leave five rows on the console and a count of
    // the others; the last one is there, the repeats merged into one row.
    void aFloodOfNoticesCostsFiveRows() {
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        Room room(broker, "pass-a");
        Listener board(broker.port, "board", "pass-board");
        QTRY_VERIFY(room.link.isConnected() && board.client.isConnected());
        for (int i = 0; i < 3000; ++i) {
            board.client.publish("debaclock/t1/notice", QStringLiteral("通知 %1").arg(i).toUtf8(),
                                 false);
        }
        for (int i = 0; i < 50; ++i) {
            board.client.publish("debaclock/t1/notice", "重复的通知", false);
        }
        board.client.publish("debaclock/t1/notice", "最后的通知", false);
        const auto rows = [&] {
            QStringList texts;
            for (QLabel* label : room.panel.findChildren<QLabel*>("TournamentNoticeText")) {
                texts << label->text();
            }
            return texts;
        };
        QTRY_VERIFY2_WITH_TIMEOUT(
            !rows().isEmpty() && rows().last().endsWith("赛事通知：最后的通知"),
            qPrintable(rows().join('\n')), 30000);
        QVERIFY2(rows().size() <= 5, qPrintable(rows().join('\n')));
        const QStringList repeated = rows().filter("重复的通知（共 ");
        QCOMPARE(repeated.size(), 1);
        auto* folded = room.panel.findChild<QLabel*>("TournamentNoticesFolded");
        QVERIFY(!folded->isHidden());
        const int count = folded->text().section(' ', 1, 1).toInt();
        QVERIFY2(count >= 2990 && count <= 3050, qPrintable(folded->text()));

        // Put away by the operator, the count is gone until more notices fold.
        room.panel.findChild<QToolButton*>("TournamentNoticesFoldedClear")->click();
        QTRY_VERIFY(folded->isHidden());
        QCOMPARE(rows().size(), 5);
    }

    // A broker that lets the room in and refuses all it sends: said, in red, not "已连接".
    void aBrokerRefusingTheRoomIsSaid() {
        MosquittoBroker broker(kUsers,
                               "user board\ntopic read debaclock/#\n"
                               "pattern read debaclock/+/notice\n"
                               "pattern read debaclock/+/%u/notice\n");
        QVERIFY(broker.running);
        Room room(broker, "pass-a");
        QTRY_COMPARE(room.status()->text(),
                     QStringLiteral("已连接，但服务器拒绝了本赛场的消息（请检查用户名与权限）"));
        QCOMPARE(room.status()->palette().color(QPalette::WindowText), QColor(Qt::red));
    }

    // A profile whose user is another room's, written by hand: the room does not log in with it.
    void aUserOtherThanTheRoomIsRefused() {
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        QTemporaryDir dir;
        ConfigureRoom(dir.path(), broker.port, "t1", "A101", "pass-b");
        WriteProfileString(AppPath(dir.path(), kTournamentProfile), kConfigSection,
                           TournamentKey::User, "B202");
        TournamentLink link(dir.path());
        link.applySettings();
        QVERIFY2(link.status().startsWith(QStringLiteral("未连接：用户名须与赛场相同")),
                 qPrintable(link.status()));
        QVERIFY(link.statusIsProblem());
        Listener board(broker.port, "board", "pass-board", {"debaclock/t1/+/status"});
        QTRY_VERIFY(board.client.isConnected());
        // Had it logged in as B202, its presence would have reached the board by now.
        QVERIFY(board.last.isEmpty());
        QVERIFY(!link.isConnected());
    }

    // The dialog keeps what it cannot save, says why under the form, and leaves the profile and
    // the link as they were.
    void theSettingsDialogRefuses_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("said");
        AddRow("another room's user", QString("TournamentUser"), QString("B202"),
               QString("用户名须与赛场相同"));
        AddRow("a port that would wrap", QString("TournamentPort"), QString("70000"), kPortRefused);
        AddRow("a password GBK cannot hold", QString("TournamentPassword"), QString("pass🎉"),
               QString("设置未能保存：“口令”中有配置文件无法保存的字符"));
    }
    void theSettingsDialogRefuses() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, said);
        QTemporaryDir dir;
        ConfigureRoom(dir.path(), 1883, "t1", "A101", "pass-a");
        TournamentLink link(dir.path());
        TournamentPanel panel(dir.path(), link);
        const QByteArray before = ReadWhole(AppPath(dir.path(), kTournamentProfile));
        TournamentSettingsDialog* dialog = OpenSettings(panel);
        QVERIFY(dialog);
        dialog->findChild<QLineEdit*>(field)->setText(typed);
        dialog->findChild<QPushButton*>("TournamentConnect")->click();
        auto* problem = dialog->findChild<QLabel*>("TournamentSettingsProblem");
        QVERIFY2(problem->isVisible() && problem->text().startsWith(said),
                 qPrintable(problem->text()));
        QCOMPARE(problem->textFormat(), Qt::PlainText);
        QVERIFY(dialog->isVisible());
        QCOMPARE(ReadWhole(AppPath(dir.path(), kTournamentProfile)), before);
        QCOMPARE(link.status(), QStringLiteral("未启用"));  // not applied
    }

    // A second computer set to the same room: the first gives way and says so, for good; the
    // room is the second's.
    void aSecondComputerInTheSameRoom() {
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        Listener board(broker.port, "board", "pass-board", {"debaclock/t1/A101/status"});
        Room first(broker, "pass-a");
        QTRY_VERIFY(first.link.isConnected() &&
                    board.json("debaclock/t1/A101/status").value("online").toBool());
        Room second(broker, "pass-a");
        QTRY_COMPARE(first.status()->text(), QStringLiteral("未连接：另一台电脑以同一赛场登录"));
        QCOMPARE(first.status()->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(second.link.isConnected());
        board.client.publish("debaclock/t1/A101/notice", "请本赛场提前入场", false);
        QTRY_COMPARE(second.noticeRows(), 1);
        QVERIFY(second.link.isConnected());
        QCOMPARE(first.status()->text(), QStringLiteral("未连接：另一台电脑以同一赛场登录"));
        QCOMPARE(first.noticeRows(), 0);
        QVERIFY(board.json("debaclock/t1/A101/status").value("online").toBool());
    }

    // The last will of an earlier run of this room, coming late, does not mark it offline: the
    // room says it is there again.
    void anEarlierRunsWillLeavesTheRoomOnline() {
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        Listener board(broker.port, "board", "pass-board", {"debaclock/t1/A101/status"});
        Room room(broker, "pass-a");
        QTRY_VERIFY(room.link.isConnected() && board.online.value("debaclock/t1/A101/status") == 1);
        Listener earlier(broker.port, "A101", "pass-a");
        QTRY_VERIFY(earlier.client.isConnected());
        earlier.client.publish("debaclock/t1/A101/status",
                               R"({"online": false, "instance": "an-earlier-run"})", true);
        QTRY_COMPARE(board.online.value("debaclock/t1/A101/status"), 2);
        QVERIFY(board.json("debaclock/t1/A101/status").value("online").toBool());
        QCOMPARE(room.status()->text(), QStringLiteral("已连接 127.0.0.1:%1").arg(broker.port));
    }

    // Tournament "a-b" room "c" and tournament "a" room "b-c": two rooms, both connected once
    // and for good, each with its own notice.
    void roomsWhoseNamesJoinAlike() {
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        Listener board(broker.port, "board", "pass-board", {"debaclock/+/+/status"});
        Room first(broker, "pass-c", "c", "a-b");
        Room second(broker, "pass-bc", "b-c", "a");
        QTRY_VERIFY(first.link.isConnected() && second.link.isConnected() &&
                    board.client.isConnected());
        board.client.publish("debaclock/a-b/c/notice", "给 a-b 的 c", false);
        board.client.publish("debaclock/a/b-c/notice", "给 a 的 b-c", false);
        QTRY_VERIFY(first.noticeRows() == 1 && second.noticeRows() == 1);
        QCOMPARE(board.online.value("debaclock/a-b/c/status"), 1);
        QCOMPARE(board.online.value("debaclock/a/b-c/status"), 1);
        QVERIFY(first.link.isConnected() && second.link.isConnected());
    }

    // A room's user cannot write another room's state: the broker drops it. Its own, sent
    // after it on the same connection, arrives; the forged one never did.
    void aRoomCannotWriteAnotherRoom() {
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        Listener board(broker.port, "board", "pass-board", {"debaclock/t1/+/state"});
        Listener a101(broker.port, "A101", "pass-a");
        QTRY_VERIFY(board.client.isConnected() && a101.client.isConnected());
        a101.client.publish("debaclock/t1/B202/state", R"({"room": "forged"})", true);
        a101.client.publish("debaclock/t1/A101/state", R"({"room": "A101"})", true);
        QTRY_VERIFY(board.last.contains("debaclock/t1/A101/state"));
        QVERIFY(!board.last.contains("debaclock/t1/B202/state"));
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--room-then-die") {
        TournamentLink link(QString::fromLocal8Bit(argv[2]));
        QObject::connect(&link, &TournamentLink::statusChanged, [&link] {
            if (link.isConnected()) {
                QTimer::singleShot(300, [] { std::raise(SIGKILL); });
            }
        });
        link.applySettings();
        return app.exec();
    }
    TournamentLinkTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_tournament_link.moc"

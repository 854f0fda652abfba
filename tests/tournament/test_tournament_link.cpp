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
#include <QWebSocket>
#include <QtTest>
#include <csignal>

#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/tournament_profile.h"
#include "foundation/widgets/full_screen_window.h"
#include "support/mosquitto_broker.h"
#include "tools/dev_support/tournament_room.h"
#include "tournament/board_service.h"
#include "tournament/tournament_link.h"
#include "tournament_panel.h"
#include "tournament_settings_dialog.h"

namespace {

const QList<QPair<QString, QString>> kUsers = {{"A101", "pass-a"}, {"B202", "pass-b"},
                                               {"C303", "pass-c"}, {"board", "pass-board"},
                                               {"c", "pass-c"},    {"b-c", "pass-bc"}};

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

// Someone on the broker as `user`, keeping the last message of every topic it reads.
struct Listener {
    BrokerClient client;
    QMap<QString, QByteArray> last;
    Listener(quint16 port, const QString& user, const QString& password,
             const QStringList& subscriptions = {}) {
        QObject::connect(&client, &BrokerClient::message,
                         [this](const QString& topic, const QByteArray& payload) {
                             last.insert(topic, payload);
                         });
        client.start({QStringLiteral("127.0.0.1"),
                      port,
                      user,
                      password,
                      false,
                      {},
                      QStringLiteral("test-") + user,
                      {},
                      {},
                      subscriptions});
    }
    QJsonObject json(const QString& topic) const {
        return QJsonDocument::fromJson(last.value(topic)).object();
    }
};

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
        QTest::mouseClick(panel.findChildren<QPushButton*>("TournamentNoticeClose").first(),
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

    // The board: every room by name, online or not, over the hall server's code; a notice from
    // a page with the token reaches the room it is for, one without the token is refused.
    void theBoardShowsEveryRoomAndSendsNotices() {
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        BoardService board;
        QString problem;
        QVERIFY2(board.start("t1",
                             {"127.0.0.1",
                              broker.port,
                              "board",
                              "pass-board",
                              false,
                              {},
                              "test-board",
                              {},
                              {},
                              {}},
                             0, "board-token", &problem),
                 qPrintable(problem));
        Listener a101(broker.port, "A101", "pass-a", {"debaclock/t1/A101/notice"});
        Listener b202(broker.port, "B202", "pass-b");
        Listener c303(broker.port, "C303", "pass-c");
        QTRY_VERIFY(board.broker().isConnected() && a101.client.isConnected() &&
                    b202.client.isConnected() && c303.client.isConnected());
        b202.client.publish("debaclock/t1/B202/state", R"({"screen": "Form4", "room": "B202"})",
                            true);
        a101.client.publish("debaclock/t1/A101/state",
                            R"({"screen": "Form6", "running": true, "room": "A101"})", true);
        c303.client.publish("debaclock/t1/C303/status", R"({"online": false})", true);
        const auto rooms = [&] {
            QStringList names;
            for (const QJsonValue& room : QJsonDocument::fromJson(board.board().toUtf8())
                                              .object()
                                              .value("rooms")
                                              .toArray()) {
                names << room["room"].toString() + (room["online"].toBool() ? "" : " offline");
            }
            return names.join(", ");
        };
        QTRY_COMPARE(rooms(), QStringLiteral("A101, B202, C303 offline"));

        QWebSocket page, stranger;
        page.open(QUrl(
            QStringLiteral("ws://127.0.0.1:%1/ws?token=board-token").arg(board.server().port())));
        stranger.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(board.server().port())));
        QStringList strangerHeard;
        QObject::connect(&stranger, &QWebSocket::textMessageReceived,
                         [&](const QString& text) { strangerHeard << text; });
        QTRY_VERIFY(page.state() == QAbstractSocket::ConnectedState &&
                    stranger.state() == QAbstractSocket::ConnectedState);
        stranger.sendTextMessage(R"({"notice": "伪造的通知"})");
        QTRY_VERIFY(strangerHeard.contains(R"({"error":"forbidden"})"));
        page.sendTextMessage(R"({"notice": "请A101准备第二轮", "room": "A101"})");
        QTRY_COMPARE(a101.json("debaclock/t1/A101/notice").value("text").toString(),
                     QStringLiteral("请A101准备第二轮"));
    }

    // The board page as a browser renders it (headless Chromium): a card per room, sorted by
    // name, the offline room marked, the one over time standing out.
    void theBoardPageInABrowser() {
        const QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (browser.isEmpty()) {
            QSKIP("no chromium on this machine (scripts/deps.sh test installs it)");
        }
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        BoardService board;
        QVERIFY(board.start(
            "t1",
            {"127.0.0.1", broker.port, "board", "pass-board", false, {}, "test-board", {}, {}, {}},
            0, "board-token"));
        Listener a101(broker.port, "A101", "pass-a");
        Listener b202(broker.port, "B202", "pass-b");
        Listener c303(broker.port, "C303", "pass-c");
        QTRY_VERIFY(board.broker().isConnected() && a101.client.isConnected() &&
                    b202.client.isConnected() && c303.client.isConnected());
        c303.client.publish("debaclock/t1/C303/state",
                            R"({"screen": "Form6", "segment": "驳论", "running": true, "clocks": [
                               {"name": "Label4", "text": "1分12秒", "colour": "#1D2740",
                                "label": "正方"}]})",
                            true);
        b202.client.publish("debaclock/t1/B202/state",
                            R"({"screen": "Form17", "segment": "总结陈词", "clocks": [
                               {"name": "Label2", "text": " 时间到！", "colour": "#FF0000",
                                "overtime": 12}]})",
                            true);
        a101.client.publish("debaclock/t1/A101/status", R"({"online": false})", true);
        QTRY_VERIFY(board.board().count("\"room\":") == 3);

        QTemporaryDir profile;
        QProcess chromium;
        chromium.start(browser,
                       {"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                        "--disable-background-networking", "--user-data-dir=" + profile.path(),
                        "--virtual-time-budget=5000", "--dump-dom",
                        QStringLiteral("http://127.0.0.1:%1/").arg(board.server().port())});
        // The board answers from this very event loop: it must run while the browser loads.
        QVERIFY(QTest::qWaitFor([&] { return chromium.state() == QProcess::NotRunning; }, 60000));
        const QString dom = QString::fromUtf8(chromium.readAllStandardOutput());
        const qsizetype a = dom.indexOf("aria-label=\"A101 离线");
        const qsizetype b = dom.indexOf("aria-label=\"B202 时间到\"");
        const qsizetype c = dom.indexOf("aria-label=\"C303 计时中\"");
        QVERIFY2(a >= 0 && b > a && c > b, qPrintable(dom.left(2000)));
        QVERIFY(dom.contains("class=\"room alert\""));  // B202, over time
        QVERIFY(dom.contains("超时 12秒"));
        QVERIFY(dom.contains("1分12秒"));
        QVERIFY(dom.contains("3 个赛场，2 个在线"));
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

// The tab room's board against a real Mosquitto broker started for each test: every room by
// name, online or not; a room's malformed state hides no other card, and a room gone since the
// morning says so; every notice is answered with what became of it; a viewer gets the whole board
// once and then only what changed; and `debaclock --board` refuses ports out of range.

#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "broker_fixture.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/tournament_profile.h"
#include "hall/hall_client.h"
#include "support/data_rows.h"
#include "support/mosquitto_broker.h"
#include "tournament/board_service.h"

using fixture::kUsers;
using fixture::Listener;
using fixture::Login;
using fixture::RenderedPage;

namespace {

bool HasChromium() {
    return !QStandardPaths::findExecutable(QStringLiteral("chromium")).isEmpty();
}

// The room `name` of the whole board, as a page gets it.
QJsonObject RoomOn(const BoardService& board, const QString& name) {
    for (const QJsonValue& room :
         QJsonDocument::fromJson(board.board().toUtf8()).object().value("rooms").toArray()) {
        if (room["room"].toString() == name) {
            return room.toObject();
        }
    }
    return {};
}

QString Utc(const QDateTime& at) {
    return at.toUTC().toString(Qt::ISODateWithMs);
}

// A room's state as a room writes it, "updated" at `at`.
QByteArray StateAt(const QDateTime& at, const QString& more = {}) {
    return QStringLiteral(R"({"screen": "Form6", "updated": "%1"%2})").arg(Utc(at), more).toUtf8();
}

}  // namespace

class BoardTest : public QObject {
    Q_OBJECT

  private slots:
    // The board: every room by name, online or not, over the hall server's code; a notice from
    // a page with the token reaches the room it is for, one without the token is refused.
    void theBoardShowsEveryRoomAndSendsNotices() {
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        BoardService board;
        QString problem;
        QVERIFY2(board.start("t1", Login(broker.port, "board", "pass-board"), 0, "board-token",
                             &problem),
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

        WebSocketClient page, stranger;
        page.open(QUrl(
            QStringLiteral("ws://127.0.0.1:%1/ws?token=board-token").arg(board.server().port())));
        stranger.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(board.server().port())));
        QStringList strangerHeard;
        stranger.onText = [&](const QString& text) { strangerHeard << text; };
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
        if (!HasChromium()) {
            QSKIP("no chromium on this machine (scripts/deps.sh test installs it)");
        }
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        BoardService board;
        QVERIFY(board.start("t1", Login(broker.port, "board", "pass-board"), 0, "board-token"));
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

        const QString dom =
            RenderedPage(QStringLiteral("http://127.0.0.1:%1/").arg(board.server().port()));
        const qsizetype a = dom.indexOf("aria-label=\"A101 离线");
        const qsizetype b = dom.indexOf("aria-label=\"B202 时间到\"");
        const qsizetype c = dom.indexOf("aria-label=\"C303 计时中\"");
        QVERIFY2(a >= 0 && b > a && c > b, qPrintable(dom.left(2000)));
        QVERIFY(dom.contains("class=\"room alert\""));  // B202, over time
        QVERIFY(dom.contains("超时 12秒"));
        QVERIFY(dom.contains("1分12秒"));
        QVERIFY(dom.contains("3 个赛场，2 个在线"));
    }

    // States no room of this program writes: every card is drawn, the bad ones with what
    // could be kept of them, and a room gone since the morning says how long ago.
    void aMalformedRoomHidesNoOther() {
        if (!HasChromium()) {
            QSKIP("no chromium on this machine (scripts/deps.sh test installs it)");
        }
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        const QDateTime twoHoursAgo = QDateTime::currentDateTimeUtc().addSecs(-2 * 3600 - 60);
        {
            Listener a101(broker.port, "A101", "pass-a"), b202(broker.port, "B202", "pass-b"),
                c303(broker.port, "C303", "pass-c"), d404(broker.port, "D404", "pass-d"),
                e505(broker.port, "E505", "pass-e");
            QTRY_VERIFY(a101.client.isConnected() && b202.client.isConnected() &&
                        c303.client.isConnected() && d404.client.isConnected() &&
                        e505.client.isConnected());
            QSignalSpy taken(&e505.client, &BrokerClient::published);
            a101.client.publish("debaclock/t1/A101/state",
                                StateAt(twoHoursAgo, R"(, "clocks": [{"text": "1分12秒"}])"), true);
            a101.client.publish("debaclock/t1/A101/status", R"({"online": false})", true);
            b202.client.publish("debaclock/t1/B202/state",
                                R"({"clocks": [{"text": 5, "label": "反方"}]})", true);
            c303.client.publish("debaclock/t1/C303/state", R"({"clocks": [null]})", true);
            d404.client.publish("debaclock/t1/D404/state",
                                R"({"clocks": [{"text": {"x": 1}}], "segment": ["x"]})", true);
            e505.client.publish("debaclock/t1/E505/state", "[1, 2, 3]", true);
            QTRY_COMPARE(taken.size(), 1);
        }
        BoardService board;
        QVERIFY(board.start("t1", Login(broker.port, "board", "pass-board"), 0, "board-token"));
        QTRY_VERIFY(board.board().count("\"room\":") == 5);
        QCOMPARE(RoomOn(board, "B202")
                     .value("state")
                     .toObject()
                     .value("clocks")
                     .toArray()
                     .first()
                     .toObject(),
                 QJsonObject({{QStringLiteral("label"), QStringLiteral("反方")}}));
        QCOMPARE(RoomOn(board, "A101").value("heard").toString(), Utc(twoHoursAgo));

        const QString dom =
            RenderedPage(QStringLiteral("http://127.0.0.1:%1/").arg(board.server().port()));
        for (const char* card :
             {"aria-label=\"A101 离线 2小时前\"", "aria-label=\"B202 ", "aria-label=\"C303 ",
              "aria-label=\"D404 ", "aria-label=\"E505 "}) {
            QVERIFY2(dom.contains(QString::fromUtf8(card)), qPrintable(card + dom.left(3000)));
        }
        QVERIFY(dom.contains("1分12秒"));
        QVERIFY(dom.contains("反方"));
        QVERIFY(dom.contains("5 个赛场，4 个在线"));
        QVERIFY(dom.contains("class=\"room alert offline\""));  // gone for more than 30 s
    }

    // Each notice gets one answer: sent once the broker took it, not sent when the broker
    // refused it (a board whose user may not send notices) or the board is not connected.
    void everyNoticeIsAnswered_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("brokerStopped");
        QTest::addColumn<bool>("sent");
        AddRow("taken", QString("board"), QString("pass-board"), false, true);
        AddRow("refused by the broker", QString("C303"), QString("pass-c"), false, false);
        AddRow("the board not connected", QString("board"), QString("pass-board"), true, false);
    }
    void everyNoticeIsAnswered() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, brokerStopped);
        QFETCH(bool, sent);
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        BoardService board;
        QVERIFY(board.start("t1", Login(broker.port, user, password), 0, "board-token"));
        Listener a101(broker.port, "A101", "pass-a", {"debaclock/t1/A101/notice"});
        QTRY_VERIFY(board.broker().isConnected() && a101.client.isConnected());
        HallClient page(board.server().port(), "?token=board-token");
        page.waitFor(1);
        if (brokerStopped) {
            broker.stop();
            QTRY_VERIFY(!board.broker().isConnected());
        }
        page.send(R"({"notice": "请A101准备第二轮", "room": "A101"})");
        page.waitFor(2);
        if (sent) {
            QVERIFY2(QDateTime::fromString(page.last().value("sent").toString(), Qt::ISODateWithMs)
                         .isValid(),
                     qPrintable(page.messages.last()));
            QTRY_COMPARE(a101.json("debaclock/t1/A101/notice").value("text").toString(),
                         QStringLiteral("请A101准备第二轮"));
        } else {
            QCOMPARE(page.lastError(), QStringLiteral("unavailable"));
            QVERIFY(a101.last.isEmpty());
        }
    }

    // A viewer gets the whole board once, then the rooms that changed and no others; one that
    // comes later gets the whole board as it is then.
    void theWholeBoardOnceThenChanges() {
        MosquittoBroker broker(kUsers);
        QVERIFY(broker.running);
        BoardService board;
        QVERIFY(board.start("t1", Login(broker.port, "board", "pass-board"), 0, "board-token"));
        Listener a101(broker.port, "A101", "pass-a"), b202(broker.port, "B202", "pass-b");
        QTRY_VERIFY(board.broker().isConnected() && a101.client.isConnected() &&
                    b202.client.isConnected());
        a101.client.publish("debaclock/t1/A101/state", R"({"screen": "Form4"})", true);
        QTRY_VERIFY(RoomOn(board, "A101").contains("state"));

        HallClient viewer(board.server().port());
        viewer.waitFor(1);
        QCOMPARE(viewer.last().value("tournament").toString(), QStringLiteral("t1"));
        QCOMPARE(viewer.last().value("rooms").toArray().size(), 1);
        b202.client.publish("debaclock/t1/B202/state", R"({"screen": "Form6", "segment": "驳论"})",
                            true);
        viewer.waitFor(2);
        const QJsonObject change = viewer.last();
        QVERIFY2(!change.contains("rooms"), qPrintable(viewer.messages.last()));
        QCOMPARE(change.value("changed").toArray().size(), 1);
        QCOMPARE(change["changed"][0]["room"].toString(), QStringLiteral("B202"));
        QCOMPARE(change["changed"][0]["state"]["segment"].toString(), QStringLiteral("驳论"));
        QVERIFY(QDateTime::fromString(change["now"].toString(), Qt::ISODateWithMs).isValid());

        HallClient later(board.server().port());
        later.waitFor(1);
        QCOMPARE(later.last().value("rooms").toArray().size(), 2);
        QCOMPARE(viewer.messages.size(), 2);
    }

    // `debaclock --board` with a port that would wrap: refused, with the reason, at once.
    void theBoardRefusesPortsOutOfRange_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("port");
        AddRow("the broker's port, 70000", TournamentKey::Port, QString("70000"));
        AddRow("the page's port, 70000", BoardKey::WebPort, QString("70000"));
        AddRow("the broker's port, no number", TournamentKey::Port, QString("18a3"));
    }
    void theBoardRefusesPortsOutOfRange() {
        QFETCH(QString, key);
        QFETCH(QString, port);
        QTemporaryDir dir;
        const QString program = dir.filePath("debaclock");
        // The built program in a folder of its own (a portable copy): linked, not copied.
        QVERIFY(::link(DEBACLOCK_APP_DIR "/debaclock", program.toLocal8Bit().constData()) == 0 ||
                QFile::copy(DEBACLOCK_APP_DIR "/debaclock", program));
        QDir(dir.path()).mkpath("config");
        const QString profile = AppPath(dir.path(), kBoardProfile);
        WriteProfileString(profile, kConfigSection, TournamentKey::Host, "127.0.0.1");
        WriteProfileString(profile, kConfigSection, TournamentKey::Tournament, "t1");
        WriteProfileString(profile, kConfigSection, key, port);
        QProcess board;
        board.start(program, {"--board"});
        const bool ended = board.waitForFinished(20000);
        board.kill();
        QVERIFY(ended);
        QCOMPARE(board.exitCode(), 1);
        const QString said = QString::fromUtf8(board.readAllStandardError());
        QVERIFY2(said.contains(kPortRefused) && said.contains(key), qPrintable(said));
    }
};

QTEST_MAIN(BoardTest)
#include "test_board.moc"

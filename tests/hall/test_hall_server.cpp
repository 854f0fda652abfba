// The hall's network over real sockets on 127.0.0.1: what a mirror receives, what a remote may
// do, and how bad input, floods and silent clients are refused without touching the clock.

#include <QAction>
#include <QDialog>
#include <QJsonArray>
#include <QTcpSocket>
#include <QtTest>
#include <future>

#include "hall/hall_server.h"
#include "hall/qr_code.h"
#include "hall_client.h"
#include "support/clock_screen_fixture.h"
#include "support/data_rows.h"
#include "timing/two_side_countdown.h"

namespace {

const QString kToken = QStringLiteral("right-token");

// What the clocks show, as the screen itself and as a state message list them.
QStringList Readings(const FullScreenWindow* screen) {
    QStringList readings;
    for (const ClockReading& clock : screen->clocks()) {
        readings << clock.name + ' ' + clock.text + ' ' +
                        clock.colour.name(QColor::HexRgb).toUpper() + ' ' + clock.label;
    }
    return readings;
}
QStringList Readings(const QJsonObject& state) {
    QStringList readings;
    for (const QJsonValue clock : state["clocks"].toArray()) {
        readings << clock["name"].toString() + ' ' + clock["text"].toString() + ' ' +
                        clock["colour"].toString() + ' ' + clock["label"].toString();
    }
    return readings;
}
QStringList Commands(const QWidget* screen) {
    QStringList commands;
    for (const QAction* action : screen->actions()) {
        commands << action->objectName() + ' ' + action->text() + ' ' +
                        QString::number(action->isEnabled());
    }
    return commands;
}

// A two-side clock screen of "驳论" served on a free port, with a known token.
struct Served : ClockScreenFixture<Form6> {
    HallServer server;

    explicit Served(HallServer::Limits limits = {})
        : ClockScreenFixture<Form6>("2", "90", "30"), server(limits) {
        open()->show();
        server.setToken(kToken);
        server.show(screen.get(), QStringLiteral("驳论"));
        QString problem;
        const bool started = server.start(0, &problem);
        if (!started) {
            qFatal("the server did not start: %s", qPrintable(problem));
        }
    }
    quint16 port() { return server.port(); }
};

}  // namespace

class HallServerTest : public QObject {
    Q_OBJECT

  private slots:
    void mirrorGetsTheStateOnConnectAndEveryTick() {
        Served served;
        HallClient mirror(served.port());
        mirror.waitFor(1);
        QCOMPARE(mirror.last()["screen"].toString(), QStringLiteral("Form6"));
        QCOMPARE(mirror.last()["segment"].toString(), QStringLiteral("驳论"));
        QCOMPARE(Readings(mirror.last()), Readings(served.screen.get()));
        served.press(Qt::LeftButton);
        QCoreApplication::sendPostedEvents();
        mirror.waitFor(2);
        for (int tick = 0; tick < 3; ++tick) {
            const int before = int(mirror.messages.size());
            FireRunningTickers(served.screen.get());
            mirror.waitFor(before + 1);
            QCOMPARE(Readings(mirror.last()), Readings(served.screen.get()));
        }
        QCOMPARE(mirror.messages.last(), served.server.state());
        served.server.show(nullptr, {});
        mirror.waitFor(int(mirror.messages.size()) + 1);
        QCOMPARE(mirror.last()["screen"].toString(), QString());
        QVERIFY(mirror.last()["clocks"].toArray().isEmpty());
    }

    // Two copies of the screen: one clicked as the operator clicks, one driven by the remote.
    void aRemoteCommandIsTheClick() {
        Served served;
        Form6 clicked(served.context);
        clicked.show();
        HallClient remote(served.port(), "?token=" + kToken);
        remote.waitFor(1);
        for (const QString step : {"Left", "tick", "Right", "tick", "Command3", "Left"}) {
            if (step == "tick") {
                FireRunningTickers(&clicked);
                FireRunningTickers(served.screen.get());
            } else {
                OperatorStep(&clicked, step);
                const QString stateBefore = served.server.state();
                remote.trigger(step);
                QTRY_VERIFY2(served.server.state() != stateBefore, qPrintable(step));
            }
            QCoreApplication::sendPostedEvents();
            QCOMPARE(Readings(served.screen.get()), Readings(&clicked));
            QCOMPARE(Commands(served.screen.get()), Commands(&clicked));
        }
    }

    void aCommandTheScreenCannotTakeNowIsRefused() {
        Served served;
        HallClient remote(served.port(), "?token=" + kToken);
        remote.waitFor(1);
        QAction* disabled = nullptr;
        for (QAction* action : served.screen->actions()) {
            if (!action->isEnabled()) {
                disabled = action;
            }
        }
        QVERIFY(disabled);
        QSignalSpy triggered(disabled, &QAction::triggered);
        const QStringList shown = Readings(served.screen.get());
        remote.trigger(disabled->objectName());
        remote.waitFor(2);
        QCOMPARE(remote.lastError(), QStringLiteral("unavailable"));
        remote.trigger("Command99");
        remote.waitFor(3);
        QCOMPARE(remote.lastError(), QStringLiteral("unavailable"));
        // A click does nothing while a dialog waits for the operator; nor does the remote.
        QDialog question;
        question.setModal(true);
        question.show();
        remote.trigger("Left");
        remote.waitFor(4);
        QCOMPARE(remote.lastError(), QStringLiteral("unavailable"));
        QCOMPARE(triggered.count(), 0);
        QCOMPARE(Readings(served.screen.get()), shown);
        QVERIFY(!served.screen->clockRunning());
    }

    void withoutTheTokenNothingHappens() {
        Served served;
        const HttpAnswer refused = HttpGet(served.port(), "/remote");
        QCOMPARE(refused.status, 403);
        QVERIFY(QString::fromUtf8(refused.body).contains("口令无效"));
        QCOMPARE(HttpGet(served.port(), "/remote?token=wrong").status, 403);
        const HttpAnswer page = HttpGet(served.port(), "/remote?token=" + kToken);
        QCOMPARE(page.status, 200);
        QVERIFY(page.contentType.startsWith("text/html"));
        HallClient mirror(served.port());
        HallClient guess(served.port(), "?token=wrong");
        mirror.waitFor(1);
        guess.waitFor(2);
        QCOMPARE(guess.lastError(), QStringLiteral("forbidden"));
        for (HallClient* client : {&mirror, &guess}) {
            const int before = int(client->messages.size());
            client->trigger("Left");
            client->waitFor(before + 1);
            QCOMPARE(client->lastError(), QStringLiteral("forbidden"));
        }
        QVERIFY(!served.screen->clockRunning());
    }

    void aNewTokenLocksOutTheOldRemotes() {
        Served served;
        HallClient remote(served.port(), "?token=" + kToken);
        HallClient mirror(served.port());
        remote.waitFor(1);
        mirror.waitFor(1);
        served.server.setToken("new-token");
        QTRY_COMPARE(remote.closed.count(), 1);
        QCOMPARE(int(remote.socket.closeCode()), 4403);
        QCOMPARE(remote.lastError(), QStringLiteral("forbidden"));
        QCOMPARE(HttpGet(served.port(), "/remote?token=" + kToken).status, 403);
        HallClient renewed(served.port(), "?token=new-token");
        renewed.waitFor(1);
        renewed.trigger("Left");
        QTRY_VERIFY(served.screen->clockRunning());
        QCOMPARE(mirror.closed.count(), 0);  // the mirror needs no token
    }

    void wrongTokensAreLimitedPerAddress() {
        Served served;
        for (int guess = 0; guess < 5; ++guess) {
            QCOMPARE(HttpGet(served.port(), "/remote?token=guess").status, 403);
        }
        // Past the limit even the right token is not looked at.
        QCOMPARE(HttpGet(served.port(), "/remote?token=" + kToken).status, 429);
        HallClient remote(served.port(), "?token=" + kToken);
        remote.waitFor(2);
        QCOMPARE(remote.lastError(), QStringLiteral("too many"));
        // The remote page is told how long to wait before it tries again.
        const int wait = remote.last()["wait"].toInt();
        QVERIFY2(wait > 55 && wait <= 60, qPrintable(QString::number(wait)));
        remote.trigger("Left");
        remote.waitFor(3);
        QCOMPARE(remote.lastError(), QStringLiteral("forbidden"));
        QVERIFY(!served.screen->clockRunning());
    }

    void onlyTheServersOwnPagesAreServed() {
        Served served;
        const HttpAnswer mirror = HttpGet(served.port(), "/");
        QCOMPARE(mirror.status, 200);
        QVERIFY(mirror.body.contains("/hall.js"));
        QCOMPARE(HttpGet(served.port(), "/hall.js").status, 200);
        QCOMPARE(HttpGet(served.port(), "/hall.css").status, 200);
        for (const QString path :
             {"/config/main.ini", "/../config/main.ini", "/%2e%2e/config", "/mirror.html", "/ws"}) {
            QVERIFY2(HttpGet(served.port(), path).status >= 400, qPrintable(path));
        }
    }

    void badMessagesAreRefusedAndTheClientKeepsItsState() {
        Served served;
        HallClient remote(served.port(), "?token=" + kToken);
        remote.waitFor(1);
        const QList<QPair<QString, QString>> cases = {
            {"{", "malformed"},
            {"[1]", "malformed"},
            {"\"Left\"", "malformed"},
            {"{\"trigger\": 5}", "malformed"},
            {"{\"trigger\": \"\"}", "malformed"},
            {"{\"press\": \"Left\"}", "unknown"},
            {"{\"trigger\": \"Left\", \"extra\": 1}", "unknown"},
        };
        for (const auto& [text, refusal] : cases) {
            const int before = int(remote.messages.size());
            remote.send(text);
            remote.waitFor(before + 1);
            QVERIFY2(remote.lastError() == refusal, qPrintable(text));
        }
        remote.socket.sendBinaryMessage("\x01\x02");
        remote.waitFor(int(cases.size()) + 2);
        QCOMPARE(remote.lastError(), QStringLiteral("malformed"));
        QVERIFY(!served.screen->clockRunning());
        QCOMPARE(remote.closed.count(), 0);
    }

    void anOversizedMessageClosesOnlyItsClient() {
        Served served;
        HallClient big(served.port(), "?token=" + kToken);
        HallClient other(served.port());
        big.waitFor(1);
        other.waitFor(1);
        big.send("{\"trigger\": \"" + QString(10000, 'x') + "\"}");
        QTRY_COMPARE(big.closed.count(), 1);
        QCOMPARE(big.socket.closeCode(), WebSocketClient::kTooBig);
        served.press(Qt::LeftButton);
        QCoreApplication::sendPostedEvents();
        other.waitFor(2);
        QCOMPARE(Readings(other.last()), Readings(served.screen.get()));
    }

    void aFloodOfMessagesIsRefusedThenClosed() {
        Served served;
        HallClient flood(served.port(), "?token=" + kToken);
        flood.waitFor(1);
        for (int i = 0; i < 200; ++i) {
            flood.send("{\"trigger\": \"Command99\"}");
        }
        QTRY_COMPARE(flood.closed.count(), 1);
        QCOMPARE(flood.socket.closeCode(), WebSocketClient::kPolicyViolated);
        QVERIFY(flood.messages.filter("too many").size() > 0);
        QVERIFY(flood.messages.filter("unavailable").size() <= 20);
    }

    void aFloodOfConnectionsIsRefusedWith503() {
        HallServer::Limits limits;
        limits.connections.connections = 4;
        Served served(limits);
        QList<HallClient*> clients;
        for (int i = 0; i < 4; ++i) {
            clients.append(new HallClient(served.port()));
            clients.last()->waitFor(1);
        }
        QTcpSocket extra;
        extra.connectToHost(QHostAddress::LocalHost, served.port());
        QVERIFY(extra.waitForConnected(5000));
        extra.write("GET / HTTP/1.1\r\nHost: x\r\n\r\n");
        QTRY_VERIFY(extra.bytesAvailable() > 0 || extra.state() != QAbstractSocket::ConnectedState);
        QVERIFY(extra.readAll().startsWith("HTTP/1.1 503"));
        qDeleteAll(clients);
        QTRY_COMPARE(served.server.clientCount(), 0);
        QCOMPARE(HttpGet(served.port(), "/").status, 200);  // room again
    }

    void slowAndSilentClientsAreDropped() {
        HallServer::Limits limits;
        limits.connections.requestMs = 200;
        limits.connections.requestBytes = 4096;
        limits.pingMs = 50;
        Served served(limits);
        QTcpSocket unfinished, endless, silent;
        for (QTcpSocket* socket : {&unfinished, &endless, &silent}) {
            socket->connectToHost(QHostAddress::LocalHost, served.port());
            QVERIFY(socket->waitForConnected(5000));
        }
        unfinished.write("GET / HTTP/1.1\r\nHost: x\r\n");  // and never the end
        endless.write("GET / HTTP/1.1\r\nX-Long: " + QByteArray(8000, 'a'));
        // A WebSocket that never reads and never answers a ping.
        silent.write(
            "GET /ws HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
            "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
        QTRY_COMPARE(served.server.clientCount(), 1);
        for (QTcpSocket* socket : {&unfinished, &endless, &silent}) {
            QTRY_COMPARE_WITH_TIMEOUT(socket->state(), QAbstractSocket::UnconnectedState, 5000);
        }
        QCOMPARE(served.server.clientCount(), 0);
        HallClient mirror(served.port());
        mirror.waitFor(1);  // the server goes on serving
    }

    // What a request gets at once, however it is built.
    void answers_data() {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<int>("count");
        const QByteArray end = " HTTP/1.1\r\nHost: x\r\n\r\n";
        AddRow("an address over 64 KB", "GET /" + QByteArray(70000, 'a') + end, QByteArray("414"),
               1);
        AddRow("headers over 64 KB", "GET / HTTP/1.1\r\nX-Long: " + QByteArray(70000, 'a'),
               QByteArray("431"), 1);
        AddRow("a handshake without Connection: Upgrade",
               QByteArray("GET /ws HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\n\r\n"),
               QByteArray("400"), 1);
        AddRow("a handshake from another site's page",
               QByteArray("GET /ws HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\n"
                          "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                          "Sec-WebSocket-Version: 13\r\nOrigin: http://evil.example\r\n\r\n"),
               QByteArray("403"), 1);
        AddRow("a request that carries a body",
               QByteArray("GET / HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nhello"),
               QByteArray("413"), 1);
        AddRow("100 pipelined requests, each byte counted once",
               QByteArray("GET /hall.css" + end).repeated(100), QByteArray("200"), 100);
    }
    void answers() {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, status);
        QFETCH(int, count);
        Served served;
        RawPeer peer(served.port());
        peer.socket.write(request);
        QByteArray received;
        const auto answered = [&] {
            received += peer.socket.readAll();
            return received.count("HTTP/1.1 " + status) >= count || peer.closed();
        };
        QTRY_VERIFY_WITH_TIMEOUT(answered(), 5000);
        received += peer.socket.readAll();
        QCOMPARE(received.count("HTTP/1.1 " + status), count);
        QCOMPARE(received.count("HTTP/1.1 "), count);
        QVERIFY(!received.contains("Access-Control-Allow-Origin"));
    }

    // A page of another site gets nothing: no handshake, no remote page, and its wrong tokens
    // spend none of the operator's tries. The server's own pages are let in.
    void onlyTheServersOwnPagesConnect() {
        Served served;
        const QByteArray port = QByteArray::number(served.port());
        for (int guess = 0; guess < 8; ++guess) {
            RawPeer foreign(served.port());
            foreign.handshake("/ws?token=guess", "http://evil.example:" + port);
            const QByteArray refused = foreign.answer();
            QVERIFY2(refused.startsWith("HTTP/1.1 403"), refused.left(300).constData());
            RawPeer page(served.port());
            page.socket.write(
                "GET /remote?token=guess HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                "Sec-Fetch-Site: cross-site\r\n\r\n");
            QVERIFY(page.answer().startsWith("HTTP/1.1 403"));
        }
        for (const QByteArray& origin :
             {"http://127.0.0.1:" + port, "http://[::1]:" + port, "http://localhost:" + port}) {
            RawPeer own(served.port());
            own.handshake("/ws", origin);
            QVERIFY2(own.answer().startsWith("HTTP/1.1 101"), origin.constData());
        }
        RawPeer otherPort(served.port());
        otherPort.handshake("/ws", "http://127.0.0.1:1");
        QVERIFY(otherPort.answer().startsWith("HTTP/1.1 403"));
        HallClient remote(served.port(), "?token=" + kToken);
        remote.waitFor(1);
        remote.trigger("Left");
        QTRY_VERIFY(served.screen->clockRunning());
        QCOMPARE(remote.lastError(), QString());
    }

    // A token the operator typed with "+", "&", "%" or "#" works once percent-encoded, as the
    // console puts it in the address.
    void aTokenWithSignsWorksEncoded() {
        Served served;
        const QString token = QStringLiteral("a+b&c%d#e f");
        served.server.setToken(token);
        const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(token));
        QCOMPARE(HttpGet(served.port(), "/remote?token=" + encoded).status, 200);
        HallClient remote(served.port(), "?token=" + encoded);
        remote.waitFor(1);
        remote.trigger("Left");
        QTRY_VERIFY(served.screen->clockRunning());
        QCOMPARE(HttpGet(served.port(), "/remote?token=a b&c%25d").status, 403);
    }

    // Peers that send without reading: the pongs or replies they leave unread are held only up
    // to the limit, then they are dropped. A mirror that reads is served on.
    void floodsThatDoNotReadAreDropped_data() {
        QTest::addColumn<bool>("webSocket");
        QTest::addColumn<QByteArray>("unit");
        AddRow("pings, no pong read", true, ClientFrame(0x9, QByteArray(125, 'p')));
        AddRow("pipelined requests, no reply read", false,
               QByteArray("GET /hall.js HTTP/1.1\r\nHost: x\r\n\r\n"));
    }
    void floodsThatDoNotReadAreDropped() {
        QFETCH(bool, webSocket);
        QFETCH(QByteArray, unit);
        HallServer::Limits limits;
        // Only what is left unread may end these peers: not what they send, not their time.
        limits.connections.requestBytes = qint64(1) << 30;
        limits.connections.requestMs = 60000;
        Served served(limits);
        HallClient mirror(served.port());
        mirror.waitFor(1);
        served.press(Qt::LeftButton);
        RawPeer peer(served.port());
        peer.socket.setReadBufferSize(1);  // it reads nothing past its first byte
        if (webSocket) {
            peer.handshake("/ws");
            QTRY_COMPARE(served.server.clientCount(), 2);
        }
        // On a still screen: no new state goes out that could find the peer behind.
        const QByteArray batch = unit.repeated(64 * 1024 / unit.size());
        for (int batches = 0; batches < 1000 && !peer.closed(); ++batches) {
            peer.socket.write(batch);
            peer.socket.flush();
            QCoreApplication::processEvents();
        }
        QTRY_VERIFY_WITH_TIMEOUT(peer.closed(), 5000);
        QTRY_COMPARE(served.server.clientCount(), 1);
        const int before = int(mirror.messages.size());
        FireRunningTickers(served.screen.get());
        mirror.waitFor(before + 1);
        QCOMPARE(Readings(mirror.last()), Readings(served.screen.get()));
    }

    // Every place taken by a few addresses: a newcomer from one of them waits, the operator's
    // remote from another address takes the place of the busiest one's oldest connection, and
    // keeps it.
    void theOperatorGetsInWhenTheHallIsFull() {
        HallServer::Limits limits;
        limits.connections.connections = 4;
        limits.connections.connectionsPerAddress = 3;
        Served served(limits);
        QList<RawPeer*> crowd;
        for (const char* from : {"127.0.0.2", "127.0.0.2", "127.0.0.3", "127.0.0.3"}) {
            crowd.append(new RawPeer(served.port(), QHostAddress(from)));
            crowd.last()->handshake("/ws");
            const QByteArray welcomed = crowd.last()->answer();
            QVERIFY2(welcomed.startsWith("HTTP/1.1 101"), welcomed.left(300).constData());
        }
        RawPeer more(served.port(), QHostAddress("127.0.0.3"));
        more.handshake("/ws");
        QVERIFY(more.answer().startsWith("HTTP/1.1 503"));

        RawPeer remote(served.port(), QHostAddress("127.0.0.4"));
        remote.handshake("/ws?token=" + kToken.toLatin1());
        QVERIFY(remote.answer().startsWith("HTTP/1.1 101"));
        QTRY_VERIFY(std::count_if(crowd.cbegin(), crowd.cend(),
                                  [](const RawPeer* p) { return p->closed(); }) == 1);
        remote.socket.write(ClientFrame(0x1, R"({"trigger": "Left"})"));
        QTRY_VERIFY(served.screen->clockRunning());
        // A crowd that comes back takes no place from the kept remote.
        for (const char* from : {"127.0.0.2", "127.0.0.3", "127.0.0.5"}) {
            RawPeer again(served.port(), QHostAddress(from));
            again.handshake("/ws");
            again.answer();
        }
        QVERIFY(!remote.closed());
        qDeleteAll(crowd);
    }

    void stoppingClosesTheClientsAndAPortInUseIsSaid() {
        Served served;
        HallClient mirror(served.port());
        mirror.waitFor(1);
        HallServer second;
        QString problem;
        QVERIFY(!second.start(served.port(), &problem));
        QVERIFY(!second.isRunning());
        QCOMPARE(problem, QStringLiteral("端口 %1 已被其他程序占用").arg(served.port()));
        served.server.stop();
        QTRY_COMPARE(mirror.closed.count(), 1);
        QCOMPARE(mirror.socket.closeCode(), WebSocketClient::kGoingAway);
        QVERIFY(!served.server.isRunning());
    }

    // The server goes with clients of every kind still there: those with a WebSocket are told
    // it goes away, the others are closed, and nothing waits for any of them.
    void destroyingTheServerWithClientsConnected() {
        auto served = std::make_unique<Served>();
        const quint16 port = served->port();
        HallClient mirror(port);
        HallClient remote(port, "?token=" + kToken);
        RawPeer unread(port);
        unread.socket.setReadBufferSize(1);
        unread.handshake("/ws");
        RawPeer halfway(port);
        halfway.socket.write("GET / HTTP/1.1\r\nHost: x\r\n");
        mirror.waitFor(1);
        remote.waitFor(1);
        QTRY_COMPARE(served->server.clientCount(), 3);
        served.reset();
        for (HallClient* client : {&mirror, &remote}) {
            QTRY_COMPARE(client->closed.count(), 1);
            QCOMPARE(client->socket.closeCode(), WebSocketClient::kGoingAway);
        }
        unread.socket.setReadBufferSize(0);  // it reads again, and so sees the end
        for (RawPeer* peer : {&unread, &halfway}) {
            QTRY_VERIFY(peer->closed());
        }
    }

    // The network has a thread of its own: while the window's thread is busy and does not come
    // back to its events, a page, the state and a WebSocket's welcome are still served.
    void theNetworkAnswersWhileTheWindowIsBusy() {
        Served served;
        const quint16 port = served.port();
        const QByteArray state = served.server.state().toUtf8();
        // Each answer ends with the state: the body of GET /state, the welcome's text frame.
        auto answered = std::async(std::launch::async, [port, state] {
            const auto ask = [&](const QByteArray& request) {
                QTcpSocket peer;
                peer.connectToHost(QHostAddress::LocalHost, port);
                peer.waitForConnected(5000);
                peer.write(request);
                QByteArray got;
                while (!got.endsWith(state) && peer.waitForReadyRead(5000)) {
                    got += peer.readAll();
                }
                return got;
            };
            return QList<QByteArray>{
                ask("GET /state HTTP/1.1\r\nHost: x\r\n\r\n"),
                ask("GET /ws HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\n"
                    "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                    "Sec-WebSocket-Version: 13\r\n\r\n")};
        });
        // Not one event of this thread runs until both are in.
        QCOMPARE(answered.wait_for(std::chrono::seconds(20)), std::future_status::ready);
        const QList<QByteArray> answers = answered.get();
        for (const auto& [answer, status] :
             {std::pair(answers[0], "HTTP/1.1 200"), std::pair(answers[1], "HTTP/1.1 101")}) {
            QVERIFY2(answer.startsWith(status) && answer.endsWith(state),
                     answer.left(300).constData());
        }
    }

    void qrCodeHasItsFinderPatternsAndQuietZone() {
        const QImage code =
            QrCodeImage("http://192.168.1.20:8640/remote?token=abcdefghijklmnopqrstuv");
        QVERIFY(!code.isNull());
        QCOMPARE(code.width(), code.height());
        QCOMPARE((code.width() - 8 - 21) % 4, 0);  // a QR version's size, with the quiet zone
        const auto dark = [&](int x, int y) { return code.pixelColor(x, y) == Qt::black; };
        const int far = code.width() - 5;
        for (const QPoint corner : {QPoint(4, 4), QPoint(far, 4), QPoint(4, far)}) {
            QVERIFY(dark(corner.x(), corner.y()));
        }
        QVERIFY(!dark(far, far));  // no finder pattern in the fourth corner
        QVERIFY(!dark(0, 0) && !dark(3, 3));
    }
};

QTEST_MAIN(HallServerTest)
#include "test_hall_server.moc"

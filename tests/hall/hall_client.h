#pragma once
// A phone in the hall, as far as the tests need one: a real WebSocket on 127.0.0.1 that keeps
// every message it got, and a plain HTTP GET.

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

#include "tools/dev_support/web_socket_client.h"

struct HallClient {
    WebSocketClient socket;
    QStringList messages;
    QSignalSpy closed{&socket.tcp, &QTcpSocket::disconnected};

    explicit HallClient(quint16 port, const QString& query = {}) {
        socket.onText = [this](const QString& text) { messages.append(text); };
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws%2").arg(port).arg(query)));
    }
    // Waits for the `count`th message.
    void waitFor(int count) { QTRY_VERIFY_WITH_TIMEOUT(messages.size() >= count, 5000); }
    QJsonObject last() const {
        return messages.isEmpty() ? QJsonObject()
                                  : QJsonDocument::fromJson(messages.last().toUtf8()).object();
    }
    QString lastError() const { return last().value("error").toString(); }
    void send(const QString& text) { socket.sendTextMessage(text); }
    void trigger(const QString& action) {
        send(QStringLiteral("{\"trigger\": \"%1\"}").arg(action));
    }
};

struct HttpAnswer {
    int status = 0;
    QByteArray body;
    QByteArray contentType;
};

inline HttpAnswer HttpGet(quint16 port, const QString& path) {
    QNetworkAccessManager network;
    QNetworkReply* reply = network.get(
        QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path))));
    QSignalSpy finished(reply, &QNetworkReply::finished);
    finished.wait(5000);
    HttpAnswer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                      reply->readAll(),
                      reply->header(QNetworkRequest::ContentTypeHeader).toByteArray()};
    delete reply;
    return answer;
}

// A hostile peer: a plain TCP socket from a chosen loopback address, which sends what it likes
// and reads only when asked.
struct RawPeer {
    QTcpSocket socket;

    explicit RawPeer(quint16 port, const QHostAddress& from = QHostAddress::LocalHost) {
        socket.bind(from);
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.waitForConnected(5000);
    }
    // A WebSocket handshake for `path`, with `origin` when given.
    void handshake(const QByteArray& path, const QByteArray& origin = {}) {
        QByteArray request =
            "GET " + path +
            " HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n"
            "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
            "Sec-WebSocket-Version: 13\r\n";
        if (!origin.isEmpty()) {
            request += "Origin: " + origin + "\r\n";
        }
        socket.write(request + "\r\n");
    }
    // What came back, once something has or the peer was closed (within 5 s). The events of
    // this thread go on while the peer waits.
    QByteArray answer() {
        (void)QTest::qWaitFor(
            [this] {
                return socket.bytesAvailable() > 0 ||
                       socket.state() != QAbstractSocket::ConnectedState;
            },
            5000);
        return socket.readAll();
    }
    bool closed() const { return socket.state() == QAbstractSocket::UnconnectedState; }
};

// A masked client frame (a ping is opcode 9, a text message 1) with `payload` of at most 125 bytes.
inline QByteArray ClientFrame(quint8 opcode, const QByteArray& payload) {
    QByteArray frame;
    frame.append(char(0x80 | opcode));
    frame.append(char(0x80 | payload.size()));
    const QByteArray mask("\x12\x34\x56\x78", 4);
    frame.append(mask);
    for (qsizetype i = 0; i < payload.size(); ++i) {
        frame.append(char(payload[i] ^ mask[i % 4]));
    }
    return frame;
}

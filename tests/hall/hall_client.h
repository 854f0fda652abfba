#pragma once
// A phone in the hall, as far as the tests need one: a real WebSocket on 127.0.0.1 that keeps
// every message it got, and a plain HTTP GET.

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QWebSocket>
#include <QtTest>

struct HallClient {
    QWebSocket socket;
    QStringList messages;
    QSignalSpy closed{&socket, &QWebSocket::disconnected};

    explicit HallClient(quint16 port, const QString& query = {}) {
        QObject::connect(&socket, &QWebSocket::textMessageReceived,
                         [this](const QString& text) { messages.append(text); });
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

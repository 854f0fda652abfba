#pragma once
// The tab room's board: every room of a tournament as the broker has it (each room's retained
// state and presence), served to browsers by the hall server's code, with its limits, origin
// rule and token. Viewing needs nothing; the token lets the page send notices to every room or
// to one.
//
// What the page gets, once and on every change (at most four times a second):
//   {"tournament": "t1", "now": <UTC ISO>, "rooms": [{"room": "A101", "online": true,
//     "seen": <UTC ISO of its last message>, "state": {<the room's state>}}, …]}  by room name

#include <QDateTime>
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QTimer>

#include "hall/hall_server.h"
#include "tournament/broker_client.h"

class BoardService : public QObject {
    Q_OBJECT
  public:
    explicit BoardService(QObject* parent = nullptr);

    // Subscribes to the rooms of `tournament` through `broker` and serves the board on
    // `httpPort` (0: any free one). False, with `problem` said, when it cannot serve.
    bool start(const QString& tournament, const BrokerSettings& broker, quint16 httpPort,
               const QString& token, QString* problem = nullptr);

    HallServer& server() { return server_; }
    BrokerClient& broker() { return broker_; }
    // The board as the page gets it.
    QString board() const { return server_.state(); }

    // More rooms than this are not one tournament but an attack on the board.
    static constexpr int kMostRooms = 1000;

  private:
    struct Room {
        bool online = false;
        QDateTime seen;
        QJsonObject state;
    };

    void onMessage(const QString& topic, const QByteArray& payload);
    void sendNotice(const QString& text, const QString& room);
    void publish();

    QString tournament_;
    BrokerClient broker_;
    HallServer server_;
    QMap<QString, Room> rooms_;
    QTimer throttle_;
};

#pragma once
// The tab room's board: every room of a tournament as the broker has it (each room's retained
// state and presence), served to browsers by the hall server's code, with its limits, origin
// rule and token. Viewing needs nothing; the token lets the page send notices to every room or
// to one.
//
// What the page gets:
//   - on connecting (and from GET /state), the whole board:
//       {"tournament": "t1", "now": <UTC ISO>, "rooms": [<room>, …]}  by room name
//   - then, at most every kChangesMs, the rooms that changed since (new ones included):
//       {"now": <UTC ISO>, "changed": [<room>, …]}
//   where <room> is {"room": "A101", "online": true, "heard": <UTC ISO>, "state": {…}}: "heard"
//   (left out while unknown) is when the room last spoke, by its own "updated" times and never
//   later than the board's clock, and "state" holds only the well-typed fields of BoardRoomState.
//   - to a notice from a page with the token, one answer: {"sent": <UTC ISO>} once the broker
//     has taken it, {"error": "unavailable"} when the board is not connected or the broker
//     refused it or did not answer in time.

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QSet>
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
    // The whole board as a page gets it on connecting.
    QString board() const { return server_.state(); }

    // More rooms than this are not one tournament but an attack on the board.
    static constexpr int kMostRooms = 1000;
    // Changes go out at most this often.
    static constexpr int kChangesMs = 250;
    // A notice the broker has not acknowledged by then is said not to be sent.
    static constexpr int kNoticeAnswerMs = 10000;
    // What a viewer may leave unread: the whole board of a large tournament and a few seconds
    // of changes after it.
    static constexpr qint64 kUnsentBytes = 512 * 1024;

  private:
    struct Room {
        bool online = false;
        QDateTime heard;
        QJsonObject state;
        QByteArray json;  // as the page gets it
    };
    struct PendingNotice {
        HallServer::NoticeReply reply;
        QElapsedTimer age;
    };

    void onMessage(const QString& topic, const QByteArray& payload, bool retained);
    void sendNotice(const QString& text, const QString& room, const HallServer::NoticeReply& reply);
    void onPublished(int id, int reason);
    void answerUnanswered(bool all);
    void sendChanges();
    QByteArray wholeBoard(const QByteArray& now) const;

    QString tournament_;
    BrokerClient broker_;
    HallServer server_;
    QMap<QString, Room> rooms_;
    QSet<QString> changed_;
    QTimer changes_;
    QHash<int, PendingNotice> pending_;
    QTimer answers_;
};

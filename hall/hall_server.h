#pragma once
// The hall's network: the mirror page, the remote page and the WebSocket that carries the
// projected screen's state out and the remote's commands in. All of it runs on the event loop
// without blocking; a client that cannot keep up is dropped rather than waited for.

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

#include "foundation/remote_access.h"
#include "hall/guarded_tcp_server.h"

class FullScreenWindow;
class QHttpServer;
class QHttpServerRequest;
class QWebSocket;

class HallServer : public QObject {
    Q_OBJECT
  public:
    struct Limits {
        int messageBytes = 4096;     // a bigger message closes its client
        int messagesPerSecond = 20;  // more are refused
        int pingMs = 10000;          // a client that answers no ping for three is gone
        // Connections, requests, and what a client may leave unread before it counts as stalled.
        GuardedTcpServer::Limits connections;
    };

    // The pages the server offers: the one at "/" that everyone may view, and the one at
    // `tokenPath` (if any) that needs the token.
    struct Pages {
        QString root = QStringLiteral("mirror.html");
        QString tokenPath = QStringLiteral("/remote");
        QString tokenPage = QStringLiteral("remote.html");
        QStringList assets = {QStringLiteral("hall.css"), QStringLiteral("hall.js")};
    };

    explicit HallServer(Limits limits, QObject* parent = nullptr);
    explicit HallServer(QObject* parent = nullptr) : HallServer(Limits{}, parent) {}
    ~HallServer() override;

    // Listens on every address at `port` (0: any free one); false, with the system's reason in
    // `problem`, when it cannot.
    bool start(quint16 port, QString* problem = nullptr);
    void stop();
    bool isRunning() const { return listener_ != nullptr; }
    quint16 port() const;
    int clientCount() const { return int(clients_.size()); }

    // The token of the remote; the remotes that came with another one are closed.
    void setToken(const QString& token);
    // The audience screen now projected (none: null), and the segment it times.
    void show(FullScreenWindow* screen, const QString& segment);
    // Serves `pages` from the next start on.
    void setPages(const Pages& pages) { pages_ = pages; }
    // Sends `state`, one JSON object, to every client, for a server that shows no screen (the
    // tournament's board).
    void publishState(const QString& state);
    // What a newcomer and GET /state get from now on, sent to nobody now: for a server that
    // sends changes rather than its whole state (the board).
    void keepState(const QString& state) { state_ = state; }
    // One message to every client; a client that has left too much unread is dropped instead.
    void sendToAll(const QString& message);
    // What the client that asked for a notice is told about it, once.
    using NoticeReply = std::function<void(const QString& answer)>;
    // Whether clients with the token may send notices (`noticeRequested`); refused otherwise.
    void acceptNotices(bool accept) { acceptsNotices_ = accept; }
    // The state as sent to the clients, one JSON object.
    QString state() const { return state_; }

  signals:
    void clientsChanged();
    // A client with the token asks for a notice to `room` (empty: every room); `reply` tells it
    // what became of it (nothing when it has gone).
    void noticeRequested(const QString& text, const QString& room,
                         const HallServer::NoticeReply& reply);

  private:
    struct Client {
        QWebSocket* socket = nullptr;
        QHostAddress address;
        bool remote = false;   // came with the right token
        QList<qint64> recent;  // when its last messages came
        qint64 lastHeard = 0;
    };

    void route();
    // Whether `request` comes from no web page or from one of this server's own pages: a page
    // of another site must not watch, drive or spend the remote's tries.
    bool fromOwnPages(const QHttpServerRequest& request) const;
    void accept();
    void welcome(Client& client, const QString& token);
    void receive(QWebSocket* socket, const QString& text);
    bool tooFast(Client& client);
    void runCommand(Client& client, const QString& action);
    void sendState();
    void pingOrDrop();
    void drop(QWebSocket* socket);
    Client* clientOf(QWebSocket* socket);
    qint64 nowMs() const { return clock_.elapsed(); }

    Limits limits_;
    std::unique_ptr<QHttpServer> http_;
    QPointer<GuardedTcpServer> listener_;
    QList<Client> clients_;
    QString token_;
    WrongTokenLimit wrongTokens_;
    Pages pages_;
    bool acceptsNotices_ = false;
    QPointer<FullScreenWindow> screen_;
    QString segment_;
    QMetaObject::Connection screenChanges_;
    QString state_;
    QElapsedTimer clock_;
    QTimer pings_;
};

#pragma once
// The hall server's listening socket, which keeps what the network can take within bounds:
//   - a flood of connections is refused with 503; when all room is taken, a newcomer from a
//     quieter address takes the place of the oldest connection of the busiest one, so a few
//     addresses cannot lock out the rest (the operator's remote among them);
//   - a request larger than the limit is answered 414 or 431 and closed; a connection that has
//     not finished its requests in time is closed;
//   - a connection that leaves more than the limit of replies, pongs or states unread is closed,
//     checked after every read and from a timer, so nothing it does not read piles up.
// A connection that has become a WebSocket is no longer held to the request limits; its messages
// have limits of their own.

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>

class QTcpSocket;

class GuardedTcpServer : public QTcpServer {
    Q_OBJECT
  public:
    struct Limits {
        int connections = 512;  // in all, not counting those kept
        int kept = 16;          // room beyond `connections` for the connections kept (remotes)
        int connectionsPerAddress = 160;
        qint64 requestBytes = 64 * 1024;  // one request
        int requestMs = 10000;            // to send its requests and upgrade
        qint64 unsentBytes = 64 * 1024;   // what a connection may leave unread
    };

    explicit GuardedTcpServer(Limits limits, QObject* parent = nullptr);
    explicit GuardedTcpServer(QObject* parent = nullptr) : GuardedTcpServer(Limits{}, parent) {}

    // The connection from `address`:`port` is now a WebSocket; a kept one is never made room from.
    void upgraded(const QHostAddress& address, quint16 port, bool kept);
    // Open connections, WebSockets included.
    int connectionCount();

  protected:
    void incomingConnection(qintptr descriptor) override;

  private:
    struct Guarded {
        QPointer<QTcpSocket> socket;
        QHostAddress address;
        quint16 port = 0;
        bool upgraded = false;
        bool kept = false;
        qint64 unread = 0;       // what the server had not taken after the last read
        qint64 request = 0;      // bytes of the request under way, each counted once
        bool lineEnded = false;  // its first line (method and address) is complete
        quint32 lastFour = 0;    // the last four bytes seen, for the end of a request
        QElapsedTimer age;
    };

    Guarded* find(const QTcpSocket* socket);
    // Follows the requests in what has come since the last read, before the server takes it.
    void followRequests(QTcpSocket* socket);
    void checkAfterRead(QTcpSocket* socket);
    // A request over the limit: 414 while its address is not complete, else 431; then closed.
    static void refuseOversized(QTcpSocket* socket, const Guarded& connection);
    // Whether `socket` holds more unsent than allowed; then it is closed.
    bool closeIfStalled(QTcpSocket* socket);
    // Makes room for a newcomer from `address` when every place is taken; false when it cannot.
    bool makeRoomFor(const QHostAddress& address);
    void forgetClosed();
    void sweep();
    static void answerAndClose(QTcpSocket* socket, const QByteArray& status);
    static void stopReading(QTcpSocket* socket);
    static void dropConnection(QTcpSocket* socket);

    Limits limits_;
    QList<Guarded> guarded_;
    QTimer sweep_;
};

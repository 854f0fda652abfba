#pragma once
// The hall server's listening socket, which keeps what the network can take within bounds: a
// flood of connections is refused with 503, and a connection that sends too much, or has not
// finished its request in time, is closed. A connection that has become a WebSocket is no longer
// held to the request limits; its messages have limits of their own.

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
        int connections = 512;  // in all
        int connectionsPerAddress = 160;
        qint64 requestBytes = 64 * 1024;  // everything a connection sends before it upgrades
        int requestMs = 10000;            // to send its requests and upgrade
    };

    explicit GuardedTcpServer(Limits limits, QObject* parent = nullptr);
    explicit GuardedTcpServer(QObject* parent = nullptr) : GuardedTcpServer(Limits{}, parent) {}

    // The connection from `address`:`port` is now a WebSocket.
    void upgraded(const QHostAddress& address, quint16 port);
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
        qint64 bytes = 0;
        QElapsedTimer age;
    };

    void forgetClosed();
    void closeOverdue();
    static void refuse(QTcpSocket* socket);

    Limits limits_;
    QList<Guarded> guarded_;
    QTimer sweep_;
};

#include "hall/guarded_tcp_server.h"

#include <QTcpSocket>

namespace {

// Reads past this wait for the server to take what is buffered, so one read never holds more.
constexpr qint64 kReadBufferBytes = 16 * 1024;
constexpr int kSweepMs = 1000;
constexpr int kRefusedLingerMs = 2000;

}  // namespace

GuardedTcpServer::GuardedTcpServer(Limits limits, QObject* parent)
    : QTcpServer(parent), limits_(limits) {
    sweep_.setInterval(kSweepMs);
    connect(&sweep_, &QTimer::timeout, this, &GuardedTcpServer::closeOverdue);
}

void GuardedTcpServer::upgraded(const QHostAddress& address, quint16 port) {
    for (Guarded& connection : guarded_) {
        if (connection.socket && connection.port == port && connection.address == address) {
            connection.upgraded = true;
        }
    }
}

int GuardedTcpServer::connectionCount() {
    forgetClosed();
    return int(guarded_.size());
}

void GuardedTcpServer::incomingConnection(qintptr descriptor) {
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    forgetClosed();
    const QHostAddress address = socket->peerAddress();
    const auto fromThere = std::count_if(guarded_.cbegin(), guarded_.cend(),
                                         [&](const Guarded& g) { return g.address == address; });
    if (guarded_.size() >= limits_.connections || fromThere >= limits_.connectionsPerAddress) {
        refuse(socket);
        return;
    }
    socket->setReadBufferSize(kReadBufferBytes);
    Guarded connection{socket, address, socket->peerPort(), false, 0, {}};
    connection.age.start();
    guarded_.append(connection);
    // Connected before the HTTP server's own reader, so the bytes are counted before they are
    // taken; the upgrade to a WebSocket drops this connection along with the server's.
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        for (Guarded& g : guarded_) {
            if (g.socket == socket && !g.upgraded) {
                g.bytes += socket->bytesAvailable();
                if (g.bytes > limits_.requestBytes) {
                    QMetaObject::invokeMethod(socket, &QAbstractSocket::abort,
                                              Qt::QueuedConnection);
                }
            }
        }
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (!sweep_.isActive()) {
        sweep_.start();
    }
    addPendingConnection(socket);
    emit newConnection();
}

void GuardedTcpServer::forgetClosed() {
    guarded_.removeIf([](const Guarded& g) { return g.socket.isNull(); });
}

void GuardedTcpServer::closeOverdue() {
    forgetClosed();
    for (const Guarded& g : guarded_) {
        if (!g.upgraded && g.age.elapsed() > limits_.requestMs) {
            g.socket->abort();
            g.socket->deleteLater();
        }
    }
    if (guarded_.isEmpty()) {
        sweep_.stop();
    }
}

void GuardedTcpServer::refuse(QTcpSocket* socket) {
    const QByteArray body = QByteArrayLiteral("too many connections\n");
    socket->write(
        "HTTP/1.1 503 Service Unavailable\r\n"
        "Content-Type: text/plain; charset=utf-8\r\n"
        "Connection: close\r\n"
        "Content-Length: " +
        QByteArray::number(body.size()) + "\r\n\r\n" + body);
    socket->disconnectFromHost();
    // A peer that does not read its refusal does not keep the socket.
    QTimer::singleShot(kRefusedLingerMs, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

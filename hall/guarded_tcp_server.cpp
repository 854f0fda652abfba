#include "hall/guarded_tcp_server.h"

#include <QHash>
#include <QTcpSocket>
#include <algorithm>

namespace {

constexpr int kSweepMs = 1000;
constexpr int kRefusedLingerMs = 2000;

}  // namespace

GuardedTcpServer::GuardedTcpServer(Limits limits, QObject* parent)
    : QTcpServer(parent), limits_(limits) {
    sweep_.setInterval(kSweepMs);
    connect(&sweep_, &QTimer::timeout, this, &GuardedTcpServer::sweep);
}

GuardedTcpServer::Guarded* GuardedTcpServer::find(const QTcpSocket* socket) {
    const auto found = std::find_if(guarded_.begin(), guarded_.end(),
                                    [socket](const Guarded& g) { return g.socket == socket; });
    return found == guarded_.end() ? nullptr : &*found;
}

void GuardedTcpServer::upgraded(const QHostAddress& address, quint16 port, bool kept) {
    for (Guarded& connection : guarded_) {
        if (connection.socket && connection.port == port && connection.address == address) {
            connection.upgraded = true;
            connection.kept = kept;
            // The upgrade took the socket's signals over; this check follows the WebSocket's own
            // reading, so the pongs a ping flood asks for are counted as soon as they are queued.
            QTcpSocket* socket = connection.socket;
            connect(socket, &QTcpSocket::readyRead, this,
                    [this, socket] { closeIfStalled(socket); });
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
    const auto kept =
        std::count_if(guarded_.cbegin(), guarded_.cend(), [](const Guarded& g) { return g.kept; });
    const bool full = guarded_.size() - kept >= limits_.connections ||
                      guarded_.size() >= limits_.connections + limits_.kept;
    if (fromThere >= limits_.connectionsPerAddress || (full && !makeRoomFor(address))) {
        answerAndClose(socket, "503 Service Unavailable");
        return;
    }
    // What one read can bring is what the system buffers for the socket: keep that at the size
    // of a request. (Not the socket's own buffer: the HTTP server does not always take up
    // reading again once a full one is emptied.) A request past the limit is refused as soon as
    // its bytes are seen, and unanswered requests past it close the connection.
    socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption,
                            int(std::min<qint64>(limits_.requestBytes, 1 << 20)));
    Guarded connection;
    connection.socket = socket;
    connection.address = address;
    connection.port = socket->peerPort();
    connection.age.start();
    guarded_.append(connection);
    // Around the HTTP server's own reader: the bytes are counted before it takes them, and what
    // it left and what it answered are looked at once it has.
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { followRequests(socket); });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (!sweep_.isActive()) {
        sweep_.start();
    }
    addPendingConnection(socket);
    emit newConnection();
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { checkAfterRead(socket); });
}

void GuardedTcpServer::followRequests(QTcpSocket* socket) {
    Guarded* g = find(socket);
    if (!g || g->upgraded) {
        return;
    }
    const qint64 available = socket->bytesAvailable();
    const qint64 fresh = available - g->unread;
    if (fresh <= 0) {
        return;
    }
    // A request ends with an empty line; the methods served here carry no body.
    for (const char byte : socket->peek(available).right(fresh)) {
        g->lastFour = (g->lastFour << 8) | quint8(byte);
        if (g->lastFour == 0x0D0A0D0A) {  // "\r\n\r\n": the next request begins
            g->request = 0;
            g->lineEnded = false;
            continue;
        }
        g->lineEnded = g->lineEnded || byte == '\n';
        if (++g->request > limits_.requestBytes) {
            refuseOversized(socket, *g);
            return;
        }
    }
}

void GuardedTcpServer::checkAfterRead(QTcpSocket* socket) {
    Guarded* g = find(socket);
    if (!g || g->upgraded || socket->state() != QAbstractSocket::ConnectedState) {
        return;
    }
    g->unread = socket->bytesAvailable();
    if (g->unread > limits_.requestBytes) {
        dropConnection(socket);  // requests sent far faster than they are answered
        return;
    }
    closeIfStalled(socket);
}

void GuardedTcpServer::stopReading(QTcpSocket* socket) {
    // Nobody reads from it any more, not even a read already asked for: the HTTP server answers
    // nothing after this, and a WebSocket takes no more frames.
    QObject::disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
}

void GuardedTcpServer::dropConnection(QTcpSocket* socket) {
    stopReading(socket);
    socket->abort();
}

void GuardedTcpServer::refuseOversized(QTcpSocket* socket, const Guarded& connection) {
    stopReading(socket);
    answerAndClose(
        socket, connection.lineEnded ? "431 Request Header Fields Too Large" : "414 URI Too Long");
}

bool GuardedTcpServer::closeIfStalled(QTcpSocket* socket) {
    if (socket->state() != QAbstractSocket::ConnectedState) {
        return false;
    }
    // What the system takes at once is not held here; only the rest counts.
    socket->flush();
    if (socket->bytesToWrite() <= limits_.unsentBytes) {
        return false;
    }
    dropConnection(socket);
    return true;
}

bool GuardedTcpServer::makeRoomFor(const QHostAddress& address) {
    QHash<QHostAddress, int> perAddress;
    for (const Guarded& g : std::as_const(guarded_)) {
        if (!g.kept) {
            ++perAddress[g.address];
        }
    }
    const auto busiest = std::max_element(perAddress.cbegin(), perAddress.cend());
    if (busiest == perAddress.cend() || perAddress.value(address) + 1 >= busiest.value()) {
        return false;  // the newcomer's address would be as busy: it waits like the others
    }
    // The oldest of the busiest address goes: its connections are in the order they came.
    for (const Guarded& g : std::as_const(guarded_)) {
        if (!g.kept && g.address == busiest.key()) {
            dropConnection(g.socket);
            forgetClosed();
            return true;
        }
    }
    return false;
}

void GuardedTcpServer::forgetClosed() {
    guarded_.removeIf([](const Guarded& g) {
        return g.socket.isNull() || g.socket->state() == QAbstractSocket::UnconnectedState;
    });
}

void GuardedTcpServer::sweep() {
    forgetClosed();
    const QList<Guarded> now = guarded_;
    for (const Guarded& g : now) {
        if (!g.upgraded && g.age.elapsed() > limits_.requestMs) {
            dropConnection(g.socket);
        } else {
            closeIfStalled(g.socket);
        }
    }
    forgetClosed();
    if (guarded_.isEmpty()) {
        sweep_.stop();
    }
}

void GuardedTcpServer::answerAndClose(QTcpSocket* socket, const QByteArray& status) {
    const QByteArray body = status.mid(status.indexOf(' ') + 1) + '\n';
    socket->write("HTTP/1.1 " + status +
                  "\r\n"
                  "Content-Type: text/plain; charset=utf-8\r\n"
                  "Connection: close\r\n"
                  "Content-Length: " +
                  QByteArray::number(body.size()) + "\r\n\r\n" + body);
    socket->disconnectFromHost();
    // A peer that does not read its refusal does not keep the socket.
    QTimer::singleShot(kRefusedLingerMs, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

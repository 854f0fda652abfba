#include "hall/hall_server.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHttpServer>
#include <QHttpServerRouterRule>
#include <QJsonDocument>
#include <QNetworkInterface>
#include <QUrlQuery>
#include <QWebSocket>

#include "foundation/widgets/full_screen_window.h"
#include "hall/remote_message.h"
#include "hall/screen_snapshot.h"

namespace {

// A remote whose token was replaced; the page shows why and does not come back by itself.
constexpr auto kReplacedToken = QWebSocketProtocol::CloseCode(4403);
constexpr int kPingsMissed = 3;
// A client flooding at this many times the allowed rate is not answered but closed.
constexpr int kFloodFactor = 5;

// The pages load nothing but themselves and talk to nothing but this server.
const QByteArray kPagePolicy =
    "default-src 'none'; script-src 'self'; style-src 'self'; connect-src 'self'; "
    "img-src 'self' data:; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

QByteArray Resource(const QString& name) {
    QFile file(QStringLiteral(":/hall/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QHttpServerResponse Reply(
    const QByteArray& mimeType, const QByteArray& body,
    QHttpServerResponse::StatusCode status = QHttpServerResponse::StatusCode::Ok) {
    QHttpServerResponse response(mimeType, body, status);
    response.setHeader("Content-Security-Policy", kPagePolicy);
    response.setHeader("X-Content-Type-Options", "nosniff");
    response.setHeader("Referrer-Policy", "no-referrer");
    response.setHeader("Cache-Control", "no-store");
    return response;
}

// A page, for the browser that was refused the remote.
QHttpServerResponse RefusedPage(QHttpServerResponse::StatusCode status, const QString& why) {
    const QString page =
        QStringLiteral(
            "<!doctype html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
            "<link rel=\"stylesheet\" href=\"/hall.css\"><title>辩论赛计时系统</title>"
            "</head><body class=\"refused\"><p>%1</p></body></html>")
            .arg(why);
    return Reply("text/html; charset=utf-8", page.toUtf8(), status);
}

// A dialog waiting for the operator keeps the screens from clicks, and so from the remote too.
bool CanTakeACommand(const QAction* command) {
    return command->isEnabled() && !QApplication::activeModalWidget();
}

QString TokenIn(const QUrlQuery& query) {
    return query.queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded);
}

bool HasToken(const QByteArray& list, const char* token) {
    for (const QByteArray& item : list.split(',')) {
        if (item.trimmed().compare(token, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool AsksForWebSocket(const QHttpServerRequest& request) {
    return HasToken(request.value("upgrade"), "websocket");
}

// The handshake as the server carries it out: "Upgrade: websocket" with "Connection: Upgrade".
bool IsWebSocketHandshake(const QHttpServerRequest& request) {
    return AsksForWebSocket(request) && HasToken(request.value("connection"), "upgrade");
}

// The route of the WebSocket, taken only by requests `admits` lets through. A handshake that no
// route takes is answered by the missing handler and never upgraded.
class AdmittedRoute : public QHttpServerRouterRule {
  public:
    using Admits = std::function<bool(const QHttpServerRequest&)>;
    AdmittedRoute(Admits admits, const QString& path, QHttpServerRequest::Methods methods,
                  RouterHandler handler)
        : QHttpServerRouterRule(path, methods, std::move(handler)), admits_(std::move(admits)) {}

  protected:
    bool matches(const QHttpServerRequest& request, QRegularExpressionMatch* match) const override {
        return QHttpServerRouterRule::matches(request, match) && admits_(request);
    }

  private:
    Admits admits_;
};

// Why listening failed, as the operator can act on it.
QString ListenProblem(const QTcpServer& listener, quint16 port) {
    switch (listener.serverError()) {
        case QAbstractSocket::AddressInUseError:
            return QStringLiteral("端口 %1 已被其他程序占用").arg(port);
        case QAbstractSocket::SocketAccessError:
            return QStringLiteral("没有使用端口 %1 的权限").arg(port);
        default:
            return QStringLiteral("端口 %1：%2").arg(port).arg(listener.errorString());
    }
}

}  // namespace

HallServer::HallServer(Limits limits, QObject* parent) : QObject(parent), limits_(limits) {
    clock_.start();
    pings_.setInterval(limits_.pingMs);
    connect(&pings_, &QTimer::timeout, this, &HallServer::pingOrDrop);
    show(nullptr, {});
}

HallServer::~HallServer() {
    stop();
}

bool HallServer::start(quint16 port, QString* problem) {
    stop();
    http_ = std::make_unique<QHttpServer>();
    route();
    connect(http_.get(), &QHttpServer::newWebSocketConnection, this, &HallServer::accept);
    auto* listener = new GuardedTcpServer(limits_.connections, http_.get());
    if (!listener->listen(QHostAddress::Any, port)) {
        if (problem) {
            *problem = ListenProblem(*listener, port);
        }
        http_.reset();
        return false;
    }
    http_->bind(listener);
    listener_ = listener;
    pings_.start();
    return true;
}

void HallServer::stop() {
    pings_.stop();
    const QList<Client> leaving = clients_;
    clients_.clear();
    for (const Client& client : leaving) {
        client.socket->disconnect(this);
        client.socket->close(QWebSocketProtocol::CloseCodeGoingAway);
        client.socket->deleteLater();
    }
    if (!leaving.isEmpty()) {
        emit clientsChanged();
    }
    listener_ = nullptr;
    http_.reset();
}

quint16 HallServer::port() const {
    return listener_ ? listener_->serverPort() : 0;
}

void HallServer::setToken(const QString& token) {
    if (token == token_) {
        return;
    }
    token_ = token;
    const QList<Client> present = clients_;
    for (const Client& client : present) {
        if (client.remote) {
            client.socket->sendTextMessage(RefusalText(Refusal::Forbidden));
            client.socket->close(kReplacedToken, QStringLiteral("forbidden"));
            drop(client.socket);
        }
    }
}

void HallServer::show(FullScreenWindow* screen, const QString& segment) {
    disconnect(screenChanges_);
    screen_ = screen;
    segment_ = segment;
    if (screen) {
        screenChanges_ =
            connect(screen, &FullScreenWindow::stateChanged, this, &HallServer::sendState);
    }
    sendState();
}

void HallServer::route() {
    using Method = QHttpServerRequest::Method;
    using Status = QHttpServerResponse::StatusCode;
    const QByteArray html = "text/html; charset=utf-8";
    const QString root = pages_.root;
    http_->route("/", Method::Get, [html, root] { return Reply(html, Resource(root)); });
    // The state once, for a page's first paint before its socket is open.
    http_->route("/state", Method::Get,
                 [this] { return Reply("application/json; charset=utf-8", state_.toUtf8()); });
    for (const QString& asset : pages_.assets) {
        const QByteArray type = asset.endsWith(QLatin1String(".css"))
                                    ? "text/css; charset=utf-8"
                                    : "text/javascript; charset=utf-8";
        http_->route(QLatin1Char('/') + asset, Method::Get,
                     [type, asset] { return Reply(type, Resource(asset)); });
    }
    // The server upgrades only handshakes a route takes; this one takes those of the server's
    // own pages and leaves their answer to the handshake. A request that is no handshake is told
    // what it lacks at once.
    http_->route<AdmittedRoute>(
        [this](const QHttpServerRequest& request) {
            return !AsksForWebSocket(request) || fromOwnPages(request);
        },
        "/ws", Method::Get,
        [](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
            if (!AsksForWebSocket(request)) {
                responder.write(QHttpServerResponder::StatusCode::UpgradeRequired);
            } else if (!IsWebSocketHandshake(request)) {
                responder.write(QHttpServerResponder::StatusCode::BadRequest);
            }
        });
    http_->setMissingHandler(
        [](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
            const bool foreignHandshake =
                request.url().path() == QLatin1String("/ws") && AsksForWebSocket(request);
            responder.write(foreignHandshake ? QHttpServerResponder::StatusCode::Forbidden
                                             : QHttpServerResponder::StatusCode::NotFound);
        });
    if (pages_.tokenPath.isEmpty()) {
        return;
    }
    const QString tokenPage = pages_.tokenPage;
    http_->route(
        pages_.tokenPath, Method::Get, [this, html, tokenPage](const QHttpServerRequest& request) {
            const QString address = request.remoteAddress().toString();
            if (!fromOwnPages(request)) {
                return RefusedPage(Status::Forbidden, QStringLiteral("请直接打开操作台上的地址。"));
            }
            if (!wrongTokens_.mayTry(address, nowMs())) {
                return RefusedPage(Status::TooManyRequests,
                                   QStringLiteral("口令错误次数过多，请一分钟后再试。"));
            }
            if (!SameToken(TokenIn(request.query()), token_)) {
                wrongTokens_.noteWrong(address, nowMs());
                return RefusedPage(
                    Status::Forbidden,
                    QStringLiteral("口令无效或已更换，请重新扫描操作台上的二维码。"));
            }
            return Reply(html, Resource(tokenPage));
        });
}

bool HallServer::fromOwnPages(const QHttpServerRequest& request) const {
    // A browser says which page a request comes from; a page it opened by itself (an address
    // typed or scanned) is no other site's.
    const QByteArray site = request.value("sec-fetch-site");
    if (!site.isEmpty() && site != "same-origin" && site != "none") {
        return false;
    }
    const QByteArray origin = request.value("origin");
    if (origin.isEmpty()) {
        return true;  // no browser page: a program of the operator's, or an address opened
    }
    const QUrl url(QString::fromLatin1(origin), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("http") || url.port(80) != port() ||
        !url.path().isEmpty()) {
        return false;
    }
    // By its address only: a name could be anyone's that points at this machine.
    const QHostAddress host(url.host());
    if (url.host() == QLatin1String("localhost")) {
        return true;
    }
    const QList<QHostAddress> own = QNetworkInterface::allAddresses();
    return !host.isNull() && std::any_of(own.cbegin(), own.cend(), [&](const QHostAddress& a) {
        return a.isEqual(host, QHostAddress::TolerantConversion);
    });
}

void HallServer::accept() {
    while (http_ && http_->hasPendingWebSocketConnections()) {
        QWebSocket* socket = http_->nextPendingWebSocketConnection().release();
        socket->setParent(this);
        socket->setMaxAllowedIncomingMessageSize(quint64(limits_.messageBytes));
        socket->setMaxAllowedIncomingFrameSize(quint64(limits_.messageBytes));
        const QUrl url = socket->requestUrl();
        connect(socket, &QWebSocket::disconnected, this, [this, socket] { drop(socket); });
        if (url.path() != QLatin1String("/ws")) {
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("not found"));
            drop(socket);
            continue;
        }
        clients_.append({socket, socket->peerAddress(), false, {}, nowMs()});
        connect(socket, &QWebSocket::textMessageReceived, this,
                [this, socket](const QString& text) { receive(socket, text); });
        connect(socket, &QWebSocket::binaryMessageReceived, this, [this, socket] {
            if (Client* client = clientOf(socket); client && !tooFast(*client)) {
                socket->sendTextMessage(RefusalText(Refusal::Malformed));
            }
        });
        connect(socket, &QWebSocket::pong, this, [this, socket] {
            if (Client* client = clientOf(socket)) {
                client->lastHeard = nowMs();
            }
        });
        welcome(clients_.last(), TokenIn(QUrlQuery(url)));
        if (listener_) {
            // A remote with the right token keeps its place when the hall is full.
            listener_->upgraded(socket->peerAddress(), socket->peerPort(), clients_.last().remote);
        }
        emit clientsChanged();
    }
}

// The state first; then, for a token that was not right, why no command will be taken.
void HallServer::welcome(Client& client, const QString& token) {
    client.socket->sendTextMessage(state_);
    if (token.isEmpty()) {
        return;
    }
    const QString address = client.address.toString();
    if (const qint64 waitMs = wrongTokens_.waitMs(address, nowMs()); waitMs > 0) {
        client.socket->sendTextMessage(RefusalText(Refusal::TooMany, int((waitMs + 999) / 1000)));
    } else if (SameToken(token, token_)) {
        client.remote = true;
    } else {
        wrongTokens_.noteWrong(address, nowMs());
        client.socket->sendTextMessage(RefusalText(Refusal::Forbidden));
    }
}

void HallServer::receive(QWebSocket* socket, const QString& text) {
    Client* client = clientOf(socket);
    if (!client || tooFast(*client)) {
        return;
    }
    const RemoteMessage message = ReadRemoteMessage(text);
    switch (message.kind) {
        case RemoteMessage::Kind::Malformed:
            socket->sendTextMessage(RefusalText(Refusal::Malformed));
            return;
        case RemoteMessage::Kind::Unknown:
            socket->sendTextMessage(RefusalText(Refusal::Unknown));
            return;
        case RemoteMessage::Kind::Trigger:
            runCommand(*client, message.action);
            return;
        case RemoteMessage::Kind::Notice:
            if (!acceptsNotices_) {
                socket->sendTextMessage(RefusalText(Refusal::Unknown));
            } else if (!client->remote) {
                socket->sendTextMessage(RefusalText(Refusal::Forbidden));
            } else {
                QPointer<HallServer> server = this;
                QPointer<QWebSocket> from = socket;
                emit noticeRequested(message.text, message.room,
                                     [server, from](const QString& answer) {
                                         if (server && from && server->clientOf(from)) {
                                             from->sendTextMessage(answer);
                                         }
                                     });
            }
            return;
    }
}

// Whether the client sends faster than allowed; the reply says so, and a flood closes it.
bool HallServer::tooFast(Client& client) {
    const qint64 now = nowMs();
    client.lastHeard = now;
    client.recent.removeIf([now](qint64 at) { return now - at >= 1000; });
    client.recent.append(now);
    if (client.recent.size() <= limits_.messagesPerSecond) {
        return false;
    }
    if (client.recent.size() > kFloodFactor * limits_.messagesPerSecond) {
        QWebSocket* socket = client.socket;
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("too many"));
        drop(socket);
    } else {
        client.socket->sendTextMessage(RefusalText(Refusal::TooMany));
    }
    return true;
}

// Exactly what the click does, or nothing: a command the screen lacks or has disabled, or one
// that comes while a dialog waits for the operator, is refused. The new state follows from the
// screen itself.
void HallServer::runCommand(Client& client, const QString& name) {
    if (!client.remote) {
        client.socket->sendTextMessage(RefusalText(Refusal::Forbidden));
        return;
    }
    QAction* command = nullptr;
    if (screen_) {
        for (QAction* action : screenCommands(screen_)) {
            if (action->objectName() == name) {
                command = action;
            }
        }
    }
    if (!command || !CanTakeACommand(command)) {
        client.socket->sendTextMessage(RefusalText(Refusal::Unavailable));
        return;
    }
    // From the event loop, not from within the socket's signal: a command that opens a dialog
    // must not hold the socket in the middle of delivering its message. By then an earlier
    // command (a double tap) may have put another screen up: this one was meant for the screen
    // it was sent to, and runs only while that screen is projected.
    QPointer<FullScreenWindow> sentTo = screen_;
    QPointer<QWebSocket> from = client.socket;
    QTimer::singleShot(0, command, [this, command, sentTo, from] {
        if (sentTo && sentTo == screen_ && sentTo->isVisible() &&
            sentTo->actions().contains(command) && CanTakeACommand(command)) {
            command->trigger();
        } else if (from && clientOf(from)) {
            from->sendTextMessage(RefusalText(Refusal::Unavailable));
        }
    });
}

void HallServer::sendState() {
    publishState(QString::fromUtf8(
        QJsonDocument(ScreenSnapshot(screen_, segment_)).toJson(QJsonDocument::Compact)));
}

void HallServer::publishState(const QString& state) {
    if (state == state_) {
        return;
    }
    keepState(state);
    sendToAll(state);
}

void HallServer::sendToAll(const QString& message) {
    QList<QWebSocket*> stalled;
    for (const Client& client : std::as_const(clients_)) {
        if (client.socket->bytesToWrite() > limits_.connections.unsentBytes) {
            stalled.append(client.socket);
        } else {
            client.socket->sendTextMessage(message);
        }
    }
    for (QWebSocket* socket : stalled) {
        socket->abort();
        drop(socket);
    }
}

void HallServer::pingOrDrop() {
    QList<QWebSocket*> gone;
    for (const Client& client : std::as_const(clients_)) {
        if (nowMs() - client.lastHeard > kPingsMissed * limits_.pingMs) {
            gone.append(client.socket);
        } else {
            client.socket->ping();
        }
    }
    for (QWebSocket* socket : gone) {
        socket->abort();
        drop(socket);
    }
}

void HallServer::drop(QWebSocket* socket) {
    socket->disconnect(this);
    socket->deleteLater();
    if (clients_.removeIf([socket](const Client& c) { return c.socket == socket; }) > 0) {
        emit clientsChanged();
    }
}

HallServer::Client* HallServer::clientOf(QWebSocket* socket) {
    for (Client& client : clients_) {
        if (client.socket == socket) {
            return &client;
        }
    }
    return nullptr;
}

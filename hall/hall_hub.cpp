#include "hall/hall_hub.h"

#include <atomic>

#include "hall/http_session.h"
#include "hall/remote_message.h"
#include "hall/websocket_session.h"

namespace hallnet {

namespace {

constexpr auto kSweep = std::chrono::seconds(1);
// When the system has no descriptor left for a newcomer, the next is taken after a pause.
constexpr auto kAcceptRetry = std::chrono::milliseconds(100);
// Refused connections waiting for their answer to be read; more are closed at once.
constexpr std::size_t kMostLingering = 64;
// A remote whose token was replaced; the page shows why and does not come back by itself.
constexpr std::uint16_t kReplacedToken = 4403;

// Why listening failed, as the operator can act on it.
QString ListenProblem(const error_code& ec, quint16 port) {
    if (ec == net::error::address_in_use) {
        return QStringLiteral("端口 %1 已被其他程序占用").arg(port);
    }
    if (ec == net::error::access_denied) {
        return QStringLiteral("没有使用端口 %1 的权限").arg(port);
    }
    return QStringLiteral("端口 %1：%2").arg(port).arg(QString::fromLocal8Bit(ec.message()));
}

// An IPv4 peer of the dual-stack socket, as the IPv4 address it is.
std::string AddressText(net::ip::address address) {
    if (address.is_v6() && address.to_v6().is_v4_mapped()) {
        address = net::ip::make_address_v4(net::ip::v4_mapped, address.to_v6());
    }
    return address.to_string();
}

template <typename Map>
auto Snapshot(const Map& map) {
    std::vector<typename Map::mapped_type> values;
    values.reserve(map.size());
    for (const auto& [id, value] : map) {
        values.push_back(value);
    }
    return values;
}

}  // namespace

ConnectionId NextConnectionId() {
    static std::atomic<ConnectionId> last{0};
    return ++last;
}

Hub::Hub(const HallNetwork::Setup& setup, HallNetwork::Events events)
    : setup_(setup),
      events_(std::move(events)),
      pages_(setup.pages),
      room_(setup.limits.connections) {
    gate_.setToken(setup.token);
}

Hub::~Hub() = default;

bool Hub::listen(quint16 port, QString* problem) {
    error_code ec;
    // Both families on one socket where the system has IPv6, IPv4 alone where it has not.
    tcp::endpoint endpoint(net::ip::address_v6::any(), port);
    acceptor_.open(endpoint.protocol(), ec);
    if (!ec) {
        acceptor_.set_option(net::ip::v6_only(false), ec);
    }
    if (ec) {
        error_code ignored;
        acceptor_.close(ignored);
        endpoint = tcp::endpoint(net::ip::address_v4::any(), port);
        ec.clear();
        acceptor_.open(endpoint.protocol(), ec);
    }
#ifdef _WIN32
    // Nobody else may bind the port beside this server.
    using ExclusiveAddressUse =
        net::detail::socket_option::boolean<SOL_SOCKET, SO_EXCLUSIVEADDRUSE>;
    if (!ec) {
        acceptor_.set_option(ExclusiveAddressUse(true), ec);
    }
#else
    // A port the server used a moment ago is taken again at once.
    if (!ec) {
        acceptor_.set_option(tcp::acceptor::reuse_address(true), ec);
    }
#endif
    if (!ec) {
        acceptor_.bind(endpoint, ec);
    }
    if (!ec) {
        acceptor_.listen(net::socket_base::max_listen_connections, ec);
    }
    if (!ec) {
        port_ = acceptor_.local_endpoint(ec).port();
    }
    if (ec) {
        if (problem) {
            *problem = ListenProblem(ec, port);
        }
        return false;
    }
    return true;
}

void Hub::run() {
    accept();
    sweep();
    io_.run();
}

void Hub::shutdown() {
    stopping_ = true;
    error_code ignored;
    acceptor_.close(ignored);
    sweeper_.cancel();
    retry_.cancel();
    for (const auto& connection : Snapshot(connections_)) {
        connection->goAway();
    }
    connections_.clear();
    clients_.clear();
    io_.stop();
}

qint64 Hub::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 started_)
        .count();
}

void Hub::accept() {
    acceptor_.async_accept([this](error_code ec, tcp::socket socket) {
        if (stopping_ || ec == net::error::operation_aborted) {
            return;
        }
        if (ec) {
            retry_.expires_after(kAcceptRetry);
            retry_.async_wait([this](error_code waited) {
                if (!waited && !stopping_) {
                    accept();
                }
            });
            return;
        }
        admit(std::move(socket));
        accept();
    });
}

void Hub::admit(tcp::socket socket) {
    error_code ec;
    const tcp::endpoint peer = socket.remote_endpoint(ec);
    if (ec) {
        return;  // gone already
    }
    socket.set_option(tcp::no_delay(true), ec);
    const std::string address = AddressText(peer.address());
    const ConnectionId id = NextConnectionId();
    auto session = std::make_shared<HttpSession>(*this, id, std::move(socket),
                                                 QString::fromStdString(address));
    connections_[id] = session;
    const ConnectionRoom::Admission admission = room_.admit(id, address);
    if (!admission.admitted) {
        session->refuse("503 Service Unavailable");
        return;
    }
    if (const auto evicted = connections_.find(admission.evicted); evicted != connections_.end()) {
        const std::shared_ptr<Connection> leaving = evicted->second;  // outlives being forgotten
        leaving->drop();
    }
    session->start();
}

void Hub::track(ConnectionId id, std::shared_ptr<Connection> connection) {
    connections_[id] = std::move(connection);
}

void Hub::opened(ConnectionId id, const std::shared_ptr<WebSocketSession>& session) {
    clients_[id] = session;
    reportClients();
}

void Hub::forget(ConnectionId id) {
    connections_.erase(id);
    room_.leave(id);
    if (clients_.erase(id) > 0) {
        reportClients();
    }
}

bool Hub::mayLinger() const {
    return connections_.size() - std::size_t(room_.size()) < kMostLingering;
}

void Hub::reportClients() {
    const int count = int(clients_.size());
    if (count != reported_ && !stopping_) {
        reported_ = count;
        if (events_.clients) {
            events_.clients(count);
        }
    }
}

void Hub::sweep() {
    for (const auto& connection : Snapshot(connections_)) {
        connection->sweep();
    }
    sweeper_.expires_after(kSweep);
    sweeper_.async_wait([this](error_code ec) {
        if (!ec && !stopping_) {
            sweep();
        }
    });
}

void Hub::setToken(const QString& token) {
    gate_.setToken(token);
    const SharedText forbidden = ShareText(RefusalText(Refusal::Forbidden).toUtf8());
    for (const auto& client : Snapshot(clients_)) {
        if (client->remote()) {
            client->closeWith(forbidden, kReplacedToken, "forbidden");
        }
    }
}

void Hub::publish(SharedText state, std::uint64_t screen) {
    setup_.screen = screen;
    if (state) {
        setup_.state = state;
        sendToAll(state);
    }
}

void Hub::sendToAll(const SharedText& message) {
    for (const auto& client : Snapshot(clients_)) {
        client->send(message);
    }
}

void Hub::sendTo(ConnectionId client, const SharedText& message) {
    if (const auto found = clients_.find(client); found != clients_.end()) {
        const std::shared_ptr<WebSocketSession> session = found->second;
        session->send(message);
    }
}

}  // namespace hallnet

#pragma once
// Inside the hall's network thread: the listening socket, who holds a place, the token, the
// state every newcomer gets, and the clients every state goes to. Everything here runs on the
// hub's own event loop; HallNetwork posts to it from the window's thread.

#include <QString>
#include <chrono>
#include <map>
#include <memory>

#include "hall/connection_room.h"
#include "hall/hall_network.h"
#include "hall/network_basics.h"
#include "hall/token_gate.h"

namespace hallnet {

class WebSocketSession;

class Hub {
  public:
    Hub(const HallNetwork::Setup& setup, HallNetwork::Events events);
    ~Hub();

    // On the caller's thread, before run(): false, with the reason said, when it cannot.
    bool listen(quint16 port, QString* problem);
    quint16 port() const { return port_; }
    // The network thread's whole life: until shutdown().
    void run();
    // Closes everything and ends run(); on the hub's thread.
    void shutdown();
    net::io_context& io() { return io_; }

    // For the connections, on the hub's thread.
    const HallLimits& limits() const { return setup_.limits; }
    const HallPages& pages() const { return pages_; }
    TokenGate& gate() { return gate_; }
    const SharedText& state() const { return setup_.state; }
    std::uint64_t screen() const { return setup_.screen; }
    bool acceptsNotices() const { return setup_.acceptsNotices; }
    const HallNetwork::Events& events() const { return events_; }
    qint64 nowMs() const;
    // Connection `id` is now `connection` (an HTTP one that became a WebSocket).
    void track(ConnectionId id, std::shared_ptr<Connection> connection);
    // `session` is a WebSocket client from now on; a kept one (a remote with the token) has a
    // place of its own.
    void opened(ConnectionId id, const std::shared_ptr<WebSocketSession>& session);
    void keep(ConnectionId id) { room_.keep(id); }
    // Connection `id` has ended.
    void forget(ConnectionId id);
    // Whether one more refused connection may wait for its answer to be read.
    bool mayLinger() const;

    // From the window's thread, posted.
    void setToken(const QString& token);
    void publish(SharedText state, std::uint64_t screen);
    void keepState(SharedText state) { setup_.state = std::move(state); }
    void sendToAll(const SharedText& message);
    void sendTo(ConnectionId client, const SharedText& message);

  private:
    void accept();
    void admit(tcp::socket socket);
    void sweep();
    void reportClients();

    net::io_context io_{1};
    HallNetwork::Setup setup_;
    HallNetwork::Events events_;
    HallPages pages_;
    TokenGate gate_;
    ConnectionRoom room_;
    tcp::acceptor acceptor_{io_};
    net::steady_timer sweeper_{io_};
    net::steady_timer retry_{io_};
    quint16 port_ = 0;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    std::map<ConnectionId, std::shared_ptr<Connection>> connections_;
    std::map<ConnectionId, std::shared_ptr<WebSocketSession>> clients_;
    int reported_ = 0;
    bool stopping_ = false;
};

// Ids that no run of any server gives twice, so an answer never reaches a stranger.
ConnectionId NextConnectionId();

}  // namespace hallnet

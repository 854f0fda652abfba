#pragma once
// What the hall's network code shares inside hall/: the Boost names it uses and the one thing
// the network thread knows of every connection it holds.

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>
#include <cstdint>

namespace hallnet {

namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using tcp = net::ip::tcp;
using error_code = boost::system::error_code;

using ConnectionId = std::uint64_t;

// A connection the network thread holds, HTTP or WebSocket, for what the server does to all.
class Connection {
  public:
    virtual ~Connection() = default;
    // Once a second: a connection that leaves too much unread, or that does not take its
    // answers while it keeps sending, is closed.
    virtual void sweep() = 0;
    // Closed at once, with no goodbye: it lost its place or broke a limit.
    virtual void drop() = 0;
    // The server stops: closed with what can be said without waiting.
    virtual void goAway() = 0;
};

// Whether the peer of `socket` keeps sending while nothing it sent is taken: true when bytes
// wait unread at two sweeps in a row with no read or write done between them.
class StandStill {
  public:
    void moved() { ++moves_; }
    bool check(tcp::socket& socket) {
        error_code ec;
        const bool waiting = socket.available(ec) > 0 && !ec;
        const bool still = waiting && waitingBefore_ && moves_ == movesBefore_;
        waitingBefore_ = waiting;
        movesBefore_ = moves_;
        return still;
    }

  private:
    std::uint64_t moves_ = 0;
    std::uint64_t movesBefore_ = 0;
    bool waitingBefore_ = false;
};

}  // namespace hallnet

#pragma once
// One WebSocket client of the hall server: the state first, then every change; its messages
// read within the stream's own limits (4 KB a message, answered pings, idle and handshake
// timeouts) and refused past 20 a second; what it does not read held only up to the limit.
// Commands and notices go to the window's thread through the hub's events; their answers come
// back through send().

#include <QString>
#include <deque>
#include <memory>
#include <string>

#include "hall/hall_pages.h"
#include "hall/network_basics.h"

namespace hallnet {

class Hub;

class WebSocketSession : public Connection, public std::enable_shared_from_this<WebSocketSession> {
  public:
    WebSocketSession(Hub& hub, ConnectionId id, beast::tcp_stream stream, QString address);

    // Takes the handshake `request`, which came with `token` (empty: none).
    void accept(http::request<http::string_body> request, QString token);
    // Queued after what is queued; a client that has left too much unread is dropped instead.
    void send(const SharedText& message);
    // `refusal`, then the close handshake with `code`: nothing is sent after them.
    void closeWith(const SharedText& refusal, std::uint16_t code, const char* reason);
    bool remote() const { return remote_; }

    void sweep() override;
    void drop() override;
    void goAway() override;

  private:
    struct Outgoing {
        SharedText text;
        std::uint16_t closeCode = 0;  // instead of a text: the close handshake
        const char* reason = "";
    };

    void welcome(const QString& token);
    void read();
    void onRead(error_code ec);
    void receive(const QString& text);
    // Whether the client sends faster than allowed; the reply says so, and a flood closes it.
    bool tooFast();
    void queue(Outgoing outgoing);
    void writeNext();
    // Whether it has left more unread than it may; then it is dropped.
    bool stalled();
    void end();

    Hub& hub_;
    ConnectionId id_;
    websocket::stream<beast::tcp_stream> ws_;
    QString address_;
    beast::flat_buffer in_;
    std::deque<Outgoing> out_;
    std::int64_t unsent_ = 0;  // bytes of the texts queued and being written
    bool writing_ = false;
    bool closing_ = false;  // a close is queued: nothing more goes out
    bool open_ = false;
    bool ended_ = false;
    bool remote_ = false;        // came with the right token
    std::deque<qint64> recent_;  // when its last messages came
    StandStill still_;
};

}  // namespace hallnet

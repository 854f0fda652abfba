#pragma once
// One HTTP connection of the hall server: its requests read one after the other within the
// parser's limits (the request line within the request limit or 414, its headers within it or
// 431, no body or 413), each answered from the pages before the next is read; a handshake the
// pages let through becomes a WebSocket session on the same connection.

#include <QString>
#include <array>
#include <memory>
#include <optional>

#include "hall/hall_pages.h"
#include "hall/network_basics.h"

namespace hallnet {

class Hub;

class HttpSession : public Connection, public std::enable_shared_from_this<HttpSession> {
  public:
    HttpSession(Hub& hub, ConnectionId id, tcp::socket socket, QString address);

    // Serves the connection's requests.
    void start();
    // Answers `status` ("503 Service Unavailable") before anything is read, and closes.
    void refuse(const char* status);

    void sweep() override;
    void drop() override;
    void goAway() override { drop(); }

  private:
    using Parser = http::request_parser<http::string_body>;
    using Response = http::response<http::span_body<const char>>;

    void read();
    void onRead(error_code ec);
    void answer(const HallAnswer& answer);
    void upgrade(const QString& token);
    // Writes `response`; then reads the next request, or closes when `last`.
    void write(Response response, SharedText body, bool last);
    void refuseOversized();
    // Gives the peer time to read a refusal before the connection goes.
    void linger();
    void discard();
    void end();

    Hub& hub_;
    ConnectionId id_;
    beast::tcp_stream stream_;
    QString address_;
    beast::flat_buffer buffer_;
    std::optional<Parser> parser_;
    std::optional<Response> response_;
    SharedText body_;  // what response_ points at
    bool writing_ = false;
    bool ended_ = false;
    StandStill still_;
    std::array<char, 4096> discard_{};
};

}  // namespace hallnet

#include "hall/http_session.h"

#include "hall/hall_hub.h"
#include "hall/websocket_session.h"

namespace hallnet {

namespace {

// A peer that does not read its refusal does not keep the socket.
constexpr auto kRefusedLinger = std::chrono::seconds(2);

// The pages load nothing but themselves and talk to nothing but this server.
constexpr const char* kPagePolicy =
    "default-src 'none'; script-src 'self'; style-src 'self'; connect-src 'self'; "
    "img-src 'self' data:; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

QByteArray Header(const http::request<http::string_body>& request, http::field field) {
    const auto value = request[field];
    return QByteArray(value.data(), qsizetype(value.size()));
}

}  // namespace

HttpSession::HttpSession(Hub& hub, ConnectionId id, tcp::socket socket, QString address)
    : hub_(hub),
      id_(id),
      stream_(std::move(socket)),
      address_(std::move(address)),
      // Room for a request past the header limit, so that the parser is the one to refuse it.
      buffer_(size_t(hub.limits().connections.requestBytes) + discard_.size()) {}

void HttpSession::start() {
    read();
}

void HttpSession::read() {
    const HallLimits::Connections& limits = hub_.limits().connections;
    parser_.emplace();
    parser_->header_limit(std::uint32_t(limits.requestBytes));
    parser_->body_limit(0);  // none of the pages takes a body
    stream_.expires_after(std::chrono::milliseconds(limits.requestMs));
    http::async_read(stream_, buffer_, *parser_,
                     [self = shared_from_this()](error_code ec, std::size_t) { self->onRead(ec); });
}

void HttpSession::onRead(error_code ec) {
    if (ended_) {
        return;
    }
    still_.moved();
    if (ec == http::error::header_limit) {
        refuseOversized();
        return;
    }
    if (ec == http::error::body_limit) {
        refuse("413 Payload Too Large");
        return;
    }
    if (ec) {
        end();  // gone, timed out, or no HTTP
        return;
    }
    const http::request<http::string_body>& request = parser_->get();
    const auto method = request.method_string();
    const auto target = request.target();
    const HallRequest asked{QByteArray(method.data(), qsizetype(method.size())),
                            QByteArray(target.data(), qsizetype(target.size())),
                            Header(request, http::field::upgrade),
                            Header(request, http::field::connection),
                            Header(request, http::field::origin),
                            [&] {
                                const auto site = request["Sec-Fetch-Site"];
                                return QByteArray(site.data(), qsizetype(site.size()));
                            }(),
                            address_};
    answer(hub_.pages().answer(asked, hub_.state(), hub_.gate(), hub_.port(), hub_.nowMs()));
}

void HttpSession::answer(const HallAnswer& answer) {
    if (answer.webSocket) {
        upgrade(answer.token);
        return;
    }
    const http::request<http::string_body>& request = parser_->get();
    Response response{http::int_to_status(unsigned(answer.status)), request.version()};
    SharedText body = answer.body ? answer.body : std::make_shared<const std::string>();
    if (!answer.type.isEmpty()) {
        response.set(http::field::content_type, answer.type.toStdString());
        response.set("Content-Security-Policy", kPagePolicy);
        response.set("X-Content-Type-Options", "nosniff");
        response.set("Referrer-Policy", "no-referrer");
        response.set(http::field::cache_control, "no-store");
    }
    response.keep_alive(request.keep_alive());
    const bool last = !request.keep_alive();
    write(std::move(response), std::move(body), last);
}

void HttpSession::write(Response response, SharedText body, bool last) {
    body_ = std::move(body);
    response.body() = {body_->data(), body_->size()};
    response.prepare_payload();
    response_.emplace(std::move(response));
    writing_ = true;
    stream_.expires_after(std::chrono::milliseconds(hub_.limits().connections.requestMs));
    http::async_write(stream_, *response_,
                      [self = shared_from_this(), last](error_code ec, std::size_t) {
                          self->writing_ = false;
                          self->still_.moved();
                          if (self->ended_) {
                              return;
                          }
                          if (ec) {
                              self->end();
                          } else if (last) {
                              self->linger();
                          } else {
                              self->read();
                          }
                      });
}

void HttpSession::refuseOversized() {
    // The parser holds the request line apart from the headers, each within the limit: past
    // it before the line was complete, the address is too long; after, the headers are.
    const bool lineEnded = !parser_->get().target().empty();
    refuse(lineEnded ? "431 Request Header Fields Too Large" : "414 URI Too Long");
}

void HttpSession::refuse(const char* status) {
    const std::string_view line(status);
    const auto space = line.find(' ');
    Response response{http::int_to_status(unsigned(std::stoi(std::string(line.substr(0, space))))),
                      11};
    response.set(http::field::content_type, "text/plain; charset=utf-8");
    response.keep_alive(false);
    write(std::move(response), std::make_shared<const std::string>(line.substr(space + 1)), true);
}

void HttpSession::linger() {
    error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
    if (!hub_.mayLinger()) {
        end();
        return;
    }
    stream_.expires_after(kRefusedLinger);
    discard();
}

// What it still sends is read and thrown away until it closes or the time is up, so that the
// answer is not lost to a reset.
void HttpSession::discard() {
    stream_.async_read_some(net::buffer(discard_),
                            [self = shared_from_this()](error_code ec, std::size_t) {
                                if (self->ended_) {
                                    return;
                                }
                                if (ec) {
                                    self->end();
                                } else {
                                    self->discard();
                                }
                            });
}

void HttpSession::upgrade(const QString& token) {
    auto session = std::make_shared<WebSocketSession>(hub_, id_, std::move(stream_), address_);
    ended_ = true;  // the connection is the session's now
    hub_.track(id_, session);
    session->accept(parser_->release(), token);
}

void HttpSession::sweep() {
    // A peer that keeps sending requests while it reads none of the answers.
    if (!ended_ && writing_ && still_.check(stream_.socket())) {
        drop();
    }
}

void HttpSession::drop() {
    end();
}

void HttpSession::end() {
    if (ended_) {
        return;
    }
    ended_ = true;
    stream_.close();
    hub_.forget(id_);
}

}  // namespace hallnet

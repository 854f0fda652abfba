#include "hall/websocket_session.h"

#include "hall/hall_hub.h"
#include "hall/remote_message.h"

namespace hallnet {

namespace {

constexpr int kPingsMissed = 3;
// A client flooding at this many times the allowed rate is not answered but closed.
constexpr int kFloodFactor = 5;

SharedText Refusing(const QString& kind, int waitSeconds = 0) {
    return ShareText(RefusalText(kind, waitSeconds).toUtf8());
}

}  // namespace

WebSocketSession::WebSocketSession(Hub& hub, ConnectionId id, beast::tcp_stream stream,
                                   QString address)
    : hub_(hub), id_(id), ws_(std::move(stream)), address_(std::move(address)) {}

void WebSocketSession::accept(http::request<http::string_body> request, QString token) {
    const HallLimits& limits = hub_.limits();
    // The stream keeps its own time from here: the handshake's, and the pings' once open.
    beast::get_lowest_layer(ws_).expires_never();
    websocket::stream_base::timeout timeout;
    timeout.handshake_timeout = std::chrono::milliseconds(limits.connections.requestMs);
    timeout.idle_timeout = std::chrono::milliseconds(kPingsMissed * limits.pingMs);
    timeout.keep_alive_pings = true;
    ws_.set_option(timeout);
    ws_.set_option(websocket::stream_base::decorator([](websocket::response_type& response) {
        response.set(http::field::server, "debaclock");
    }));
    ws_.read_message_max(std::size_t(limits.messageBytes));
    ws_.auto_fragment(false);
    ws_.text(true);
    ws_.control_callback([this](websocket::frame_type, beast::string_view) { still_.moved(); });
    auto held = std::make_shared<http::request<http::string_body>>(std::move(request));
    ws_.async_accept(*held, [self = shared_from_this(), held, token](error_code ec) {
        if (self->ended_) {
            return;
        }
        if (ec) {
            self->end();
            return;
        }
        self->open_ = true;
        self->hub_.opened(self->id_, self);
        self->welcome(token);
        self->read();
    });
}

// The state first; then, for a token that was not right, why no command will be taken.
void WebSocketSession::welcome(const QString& token) {
    send(hub_.state());
    if (token.isEmpty()) {
        return;
    }
    const TokenGate::Check check = hub_.gate().check(address_, token, hub_.nowMs());
    switch (check.verdict) {
        case TokenGate::Verdict::Locked:
            send(Refusing(Refusal::TooMany, int((check.waitMs + 999) / 1000)));
            break;
        case TokenGate::Verdict::Right:
            remote_ = true;
            hub_.keep(id_);  // a remote with the right token keeps its place when the hall is full
            break;
        case TokenGate::Verdict::Wrong:
            send(Refusing(Refusal::Forbidden));
            break;
    }
}

void WebSocketSession::read() {
    ws_.async_read(in_,
                   [self = shared_from_this()](error_code ec, std::size_t) { self->onRead(ec); });
}

void WebSocketSession::onRead(error_code ec) {
    if (ended_) {
        return;
    }
    if (ec) {
        end();  // closed, too big (the stream said 1009), silent for too long, or gone
        return;
    }
    still_.moved();
    const bool text = ws_.got_text();
    const auto bytes = in_.cdata();
    const QString message =
        text ? QString::fromUtf8(static_cast<const char*>(bytes.data()), qsizetype(bytes.size()))
             : QString();
    in_.consume(in_.size());
    if (stalled()) {
        return;
    }
    if (!closing_ && !tooFast()) {
        if (text) {
            receive(message);
        } else {
            send(Refusing(Refusal::Malformed));
        }
    }
    read();
}

void WebSocketSession::receive(const QString& text) {
    const RemoteMessage message = ReadRemoteMessage(text);
    switch (message.kind) {
        case RemoteMessage::Kind::Malformed:
            send(Refusing(Refusal::Malformed));
            return;
        case RemoteMessage::Kind::Unknown:
            send(Refusing(Refusal::Unknown));
            return;
        case RemoteMessage::Kind::Trigger:
            if (!remote_) {
                send(Refusing(Refusal::Forbidden));
            } else if (hub_.events().trigger) {
                // Meant for the screen whose state the client was sent last.
                hub_.events().trigger(id_, hub_.screen(), message.action);
            }
            return;
        case RemoteMessage::Kind::Notice:
            if (!hub_.acceptsNotices()) {
                send(Refusing(Refusal::Unknown));
            } else if (!remote_) {
                send(Refusing(Refusal::Forbidden));
            } else if (hub_.events().notice) {
                hub_.events().notice(id_, message.text, message.room);
            }
            return;
    }
}

bool WebSocketSession::tooFast() {
    const qint64 now = hub_.nowMs();
    while (!recent_.empty() && now - recent_.front() >= 1000) {
        recent_.pop_front();
    }
    recent_.push_back(now);
    const int allowed = hub_.limits().messagesPerSecond;
    if (int(recent_.size()) <= allowed) {
        return false;
    }
    if (int(recent_.size()) > kFloodFactor * allowed) {
        closeWith(nullptr, websocket::close_code::policy_error, "too many");
    } else {
        send(Refusing(Refusal::TooMany));
    }
    return true;
}

void WebSocketSession::send(const SharedText& message) {
    if (ended_ || closing_ || !message) {
        return;
    }
    if (unsent_ > hub_.limits().connections.unsentBytes) {
        drop();
        return;
    }
    queue({message});
}

void WebSocketSession::closeWith(const SharedText& refusal, std::uint16_t code,
                                 const char* reason) {
    if (ended_ || closing_) {
        return;
    }
    if (refusal) {
        queue({refusal});
    }
    closing_ = true;
    queue({nullptr, code, reason});
}

void WebSocketSession::queue(Outgoing outgoing) {
    unsent_ += outgoing.text ? std::int64_t(outgoing.text->size()) : 0;
    out_.push_back(std::move(outgoing));
    if (!writing_ && open_) {
        writeNext();
    }
}

void WebSocketSession::writeNext() {
    if (ended_ || out_.empty()) {
        writing_ = false;
        return;
    }
    writing_ = true;
    const Outgoing& next = out_.front();
    if (next.closeCode != 0) {
        // The last thing sent; the read that is under way ends once the client has answered.
        ws_.async_close(websocket::close_reason(websocket::close_code(next.closeCode), next.reason),
                        [self = shared_from_this()](error_code) { self->writing_ = false; });
        return;
    }
    ws_.async_write(net::buffer(*next.text),
                    [self = shared_from_this()](error_code ec, std::size_t) {
                        self->still_.moved();
                        self->unsent_ -= std::int64_t(self->out_.front().text->size());
                        self->out_.pop_front();
                        if (ec) {
                            self->end();
                        } else {
                            self->writeNext();
                        }
                    });
}

bool WebSocketSession::stalled() {
    if (unsent_ <= hub_.limits().connections.unsentBytes) {
        return false;
    }
    drop();
    return true;
}

void WebSocketSession::sweep() {
    // What it leaves unread, and pings it sends while it reads none of the pongs.
    if (!ended_ && !stalled() && still_.check(beast::get_lowest_layer(ws_).socket())) {
        drop();
    }
}

void WebSocketSession::drop() {
    end();
}

void WebSocketSession::goAway() {
    if (ended_) {
        return;
    }
    // The close frame, if it goes out at once, without waiting for the client's answer: a
    // server that stops waits for nobody. Not in the middle of another frame.
    if (open_ && !writing_) {
        static constexpr unsigned char kGoingAway[] = {0x88, 0x02, 0x03, 0xE9};  // 1001
        tcp::socket& socket = beast::get_lowest_layer(ws_).socket();
        error_code ignored;
        socket.non_blocking(true, ignored);
        socket.write_some(net::buffer(kGoingAway), ignored);
        socket.shutdown(tcp::socket::shutdown_send, ignored);
    }
    end();
}

void WebSocketSession::end() {
    if (ended_) {
        return;
    }
    ended_ = true;
    beast::get_lowest_layer(ws_).close();
    hub_.forget(id_);
}

}  // namespace hallnet

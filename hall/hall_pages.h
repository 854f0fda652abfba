#pragma once
// What the hall server answers to a request: its own pages, the state once, the WebSocket's
// handshake rules (origin, token) and nothing else of the program folder. No sockets here: the
// answer is decided from the request's line and the few headers that count.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <string>

class TokenGate;

// A message or a body, written once and shared by every connection that sends it.
using SharedText = std::shared_ptr<const std::string>;
inline SharedText ShareText(const QByteArray& bytes) {
    return std::make_shared<const std::string>(bytes.constData(), size_t(bytes.size()));
}

// The pages the server offers: the one at "/" that everyone may view, and the one at
// `tokenPath` (if any) that needs the token.
struct HallPageList {
    QString root = QStringLiteral("mirror.html");
    QString tokenPath = QStringLiteral("/remote");
    QString tokenPage = QStringLiteral("remote.html");
    QStringList assets = {QStringLiteral("hall.css"), QStringLiteral("hall.js")};
};

struct HallRequest {
    QByteArray method;
    QByteArray target;  // the address as sent, percent-encoded
    QByteArray upgrade;
    QByteArray connection;
    QByteArray origin;
    QByteArray fetchSite;
    QString address;  // of the peer
};

struct HallAnswer {
    int status = 200;
    QByteArray type;  // of the body; empty: a bare status
    SharedText body;
    bool webSocket = false;  // the handshake goes on
    QString token;           // the handshake's token, decoded; empty when it came without one
};

class HallPages {
  public:
    // Reads the pages of `list` from the program's resources.
    explicit HallPages(const HallPageList& list);

    // The answer to `request` to a server on `port` whose state is `state`.
    HallAnswer answer(const HallRequest& request, const SharedText& state, TokenGate& gate,
                      quint16 port, qint64 nowMs) const;

  private:
    struct Served {
        QByteArray type;
        SharedText body;
    };

    HallAnswer tokenPage(const HallRequest& request, const QString& token, TokenGate& gate,
                         qint64 nowMs) const;

    std::map<QString, Served> served_;  // by path
    QString tokenPath_;
    Served tokenPage_;
};

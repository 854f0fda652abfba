#include "hall/hall_pages.h"

#include <QFile>
#include <QUrl>
#include <QUrlQuery>

#include "hall/own_origin.h"
#include "hall/token_gate.h"

namespace {

const QByteArray kHtml = "text/html; charset=utf-8";

QByteArray Resource(const QString& name) {
    QFile file(QStringLiteral(":/hall/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray TypeOf(const QString& name) {
    if (name.endsWith(QLatin1String(".css"))) {
        return "text/css; charset=utf-8";
    }
    return name.endsWith(QLatin1String(".js")) ? "text/javascript; charset=utf-8" : kHtml;
}

HallAnswer Body(int status, const QByteArray& type, SharedText body) {
    HallAnswer answer;
    answer.status = status;
    answer.type = type;
    answer.body = std::move(body);
    return answer;
}

// A page, for the browser that was refused the remote.
HallAnswer RefusedPage(int status, const QString& why) {
    const QString page =
        QStringLiteral(
            "<!doctype html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
            "<link rel=\"stylesheet\" href=\"/hall.css\"><title>辩论赛计时系统</title>"
            "</head><body class=\"refused\"><p>%1</p></body></html>")
            .arg(why);
    return Body(status, kHtml, ShareText(page.toUtf8()));
}

HallAnswer Bare(int status) {
    return Body(status, {}, {});
}

bool HasToken(const QByteArray& list, const char* token) {
    for (const QByteArray& item : list.split(',')) {
        if (item.trimmed().compare(token, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

HallPages::HallPages(const HallPageList& list) : tokenPath_(list.tokenPath) {
    served_[QStringLiteral("/")] = {kHtml, ShareText(Resource(list.root))};
    for (const QString& asset : list.assets) {
        served_[QLatin1Char('/') + asset] = {TypeOf(asset), ShareText(Resource(asset))};
    }
    if (!tokenPath_.isEmpty()) {
        tokenPage_ = {kHtml, ShareText(Resource(list.tokenPage))};
    }
}

HallAnswer HallPages::answer(const HallRequest& request, const SharedText& state, TokenGate& gate,
                             quint16 port, qint64 nowMs) const {
    if (request.method != "GET") {
        return Bare(404);
    }
    const QUrl url = QUrl::fromEncoded(request.target);
    const QString path = url.path();
    // A token is percent-encoded wherever it stands ("+" as "%2B"); it is decoded once.
    const QString token =
        QUrlQuery(url).queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded);
    const bool ownPage = FromOwnPages(request.fetchSite, request.origin, port);
    if (path == QLatin1String("/ws")) {
        // A request that is no handshake is told what it lacks; another site's handshake is
        // refused before its token is looked at.
        if (!HasToken(request.upgrade, "websocket")) {
            return Bare(426);
        }
        if (!ownPage) {
            return Bare(403);
        }
        if (!HasToken(request.connection, "upgrade")) {
            return Bare(400);
        }
        HallAnswer handshake = Bare(101);
        handshake.webSocket = true;
        handshake.token = token;
        return handshake;
    }
    if (path == QLatin1String("/state")) {
        // The state once, for a page's first paint before its socket is open.
        return Body(200, "application/json; charset=utf-8", state);
    }
    if (!tokenPath_.isEmpty() && path == tokenPath_) {
        if (!ownPage) {
            return RefusedPage(403, QStringLiteral("请直接打开操作台上的地址。"));
        }
        return tokenPage(request, token, gate, nowMs);
    }
    const auto served = served_.find(path);
    if (served == served_.cend()) {
        return Bare(404);
    }
    return Body(200, served->second.type, served->second.body);
}

HallAnswer HallPages::tokenPage(const HallRequest& request, const QString& token, TokenGate& gate,
                                qint64 nowMs) const {
    switch (gate.check(request.address, token, nowMs).verdict) {
        case TokenGate::Verdict::Locked:
            return RefusedPage(429, QStringLiteral("口令错误次数过多，请一分钟后再试。"));
        case TokenGate::Verdict::Wrong:
            return RefusedPage(403,
                               QStringLiteral("口令无效或已更换，请重新扫描操作台上的二维码。"));
        case TokenGate::Verdict::Right:
            break;
    }
    return Body(200, tokenPage_.type, tokenPage_.body);
}

#include "hall/own_origin.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QUrl>
#include <algorithm>

bool FromOwnPages(const QByteArray& fetchSite, const QByteArray& origin, quint16 port) {
    // A browser says which page a request comes from; a page it opened by itself (an address
    // typed or scanned) is no other site's.
    if (!fetchSite.isEmpty() && fetchSite != "same-origin" && fetchSite != "none") {
        return false;
    }
    if (origin.isEmpty()) {
        return true;  // no browser page: a program of the operator's, or an address opened
    }
    const QUrl url(QString::fromLatin1(origin), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("http") || url.port(80) != port ||
        !url.path().isEmpty()) {
        return false;
    }
    if (url.host() == QLatin1String("localhost")) {
        return true;
    }
    // By its address only: a name could be anyone's that points at this machine.
    const QHostAddress host(url.host());
    const QList<QHostAddress> own = QNetworkInterface::allAddresses();
    return !host.isNull() && std::any_of(own.cbegin(), own.cend(), [&](const QHostAddress& a) {
        return a.isEqual(host, QHostAddress::TolerantConversion);
    });
}

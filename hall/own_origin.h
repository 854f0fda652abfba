#pragma once
// Whether a request comes from no web page or from one of this server's own pages: a page of
// another site must not watch, drive or spend the remote's tries.

#include <QByteArray>
#include <QtGlobal>

// `fetchSite` and `origin` are the request's "Sec-Fetch-Site" and "Origin" headers (empty when
// absent); `port` the server's own.
bool FromOwnPages(const QByteArray& fetchSite, const QByteArray& origin, quint16 port);

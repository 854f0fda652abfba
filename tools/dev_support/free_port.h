#pragma once
// A port of this machine's loopback that nothing listens on now, for a server a test or a
// benchmark starts itself.

#include <QHostAddress>
#include <QTcpServer>

inline quint16 FreeLoopbackPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

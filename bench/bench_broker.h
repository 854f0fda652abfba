#pragma once
// A Mosquitto of the benchmark's own on this machine's loopback, anonymous and without
// persistence, started and stopped by the benchmark.

#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace bench {

struct Broker {
    QTemporaryDir dir;
    QProcess process;
    // `more`: further lines of the broker's configuration.
    void start(quint16 port, const QByteArray& more = {}) {
        QFile config(dir.filePath(QStringLiteral("mosquitto.conf")));
        config.open(QIODevice::WriteOnly);
        config.write("listener " + QByteArray::number(port) +
                     " 127.0.0.1\nallow_anonymous true\npersistence false\n" + more +
                     (::geteuid() == 0 ? "user root\n" : ""));
        config.close();
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), config.fileName()});
        process.waitForStarted();
    }
    void stop() {
        process.kill();
        process.waitForFinished();
    }
    ~Broker() { stop(); }
};

}  // namespace bench

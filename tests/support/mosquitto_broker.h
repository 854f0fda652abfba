#pragma once
// A real Mosquitto broker for one test: on a free loopback port, with its own password file and
// the access rules the package ships for tournaments (each room's user writes only under its own
// room and reads only the notices; "board" reads everything and writes notices). Stopped when
// the test ends; tests never touch a broker they did not start.

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include "tools/dev_support/free_port.h"

class MosquittoBroker {
  public:
    // Users and their passwords; `acl`, other access rules than the shipped ones.
    explicit MosquittoBroker(const QList<QPair<QString, QString>>& users,
                             const QByteArray& acl = {}) {
        const QString passwords = dir.filePath(QStringLiteral("passwd"));
        QFile(passwords).open(QIODevice::WriteOnly);
        for (const auto& [user, password] : users) {
            QProcess::execute(QStringLiteral("mosquitto_passwd"),
                              {QStringLiteral("-b"), passwords, user, password});
        }
        // The access rules the package ships, so the example is what the tests prove.
        if (acl.isEmpty()) {
            QFile::copy(QStringLiteral(DEBACLOCK_SOURCE_DIR "/packaging/mosquitto/debaclock.acl"),
                        dir.filePath(QStringLiteral("acl")));
        } else {
            write(QStringLiteral("acl"), acl);
        }
        QByteArray config = "listener " + QByteArray::number(port) +
                            " 127.0.0.1\nallow_anonymous false\npersistence false\n"
                            // A test's flood of notices is not lost at the broker.
                            "max_queued_messages 100000\n"
                            "password_file " +
                            QFile::encodeName(passwords) + "\nacl_file " +
                            QFile::encodeName(dir.filePath("acl")) + "\n";
        if (::geteuid() == 0) {
            config += "user root\n";  // else it would drop to a user that cannot read the files
        }
        write(QStringLiteral("mosquitto.conf"), config);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        start();
    }
    ~MosquittoBroker() { stop(); }

    // Starts the broker (again) and waits until it listens.
    void start() {
        process.start(QStringLiteral("mosquitto"),
                      {QStringLiteral("-c"), dir.filePath(QStringLiteral("mosquitto.conf"))});
        running = process.waitForStarted() && QTest::qWaitFor([this] { return listens(); }, 5000);
    }
    // Gone at once, as a crashed broker or a pulled cable.
    void stop() {
        process.kill();
        process.waitForFinished(3000);
        running = false;
    }

    QTemporaryDir dir;
    QProcess process;
    quint16 port = FreeLoopbackPort();
    bool running = false;

  private:
    bool listens() const {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        return probe.waitForConnected(100);
    }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
};

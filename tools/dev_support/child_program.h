#pragma once
// A portable copy of the built program running as a child process, its hall server on so that a
// test or a benchmark can drive it and read what it shows, and kill it as a flat battery would.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/remote_access.h"
#include "foundation/segment_profile.h"
#include "timing/segment_journal.h"
#include "tools/dev_support/copy_tree.h"
#include "tools/dev_support/free_port.h"
#include "tools/dev_support/web_socket_client.h"

namespace child_program {

inline constexpr int kStartMs = 30000;  // a loaded machine starts the program slowly
inline const QString kToken = QStringLiteral("e2e-token-4f1c9a7b");

// The seconds a clock text stands for ("1分40秒", "100s"); none for any other (" 时间到！").
inline std::optional<int> ClockSeconds(const QString& text) {
    static const QRegularExpression kClock(QStringLiteral("^(-?\\d+)分(\\d+)秒$|^(-?\\d+)s$"));
    const QRegularExpressionMatch match = kClock.match(text.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return match.captured(3).isEmpty() ? match.captured(1).toInt() * 60 + match.captured(2).toInt()
                                       : match.captured(3).toInt();
}

// A portable copy of the built program, its hall server on for the test to drive it.
struct Child {
    QTemporaryDir dir;
    QProcess process;
    WebSocketClient socket;
    QJsonObject shown;  // the last state the server sent
    quint16 port = FreeLoopbackPort();

    // `built`: the folder of the built program and its data.
    explicit Child(const QString& built) {
        CopyTree(built, dir.path());
        const QString remote = AppPath(dir.path(), kRemoteProfile);
        WriteProfileString(remote, kConfigSection, RemoteKey::Enabled, QStringLiteral("1"));
        WriteProfileString(remote, kConfigSection, RemoteKey::Port, QString::number(port));
        WriteProfileString(remote, kConfigSection, RemoteKey::Token, kToken);
        // Segment 3 straight to its clock, without the transition picture.
        WriteProfileString(SegmentProfilePath(dir.path(), 3), kConfigSection,
                           QStringLiteral("使用过场图片"), QStringLiteral("0"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("home")));
        process.setProcessEnvironment(environment);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        socket.onText = [this](const QString& text) {
            const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
            if (message.contains(QStringLiteral("screen"))) {
                shown = message;
            }
        };
    }
    ~Child() { stop(); }

    // Starts the program and waits until its server sends what it shows.
    bool start(const QStringList& arguments = {}) {
        shown = {};
        process.start(dir.filePath(QStringLiteral("debaclock")), arguments);
        return process.waitForStarted() &&
               QTest::qWaitFor([this] { return connectOnce() && !screen().isEmpty(); }, kStartMs);
    }
    // Opens the socket unless it is open or opening; true once it is open.
    bool connectOnce() {
        if (socket.state() == QAbstractSocket::UnconnectedState) {
            socket.open(
                QUrl(QStringLiteral("ws://127.0.0.1:%1/ws?token=%2").arg(port).arg(kToken)));
        }
        return socket.state() == QAbstractSocket::ConnectedState;
    }
    void stop() {
        socket.abort();
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    // SIGKILL: nothing of the program runs any more, nothing is tidied up.
    void killHard() { stop(); }

    QString screen() const { return shown.value(QStringLiteral("screen")).toString(); }
    QString clocks() const {
        QStringList texts;
        for (const QJsonValue& clock : shown.value(QStringLiteral("clocks")).toArray()) {
            texts << clock.toObject().value(QStringLiteral("text")).toString();
        }
        return texts.join(QLatin1Char('|'));
    }
    bool enabled(const QString& action) const {
        for (const QJsonValue& entry : shown.value(QStringLiteral("actions")).toArray()) {
            if (entry.toObject().value(QStringLiteral("name")).toString() == action) {
                return entry.toObject().value(QStringLiteral("enabled")).toBool();
            }
        }
        return false;
    }
    void trigger(const QString& action) {
        socket.sendTextMessage(QString::fromUtf8(
            QJsonDocument(QJsonObject{{QStringLiteral("trigger"), action}}).toJson()));
    }
    QByteArray journal() const {
        QFile file(SegmentJournal::PathIn(dir.path()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

}  // namespace child_program

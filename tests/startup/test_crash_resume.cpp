// The real program, killed mid-segment as a flat battery would: a copy of it runs as a child
// process, driven and watched through its hall server, is killed with SIGKILL, and started
// again. The next run puts the segment back where the journal last kept it, paused; a segment
// ended through its own "返回主界面" leaves nothing to resume.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QWebSocket>
#include <QtTest>

#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/remote_access.h"
#include "foundation/segment_profile.h"
#include "timing/segment_journal.h"
#include "tools/dev_support/copy_tree.h"

namespace {

constexpr int kStartMs = 30000;  // a loaded machine starts the program slowly
const QString kToken = QStringLiteral("e2e-token-4f1c9a7b");

quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A portable copy of the built program, its hall server on for the test to drive it.
struct Child {
    QTemporaryDir dir;
    QProcess process;
    QWebSocket socket;
    QJsonObject shown;  // the last state the server sent
    quint16 port = FreePort();

    Child() {
        CopyTree(QStringLiteral(DEBACLOCK_APP_DIR), dir.path());
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
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& text) {
            const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
            if (message.contains(QStringLiteral("screen"))) {
                shown = message;
            }
        });
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

}  // namespace

class CrashResumeTest : public QObject {
    Q_OBJECT

  private slots:
    void killedMidSegmentTheNextRunResumesIt() {
        Child child;
        QVERIFY(child.start());
        QTRY_COMPARE_WITH_TIMEOUT(child.screen(), QStringLiteral("Form4"), kStartMs);
        child.trigger(QStringLiteral("Command4_2"));
        QTRY_COMPARE(child.screen(), QStringLiteral("Form6"));
        child.trigger(QStringLiteral("Left"));
        QTRY_VERIFY(child.enabled(QStringLiteral("Command3")));  // running: the pause offered
        QTRY_VERIFY(child.journal().contains("\"Timer1\""));
        const QString lastShown = child.clocks();
        child.killHard();
        QVERIFY(!child.journal().isEmpty());

        // Started again by the hall machine itself: resumed without a question, paused.
        QVERIFY(child.start({QStringLiteral("--resume")}));
        QTRY_COMPARE_WITH_TIMEOUT(child.screen(), QStringLiteral("Form6"), kStartMs);
        QTRY_VERIFY(!child.enabled(QStringLiteral("Command3")));
        // The clock stands at most the second it was counting when the journal was written.
        QVERIFY2(child.clocks() == lastShown || child.clocks().startsWith("2分00秒|"),
                 qPrintable(child.clocks() + " after " + lastShown));

        // Ended through its own button: nothing left for the run after.
        child.trigger(QStringLiteral("Command1"));
        QTRY_COMPARE(child.screen(), QStringLiteral("Form4"));
        QTRY_VERIFY(child.journal().isEmpty());
    }
};

QTEST_MAIN(CrashResumeTest)
#include "test_crash_resume.moc"

// A tournament on this machine's loopback: 40 rooms (this program's projected clock through the
// real link, the others simulated, each publishing its state once a second) and 500 boards and
// mirrors subscribed to every room's state on one Mosquitto. How long a room's state takes to
// reach a subscriber, from the moment the room wrote it ("updated") to its arrival.
//   bench_tournament_rooms [--rooms 40] [--subscribers 500] [--seconds 10]

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench_broker.h"
#include "bench_support.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/tournament_profile.h"
#include "projected_clock.h"
#include "tools/dev_support/free_port.h"
#include "tools/dev_support/tournament_room.h"
#include "tournament/tournament_link.h"

using namespace bench;

namespace {

constexpr int kPerChild = 250;

// A child's part: `count` subscribers to every room's state for `seconds`, then each
// arrival's delay after the room wrote it, one a line.
int Subscribe(int count, quint16 port, int seconds) {
    std::vector<double> delays;
    std::vector<std::unique_ptr<BrokerClient>> boards;
    for (int i = 0; i < count; ++i) {
        auto board = std::make_unique<BrokerClient>();
        QObject::connect(
            board.get(), &BrokerClient::message,
            [&delays](const QString&, const QByteArray& payload) {
                const QDateTime written =
                    QDateTime::fromString(QJsonDocument::fromJson(payload)
                                              .object()
                                              .value(QStringLiteral("updated"))
                                              .toString(),
                                          Qt::ISODateWithMs);
                if (written.isValid()) {
                    delays.push_back(double(written.msecsTo(QDateTime::currentDateTimeUtc())));
                }
            });
        BrokerSettings settings;
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = port;
        settings.clientId =
            QStringLiteral("board-%1-%2").arg(QCoreApplication::applicationPid()).arg(i);
        settings.subscriptions = {QStringLiteral("debaclock/bench/+/state")};
        board->start(settings);
        boards.push_back(std::move(board));
    }
    QTest::qWait(3000);
    delays.clear();  // the retained states of the start are no deliveries of a tick
    QTest::qWait((seconds - 3) * 1000);
    for (const double delay : delays) {
        std::printf("%.1f\n", delay);
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = ArgumentsOf(argc, argv);
    if (arguments.value(1) == QLatin1String("--subscribe")) {
        return Subscribe(arguments.value(2).toInt(), quint16(arguments.value(3).toUInt()),
                         arguments.value(4).toInt());
    }
    const int rooms = int(NumberAfter(arguments, "--rooms", 40));
    const int subscribers = int(NumberAfter(arguments, "--subscribers", 500));
    const int seconds = int(NumberAfter(arguments, "--seconds", 10));

    const quint16 port = FreeLoopbackPort();
    Broker broker;
    broker.start(port, "max_queued_messages 10000\n");
    QTest::qWait(500);

    // The subscribers, in child processes of at most 250 each: the MQTT library waits with
    // select(), which takes no descriptor past 1024.
    std::vector<std::unique_ptr<QProcess>> children;
    for (int given = 0; given < subscribers; given += kPerChild) {
        auto child = std::make_unique<QProcess>();
        child->setProcessChannelMode(QProcess::SeparateChannels);
        child->setStandardErrorFile(QProcess::nullDevice());
        child->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--subscribe"),
                      QString::number(std::min(kPerChild, subscribers - given)),
                      QString::number(port), QString::number(seconds + 8)});
        children.push_back(std::move(child));
    }
    QTest::qWait(4000);  // every subscriber connected

    // This program's room: the projected clock, running, through the real link.
    ProjectedClock projected;
    if (!projected.open()) {
        return 1;
    }
    ConfigureRoom(projected.appDir, port, QStringLiteral("bench"), QStringLiteral("R00"));
    TournamentLink link(projected.appDir);
    link.follow(projected.clock);
    link.applySettings();
    QTest::qWaitFor([&] { return link.isConnected(); }, 10000);

    // The other rooms, simulated: a state like a real one, once a second each, spread out.
    std::vector<std::unique_ptr<BrokerClient>> others;
    QByteArray template_ = QJsonDocument(ScreenSnapshot(projected.clock, QStringLiteral("驳论")))
                               .toJson(QJsonDocument::Compact);
    for (int r = 1; r < rooms; ++r) {
        auto room = std::make_unique<BrokerClient>();
        BrokerSettings settings;
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = port;
        settings.clientId = QStringLiteral("room-%1").arg(r);
        room->start(settings);
        others.push_back(std::move(room));
    }
    QTest::qWaitFor(
        [&] {
            return std::all_of(others.begin(), others.end(),
                               [](const auto& b) { return b->isConnected(); });
        },
        10000);
    QTimer simulated;
    int next = 0;
    QObject::connect(&simulated, &QTimer::timeout, [&] {
        BrokerClient& room = *others[size_t(next % int(others.size()))];
        QJsonObject state = QJsonDocument::fromJson(template_).object();
        state.insert("room", QStringLiteral("R%1").arg(next % int(others.size()) + 1, 2, 10,
                                                       QLatin1Char('0')));
        state.insert("updated", QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
        room.publish(QStringLiteral("debaclock/bench/%1/state").arg(state.value("room").toString()),
                     QJsonDocument(state).toJson(QJsonDocument::Compact), true);
        ++next;
    });
    if (!others.empty()) {
        simulated.start(1000 / int(others.size()));
    }

    projected.clock->findChild<QAction*>(QStringLiteral("Left"))->trigger();
    const double cpuStart = ProcessCpuMs();
    QTest::qWait(seconds * 1000);
    const double cpu = ProcessCpuMs() - cpuStart;
    simulated.stop();
    std::vector<double> delays;
    for (const auto& child : children) {
        child->waitForFinished(60000);
        for (const QByteArray& line : child->readAllStandardOutput().split('\n')) {
            if (!line.isEmpty()) {
                delays.push_back(line.toDouble());
            }
        }
    }

    std::printf("%d rooms (%d simulated), %d subscribers in %zu processes: %zu deliveries\n", rooms,
                rooms - 1, subscribers, children.size(), delays.size());
    PrintPercentiles("a room's state, written to arrival", delays);
    std::printf("this process (the room and %d simulated rooms): %.0f ms CPU a second\n", rooms - 1,
                cpu / seconds);
    return 0;
}

// A flood of the tab room's notices at a room, on this machine's loopback: the projected clock
// of the real program ticks on its two-side countdown, the room's link and the console's part
// of it (its status and notices) are on, and a child process sends 10,000 notices to every
// room as fast as the broker takes them. The gaps between the clock's ticks, the UI thread's
// longest stall, what the flood costs in memory, how long until the last notice shows, and
// what the console shows then.
//   bench_tournament_notices [--notices 10000] [--ticks 12]

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench_broker.h"
#include "bench_support.h"
#include "projected_clock.h"
#include "tools/dev_support/free_port.h"
#include "tools/dev_support/tournament_room.h"
#include "tournament/tournament_link.h"
#include "console/tournament_panel.h"

using namespace bench;

namespace {

const QString kTopic = QStringLiteral("debaclock/bench/notice");

// The child: `count` notices, then "最后的通知", as fast as QoS 1 allows; the time until the
// broker had taken them all.
int Flood(int count, quint16 port) {
    BrokerClient sender;
    BrokerSettings settings;
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = port;
    settings.clientId = QStringLiteral("bench-flood");
    sender.start(settings);
    QTest::qWaitFor([&] { return sender.isConnected(); }, 10000);
    QSignalSpy taken(&sender, &BrokerClient::published);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        sender.publish(kTopic,
                       QStringLiteral(R"({"text": "通知 %1：请各赛场注意时间"})").arg(i).toUtf8(),
                       false);
    }
    sender.publish(kTopic, R"({"text": "最后的通知"})", false);
    QTest::qWaitFor([&] { return taken.size() > count; }, 120000);
    std::printf("%lld\n", clock.elapsed());
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = ArgumentsOf(argc, argv);
    if (arguments.value(1) == QLatin1String("--be-flood")) {
        return Flood(arguments.value(2).toInt(), quint16(arguments.value(3).toUInt()));
    }
    const int notices = int(NumberAfter(arguments, "--notices", 10000));
    const int ticks = int(NumberAfter(arguments, "--ticks", 12));

    const quint16 port = FreeLoopbackPort();
    Broker broker;
    broker.start(port, "max_queued_messages 100000\n");
    ProjectedClock projected;
    if (!projected.open()) {
        return 1;
    }
    ConfigureRoom(projected.appDir, port, QStringLiteral("bench"), QStringLiteral("A101"));
    TournamentLink link(projected.appDir);
    link.follow(projected.clock);
    // The console's part, on show as on the operator's screen.
    QWidget console;
    auto* column = new QVBoxLayout(&console);
    auto* panel = new TournamentPanel(projected.appDir, link, &console);
    column->addWidget(panel->notices());
    column->addWidget(panel);
    console.resize(900, 500);
    console.show();
    link.applySettings();
    QTest::qWaitFor([&] { return link.isConnected(); }, 10000);
    Wait(1000);

    const auto lastShown = [&] {
        const QList<QLabel*> rows = console.findChildren<QLabel*>("TournamentNoticeText");
        return !rows.isEmpty() && rows.last()->text().endsWith(QStringLiteral("最后的通知"));
    };
    const qint64 rssBefore = RssKb("VmRSS:");
    qint64 rssMost = rssBefore;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout,
                     [&] { rssMost = std::max(rssMost, RssKb("VmRSS:")); });
    sampler.start(50);

    QProcess flood;
    flood.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer sinceFlood;
    qint64 lastShownMs = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (lastShownMs < 0 && lastShown()) {
            lastShownMs = sinceFlood.elapsed();
        }
    });
    watch.start(10);
    std::vector<double> gaps;
    qint64 previous = 0;
    StallMeter stalls;
    stalls.start();
    RunTicks(projected.clock, ticks, [&](qint64 sinceStartNs) {
        if (previous == 0) {  // the first tick: the flood starts
            flood.start(QCoreApplication::applicationFilePath(),
                        {"--be-flood", QString::number(notices), QString::number(port)});
            sinceFlood.start();
        } else {
            gaps.push_back(double(sinceStartNs - previous) / 1e6);
        }
        previous = sinceStartNs;
    });
    const double worstStall = stalls.worstMs();
    QTest::qWaitFor([&] { return flood.state() == QProcess::NotRunning; }, 120000);
    QTest::qWaitFor([&] { return lastShownMs >= 0; }, 30000);
    const qint64 rssAfter = RssKb("VmRSS:");

    std::printf("%d notices to every room while the clock ticks %d times\n", notices, ticks);
    std::printf("%-48s %8s ms\n", "the broker took them all in",
                flood.readAllStandardOutput().trimmed().constData());
    std::printf("%-48s %8lld ms\n", "the last one on the console after", lastShownMs);
    PrintPercentiles("gap between two ticks of the clock", gaps);
    std::printf("%-48s %8.1f ms\n", "the UI thread's longest stall", worstStall);
    std::printf("%-48s %+8.1f MB (at most %+.1f MB)\n", "memory after the flood",
                double(rssAfter - rssBefore) / 1024, double(rssMost - rssBefore) / 1024);
    const qsizetype rows = console.findChildren<QLabel*>("TournamentNoticeText").size();
    const auto* folded = console.findChild<QLabel*>("TournamentNoticesFolded");
    std::printf("%-48s %lld rows; %s\n", "the console shows", qint64(rows),
                folded ? qPrintable(folded->text()) : "none folded");
    return 0;
}

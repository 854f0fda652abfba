// The hall's network under load, with a 4K picture behind the projected two-side clock:
//   - how long after the projected clock a tick reaches a mirror client on 127.0.0.1;
//   - with 100 and 500 mirror clients: that delay, how late the projected ticks come (p99), and
//     the CPU per one-second tick, of the whole program and of its UI thread alone.
// The clients run in a child process (this program with --clients), so their work is not
// counted as the program's; they come from several loopback addresses, as many phones would,
// so that the limit per address does not turn them away. Real one-second ticks: the whole run
// takes about 75 s.

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <map>

#include "app/startup.h"
#include "bench_support.h"
#include "foundation/foundation.h"
#include "foundation/widgets/fonts.h"
#include "foundation/widgets/second_ticker.h"
#include "hall/hall_server.h"
#include "hall/screen_snapshot.h"
#include "projected_clock.h"
#include "tools/dev_support/web_socket_client.h"

using namespace bench;

namespace {

QString FirstClock(const QByteArray& state) {
    const QJsonArray clocks = QJsonDocument::fromJson(state).object()["clocks"].toArray();
    return clocks.isEmpty() ? QString() : clocks[0].toObject()["text"].toString();
}

// The child: `count` mirrors for `seconds`, then one line per message received: "ns text".
int RunClients(quint16 port, int count, int seconds) {
    std::vector<std::pair<qint64, QString>> received;
    received.reserve(size_t(count) * size_t(seconds + 5));
    std::vector<std::unique_ptr<WebSocketClient>> clients;
    for (int i = 0; i < count; ++i) {
        auto socket = std::make_unique<WebSocketClient>();
        // The time it came, then the text: what reading it costs is not counted as its way.
        socket->onText = [&received](const QString& text) { received.emplace_back(NowNs(), text); };
        socket->tcp.bind(QHostAddress(QStringLiteral("127.0.0.%1").arg(2 + i / 100)));
        socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
        clients.push_back(std::move(socket));
    }
    Wait(seconds * 1000);
    for (const auto& [ns, text] : received) {
        std::printf("%lld %s\n", qlonglong(ns), qPrintable(FirstClock(text.toUtf8())));
    }
    return 0;
}

struct Phase {
    std::vector<qint64> tickNs;
    std::map<QString, qint64> tickOfText;
    std::vector<double> latenessMs;
    double cpuPerTickMs = 0;
    double uiCpuPerTickMs = 0;  // the UI thread's alone
    std::vector<double> deliveryMs;
};

// `ticks` projected ticks with `clients` mirrors connected from the child process.
Phase Measure(FullScreenWindow* clock, quint16 port, int clients, int ticks) {
    Phase phase;
    QProcess child;
    if (clients > 0) {
        child.start(QCoreApplication::applicationFilePath(),
                    {"--clients", QString::number(clients), "--port", QString::number(port),
                     "--seconds", QString::number(ticks + 4)});
        child.waitForStarted();
        Wait(2000 + clients * 4);  // all connected and welcomed
    }
    auto* timer = clock->findChild<SecondTicker*>(QStringLiteral("Timer1"));
    QEventLoop ticking;  // one loop for the whole count: the bench adds no wake-ups of its own
    qint64 startNs = 0;
    const auto connection = QObject::connect(timer, &SecondTicker::tick, [&] {
        const qint64 now = NowNs();
        phase.tickNs.push_back(now);
        phase.latenessMs.push_back(double(now - startNs) / 1e6 -
                                   1000.0 * double(phase.tickNs.size()));
        phase.tickOfText[clock->clocks()[0].text] = now;
        if (int(phase.tickNs.size()) >= ticks) {
            ticking.quit();
        }
    });
    clock->findChild<QAction*>(QStringLiteral("Command2"))->trigger();  // reset
    const double cpuStart = ProcessCpuMs();
    const double uiCpuStart = ThreadCpuMs();
    clock->findChild<QAction*>(QStringLiteral("Left"))->trigger();
    startNs = NowNs();
    ticking.exec();
    phase.cpuPerTickMs = (ProcessCpuMs() - cpuStart) / double(ticks);
    phase.uiCpuPerTickMs = (ThreadCpuMs() - uiCpuStart) / double(ticks);
    QObject::disconnect(connection);
    if (clients > 0) {
        QEventLoop done;
        QObject::connect(&child, &QProcess::finished, &done, &QEventLoop::quit);
        if (child.state() != QProcess::NotRunning) {
            done.exec();
        }
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            const qsizetype space = line.indexOf(' ');
            if (space <= 0) {
                continue;
            }
            const auto tick = phase.tickOfText.find(QString::fromUtf8(line.mid(space + 1)));
            // A client that came in after that text was shown got it on welcome, not as a tick.
            const qint64 receivedNs = line.left(space).toLongLong();
            if (tick != phase.tickOfText.end() && receivedNs >= tick->second) {
                phase.deliveryMs.push_back(double(receivedNs - tick->second) / 1e6);
            }
        }
    }
    return phase;
}

}  // namespace

int main(int argc, char* argv[]) {
    const QStringList arguments = ArgumentsOf(argc, argv);
    if (arguments.contains("--clients")) {
        QCoreApplication app(argc, argv);
        const auto value = [&](const char* name) { return ArgumentAfter(arguments, name).toInt(); };
        return RunClients(quint16(value("--port")), value("--clients"), value("--seconds"));
    }
    QApplication app(argc, argv);
    ServedClock served;
    if (!served.open()) {
        return 1;
    }
    FullScreenWindow* clock = served.clock;
    HallServer& server = served.server;

    const Phase idle = Measure(clock, server.port(), 0, 10);
    const Phase one = Measure(clock, server.port(), 1, 10);
    const Phase hundred = Measure(clock, server.port(), 100, 20);
    const Phase fiveHundred = Measure(clock, server.port(), 500, 20);
    PrintPercentiles("tick to mirror, 1 client", one.deliveryMs);
    PrintPercentiles("tick to mirror, 100 clients", hundred.deliveryMs);
    PrintPercentiles("tick to mirror, 500 clients", fiveHundred.deliveryMs);
    PrintPercentiles("projected tick lateness, no client", idle.latenessMs);
    PrintPercentiles("projected tick lateness, 100 clients", hundred.latenessMs);
    PrintPercentiles("projected tick lateness, 500 clients", fiveHundred.latenessMs);
    const auto printCpu = [](const char* what, double ms) {
        std::printf("%-44s %6.2f ms per tick\n", what, ms);
    };
    printCpu("CPU, server on, no client", idle.cpuPerTickMs);
    printCpu("CPU of the UI thread, no client", idle.uiCpuPerTickMs);
    printCpu("CPU, 100 clients", hundred.cpuPerTickMs);
    printCpu("CPU of the UI thread, 100 clients", hundred.uiCpuPerTickMs);
    printCpu("CPU, 500 clients", fiveHundred.cpuPerTickMs);
    printCpu("CPU of the UI thread, 500 clients", fiveHundred.uiCpuPerTickMs);
    return 0;
}

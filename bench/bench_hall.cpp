// The hall's network under load, with a 4K picture behind the projected two-side clock:
//   - how long after the projected clock a tick reaches a mirror client on 127.0.0.1;
//   - with 100 mirror clients: that delay, how late the projected ticks come (p99), and the
//     CPU the program spends per one-second tick.
// The clients run in a child process (this program with --clients), so their work is not
// counted as the program's. Real one-second ticks: the whole run takes about 45 s.

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebSocket>
#include <cstdio>
#include <map>

#include "bench_support.h"
#include "foundation/foundation.h"
#include "foundation/widgets/fonts.h"
#include "foundation/widgets/second_ticker.h"
#include "hall/hall_server.h"
#include "hall/screen_snapshot.h"
#include "projected_clock.h"
#include "app/startup.h"

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
    std::vector<std::unique_ptr<QWebSocket>> clients;
    for (int i = 0; i < count; ++i) {
        auto socket = std::make_unique<QWebSocket>();
        QObject::connect(socket.get(), &QWebSocket::textMessageReceived,
                         [&received](const QString& text) {
                             received.emplace_back(NowNs(), FirstClock(text.toUtf8()));
                         });
        socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
        clients.push_back(std::move(socket));
    }
    Wait(seconds * 1000);
    for (const auto& [ns, text] : received) {
        std::printf("%lld %s\n", qlonglong(ns), qPrintable(text));
    }
    return 0;
}

struct Phase {
    std::vector<qint64> tickNs;
    std::map<QString, qint64> tickOfText;
    std::vector<double> latenessMs;
    double cpuPerTickMs = 0;
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
        Wait(2000);  // all connected and welcomed
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
    clock->findChild<QAction*>(QStringLiteral("Left"))->trigger();
    startNs = NowNs();
    ticking.exec();
    phase.cpuPerTickMs = (ProcessCpuMs() - cpuStart) / double(ticks);
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
    PrintPercentiles("tick to mirror, 1 client", one.deliveryMs);
    PrintPercentiles("tick to mirror, 100 clients", hundred.deliveryMs);
    PrintPercentiles("projected tick lateness, no client", idle.latenessMs);
    PrintPercentiles("projected tick lateness, 100 clients", hundred.latenessMs);
    std::printf("%-44s %6.2f ms per tick\n", "CPU, server on, no client", idle.cpuPerTickMs);
    std::printf("%-44s %6.2f ms per tick\n", "CPU, 100 clients", hundred.cpuPerTickMs);
    return 0;
}

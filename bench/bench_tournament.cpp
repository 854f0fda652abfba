// A room's link to a tournament's broker, on this machine only:
//   - the UI thread's longest stall while the broker cannot be reached, answers nothing, or is
//     stopped and started again (a 5 ms timer that should never wait much longer);
//   - the CPU the projected clock's program spends per one-second tick with the link on and
//     off (real seconds: about 25 s in all).

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "bench_broker.h"
#include "bench_support.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/tournament_profile.h"
#include "foundation/widgets/second_ticker.h"
#include "projected_clock.h"
#include "tools/dev_support/free_port.h"
#include "tools/dev_support/tournament_room.h"
#include "tournament/tournament_link.h"

using namespace bench;

namespace {

// The longest stall while the event loop runs for `ms`, with `during` run once at the start.
double LongestStallMs(int ms, const std::function<void()>& during = {}) {
    return bench::LongestStallMs([&] {
        if (during) {
            QTimer::singleShot(0, during);
        }
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    });
}

double CpuPerTickMs(FullScreenWindow* clock, int ticks) {
    const double start = ProcessCpuMs();
    RunTicks(clock, ticks);
    return (ProcessCpuMs() - start) / ticks;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ProjectedClock projected;
    if (!projected.open()) {
        return 1;
    }
    TournamentLink link(projected.appDir);
    link.follow(projected.clock);

    // Nobody listens on the port: every try is refused at once.
    const quint16 closed = FreeLoopbackPort();
    ConfigureRoom(projected.appDir, closed, "bench", "A101");
    std::printf("%-52s %6.1f ms\n", "longest UI stall, broker unreachable (5 s)",
                LongestStallMs(5000, [&] { link.applySettings(); }));

    // Something listens and never answers: the library waits, the window does not.
    QTcpServer silent;
    silent.listen(QHostAddress::LocalHost, 0);
    ConfigureRoom(projected.appDir, silent.serverPort(), "bench", "A101");
    std::printf("%-52s %6.1f ms\n", "longest UI stall, broker silent (5 s)",
                LongestStallMs(5000, [&] { link.applySettings(); }));

    // A broker that goes away mid-segment and comes back.
    const quint16 port = FreeLoopbackPort();
    Broker broker;
    broker.start(port);
    ConfigureRoom(projected.appDir, port, "bench", "A101");
    link.applySettings();
    LongestStallMs(1500);
    std::printf("connected: %s\n", link.isConnected() ? "yes" : "no");
    std::printf("%-52s %6.1f ms\n", "longest UI stall, broker stopped and restarted (8 s)",
                LongestStallMs(8000, [&] {
                    broker.stop();
                    QTimer::singleShot(3000, [&] { broker.start(port); });
                }));
    std::printf("connected again: %s\n", link.isConnected() ? "yes" : "no");

    const double on = CpuPerTickMs(projected.clock, 10);
    link.follow(nullptr);
    WriteProfileString(AppPath(projected.appDir, kTournamentProfile), kConfigSection,
                       TournamentKey::Enabled, QStringLiteral("0"));
    link.applySettings();
    const double off = CpuPerTickMs(projected.clock, 10);
    std::printf("%-52s %6.2f ms\n", "CPU per tick, link off", off);
    std::printf("%-52s %6.2f ms (%+.2f)\n", "CPU per tick, link on", on, on - off);
    broker.stop();
    return 0;
}

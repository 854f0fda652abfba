// The operator console on two screens, with a 4K picture behind the projected clock:
//   - how late the console shows each tick after the projected clock showed it;
//   - the CPU the whole program spends per one-second tick with the console and its miniature
//     running (the miniature follows a running clock four times a second).
// Real one-second ticks, so it takes about as many seconds as it counts ticks. Without a
// display of two screens it makes its own: an offscreen laptop and projector.

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <cstdio>

#include "bench_support.h"
#include "foundation/foundation.h"
#include "foundation/widgets/fonts.h"
#include "foundation/widgets/second_ticker.h"
#include "console/operator_console.h"
#include "app/startup.h"
#include "tools/dev_support/two_screens.h"

using namespace bench;

namespace {

constexpr int kTicks = 12;

void Key(QWidget* window, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(window, &press);
}

}  // namespace

int main(int argc, char* argv[]) {
    QTemporaryFile screens;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        UseTwoOffscreenScreens(screens);
    }
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    const QTemporaryDir dir;
    const QString appDir = ProgramFolder(dir);
    std::printf("screens: %lld\n", qlonglong(QGuiApplication::screens().size()));

    UseFourKTwoSideSegment(appDir);

    Program program(appDir);
    program.navigator.ShowMain();
    // "--without-console" measures the projected screen alone, for comparison.
    const bool withConsole = !QCoreApplication::arguments().contains("--without-console");
    auto* console = new OperatorConsole(program.context, program.navigator);
    if (withConsole) {
        console->showWhenTwoScreens();
        if (!console->isVisible()) {
            std::printf("one screen: no console to measure\n");
            return 1;
        }
    }
    Wait(500);
    Key(console, Qt::Key_3);
    Wait(500);
    if (!withConsole) {
        delete console;
    }
    FullScreenWindow* clock = program.navigator.audienceScreen();
    if (!clock || clock->objectName() != QLatin1String("Form6")) {
        std::printf("the two-side clock screen did not open\n");
        return 1;
    }
    Wait(500);

    // Connected after the screen's and the console's own handlers, so each time is taken once
    // the projected clock, then the console, has shown the tick.
    std::vector<qint64> projectedNs, consoleNs;
    QEventLoop ticking;  // one loop for the whole count: the bench adds no wake-ups of its own
    auto* timer = clock->findChild<SecondTicker*>(QStringLiteral("Timer1"));
    QObject::connect(timer, &SecondTicker::tick, [&] {
        projectedNs.push_back(NowNs());
        if (projectedNs.size() > size_t(kTicks)) {
            ticking.quit();
        }
    });
    QObject::connect(clock, &FullScreenWindow::stateChanged, [&] {
        if (consoleNs.size() < projectedNs.size()) {
            consoleNs.push_back(NowNs());
        }
    });
    clock->findChild<QAction*>(QStringLiteral("Left"))->trigger();
    const double cpuStart = ProcessCpuMs();
    ticking.exec();
    const double cpuPerTick = (ProcessCpuMs() - cpuStart) / double(projectedNs.size());

    std::vector<double> lateness;
    for (size_t i = 0; i < std::min(projectedNs.size(), consoleNs.size()); ++i) {
        lateness.push_back(double(consoleNs[i] - projectedNs[i]) / 1e6);
    }
    if (withConsole) {
        PrintFigures("console behind the projected tick", lateness);
    }
    std::printf("%-40s %7.2f ms per tick (%zu ticks)\n",
                withConsole ? "CPU, with console and miniature" : "CPU, projected screen alone",
                cpuPerTick, projectedNs.size());
    return 0;
}

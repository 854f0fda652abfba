// How well a running clock screen keeps to the wall clock. A real Form17 counts down on its
// own timer, headless, while every core is kept busy by a child process:
//   - short ticks (20 ms, --ticks of them, 2500 unless given): cumulative drift of the last
//     tick against the ideal schedule and the jitter of every tick;
//   - with --seconds, also 60 real one-second ticks under the same load;
//   - one-second ticks with the event loop blocked for 3 s in the middle: seconds the clock
//     lost (goal: none), next to a plain repeating QTimer that sat through the same stall;
//   - a total clock with 3 s left and a turn clock at 10 s (styles 3 and 5), the loop blocked
//     for 3.5 s right after both started: the turn clock where the total's time up stops it
//     (goal: where it stops without the stall).
// The quick run (no --seconds) takes under a minute.

#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "foundation/foundation.h"
#include "foundation/platform/fakes/fake_platform.h"
#include "foundation/setup_applying.h"
#include "foundation/widgets/second_ticker.h"
#include "timing/per_speech_countdown.h"
#include "timing/question_answer_countdown.h"
#include "timing/single_countdown.h"
#include "tools/dev_support/no_navigator.h"

namespace {

constexpr char kBurnFlag[] = "--burn";
constexpr int kLimit = 30000;  // seconds: no run here reaches time up

// The child: one spinning thread per core until the parent goes away or kills it.
int Burn() {
    const pid_t parent = getppid();
    std::atomic<bool> stop{false};
    std::vector<std::thread> spinners;
    for (int i = 0; i < QThread::idealThreadCount(); ++i) {
        spinners.emplace_back([&stop] {
            volatile unsigned long long n = 0;
            while (!stop.load(std::memory_order_relaxed)) {
                n = n + 1;
            }
        });
    }
    while (getppid() == parent) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    stop = true;
    for (std::thread& spinner : spinners) {
        spinner.join();
    }
    return 0;
}

class Load {
  public:
    Load() {
        child_.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kBurnFlag)});
        child_.waitForStarted();
        QThread::msleep(300);  // let the spinners take the cores
    }
    ~Load() {
        child_.kill();
        child_.waitForFinished();
    }

  private:
    QProcess child_;
};

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(p / 100.0 * double(values.size() - 1) + 0.5);
    return values[std::min(rank, values.size() - 1)];
}

struct Run {
    std::vector<qint64> tickNs;  // since start, one per tick
    qint64 endNs = 0;
    int plainTimerTicks = 0;
    QString clockText;
};

// Starts Form17 with `period` ms ticks and runs until `ticks` ticks came. With `stallMs`, the
// event loop is blocked that long from the middle of the run on.
Run RunClock(const AppContext& context, qint64 period, int ticks, int stallMs = 0) {
    Form17 screen(context);
    auto* timer1 = screen.findChild<SecondTicker*>(QStringLiteral("Timer1"));
    timer1->setPeriod(period);
    Run run;
    run.tickNs.reserve(std::size_t(ticks));
    QElapsedTimer clock;
    QEventLoop loop;
    // Connected after the screen's own tick, so the clock label is already redrawn.
    QObject::connect(timer1, &SecondTicker::tick, &loop, [&] {
        run.tickNs.push_back(clock.nsecsElapsed());
        if (int(run.tickNs.size()) >= ticks) {
            run.endNs = clock.nsecsElapsed();
            screen.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
            loop.quit();
        }
    });
    // A naive clock for comparison: a repeating timer that counts its timeouts.
    QTimer plain;
    plain.setTimerType(Qt::PreciseTimer);
    plain.setInterval(int(period));
    QObject::connect(&plain, &QTimer::timeout, [&] { ++run.plainTimerTicks; });
    if (stallMs > 0) {
        QTimer::singleShot(int(period * ticks / 2 - period / 2), &loop,
                           [stallMs] { QThread::msleep(stallMs); });
    }
    clock.start();
    plain.start();
    screen.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    loop.exec();
    run.clockText = screen.findChild<QLabel*>(QStringLiteral("Label2"))->text();
    return run;
}

void ReportDrift(const char* title, const Run& run, qint64 period) {
    std::vector<double> lateness;  // ms behind the ideal schedule
    std::vector<double> jitter;    // ms an interval differs from the period
    qint64 previous = 0;
    for (std::size_t i = 0; i < run.tickNs.size(); ++i) {
        const qint64 ns = run.tickNs[i];
        lateness.push_back(double(ns - qint64(i + 1) * period * 1000000) / 1e6);
        jitter.push_back(std::abs(double(ns - previous) / 1e6 - double(period)));
        previous = ns;
    }
    const int expected = kLimit - int(run.tickNs.size());
    std::printf("%s: %zu ticks of %lld ms\n", title, run.tickNs.size(),
                static_cast<long long>(period));
    std::printf("  cumulative drift (last tick)  %+8.3f ms\n", lateness.back());
    std::printf("  tick lateness  p50 %7.3f  p90 %7.3f  p99 %7.3f  max %7.3f ms\n",
                Percentile(lateness, 50), Percentile(lateness, 90), Percentile(lateness, 99),
                Percentile(lateness, 100));
    std::printf("  interval jitter p50 %7.3f  p90 %7.3f  p99 %7.3f  max %7.3f ms\n",
                Percentile(jitter, 50), Percentile(jitter, 90), Percentile(jitter, 99),
                Percentile(jitter, 100));
    std::printf("  plain repeating QTimer meanwhile: %d ticks (%+d)\n", run.plainTimerTicks,
                run.plainTimerTicks - int(run.tickNs.size()));
    std::printf("  clock shows %s (expected %ds)\n", qPrintable(run.clockText), expected);
}

void ReportStall(const Run& run, qint64 period, int stallMs) {
    const auto due = int(run.endNs / (period * 1000000));
    std::printf("stall: %d ms of blocked event loop in a run of %zu one-second ticks\n", stallMs,
                run.tickNs.size());
    std::printf("  wall clock %.3f s: seconds due %d, clock applied %zu, lost %d\n",
                double(run.endNs) / 1e9, due, run.tickNs.size(), due - int(run.tickNs.size()));
    std::printf("  plain repeating QTimer: %d ticks, lost %d\n", run.plainTimerTicks,
                due - run.plainTimerTicks);
    std::printf("  clock shows %s (expected %ds)\n", qPrintable(run.clockText),
                kLimit - int(run.tickNs.size()));
}

// The total clock of `Screen` at 3 s and its turn clock (`turnClock`) at 10 s, set going by a
// left press; the event loop then blocks for 3.5 s. What both show once the total is up.
template <typename Screen>
void ReportTwoClockStall(const char* title, const AppContext& context, const QString& turnClock,
                         const QString& unstalled) {
    const QString active = ActiveSegmentProfilePath(context.appDir);
    WriteProfileString(active, kConfigSection, SegmentKey::Limit, QStringLiteral("3"));
    for (const QString& key : {SegmentKey::QuestionLimit, SegmentKey::SpeechLimit}) {
        WriteProfileString(active, kConfigSection, key, QStringLiteral("10"));
    }
    Screen screen(context);
    QElapsedTimer clock;
    clock.start();
    screen.template findChild<QAction*>(QStringLiteral("Left"))->trigger();
    QTimer::singleShot(0, [] { QThread::msleep(3500); });
    QEventLoop loop;
    QTimer::singleShot(4500, &loop, &QEventLoop::quit);
    loop.exec();
    std::printf(
        "two clocks, a 3.5 s stall, %s: total %s, turn clock %s after %.1f s "
        "(without the stall %s)\n",
        title, qPrintable(screen.template findChild<QLabel*>(QStringLiteral("Label2"))->text()),
        qPrintable(screen.template findChild<QLabel*>(turnClock)->text()),
        double(clock.elapsed()) / 1000, qPrintable(unstalled));
    WriteProfileString(active, kConfigSection, SegmentKey::Limit, QString::number(kLimit));
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && qstrcmp(argv[1], kBurnFlag) == 0) {
        return Burn();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool seconds = args.contains(QStringLiteral("--seconds"));
    int shortTicks = 2500;
    if (const qsizetype at = args.indexOf(QStringLiteral("--ticks"));
        at >= 0 && at + 1 < args.size()) {
        shortTicks = std::max(1, args[at + 1].toInt());
    }

    QTemporaryDir dir;
    FakePlatform platform;
    NoNavigator navigator;
    SetupApplying setupApplying;
    const AppContext context{dir.path(), &platform, &navigator, &setupApplying};
    QDir().mkpath(dir.filePath(QStringLiteral("config")));
    const QString active = ActiveSegmentProfilePath(dir.path());
    WriteProfileString(active, kConfigSection, SegmentKey::Format, QStringLiteral("2"));
    WriteProfileString(active, kConfigSection, SegmentKey::Limit, QString::number(kLimit));
    WriteProfileString(active, kConfigSection, SegmentKey::WarnCueChoice, QStringLiteral("None"));

    std::printf("%d cores kept busy by a child process during the loaded runs\n",
                QThread::idealThreadCount());
    {
        Load load;
        ReportDrift("loaded, short ticks", RunClock(context, 20, shortTicks), 20);
        if (seconds) {
            ReportDrift("loaded, one-second ticks", RunClock(context, 1000, 60), 1000);
        }
    }
    constexpr int kStallMs = 3000;
    ReportStall(RunClock(context, 1000, 6, kStallMs), 1000, kStallMs);
    ReportTwoClockStall<Form5>("style 3", context, QStringLiteral("Label4"), QStringLiteral("8s"));
    ReportTwoClockStall<Form22>("style 5", context, QStringLiteral("Label1"), QStringLiteral("7s"));
    return 0;
}

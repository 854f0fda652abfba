// The real program killed with SIGKILL at random moments of a running segment, again and
// again, each time started anew with --resume: does every restart put the segment back, and how
// far is each restored clock from what the killed program last showed? A restored clock may
// stand up to one second above that (the second being counted when the journal was written)
// and never below it. Real seconds: about 10 s a run.
//   bench_crash_resume [--runs 30] [--seed N]

#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>

#include "bench_support.h"
#include "projected_clock.h"
#include "tools/dev_support/child_program.h"

using namespace bench;
using child_program::Child;
using child_program::ClockSeconds;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = ArgumentsOf(argc, argv);
    const int runs = int(NumberAfter(arguments, "--runs", 30));
    const auto seed =
        quint32(NumberAfter(arguments, "--seed", QRandomGenerator::system()->generate()));
    QRandomGenerator random(seed);
    std::printf("%d kills, seed %u\n", runs, seed);

    Child child(QStringLiteral(DEBACLOCK_APP_DIR));
    QStringList lastShown;
    int resumed = 0, below = 0, aboveByMore = 0, maxAbove = 0;
    for (int run = 0; run <= runs; ++run) {
        const bool left = !child.journal().isEmpty();
        if (!child.start({QStringLiteral("--resume")})) {
            std::printf("run %d: the program did not start\n", run);
            return 1;
        }
        if (run > 0) {
            // The clock screen comes up fresh, then restored: wait for the restored clocks.
            const QString fresh = QStringLiteral("2分00秒|2分00秒");
            QTest::qWaitFor(
                [&] { return child.screen() == QLatin1String("Form6") && child.clocks() != fresh; },
                3000);
            const QStringList restored = child.clocks().split(QLatin1Char('|'));
            const bool back = left && child.screen() == QLatin1String("Form6") &&
                              !child.enabled(QStringLiteral("Command3"));
            resumed += back ? 1 : 0;
            for (int i = 0; back && i < restored.size() && i < lastShown.size(); ++i) {
                const std::optional<int> now = ClockSeconds(restored[i]);
                const std::optional<int> then = ClockSeconds(lastShown[i]);
                if (now && then) {
                    below += *now < *then ? 1 : 0;
                    aboveByMore += *now > *then + 1 ? 1 : 0;
                    maxAbove = std::max(maxAbove, *now - *then);
                }
            }
            std::printf("run %2d: %s, shown %s, restored %s\n", run,
                        back ? "resumed" : "NOT RESUMED", qPrintable(lastShown.join('|')),
                        qPrintable(restored.join('|')));
            if (run == runs) {
                break;
            }
        } else {
            QTest::qWaitFor([&] { return child.screen() == QLatin1String("Form4"); }, 5000);
            child.trigger(QStringLiteral("Command4_2"));
            QTest::qWaitFor([&] { return child.screen() == QLatin1String("Form6"); }, 5000);
        }
        child.trigger(QStringLiteral("Left"));
        QTest::qWaitFor([&] { return child.enabled(QStringLiteral("Command3")); }, 5000);
        // A random moment of the running segment, not on a second's edge.
        QTest::qWait(int(random.bounded(500, 4500)));
        lastShown = child.clocks().split(QLatin1Char('|'));
        child.killHard();
    }
    std::printf("\nresumed after %d of %d kills\n", resumed, runs);
    std::printf(
        "restored clocks below the last shown: %d; more than 1 s above: %d; most above: "
        "%d s\n",
        below, aboveByMore, maxAbove);
    return resumed == runs && below == 0 && aboveByMore == 0 ? 0 : 1;
}

// The journal of the running segment, with the 4K two-side clock projected:
//   - what a write costs the tick's own thread (the state saved and turned into JSON; the rest
//     happens on the journal's thread);
//   - how long one write takes (the state saved, turned into JSON and written whole, synced);
//   - how late the projected ticks come with the journal following the clock, and without.
// Real one-second ticks: about 25 s.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <cstdio>

#include "bench_support.h"
#include "foundation/saved_file.h"
#include "foundation/widgets/second_ticker.h"
#include "projected_clock.h"
#include "timing/clock_screen.h"
#include "timing/segment_journal.h"

using namespace bench;

namespace {

// How late each of `ticks` projected ticks comes after its second.
std::vector<double> Lateness(FullScreenWindow* clock, int ticks) {
    std::vector<double> late;
    RunTicks(clock, ticks, [&](qint64 sinceStartNs) {
        late.push_back(double(sinceStartNs) / 1e6 - 1000.0 * double(late.size() + 1));
    });
    return late;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ProjectedClock projected;
    if (!projected.open()) {
        return 1;
    }
    auto* clock = qobject_cast<ClockScreen*>(projected.clock);
    const QString path = SegmentJournal::PathIn(projected.appDir);
    QDir().mkpath(QFileInfo(path).path());

    std::vector<double> onTheTicksThread;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QByteArray json = SegmentStateToJson(clock->saveState());
        onTheTicksThread.push_back(double(timer.nsecsElapsed()) / 1e6);
        Q_UNUSED(json);
    }
    PrintPercentiles("journal state on the tick's thread", onTheTicksThread);

    std::vector<double> writes;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer timer;
        timer.start();
        SaveFileAtomically(path, SegmentStateToJson(clock->saveState()));
        writes.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    PrintPercentiles("one journal write, synced", writes);

    const std::vector<double> without = Lateness(clock, 10);
    SegmentJournal journal(projected.appDir);
    journal.follow(clock);
    const std::vector<double> with = Lateness(clock, 10);
    PrintPercentiles("projected tick lateness, no journal", without);
    PrintPercentiles("projected tick lateness, journal", with);
    return 0;
}

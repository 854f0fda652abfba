#pragma once
// What the program benches project: the sample debate's "驳论" on the two-side clock with a 4K
// picture behind it, and for the hall benches a hall server on a free port of this machine.

#include <QAction>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "bench_support.h"
#include "foundation/widgets/fonts.h"
#include "foundation/widgets/second_ticker.h"
#include "hall/hall_server.h"
#include "hall/screen_snapshot.h"
#include "app/startup.h"

namespace bench {

inline QStringList ArgumentsOf(int argc, char* argv[]) {
    QStringList list;
    for (int i = 0; i < argc; ++i) {
        list << QString::fromLocal8Bit(argv[i]);
    }
    return list;
}

// The argument that follows `name` ("--port 8640"), or empty.
inline QString ArgumentAfter(const QStringList& arguments, const char* name) {
    const qsizetype at = arguments.indexOf(QLatin1String(name));
    return at < 0 ? QString() : arguments.value(at + 1);
}

// The number after `name`, or `otherwise` when it is not given.
inline qint64 NumberAfter(const QStringList& arguments, const char* name, qint64 otherwise) {
    const QString value = ArgumentAfter(arguments, name);
    return value.isEmpty() ? otherwise : value.toLongLong();
}

// Starts the two-side clock afresh on the affirmative side, calls `onTick` with the time of each
// of its next `ticks` ticks (nanoseconds since the start), then pauses it.
inline void RunTicks(FullScreenWindow* clock, int ticks,
                     const std::function<void(qint64 sinceStartNs)>& onTick = {}) {
    auto* timer = clock->findChild<SecondTicker*>(QStringLiteral("Timer1"));
    QEventLoop ticking;
    int seen = 0;
    qint64 startNs = 0;
    const auto connection = QObject::connect(timer, &SecondTicker::tick, [&] {
        if (onTick) {
            onTick(NowNs() - startNs);
        }
        if (++seen >= ticks) {
            ticking.quit();
        }
    });
    clock->findChild<QAction*>(QStringLiteral("Command2"))->trigger();  // reset
    clock->findChild<QAction*>(QStringLiteral("Left"))->trigger();
    startNs = NowNs();
    ticking.exec();
    QObject::disconnect(connection);
    clock->findChild<QAction*>(QStringLiteral("Command3"))->trigger();  // pause
}

// The clock alone, on the projector of the program benches.
struct ProjectedClock {
    // Opens the clock; false, having said why, when it did not open.
    bool open() {
        InstallFontSubstitutions();
        appDir = ProgramFolder(dir);
        UseFourKTwoSideSegment(appDir);
        program = std::make_unique<Program>(appDir);
        program->navigator.ShowMain();
        Wait(500);
        program->navigator.mainScreen()
            ->findChild<QAction*>(QStringLiteral("Command4_2"))
            ->trigger();
        Wait(1000);
        clock = program->navigator.audienceScreen();
        if (!clock || clock->objectName() != QLatin1String("Form6")) {
            std::printf("the two-side clock screen did not open\n");
            return false;
        }
        return true;
    }

    QTemporaryDir dir;
    QString appDir;
    std::unique_ptr<Program> program;
    FullScreenWindow* clock = nullptr;
};

// The clock, served.
struct ServedClock : ProjectedClock {
    // Opens the clock and starts the server; false, having said why, when either did not.
    bool open() {
        if (!ProjectedClock::open()) {
            return false;
        }
        server.show(clock, SegmentOnScreen(appDir, clock));
        QString problem;
        if (!server.start(0, &problem)) {
            std::printf("the server did not start: %s\n", qPrintable(problem));
            return false;
        }
        return true;
    }

    HallServer server;
};

}  // namespace bench

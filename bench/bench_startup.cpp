// How fast the operator sees something, and what it costs in memory:
//   - process start → splash first painted: the real start-up (platform, navigator, splash) in
//     a fresh child process, timed from just before the parent starts it;
//   - main screen → Form17 first painted: the launch of a style-1 segment whose background is
//     a 3840 × 2160 JPEG, from the click on its button to the clock screen's first frame;
//   - peak resident memory once the main screen is open;
//   - the longest event-loop stalls of a fresh process on its way to music on the main screen:
//     straight to the main screen (nothing warmed up), after the real splash (which warms the
//     media backend up while it holds still), and after the splash with an empty GStreamer
//     registry (the first start on a machine).
// Runs on whatever display Qt picks (offscreen when QT_QPA_PLATFORM says so) and prints it.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "bench_support.h"
#include "foundation/foundation.h"
#include "foundation/platform/media_player.h"
#include "foundation/widgets/fonts.h"
#include "app/startup.h"

namespace {

using namespace bench;

constexpr char kSplashChild[] = "--splash-child";
constexpr char kMusicChild[] = "--music-child";
constexpr int kRuns = 7;

// The child: the real start-up up to the splash's first frame, then it prints the moment.
int SplashChild(const QString& appDir, int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    Program program(appDir);
    QTextStream errors(stderr);
    MayStart(program.platform, errors);
    FirstPaint painted(QStringLiteral("Form1"));
    ShowSplash(program.context);
    std::printf("%lld\n", static_cast<long long>(painted.wait()));
    std::fflush(stdout);
    std::_Exit(0);  // the splash refuses to close; nothing else to tidy
}

// Calls `act` once, at the first close request that reaches a window named `objectName`.
class FirstClose : public QObject {
  public:
    FirstClose(QString objectName, std::function<void()> act)
        : name_(std::move(objectName)), act_(std::move(act)) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close && act_ && watched->objectName() == name_) {
            std::exchange(act_, nullptr)();
        }
        return false;
    }

  private:
    QString name_;
    std::function<void()> act_;
};

// The child: the main screen, through the splash or straight, then its player `WP` starts a
// piece as the music button does once a file is picked. Prints the longest stalls: while the
// splash fades in and holds (0 without a splash); from then until the main screen is painted
// (the splash's fade-out and the main screen's loading); and when the music starts.
int MusicChild(const QString& appDir, bool throughSplash, int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    Program program(appDir);
    FirstPaint mainPainted(QStringLiteral("Form4"));
    StallMeter meter;
    double splashStall = 0;
    meter.start();
    if (throughSplash) {
        // The hold ends with the splash's first close request, when its fade-out begins.
        FirstClose holdEnds(QStringLiteral("Form1"), [&] {
            splashStall = meter.worstMs();
            meter.start();
        });
        ShowSplash(program.context);
        mainPainted.wait();
    } else {
        program.navigator.ShowMain();
        mainPainted.wait();
    }
    const double mainStall = meter.worstMs();
    Wait(200);
    QWidget* main = ShownWindow(QStringLiteral("Form4"));
    auto* player = main ? main->findChild<MediaPlayer*>(QStringLiteral("WP")) : nullptr;
    if (!player) {
        std::_Exit(1);
    }
    meter.start();
    player->setURL(AppPath(appDir, QStringLiteral("\\sound\\cite\\Default.mp3")));
    Wait(1500);
    std::printf("%.2f %.2f %.2f\n", splashStall, mainStall, meter.worstMs());
    std::fflush(stdout);
    std::_Exit(0);
}

struct MusicFigures {
    std::vector<double> splash;
    std::vector<double> main;
    std::vector<double> music;
};

MusicFigures MusicRuns(const QString& appDir, bool throughSplash, bool freshRegistry, int runs) {
    MusicFigures figures;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir cache;
        QProcess child;
        if (freshRegistry) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("XDG_CACHE_HOME"), cache.path());
            child.setProcessEnvironment(env);
        }
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kMusicChild), appDir,
                     throughSplash ? QStringLiteral("splash") : QStringLiteral("straight")});
        child.waitForFinished(60000);
        const QList<QByteArray> out = child.readAllStandardOutput().trimmed().split(' ');
        if (out.size() == 3) {
            figures.splash.push_back(out[0].toDouble());
            figures.main.push_back(out[1].toDouble());
            figures.music.push_back(out[2].toDouble());
        }
    }
    return figures;
}

std::vector<double> SplashRuns(const QString& appDir) {
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        QProcess child;
        const qint64 startNs = NowNs();
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kSplashChild), appDir});
        child.waitForFinished(30000);
        const qint64 paintedNs = child.readAllStandardOutput().trimmed().toLongLong();
        if (paintedNs > 0) {
            ms.push_back(double(paintedNs - startNs) / 1e6);
        }
    }
    return ms;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc >= 3 && qstrcmp(argv[1], kSplashChild) == 0) {
        return SplashChild(QString::fromLocal8Bit(argv[2]), argc, argv);
    }
    if (argc >= 4 && qstrcmp(argv[1], kMusicChild) == 0) {
        return MusicChild(QString::fromLocal8Bit(argv[2]), qstrcmp(argv[3], "splash") == 0, argc,
                          argv);
    }
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    const QTemporaryDir dir;
    const QString appDir = ProgramFolder(dir);

    const std::vector<double> splash = SplashRuns(appDir);
    if (splash.empty()) {
        std::printf("splash: never painted\n");
        return 1;
    }
    PrintFigures("process start -> splash painted", splash);

    // Music: a fresh process each time, since only the first player of a process is slow.
    constexpr int kMusicRuns = 5;
    const MusicFigures straight = MusicRuns(appDir, false, false, kMusicRuns);
    const MusicFigures warmed = MusicRuns(appDir, true, false, kMusicRuns);
    const MusicFigures firstEverStraight = MusicRuns(appDir, false, true, 3);
    const MusicFigures firstEver = MusicRuns(appDir, true, true, 3);
    if (straight.music.empty() || warmed.music.empty() || firstEverStraight.music.empty() ||
        firstEver.music.empty()) {
        std::printf("music: the main screen's player never started\n");
        return 1;
    }
    std::printf("longest event-loop stalls, fresh process each run:\n");
    PrintFigures("  no warm-up: main screen loading", straight.main);
    PrintFigures("  no warm-up: music starting", straight.music);
    PrintFigures("  splash fade-in and hold (warm-up)", warmed.splash);
    PrintFigures("  after it: fade-out, main screen", warmed.main);
    PrintFigures("  after it: music starting", warmed.music);
    PrintFigures("  new registry, no warm-up: main screen", firstEverStraight.main);
    PrintFigures("  new registry: splash hold (warm-up)", firstEver.splash);
    PrintFigures("  new registry: fade-out, main screen", firstEver.main);
    PrintFigures("  new registry: music starting", firstEver.music);

    // Segment 1 straight to its clock screen, over a 4K background.
    QElapsedTimer encode;
    encode.start();
    Write4kJpeg(AppPath(appDir, QStringLiteral("\\background\\jishi\\")) + "bench4k.jpg");
    std::printf("4K JPEG: %lld KiB, written in %lld ms\n",
                static_cast<long long>(
                    QFileInfo(AppPath(appDir, "\\background\\jishi\\bench4k.jpg")).size() / 1024),
                static_cast<long long>(encode.elapsed()));
    const QString segment = SegmentProfilePath(appDir, 1);
    WriteProfileString(segment, kConfigSection, SegmentKey::UseTransition, QStringLiteral("0"));
    WriteProfileString(segment, kConfigSection, SegmentKey::Picture, QStringLiteral("bench4k.jpg"));

    Program program(appDir);

    std::vector<double> launch;
    qint64 mainRssKb = -1;
    auto mainPainted = std::make_unique<FirstPaint>(QStringLiteral("Form4"));
    program.navigator.ShowMain();
    for (int run = 0; run < kRuns; ++run) {
        mainPainted->wait();
        if (run == 0) {
            mainRssKb = RssKb();
        }
        QWidget* main = ShownWindow(QStringLiteral("Form4"));
        auto* button =
            main ? main->findChild<QAbstractButton*>(QStringLiteral("Command4_0")) : nullptr;
        if (!button) {
            std::printf("main screen: segment button not found\n");
            return 1;
        }
        FirstPaint clockPainted(QStringLiteral("Form17"));
        const qint64 clickNs = NowNs();
        button->click();
        const qint64 paintedNs = clockPainted.wait();
        if (paintedNs > 0) {
            launch.push_back(double(paintedNs - clickNs) / 1e6);
        }
        // Closing the clock screen brings a fresh main screen for the next run.
        mainPainted = std::make_unique<FirstPaint>(QStringLiteral("Form4"));
        if (QWidget* clock = ShownWindow(QStringLiteral("Form17"))) {
            clock->close();
        }
        // Outside an event loop closed windows wait for their deletion; the program's own
        // loop deletes them at once.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    if (launch.empty()) {
        std::printf("Form17: never painted\n");
        return 1;
    }
    PrintFigures("main screen -> Form17 painted (4K JPEG)", launch);
    std::printf("peak RSS with the main screen open: %.1f MiB\n", double(mainRssKb) / 1024);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::printf("after the launches: peak RSS %.1f MiB, now %.1f MiB (%lld windows left)\n",
                double(RssKb()) / 1024, double(RssKb("VmRSS:")) / 1024,
                static_cast<long long>(QApplication::topLevelWidgets().size()));
    return 0;
}

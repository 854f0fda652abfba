// How fast the result announcement answers the operator:
//   - each announcement step (picture, labels, effect) from the press to the next frame, with
//     4K photographs as the step pictures;
//   - the longest event-loop stall when the announcement's music starts (▲), after the media
//     backend was warmed up as the splash does.
// Runs on whatever display Qt picks (offscreen when QT_QPA_PLATFORM says so) and prints it.

#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "bench_support.h"
#include "foundation/foundation.h"
#include "foundation/widgets/fonts.h"
#include "app/startup.h"

using namespace bench;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    const QTemporaryDir dir;
    const QString appDir = ProgramFolder(dir);

    const QString result = AppPath(appDir, kResultProfile);
    const QString folder = AppPath(appDir, kResultPictureFolder);
    int seed = 0;
    for (const QString& key : {ResultKey::Picture, ResultKey::AffirmativePicture,
                               ResultKey::NegativePicture, ResultKey::WinnerPicture}) {
        const QString name = QStringLiteral("bench4k-%1.jpg").arg(seed++);
        Write4kJpeg(folder + '/' + name);
        WriteProfileString(result, kConfigSection, key, name);
    }
    WriteProfileString(result, kScoreSection, ResultKey::AffirmativeScore, QStringLiteral("90"));
    WriteProfileString(result, kScoreSection, ResultKey::NegativeScore, QStringLiteral("88.5"));

    Program program(appDir);
    program.platform.WarmUpMedia();
    FirstPaint opened(QStringLiteral("Image1"));
    program.navigator.Replace(nullptr, ScreenId::Announcement);
    opened.wait();
    QWidget* screen = ShownWindow(QStringLiteral("Form11"));
    if (!screen) {
        std::printf("Form11: never shown\n");
        return 1;
    }

    constexpr int kRuns = 7;
    for (const char* step : {"Command2", "Command3", "Command4"}) {
        auto* button = screen->findChild<QAbstractButton*>(QString::fromLatin1(step));
        std::vector<double> ms;
        for (int run = 0; run < kRuns; ++run) {
            Wait(50);
            FirstPaint painted(QStringLiteral("Image1"));
            const qint64 pressNs = NowNs();
            button->click();
            if (const qint64 paintedNs = painted.wait(); paintedNs > 0) {
                ms.push_back(double(paintedNs - pressNs) / 1e6);
            }
        }
        if (ms.empty()) {
            std::printf("%s: never painted\n", step);
            return 1;
        }
        PrintFigures(qPrintable(QStringLiteral("%1 -> painted (4K picture)").arg(button->text())),
                     ms);
    }

    StallMeter meter;
    meter.start();
    screen->findChild<QAbstractButton*>(QStringLiteral("Command5"))->click();
    Wait(1500);
    PrintFigures("▲ music starts: longest stall", {meter.worstMs()});
    return 0;
}

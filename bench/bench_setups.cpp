// Match setups of a large debate: 200 MB, mostly presentations.
//   - export and import, checksums included, against a plain `cp -r` of the same program
//     folder, side by side, as a speed relative to cp's (the aim: at least 0.5x);
//   - the longest stall of the UI thread while the settings home imports it (a 5 ms timer
//     that should never wait much longer).
//   bench_setups [--megabytes 200]

#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "bench_support.h"
#include "foundation/main_profile.h"
#include "foundation/platform/fakes/fake_platform.h"
#include "foundation/profile_store.h"
#include "foundation/setup_applying.h"
#include "foundation/setups/setup_import.h"
#include "projected_clock.h"
#include "screens/settings/setup_transfer.h"
#include "tools/dev_support/no_navigator.h"

using namespace bench;

namespace {

// Presentations of incompressible bytes, as real ones are, named by the presentation settings.
void AddPresentations(const QString& appDir, qint64 megabytes) {
    constexpr int kFiles = kPresentationCount;
    QByteArray chunk(1024 * 1024, Qt::Uninitialized);
    for (int k = 1; k <= kFiles; ++k) {
        const QString name = QStringLiteral("第%1场.pptx").arg(k);
        QFile file(appDir + QStringLiteral("/ppt/") + name);
        file.open(QIODevice::WriteOnly);
        for (qint64 m = 0; m < megabytes / kFiles; ++m) {
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(chunk.data()),
                                                  chunk.size() / 4);
            file.write(chunk);
        }
        WriteProfileString(appDir + QStringLiteral("/config/PPT.ini"), kConfigSection,
                           PresentationFileKey(k), name);
    }
}

double Seconds(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e9;
}

// What the kernel keeps of files in memory is dropped (root only): every read then comes from
// the disk, as after carrying a setup over on a stick. False when not allowed.
bool DropCaches() {
    ::sync();
    QFile drop(QStringLiteral("/proc/sys/vm/drop_caches"));
    return drop.open(QIODevice::WriteOnly) && drop.write("3\n") == 2;
}

struct Round {
    double cp = 1e9, out = 1e9, in = 1e9, checked = 1e9;
    SetupExport exported;
};

// Three rounds side by side, each into fresh folders, the best of each step kept: the first
// round pays for memory the machine had never touched, whatever it runs. Each step starts with
// nothing waiting to be written, so none is held back by another's writes; `cold`, with
// nothing of the files in memory either.
std::optional<Round> BestOfThree(const QString& home, const QString& zip, bool cold) {
    Round best;
    const auto before = [cold] { cold ? void(DropCaches()) : ::sync(); };
    for (int round = 0; round < 3; ++round) {
        QTemporaryDir copy, hall;
        CopyTree(QStringLiteral(DEBACLOCK_DATA_DIR), hall.path());
        QFile::remove(zip);
        before();
        QElapsedTimer timer;
        timer.start();
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), home, copy.path()});
        best.cp = std::min(best.cp, Seconds(timer));
        before();
        timer.restart();
        best.exported = ExportSetup(home, zip);
        best.out = std::min(best.out, Seconds(timer));
        if (!best.exported.problem.isEmpty()) {
            std::printf("export failed: %s\n", qPrintable(best.exported.problem));
            return std::nullopt;
        }
        before();
        timer.restart();
        const StagedSetup staged = StageSetup(hall.path(), zip);
        best.checked = std::min(best.checked, Seconds(timer));
        const QString applied =
            staged.refusal.isEmpty() ? ApplyStagedSetup(hall.path()) : staged.refusal;
        best.in = std::min(best.in, Seconds(timer));
        if (!applied.isEmpty()) {
            std::printf("import failed: %s\n", qPrintable(applied));
            return std::nullopt;
        }
    }
    return best;
}

void Print(const QString& how, const Round& round) {
    std::printf("\n%s: %d files, %.1f MB; best of 3 rounds\n", qPrintable(how),
                round.exported.files, double(round.exported.bytes) / 1048576.0);
    std::printf("cp -r of the program folder: %.3f s\n", round.cp);
    std::printf("export, checksums included: %.3f s (%.2fx of cp -r)\n", round.out,
                round.cp / round.out);
    std::printf(
        "import, checksums included: %.3f s (%.2fx of cp -r; checked and unpacked in %.3f s, "
        "the rest backing up what it replaces and putting the files in place)\n",
        round.in, round.cp / round.in, round.checked);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = ArgumentsOf(argc, argv);
    const qint64 megabytes = NumberAfter(arguments, "--megabytes", 200);
    QTemporaryDir home, hall;
    ProgramFolder(home);
    CopyTree(QStringLiteral(DEBACLOCK_DATA_DIR), hall.path());
    AddPresentations(home.path(), megabytes);
    const QString zip = home.path() + QStringLiteral("/../bench-setup.zip");

    const std::optional<Round> warm = BestOfThree(home.path(), zip, false);
    if (!warm) {
        return 1;
    }
    Print(QStringLiteral("files already in memory"), *warm);
    if (DropCaches()) {
        if (const std::optional<Round> cold = BestOfThree(home.path(), zip, true)) {
            Print(QStringLiteral("every step reading from the disk"), *cold);
        }
    } else {
        std::printf("(not allowed to empty the page cache: no figures from the disk)\n");
    }

    // The same import through the settings home, timing the UI thread's longest wait.
    ::sync();
    FakePlatform platform;
    NoNavigator navigator;
    SetupApplying setupApplying;
    AppContext context{hall.path(), &platform, &navigator, &setupApplying};
    platform.dialogs.answerFile(zip);
    platform.messages.answers = {true};
    QWidget owner;
    SetupTransfer transfer(context, &owner);
    const double longest = LongestStallMs([&] {
        QTimer::singleShot(20, [&] {
            transfer.importSetup();
            QCoreApplication::quit();
        });
        app.exec();
    });
    std::printf(
        "longest UI thread stall during an import from the settings home: %.1f ms "
        "(5 ms timer)\n",
        longest);
    QFile::remove(zip);
    return 0;
}

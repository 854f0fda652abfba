// Match setups of a large debate: 200 MB, mostly presentations.
//   - export and import against a plain `cp -r` of the same program folder, side by side;
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
#include "foundation/setup_import.h"
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

    // Three rounds side by side, each into fresh folders, the best of each kept: the first
    // round pays for memory the machine had never touched, whatever it runs. Each step starts
    // with nothing waiting to be written, so none is held back by another's writes.
    double cp = 1e9, out = 1e9, in = 1e9, checked = 1e9;
    SetupExport exported;
    for (int round = 0; round < 3; ++round) {
        QTemporaryDir copy, hall;
        CopyTree(QStringLiteral(DEBACLOCK_DATA_DIR), hall.path());
        QFile::remove(zip);
        ::sync();
        QElapsedTimer timer;
        timer.start();
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), home.path(), copy.path()});
        cp = std::min(cp, Seconds(timer));
        ::sync();
        timer.restart();
        exported = ExportSetup(home.path(), zip);
        out = std::min(out, Seconds(timer));
        if (!exported.problem.isEmpty()) {
            std::printf("export failed: %s\n", qPrintable(exported.problem));
            return 1;
        }
        ::sync();
        timer.restart();
        const StagedSetup staged = StageSetup(hall.path(), zip);
        checked = std::min(checked, Seconds(timer));
        const QString applied =
            staged.refusal.isEmpty() ? ApplyStagedSetup(hall.path()) : staged.refusal;
        in = std::min(in, Seconds(timer));
        if (!applied.isEmpty()) {
            std::printf("import failed: %s\n", qPrintable(applied));
            return 1;
        }
    }
    std::printf("%d files, %.1f MB; best of 3 rounds\n", exported.files,
                double(exported.bytes) / 1048576.0);
    std::printf("cp -r of the program folder: %.2f s\n", cp);
    std::printf("export: %.2f s (%.0f%% of cp's speed)\n", out, 100.0 * cp / out);
    std::printf(
        "import: %.2f s (%.0f%% of cp's speed; checked and unpacked in %.2f s, the rest "
        "backing up the hall's setup and putting the files in place)\n",
        in, 100.0 * cp / in, checked);

    // The same import through the settings home, timing the UI thread's longest wait.
    ::sync();
    FakePlatform platform;
    NoNavigator navigator;
    AppContext context{hall.path(), &platform, &navigator};
    platform.dialogs.answerFile(zip);
    platform.messages.answers = {true};
    QWidget owner;
    SetupTransfer transfer(context, &owner);
    QTimer beat;
    QElapsedTimer sinceBeat;
    qint64 longestNs = 0;
    QObject::connect(&beat, &QTimer::timeout, [&] {
        longestNs = std::max(longestNs, sinceBeat.nsecsElapsed());
        sinceBeat.restart();
    });
    beat.start(5);
    sinceBeat.start();
    QTimer::singleShot(20, [&] {
        transfer.importSetup();
        QCoreApplication::quit();
    });
    app.exec();
    std::printf(
        "longest UI thread stall during an import from the settings home: %.1f ms "
        "(5 ms timer)\n",
        double(longestNs) / 1e6);
    QFile::remove(zip);
    return 0;
}

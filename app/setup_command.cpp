#include "app/setup_command.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include "foundation/platform/qt_desktop.h"
#include "foundation/program.h"
#include "foundation/program_folder.h"
#include "foundation/setups/setup_import.h"

namespace {

const QString kExport = QStringLiteral("export-setup");
const QString kImport = QStringLiteral("import-setup");
const QString kUndo = QStringLiteral("undo-import");

int Export(const QString& appDir, const QString& file, QTextStream& out, QTextStream& errors) {
    const SetupExport done = ExportSetup(appDir, file);
    if (!done.problem.isEmpty()) {
        errors << QStringLiteral("比赛方案未能导出：%1\n").arg(done.problem);
        return 1;
    }
    out << QStringLiteral("已导出比赛方案：%1（%2）\n").arg(file, done.summary());
    return 0;
}

// An import or an undo, said as the settings home says it, without the question; a refusal
// begins with `refused`.
int Import(const QString& appDir, const StagedSetup& staged, const QString& refused,
           QTextStream& out, QTextStream& errors) {
    if (!staged.refusal.isEmpty()) {
        errors << refused << staged.refusal << '\n';
        return 1;
    }
    out << staged.question().section(QStringLiteral("是否继续？"), 0, 0) << '\n';
    if (const QString why = ApplyStagedSetup(appDir); !why.isEmpty()) {
        errors << refused << why << '\n';
        return 1;
    }
    out << staged.done() << '\n';
    return 0;
}

}  // namespace

QList<QCommandLineOption> SetupCommandOptions() {
    return {{kExport, QStringLiteral("把当前比赛方案导出到 <文件>（zip），不打开窗口"),
             QStringLiteral("文件")},
            {kImport, QStringLiteral("从 <文件> 导入比赛方案，当前设置先备份，不打开窗口"),
             QStringLiteral("文件")},
            {kUndo, QStringLiteral("撤销上次导入（可一次次向前撤销），不打开窗口")}};
}

std::optional<int> RunSetupCommand(int argc, char* argv[]) {
    bool named = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        named = named || argument.startsWith("--export-setup") ||
                argument.startsWith("--import-setup") || argument == "--undo-import";
    }
    if (!named) {
        return std::nullopt;
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(kProgramTitle);
    QCoreApplication::setApplicationVersion(kVersionText);
    QCommandLineParser options;
    options.addOptions(SetupCommandOptions());
    options.addHelpOption();
    options.process(app);
    QTextStream out(stdout);
    QTextStream errors(stderr);
    const QString folder = ProgramFolderForCommand(errors);
    if (folder.isEmpty()) {
        return 1;
    }
    // Never under a running copy, which reads the profiles while it runs.
    QtInstanceLock lock(folder);
    if (lock.TryLock() != InstanceLock::Result::Acquired) {
        errors << QStringLiteral("debaclock 正在运行：请先退出，再导入或导出比赛方案。\n");
        return 2;
    }
    RollBackUnfinishedImport(folder);
    if (options.isSet(kExport)) {
        return Export(folder, options.value(kExport), out, errors);
    }
    if (options.isSet(kUndo)) {
        return Import(folder, StageUndo(folder), QStringLiteral("未能撤销上次导入："), out, errors);
    }
    return Import(folder, StageSetup(folder, options.value(kImport)),
                  QStringLiteral("比赛方案未导入："), out, errors);
}

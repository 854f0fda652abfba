#include "setup_command.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include "foundation/platform/qt_desktop.h"
#include "foundation/program.h"
#include "foundation/program_folder.h"
#include "foundation/setup_import.h"

namespace {

const QString kExport = QStringLiteral("export-setup");
const QString kImport = QStringLiteral("import-setup");

int Export(const QString& appDir, const QString& file, QTextStream& out, QTextStream& errors) {
    const SetupExport done = ExportSetup(appDir, file);
    if (!done.problem.isEmpty()) {
        errors << QStringLiteral("比赛方案未能导出：%1\n").arg(done.problem);
        return 1;
    }
    out << QStringLiteral("已导出比赛方案：%1（%2个文件，%3")
               .arg(file)
               .arg(done.files)
               .arg(ByteSizeText(done.bytes));
    if (done.leftOut > 0) {
        out << QStringLiteral("；未被设置引用的 %1 个文件未导出").arg(done.leftOut);
    }
    out << QStringLiteral("）\n");
    return 0;
}

int Import(const QString& appDir, const QString& file, QTextStream& out, QTextStream& errors) {
    const StagedSetup staged = StageSetup(appDir, file);
    if (!staged.refusal.isEmpty()) {
        errors << QStringLiteral("比赛方案未导入：%1\n").arg(staged.refusal);
        return 1;
    }
    out << staged.question().section(QStringLiteral("是否继续？"), 0, 0) << '\n';
    if (const QString why = ApplyStagedSetup(appDir); !why.isEmpty()) {
        errors << QStringLiteral("比赛方案未导入：%1\n").arg(why);
        return 1;
    }
    out << QStringLiteral("已导入。\n");
    return 0;
}

}  // namespace

QList<QCommandLineOption> SetupCommandOptions() {
    return {{kExport, QStringLiteral("把当前比赛方案导出到 <文件>（zip），不打开窗口"),
             QStringLiteral("文件")},
            {kImport, QStringLiteral("从 <文件> 导入比赛方案，当前设置先备份，不打开窗口"),
             QStringLiteral("文件")}};
}

std::optional<int> RunSetupCommand(int argc, char* argv[]) {
    bool named = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        named =
            named || argument.startsWith("--export-setup") || argument.startsWith("--import-setup");
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
    return options.isSet(kExport) ? Export(folder, options.value(kExport), out, errors)
                                  : Import(folder, options.value(kImport), out, errors);
}

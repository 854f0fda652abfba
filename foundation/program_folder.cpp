#include "foundation/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTextStream>

#include "foundation/program.h"
#include "foundation/saved_file.h"
#include "foundation/user_folder.h"

namespace {

// Why nothing can be written in `folder`, or the empty text. Tried for real: permission bits
// do not tell about read-only mounts, nor about the administrator.
QString WhyNotWritable(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".debaclock-probe-XXXXXX")));
    return probe.open() ? QString() : probe.errorString();
}

QString Unwritable(const QString& folder, const QString& reason) {
    return QStringLiteral("文件夹 %1 不能写入：%2。").arg(QDir::toNativeSeparators(folder), reason);
}

}  // namespace

ProgramFolderPlaces ThisProgramsPlaces() {
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir, QDir::cleanPath(programDir + '/' + kInstalledDefaultsFromProgram),
            UserProgramFolder()};
}

ProgramFolderChoice ChooseProgramFolder(const ProgramFolderPlaces& places) {
    QString problems;
    const bool portable = QFileInfo(QDir(places.programDir).filePath("config")).isDir();
    if (portable) {
        const QString why = WhyNotWritable(places.programDir);
        if (why.isEmpty()) {
            return {places.programDir, {}};
        }
        problems = Unwritable(places.programDir, why) + '\n';
    }
    // A portable copy on read-only media brings its own defaults.
    const QString defaults = portable ? places.programDir : places.installedDefaults;
    QDir().mkpath(places.userFolder);
    QString why = WhyNotWritable(places.userFolder);
    if (why.isEmpty()) {
        why = AddMissingDefaults(defaults, places.userFolder);
    }
    if (why.isEmpty()) {
        return {places.userFolder, {}};
    }
    return {{},
            QStringLiteral("辩论赛计时系统无法保存设置，不能运行。\n") + problems +
                Unwritable(places.userFolder, why)};
}

QString AddMissingDefaults(const QString& defaults, const QString& folder) {
    const QDir from(defaults), to(folder);
    QDirIterator files(defaults, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString relative = from.relativeFilePath(files.next());
        const QString target = to.filePath(relative);
        if (QFileInfo::exists(target)) {
            continue;
        }
        QDir().mkpath(QFileInfo(target).path());
        if (const QString why = CopyFileAtomically(files.filePath(), target); !why.isEmpty()) {
            return why;
        }
    }
    return {};
}

QString ProgramFolderForCommand(QTextStream& errors) {
    const ProgramFolderChoice choice = ChooseProgramFolder(ThisProgramsPlaces());
    if (choice.folder.isEmpty()) {
        errors << choice.problem << '\n';
    }
    return choice.folder;
}

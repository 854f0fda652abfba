#include "foundation/setup_import.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "foundation/paths.h"
#include "foundation/saved_file.h"

namespace {

const QString kPlanName = QStringLiteral("plan.json");

QString NewFolder(const QString& staging) {
    return QDir(staging).filePath(QStringLiteral("new"));
}
QString OldFolder(const QString& staging) {
    return QDir(staging).filePath(QStringLiteral("old"));
}
QString BackupFolder(const QString& appDir) {
    return QDir(appDir).filePath(QStringLiteral("backups"));
}

// One file put in place: the archive's path, where it goes (relative, as on disk), and whether
// a file was there to move aside.
struct Move {
    QString path;
    QString target;
    bool replaces = false;
};

QString SavePlan(const QString& staging, const QString& state, const QList<Move>& moves) {
    QJsonArray list;
    for (const Move& move : moves) {
        list.append(
            QJsonObject{{"path", move.path}, {"target", move.target}, {"replaces", move.replaces}});
    }
    return SaveFileAtomically(
        QDir(staging).filePath(kPlanName),
        QJsonDocument(QJsonObject{{"state", state}, {"moves", list}}).toJson());
}

bool MoveFile(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).path());
    return QFile::rename(from, to);
}

// Puts back what the moves of a plan in `staging` changed, last first.
void Undo(const QString& appDir, const QString& staging, const QList<Move>& moves) {
    for (auto move = moves.crbegin(); move != moves.crend(); ++move) {
        const QString target = QDir(appDir).filePath(move->target);
        const QString aside = QDir(OldFolder(staging)).filePath(move->path);
        if (move->replaces && QFileInfo::exists(aside)) {
            QFile::remove(target);
            MoveFile(aside, target);
        } else if (!move->replaces &&
                   !QFileInfo::exists(QDir(NewFolder(staging)).filePath(move->path))) {
            QFile::remove(target);  // it was moved in
        }
    }
}

// A backup of the current setup: "backups/2026-12-09_14-32-05.zip", the oldest beyond the kept
// number removed.
QString BackUp(const QString& appDir) {
    const QString folder = BackupFolder(appDir);
    QDir().mkpath(folder);
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString path = QDir(folder).filePath(stamp + QStringLiteral(".zip"));
    for (int n = 2; QFileInfo::exists(path); ++n) {
        path = QDir(folder).filePath(QStringLiteral("%1_%2.zip").arg(stamp).arg(n));
    }
    const SetupExport backup = ExportSetup(appDir, path);
    if (!backup.problem.isEmpty()) {
        return QStringLiteral("当前设置未能备份（%1），未导入任何内容。").arg(backup.problem);
    }
    const QStringList all = SetupBackups(appDir);
    for (qsizetype i = kSetupBackupsKept; i < all.size(); ++i) {
        QFile::remove(all[i]);
    }
    return {};
}

}  // namespace

QString SetupStagingFolder(const QString& appDir) {
    return QDir(appDir).filePath(QStringLiteral(".setup-import"));
}

QString StagedSetup::question() const {
    QString missingText;
    if (!missing.isEmpty()) {
        const QStringList shown = missing.mid(0, 5);
        missingText = QStringLiteral("%1 个设置所指的文件不在方案中：%2%3。")
                          .arg(missing.size())
                          .arg(shown.join(QStringLiteral("、")),
                               missing.size() > shown.size() ? QStringLiteral("等") : QString());
    }
    return QStringLiteral(
               "将导入：%1，%2个计时环节，%3个文件（%4）。%5当前设置将先备份。是否继续？")
        .arg(debate.isEmpty() ? QStringLiteral("未命名的比赛") : debate)
        .arg(segments)
        .arg(files)
        .arg(ByteSizeText(bytes), missingText);
}

StagedSetup StageSetup(const QString& appDir, const QString& zipPath, const SetupWork& work) {
    StagedSetup staged;
    const QString staging = SetupStagingFolder(appDir);
    QDir(staging).removeRecursively();
    const SetupUnpacked unpacked = UnpackSetup(zipPath, NewFolder(staging), work);
    if (!unpacked.refusal.isEmpty() || unpacked.cancelled) {
        QDir(staging).removeRecursively();
        staged.refusal = unpacked.refusal;
        staged.cancelled = unpacked.cancelled;
        return staged;
    }
    staged.debate = DebateNameIn(NewFolder(staging));
    staged.segments = TimedSegmentsIn(NewFolder(staging));
    staged.files = int(unpacked.manifest.files.size());
    staged.bytes = unpacked.bytes;
    staged.missing = MissingNamedFiles(NewFolder(staging));
    return staged;
}

void DropStagedSetup(const QString& appDir) {
    QDir(SetupStagingFolder(appDir)).removeRecursively();
}

QString ApplyStagedSetup(const QString& appDir, const SetupWork& work) {
    const QString staging = SetupStagingFolder(appDir);
    const QString staged = NewFolder(staging);
    if (!QFileInfo(staged).isDir()) {
        return QStringLiteral("没有待导入的方案。");
    }
    if (const QString why = BackUp(appDir); !why.isEmpty()) {
        DropStagedSetup(appDir);
        return why;
    }
    QList<Move> moves;
    QDirIterator files(staged, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = QDir(staged).relativeFilePath(files.next());
        // The file of the program folder that the profiles find under this name.
        const QString target = QDir(appDir).relativeFilePath(
            AppPath(appDir, QLatin1Char('\\') + QString(path).replace('/', '\\')));
        moves << Move{path, target, QFileInfo(QDir(appDir).filePath(target)).isFile()};
    }
    if (const QString why = SavePlan(staging, QStringLiteral("swapping"), moves); !why.isEmpty()) {
        DropStagedSetup(appDir);
        return QStringLiteral("无法导入：%1").arg(why);
    }
    for (qsizetype i = 0; i < moves.size(); ++i) {
        const Move& move = moves[i];
        const QString target = QDir(appDir).filePath(move.target);
        const bool moved =
            (!move.replaces || MoveFile(target, QDir(OldFolder(staging)).filePath(move.path))) &&
            MoveFile(QDir(staged).filePath(move.path), target);
        if (!moved) {
            Undo(appDir, staging, moves.mid(0, i + 1));
            DropStagedSetup(appDir);
            return QStringLiteral("无法放入“%1”，已恢复原来的设置。").arg(move.target);
        }
        if (work.progress) {
            work.progress(i + 1, moves.size());
        }
    }
    SavePlan(staging, QStringLiteral("done"), moves);
    DropStagedSetup(appDir);
    return {};
}

bool RollBackUnfinishedImport(const QString& appDir) {
    const QString staging = SetupStagingFolder(appDir);
    if (!QFileInfo::exists(staging)) {
        return false;
    }
    QFile planFile(QDir(staging).filePath(kPlanName));
    const QJsonObject plan = planFile.open(QIODevice::ReadOnly)
                                 ? QJsonDocument::fromJson(planFile.readAll()).object()
                                 : QJsonObject();
    planFile.close();
    if (plan.value("state").toString() == QLatin1String("swapping")) {
        QList<Move> moves;
        for (const QJsonValue& value : plan.value("moves").toArray()) {
            const QJsonObject move = value.toObject();
            const QString path = move.value("path").toString();
            const QString target = move.value("target").toString();
            // Only what an import of ours can have planned: inside the program folder.
            if (UnsafeEntryName(path).isEmpty() && UnsafeEntryName(target).isEmpty()) {
                moves << Move{path, target, move.value("replaces").toBool()};
            }
        }
        Undo(appDir, staging, moves);
    }
    DropStagedSetup(appDir);
    return true;
}

QStringList SetupBackups(const QString& appDir) {
    QStringList paths;
    for (const QFileInfo& entry :
         QDir(BackupFolder(appDir))
             .entryInfoList({QStringLiteral("*.zip")}, QDir::Files, QDir::Name | QDir::Reversed)) {
        paths << entry.absoluteFilePath();
    }
    return paths;
}

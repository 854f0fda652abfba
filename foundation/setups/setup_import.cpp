#include "foundation/setups/setup_import.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <optional>

#include "foundation/debate_profiles.h"
#include "foundation/file_names.h"
#include "foundation/paths.h"
#include "foundation/saved_file.h"

namespace {

const QString kPlanName = QStringLiteral("plan.json");
// Beside the staged files of an undo: its backup and what it removes.
const QString kUndoName = QStringLiteral("undo.json");

QString NewFolder(const QString& staging) {
    return QDir(staging).filePath(QStringLiteral("new"));
}
// Where replaced files stand aside, by their path in the setup.
QString OldFolder(const QString& staging) {
    return QDir(staging).filePath(QStringLiteral("old"));
}
// Where an undo's removed files stand aside, by their path in the program folder.
QString GoneFolder(const QString& staging) {
    return QDir(staging).filePath(QStringLiteral("gone"));
}
QString BackupFolder(const QString& appDir) {
    return QDir(appDir).filePath(QStringLiteral("backups"));
}

// "2026-12-09_14-32-05.zip", a second one of the same second "2026-12-09_14-32-05_2.zip".
const QRegularExpression& BackupName() {
    static const QRegularExpression name(
        QStringLiteral("^(\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d)(?:_(\\d{1,6}))?\\.zip$"));
    return name;
}
struct BackupStamp {
    QString time;  // as in the name, which sorts as the time does
    int n = 1;
    bool operator<(const BackupStamp& other) const {
        return time != other.time ? time < other.time : n < other.n;
    }
};
std::optional<BackupStamp> StampOf(const QString& path) {
    const QRegularExpressionMatch match = BackupName().match(QFileInfo(path).fileName());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return BackupStamp{match.captured(1),
                       match.captured(2).isEmpty() ? 1 : match.captured(2).toInt()};
}

// One file put in place, or, for an undo, taken away: the setup's path, where it goes
// (relative, as on disk), whether a file was there to move aside.
struct Move {
    QString path;
    QString target;
    bool replaces = false;
    bool removes = false;
};
// A file a roll-back could not put back, and where it waits.
struct Lost {
    QString target;
    QString aside;
};

QString SavePlan(const QString& staging, const QString& state, const QList<Move>& moves) {
    QJsonArray list;
    for (const Move& move : moves) {
        list.append(QJsonObject{{"path", move.path},
                                {"target", move.target},
                                {"replaces", move.replaces},
                                {"removes", move.removes}});
    }
    return SaveFileAtomically(
        QDir(staging).filePath(kPlanName),
        QJsonDocument(QJsonObject{{"state", state}, {"moves", list}}).toJson());
}

QJsonObject ReadJson(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

bool MoveFile(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).path());
    return QFile::rename(from, to);
}

QString AsideOf(const QString& staging, const Move& move) {
    return move.removes ? QDir(GoneFolder(staging)).filePath(move.target)
                        : QDir(OldFolder(staging)).filePath(move.path);
}

// Puts back what the moves of a plan in `staging` changed, last first; what it could not.
QList<Lost> Undo(const QString& appDir, const QString& staging, const QList<Move>& moves) {
    QList<Lost> lost;
    for (auto move = moves.crbegin(); move != moves.crend(); ++move) {
        const QString target = QDir(appDir).filePath(move->target);
        const QString aside = AsideOf(staging, *move);
        if ((move->replaces || move->removes) && QFileInfo::exists(aside)) {
            if (move->replaces && !move->removes) {
                QFile::remove(target);
            }
            if (!MoveFile(aside, target)) {
                lost << Lost{move->target, aside};
            }
        } else if (!move->replaces && !move->removes &&
                   !QFileInfo::exists(QDir(NewFolder(staging)).filePath(move->path))) {
            QFile::remove(target);  // it was moved in
        }
    }
    return lost;
}

// The file of the program folder that the profiles find under the setup's `path`.
QString TargetOf(const QString& appDir, const QString& path) {
    return QDir(appDir).relativeFilePath(
        AppPath(appDir, QLatin1Char('\\') + QString(path).replace('/', '\\')));
}

// The folders above `target` (relative) that are not there yet: "ppt/", innermost first.
QStringList MissingFolders(const QString& appDir, const QString& target) {
    QStringList missing;
    for (QString folder = QFileInfo(target).path();
         folder != QLatin1String(".") && !folder.isEmpty() &&
         !QFileInfo(QDir(appDir).filePath(folder)).isDir();
         folder = QFileInfo(folder).path()) {
        missing << folder + QLatin1Char('/');
    }
    return missing;
}

// The backup's name: after every backup there is, whatever the clock did since.
QString NewBackupPath(const QString& appDir) {
    BackupStamp stamp{QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")),
                      1};
    const QStringList all = SetupBackups(appDir);
    if (const std::optional<BackupStamp> newest =
            all.isEmpty() ? std::nullopt : StampOf(all.first());
        newest && !(*newest < stamp)) {
        stamp = BackupStamp{newest->time, newest->n + 1};
    }
    return QDir(BackupFolder(appDir))
        .filePath(stamp.n == 1 ? stamp.time + QStringLiteral(".zip")
                               : QStringLiteral("%1_%2.zip").arg(stamp.time).arg(stamp.n));
}

// The import's undo, before anything moves: the setup as it is, every file the moves replace
// and what they add; the oldest backups beyond the kept number removed.
QString BackUp(const QString& appDir, const QList<Move>& moves) {
    SetupMembers members = CollectSetupMembers(appDir);
    QSet<QString> taken;  // lower case
    for (const QString& path : std::as_const(members.paths)) {
        taken.insert(path.toLower());
    }
    for (const Move& move : moves) {
        if (move.replaces && !taken.contains(move.target.toLower())) {
            taken.insert(move.target.toLower());
            members.paths << move.target;
        } else if (!move.replaces) {
            members.removes << move.target;
            for (const QString& folder : MissingFolders(appDir, move.target)) {
                if (!members.removes.contains(folder)) {
                    members.removes << folder;
                }
            }
        }
    }
    QDir().mkpath(BackupFolder(appDir));
    const SetupExport backup = ExportSetup(appDir, members, NewBackupPath(appDir));
    if (!backup.problem.isEmpty()) {
        return QStringLiteral("当前设置未能备份（%1），未导入任何内容。").arg(backup.problem);
    }
    const QStringList all = SetupBackups(appDir);
    for (qsizetype i = kSetupBackupsKept; i < all.size(); ++i) {
        QFile::remove(all[i]);
    }
    return {};
}

struct UndoPlan {
    QString backup;  // its file name in backups/
    QStringList removes;
};
std::optional<UndoPlan> ReadUndo(const QString& staging) {
    const QJsonObject undo = ReadJson(QDir(staging).filePath(kUndoName));
    const QString backup = undo.value("backup").toString();
    if (!StampOf(backup) || backup.contains(QLatin1Char('/'))) {
        return std::nullopt;
    }
    UndoPlan plan{backup, {}};
    for (const QJsonValue& value : undo.value("removes").toArray()) {
        if (UnsafeEntryName(value.toString()).isEmpty()) {
            plan.removes << value.toString();
        }
    }
    return plan;
}

// An undo in place: the folders the import had made go when empty, and so does its backup.
void FinishUndo(const QString& appDir, const UndoPlan& undo) {
    QStringList folders = undo.removes.filter(QRegularExpression(QStringLiteral("/$")));
    std::sort(folders.begin(), folders.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& folder : std::as_const(folders)) {
        QDir(appDir).rmdir(TargetOf(appDir, folder));  // only when empty
    }
    QFile::remove(QDir(BackupFolder(appDir)).filePath(undo.backup));
}

// Rolls back an import the staging folder says did not finish, or finishes an undo that did;
// the staging then goes unless a file could not be put back.
QList<Lost> RollBack(const QString& appDir) {
    const QString staging = SetupStagingFolder(appDir);
    const QJsonObject plan = ReadJson(QDir(staging).filePath(kPlanName));
    QList<Lost> lost;
    if (plan.value("state").toString() == QLatin1String("swapping")) {
        QList<Move> moves;
        for (const QJsonValue& value : plan.value("moves").toArray()) {
            const QJsonObject move = value.toObject();
            const QString path = move.value("path").toString();
            const QString target = move.value("target").toString();
            // Only what an import of ours can have planned: inside the program folder.
            if (UnsafeEntryName(path).isEmpty() && UnsafeEntryName(target).isEmpty()) {
                moves << Move{path, target, move.value("replaces").toBool(),
                              move.value("removes").toBool()};
            }
        }
        lost = Undo(appDir, staging, moves);
    } else if (plan.value("state").toString() == QLatin1String("done")) {
        if (const std::optional<UndoPlan> undo = ReadUndo(staging)) {
            FinishUndo(appDir, *undo);
        }
    }
    if (lost.isEmpty()) {
        DropStagedSetup(appDir);
    }
    return lost;
}

QString LostText(const QList<Lost>& lost) {
    QStringList files;
    for (const Lost& one : lost) {
        files << QStringLiteral("“%1”（仍在“%2”）")
                     .arg(one.target, QDir::toNativeSeparators(one.aside));
    }
    return QStringLiteral("未能放回原来的%1，下次启动时将再试。")
        .arg(files.join(QStringLiteral("、")));
}

StagedSetup Stage(const QString& appDir, const QString& zipPath, const SetupWork& work,
                  SetupManifest* manifest) {
    StagedSetup staged;
    if (const QList<Lost> lost = RollBack(appDir); !lost.isEmpty()) {
        staged.refusal = QStringLiteral("上次导入中断后，") + LostText(lost);
        return staged;
    }
    const QString staging = SetupStagingFolder(appDir);
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
    *manifest = unpacked.manifest;
    return staged;
}

}  // namespace

QString SetupStagingFolder(const QString& appDir) {
    return QDir(appDir).filePath(QStringLiteral(".setup-import"));
}

QString StagedSetup::question() const {
    const QString name = debate.isEmpty() ? QStringLiteral("未命名的比赛") : debate;
    if (!undoes.isEmpty()) {
        return QStringLiteral("将撤销 %1 的导入，恢复为导入前的比赛方案：%2。是否继续？")
            .arg(undoes, name);
    }
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
        .arg(name)
        .arg(segments)
        .arg(files)
        .arg(ByteSizeText(bytes), missingText);
}

QString StagedSetup::done() const {
    return undoes.isEmpty() ? kSetupImported : QStringLiteral("已撤销 %1 的导入。").arg(undoes);
}

StagedSetup StageSetup(const QString& appDir, const QString& zipPath, const SetupWork& work) {
    SetupManifest manifest;
    return Stage(appDir, zipPath, work, &manifest);
}

StagedSetup StageUndo(const QString& appDir, const SetupWork& work) {
    const QStringList backups = SetupBackups(appDir);
    if (backups.isEmpty()) {
        StagedSetup none;
        none.refusal = kNothingToUndo;
        return none;
    }
    SetupManifest manifest;
    StagedSetup staged = Stage(appDir, backups.first(), work, &manifest);
    if (!staged.refusal.isEmpty() || staged.cancelled) {
        return staged;
    }
    const QString why = SaveFileAtomically(
        QDir(SetupStagingFolder(appDir)).filePath(kUndoName),
        QJsonDocument(QJsonObject{{"backup", QFileInfo(backups.first()).fileName()},
                                  {"removes", QJsonArray::fromStringList(manifest.removes)}})
            .toJson());
    if (!why.isEmpty()) {
        DropStagedSetup(appDir);
        staged.refusal = QStringLiteral("无法撤销：%1").arg(why);
        return staged;
    }
    // "2026-12-09_14-32-05" as "2026-12-09 14:32:05"
    const QString time = StampOf(backups.first())->time;
    staged.undoes = time.left(10) + QLatin1Char(' ') + time.mid(11).replace('-', ':');
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
    QList<Move> moves;
    QSet<QString> targets;  // lower case
    QDirIterator files(staged, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = QDir(staged).relativeFilePath(files.next());
        const QString target = TargetOf(appDir, path);
        moves << Move{path, target, QFileInfo(QDir(appDir).filePath(target)).isFile()};
        targets.insert(target.toLower());
    }
    const std::optional<UndoPlan> undo = ReadUndo(staging);
    if (undo) {
        for (const QString& removed : undo->removes) {
            const QString target = TargetOf(appDir, removed);
            if (!removed.endsWith(QLatin1Char('/')) && !targets.contains(target.toLower()) &&
                QFileInfo(QDir(appDir).filePath(target)).isFile()) {
                moves << Move{target, target, false, true};
            }
        }
    } else if (const QString why = BackUp(appDir, moves); !why.isEmpty()) {
        DropStagedSetup(appDir);
        return why;
    }
    if (const QString why = SavePlan(staging, QStringLiteral("swapping"), moves); !why.isEmpty()) {
        DropStagedSetup(appDir);
        return QStringLiteral("无法导入：%1").arg(why);
    }
    for (qsizetype i = 0; i < moves.size(); ++i) {
        const Move& move = moves[i];
        const QString target = QDir(appDir).filePath(move.target);
        const bool moved = move.removes
                               ? MoveFile(target, AsideOf(staging, move))
                               : (!move.replaces || MoveFile(target, AsideOf(staging, move))) &&
                                     MoveFile(QDir(staged).filePath(move.path), target);
        if (!moved) {
            const QList<Lost> lost = Undo(appDir, staging, moves.mid(0, i + 1));
            const QString failed = QStringLiteral("无法放入“%1”，").arg(move.target);
            if (!lost.isEmpty()) {
                return failed + LostText(lost);  // the staging stays, with the files aside
            }
            DropStagedSetup(appDir);
            return failed + QStringLiteral("已恢复原来的设置。");
        }
        if (work.progress) {
            work.progress(i + 1, moves.size());
        }
    }
    SavePlan(staging, QStringLiteral("done"), moves);
    if (undo) {
        FinishUndo(appDir, *undo);
    }
    DropStagedSetup(appDir);
    return {};
}

bool RollBackUnfinishedImport(const QString& appDir) {
    const bool unfinished = QFileInfo::exists(SetupStagingFolder(appDir));
    RollBack(appDir);
    return unfinished;
}

QStringList SetupBackups(const QString& appDir) {
    QList<std::pair<BackupStamp, QString>> found;
    for (const QFileInfo& entry :
         QDir(BackupFolder(appDir)).entryInfoList({QStringLiteral("*.zip")}, QDir::Files)) {
        if (const std::optional<BackupStamp> stamp = StampOf(entry.fileName())) {
            found.append({*stamp, entry.absoluteFilePath()});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return b.first < a.first; });
    QStringList paths;
    for (const auto& [stamp, path] : std::as_const(found)) {
        paths << path;
    }
    return paths;
}

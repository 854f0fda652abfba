#pragma once
// Importing a match setup into the program folder, in two steps so the operator can say no in
// between: the archive is checked and unpacked into a folder of its own inside the program
// folder ("staged"), then the current setup is backed up and the staged files are put in place
// by renames. Every rename is planned in a file first, so a kill or a full disk halfway is
// rolled back at the next start: the program folder holds the old setup or the new one, never
// a mix.
//
// The backup taken before an import is that import's undo: the setup as it was, every file the
// import replaces (named by a setting or not) and a list of what the import adds, which the
// undo takes away again ("backups/2026-12-09_14-32-05.zip", the last 20 kept). Undoing walks
// back through the backups, newest first; each undo uses its backup up and takes none itself,
// so after A, B, C two undos are back at A.

#include <QString>
#include <QStringList>

#include "foundation/setups/setup_zip.h"

// The folder an import is staged in, inside the program folder `appDir`.
QString SetupStagingFolder(const QString& appDir);

struct StagedSetup {
    QString refusal;  // why nothing was staged; empty when it was
    bool cancelled = false;
    QString debate;
    int segments = 0;  // the segments with a timing style
    int files = 0;
    qint64 bytes = 0;
    QStringList missing;  // settings naming a file the setup does not carry
    // An undo's: when the import it undoes was made ("2026-12-09 14:32:05"); empty otherwise.
    QString undoes;
    // "将导入：…，8个计时环节，36个文件（12.3 MB）。当前设置将先备份。是否继续？", or for an undo
    // "将撤销 2026-12-09 14:32:05 的导入，恢复为导入前的比赛方案：…。是否继续？"
    QString question() const;
    // What is said once it is in place.
    QString done() const;
};
// Checks `zipPath` and stages it. A staging left from before is rolled back or dropped first.
StagedSetup StageSetup(const QString& appDir, const QString& zipPath, const SetupWork& work = {});
// Stages the undo of the last import from its backup; refused with kNothingToUndo when there
// is none.
StagedSetup StageUndo(const QString& appDir, const SetupWork& work = {});
// The operator said no: the staged files go, nothing else changed.
void DropStagedSetup(const QString& appDir);
// Puts the staged setup in place, an import backed up first. Empty when done, else why not,
// with the program folder as it was, or, when a file could not be put back, which one and
// where it waits (the staging is kept, and the next start tries again). `work.progress`
// counts the files put in place.
QString ApplyStagedSetup(const QString& appDir, const SetupWork& work = {});
// At start-up: an import that did not finish is undone. True when there was one.
bool RollBackUnfinishedImport(const QString& appDir);

// The backups of `appDir`, newest first: each the undo of one import.
QStringList SetupBackups(const QString& appDir);
inline constexpr int kSetupBackupsKept = 20;

inline const QString kNothingToUndo =
    QStringLiteral("没有可撤销的导入：备份文件夹中没有比赛方案。");
inline const QString kSetupImported = QStringLiteral("比赛方案已导入。");

#pragma once
// Importing a match setup into the program folder, in two steps so the operator can say no in
// between: the archive is checked and unpacked into a folder of its own inside the program
// folder ("staged"), then the current setup is backed up and the staged files are put in place
// by renames. Every rename is planned in a file first, so a kill or a full disk halfway is
// rolled back at the next start: the program folder holds the old setup or the new one, never
// a mix. Backups are setups too ("backups/2026-12-09_14-32-05.zip", the last 20 kept), and
// undoing an import imports the newest.

#include <QString>
#include <QStringList>

#include "foundation/setup_zip.h"

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
    // "将导入：…，8个计时环节，36个文件（12.3 MB）。当前设置将先备份。是否继续？"
    QString question() const;
};
// Checks `zipPath` and stages it. A staging left from before is dropped first.
StagedSetup StageSetup(const QString& appDir, const QString& zipPath, const SetupWork& work = {});
// The operator said no: the staged files go, nothing else changed.
void DropStagedSetup(const QString& appDir);
// Backs the current setup up, then puts the staged files in place. Empty when done, else why
// not, with the program folder as it was. `work.progress` counts the files put in place.
QString ApplyStagedSetup(const QString& appDir, const SetupWork& work = {});
// At start-up: an import that did not finish is undone. True when there was one.
bool RollBackUnfinishedImport(const QString& appDir);

// The backups of `appDir`, newest first.
QStringList SetupBackups(const QString& appDir);
inline constexpr int kSetupBackupsKept = 20;

#pragma once
// Setup files as zip archives, written and read through libzip. Writing puts the setup of a
// program folder in one archive; reading checks the whole archive against its manifest and the
// rules of a setup, and unpacks it into a folder of its own (on a few threads, see
// setup_zip_unpack.h), so nothing of the program folder changes until every file has been read
// and verified.

#include <QString>
#include <atomic>
#include <functional>

#include "foundation/setups/setup_file.h"

// What long work reports, and how it is stopped: `progress` gets the bytes done and the bytes
// to do, one call at a time but from whichever thread did them (an import unpacks on several);
// `cancel` set stops the work at the next chunk.
struct SetupWork {
    std::function<void(qint64 done, qint64 total)> progress;
    const std::atomic<bool>* cancel = nullptr;
    bool cancelled() const { return cancel && cancel->load(); }
};

struct SetupExport {
    QString problem;  // why no archive was written; empty when it was
    bool cancelled = false;
    int files = 0;    // files in the archive, the manifest not counted
    int leftOut = 0;  // files of the setup's folders that no setting names
    // Files whose names no import takes ("14:00.jpg": a ':' is a drive or a stream on
    // Windows), left out so that no archive of ours is one the program refuses.
    QStringList notCarried;
    qint64 bytes = 0;
    // "29个文件，12.3 MB；未被设置引用的 2 个文件未导出"
    QString summary() const;
};
// Writes the setup of the program folder `appDir` to `zipPath`, which is replaced only once
// the archive is complete.
SetupExport ExportSetup(const QString& appDir, const QString& zipPath, const SetupWork& work = {});
// Writes the files `members` names (relative to `appDir`) and what it says an undo removes.
SetupExport ExportSetup(const QString& appDir, const SetupMembers& members, const QString& zipPath,
                        const SetupWork& work = {});

struct SetupUnpacked {
    QString refusal;  // why the archive is not taken; empty when it is
    bool cancelled = false;
    SetupManifest manifest;
    qint64 bytes = 0;
};
// Checks `zipPath` whole and unpacks it into `folder`, which must not exist yet. A refused or
// cancelled archive leaves no folder behind.
SetupUnpacked UnpackSetup(const QString& zipPath, const QString& folder,
                          const SetupWork& work = {});

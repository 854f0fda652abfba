#pragma once
// Unpacking the files of a setup archive that has been checked whole, on a few threads at once.
// libzip reads one archive on several threads only through a reading of its own for each, so
// each thread opens the archive for itself, takes the next file no thread has taken yet (the
// largest first, so that none is left to run alone at the end) and unpacks it through libzip,
// which checks its CRC, while it computes its SHA-256 and writes it. The first failure stops
// every thread.

#include <QList>
#include <QString>

#include "foundation/setups/setup_file.h"
#include "foundation/setups/setup_zip.h"

// One file to unpack: the archive's entry and what the manifest says of it.
struct SetupEntryToUnpack {
    quint64 index = 0;
    SetupFile file;
};

struct SetupFilesUnpacked {
    QString refusal;  // why the archive is not taken; empty when every file arrived as listed
    bool cancelled = false;
    qint64 bytes = 0;
};
// Unpacks `entries` of the archive at `zipPath` into `folder`, each file checked against its
// size and checksum (and a profile against GBK). `work.progress` counts the bytes written,
// from whichever thread wrote them, one call at a time.
SetupFilesUnpacked UnpackSetupFiles(const QString& zipPath,
                                    const QList<SetupEntryToUnpack>& entries, const QString& folder,
                                    const SetupWork& work);

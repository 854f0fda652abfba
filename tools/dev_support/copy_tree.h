#pragma once
// Tests, benchmarks and tools run over a throw-away program folder filled from data/.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// Copies the folder `from` with everything below it into `to`, which is created if missing.
inline void CopyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& entry :
         QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = to + '/' + entry.fileName();
        if (entry.isDir()) {
            CopyTree(entry.filePath(), target);
        } else {
            QFile::copy(entry.filePath(), target);
        }
    }
}

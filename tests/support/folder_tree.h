#pragma once
// A program folder as a test compares it, as `diff -r` would: every file by its path with its
// bytes, every folder as "/", the backups left out.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QString>

inline QMap<QString, QByteArray> FolderTree(const QString& appDir) {
    QMap<QString, QByteArray> tree;
    QDirIterator it(appDir, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir(appDir).relativeFilePath(it.next());
        if (path.startsWith(QLatin1String("backups"))) {
            continue;
        }
        QFile file(it.filePath());
        if (it.fileInfo().isDir()) {
            tree.insert(path, "/");
        } else if (file.open(QIODevice::ReadOnly)) {
            tree.insert(path, file.readAll());
        }
    }
    return tree;
}

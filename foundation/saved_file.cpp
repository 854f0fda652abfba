#include "foundation/saved_file.h"

#include <QFile>
#include <QSaveFile>

QString SaveFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

QString CopyFileAtomically(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return in.errorString();
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        return out.errorString();
    }
    constexpr qint64 kBlock = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray block = in.read(kBlock);
        if (in.error() != QFileDevice::NoError || out.write(block) != block.size()) {
            const QString error =
                in.error() != QFileDevice::NoError ? in.errorString() : out.errorString();
            out.cancelWriting();
            return error;
        }
    }
    if (!out.commit()) {
        return out.errorString();
    }
    return {};
}

QString FileProblem(const QFileDevice& file) {
    return file.error() == QFileDevice::ResourceError ? kDiskFull : file.errorString();
}

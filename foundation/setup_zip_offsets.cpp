#include "foundation/setup_zip_offsets.h"

#include <QByteArray>

namespace {

constexpr quint32 kEndSignature = 0x06054b50;
constexpr quint32 kDirectorySignature = 0x02014b50;
constexpr quint32 kLocalSignature = 0x04034b50;
constexpr qint64 kEndSize = 22;
constexpr qint64 kLongestComment = 0xFFFF;

quint32 Read16(const QByteArray& bytes, qint64 at) {
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8;
}
quint32 Read32(const QByteArray& bytes, qint64 at) {
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

QByteArray ReadAt(QFile& file, qint64 at, qint64 length) {
    return file.seek(at) ? file.read(length) : QByteArray();
}

}  // namespace

std::optional<QList<qint64>> ZipDataOffsets(QFile& archive, qint64 entries) {
    const qint64 size = archive.size();
    const qint64 tailStart = std::max<qint64>(0, size - kEndSize - kLongestComment);
    const QByteArray tail = ReadAt(archive, tailStart, size - tailStart);
    // The end record: the last signature whose comment runs exactly to the end.
    qint64 end = -1;
    for (qint64 at = tail.size() - kEndSize; at >= 0 && end < 0; --at) {
        if (Read32(tail, at) == kEndSignature &&
            at + kEndSize + Read16(tail, at + 20) == tail.size()) {
            end = at;
        }
    }
    if (end < 0 || Read16(tail, end + 4) != 0 || Read16(tail, end + 10) != entries) {
        return std::nullopt;
    }
    const qint64 directorySize = Read32(tail, end + 12);
    const qint64 directoryStart = Read32(tail, end + 16);
    const QByteArray directory = ReadAt(archive, directoryStart, directorySize);
    if (directory.size() != directorySize) {
        return std::nullopt;
    }
    QList<qint64> offsets;
    for (qint64 at = 0; offsets.size() < entries;) {
        if (at + 46 > directory.size() || Read32(directory, at) != kDirectorySignature) {
            return std::nullopt;
        }
        const qint64 local = Read32(directory, at + 42);
        const QByteArray header = ReadAt(archive, local, 30);
        if (header.size() != 30 || Read32(header, 0) != kLocalSignature) {
            return std::nullopt;
        }
        offsets << local + 30 + Read16(header, 26) + Read16(header, 28);
        at += 46 + Read16(directory, at + 28) + Read16(directory, at + 30) +
              Read16(directory, at + 32);
    }
    return offsets;
}

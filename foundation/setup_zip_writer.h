#pragma once
// A setup archive written in one pass: each file read once in chunks of a megabyte, stored as
// it is or deflated, its CRC-32 reckoned on the way, every chunk shown to the caller (who
// checksums it on another thread); a file's local header gets its sizes and CRC once the file
// is written. A setup holds at most 2 GB in 10,000 files, so the classic zip format serves,
// without its 64-bit extension. The archive is written beside its name and takes the name only
// once it is complete; like a copy, it is not synced to the disk (a sync of the whole archive
// would double the time an export takes).

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryFile>
#include <functional>

// What went wrong writing or reading `file`, as the operator should hear it: a full disk says
// so.
QString FileProblem(const QFileDevice& file);

class SetupZipWriter {
  public:
    explicit SetupZipWriter(const QString& zipPath);

    // False when the archive cannot be begun; error() says why.
    bool open();
    // Adds the file at `source` as `name`, deflated or stored as it is, and shows `chunk` every
    // chunk read; its false stops the work. The file's size, or -1: error() says why, and is
    // empty when `chunk` stopped it.
    qint64 addFile(const QString& name, const QString& source, bool deflate,
                   const std::function<bool(const QByteArray&)>& chunk);
    // Adds `bytes` as `name`, deflated.
    bool addBytes(const QString& name, const QByteArray& bytes);
    // Writes the archive's directory and gives it its name. False when it cannot.
    bool commit();
    QString error() const { return error_; }

  private:
    struct Entry {
        QByteArray name;
        quint16 method = 0;
        quint32 crc = 0;
        quint32 packed = 0;
        quint32 size = 0;
        quint32 offset = 0;
        quint16 time = 0;
        quint16 date = 0;
    };
    bool begin(Entry& entry, const QString& name, const QDateTime& modified, bool deflate);
    // Copies `source` into the archive: the bytes read, or -1.
    qint64 copy(QFile& source, Entry& entry, const std::function<bool(const QByteArray&)>& chunk);
    // The sizes and CRC into the local header of `entry`, then on at the end again.
    bool finish(const Entry& entry);
    bool write(QByteArrayView bytes);
    bool fail(const QString& why);

    QString zipPath_;
    QTemporaryFile file_;
    QList<Entry> entries_;
    QString error_;
};

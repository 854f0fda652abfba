#include "foundation/setup_zip_writer.h"

#include <zlib.h>

#include <QFileInfo>
#include <filesystem>

#include "foundation/setup_file.h"

namespace {

constexpr qint64 kChunk = 1024 * 1024;
constexpr quint16 kMethodStored = 0;
constexpr quint16 kMethodDeflated = 8;
constexpr quint16 kNeeded = 20;                  // version 2.0: deflate, folders
constexpr quint16 kMadeBy = (3 << 8) | kNeeded;  // on Unix, so the mode below is read
constexpr quint16 kUtf8Name = 1 << 11;
constexpr quint32 kRegularFile = 0100644u << 16;
constexpr int kLocalHeaderSize = 30;

void Put16(QByteArray& out, quint16 value) {
    out.append(char(value & 0xFF)).append(char(value >> 8));
}
void Put32(QByteArray& out, quint32 value) {
    Put16(out, quint16(value & 0xFFFF));
    Put16(out, quint16(value >> 16));
}

// What local header and directory say alike of an entry, from its method to its size.
void PutKnown(QByteArray& out, quint16 method, quint16 time, quint16 date, quint32 crc,
              quint32 packed, quint32 size) {
    Put16(out, method);
    Put16(out, time);
    Put16(out, date);
    Put32(out, crc);
    Put32(out, packed);
    Put32(out, size);
}

// The MS-DOS time and date a zip entry carries; 1980 at the earliest.
std::pair<quint16, quint16> DosTime(const QDateTime& when) {
    const QDateTime local = when.toLocalTime();
    const QDate date = local.date().year() < 1980 ? QDate(1980, 1, 1) : local.date();
    const QTime time = local.date().year() < 1980 ? QTime(0, 0) : local.time();
    return {quint16((time.hour() << 11) | (time.minute() << 5) | (time.second() / 2)),
            quint16(((date.year() - 1980) << 9) | (date.month() << 5) | date.day())};
}

// Raw deflate, as zip entries hold it, at the fastest level: pictures and sounds that gain
// from deflating at all gain nearly as much from it.
class Deflater {
  public:
    Deflater() {
        stream_.zalloc = nullptr;
        stream_.zfree = nullptr;
        stream_.opaque = nullptr;
        ready_ = deflateInit2(&stream_, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8,
                              Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~Deflater() {
        if (ready_) {
            deflateEnd(&stream_);
        }
    }
    bool ready() const { return ready_; }
    // Deflates `in` (the last piece when `last`), handing each piece of output to `out`.
    bool add(QByteArrayView in, bool last, const std::function<bool(QByteArrayView)>& out) {
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
        stream_.avail_in = uInt(in.size());
        int status = Z_OK;
        do {
            stream_.next_out = reinterpret_cast<Bytef*>(buffer_.data());
            stream_.avail_out = uInt(buffer_.size());
            status = deflate(&stream_, last ? Z_FINISH : Z_NO_FLUSH);
            if (status == Z_STREAM_ERROR ||
                !out(QByteArrayView(buffer_.constData(), buffer_.size() - stream_.avail_out))) {
                return false;
            }
        } while (stream_.avail_out == 0 || (last && status != Z_STREAM_END));
        return true;
    }

  private:
    z_stream stream_{};
    bool ready_ = false;
    QByteArray buffer_{256 * 1024, Qt::Uninitialized};
};

}  // namespace

QString FileProblem(const QFileDevice& file) {
    if (file.error() == QFileDevice::ResourceError) {
        return QStringLiteral("磁盘空间不足");
    }
    return file.errorString();
}

SetupZipWriter::SetupZipWriter(const QString& zipPath)
    : zipPath_(zipPath), file_(zipPath + QStringLiteral(".XXXXXX")) {}

bool SetupZipWriter::open() {
    return file_.open() || fail(FileProblem(file_));
}

bool SetupZipWriter::fail(const QString& why) {
    error_ = why;
    file_.close();  // removed as the writer goes
    return false;
}

bool SetupZipWriter::write(QByteArrayView bytes) {
    return file_.write(bytes.data(), bytes.size()) == bytes.size() || fail(FileProblem(file_));
}

bool SetupZipWriter::begin(Entry& entry, const QString& name, const QDateTime& modified,
                           bool deflate) {
    entry.name = name.toUtf8();
    entry.method = deflate ? kMethodDeflated : kMethodStored;
    entry.offset = quint32(file_.pos());
    std::tie(entry.time, entry.date) = DosTime(modified);
    QByteArray header;
    Put32(header, 0x04034b50);
    Put16(header, kNeeded);
    Put16(header, kUtf8Name);
    PutKnown(header, entry.method, entry.time, entry.date, 0, 0, 0);  // CRC and sizes, once known
    Put16(header, quint16(entry.name.size()));
    Put16(header, 0);
    return write(header + entry.name);
}

bool SetupZipWriter::finish(const Entry& entry) {
    QByteArray known;
    PutKnown(known, entry.method, entry.time, entry.date, entry.crc, entry.packed, entry.size);
    const qint64 end = file_.pos();
    if (!file_.seek(entry.offset + 8) || !write(known) || !file_.seek(end)) {
        return error_.isEmpty() ? fail(FileProblem(file_)) : false;
    }
    entries_.append(entry);
    return true;
}

qint64 SetupZipWriter::copy(QFile& source, Entry& entry,
                            const std::function<bool(const QByteArray&)>& chunk) {
    Deflater deflater;
    if (entry.method == kMethodDeflated && !deflater.ready()) {
        fail(QStringLiteral("无法压缩"));
        return -1;
    }
    const qint64 start = file_.pos();
    const auto out = [this](QByteArrayView piece) { return write(piece); };
    uLong crc = crc32_z(0, nullptr, 0);
    qint64 size = 0;
    for (;;) {
        QByteArray piece(kChunk, Qt::Uninitialized);
        const qint64 read = source.read(piece.data(), piece.size());
        if (read < 0) {
            fail(QStringLiteral("无法读取“%1”（%2）").arg(source.fileName(), FileProblem(source)));
            return -1;
        }
        piece.truncate(read);
        crc = crc32_z(crc, reinterpret_cast<const Bytef*>(piece.constData()), size_t(read));
        size += read;
        const bool last = read < kChunk;
        const bool written = entry.method == kMethodDeflated ? deflater.add(piece, last, out)
                                                             : (read == 0 || write(piece));
        if (!written) {
            if (error_.isEmpty()) {
                fail(QStringLiteral("无法压缩“%1”").arg(source.fileName()));
            }
            return -1;
        }
        if (chunk && !chunk(piece)) {
            file_.close();
            return -1;
        }
        if (last) {
            break;
        }
    }
    entry.crc = quint32(crc);
    entry.size = quint32(size);
    entry.packed = quint32(file_.pos() - start);
    return size;
}

qint64 SetupZipWriter::addFile(const QString& name, const QString& source, bool deflate,
                               const std::function<bool(const QByteArray&)>& chunk) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("无法读取“%1”（%2）").arg(source, FileProblem(in)));
        return -1;
    }
    Entry entry;
    if (!begin(entry, name, QFileInfo(in).lastModified(), deflate)) {
        return -1;
    }
    const qint64 dataStart = file_.pos();
    qint64 size = copy(in, entry, chunk);
    // What deflates beyond the ratio an import takes (a picture of one colour) is stored, so
    // no archive of ours is one the program refuses.
    if (size >= kSetupRatioCheckedFrom && qint64(entry.packed) * kSetupMostRatio < size) {
        const quint32 crc = entry.crc;
        entry.method = kMethodStored;
        if (!file_.seek(dataStart) || !file_.resize(dataStart) || !in.seek(0)) {
            fail(FileProblem(file_));
            return -1;
        }
        size = copy(in, entry, {});
        if (size >= 0 && entry.crc != crc) {
            fail(QStringLiteral("“%1”在导出时被改动").arg(source));
            return -1;
        }
    }
    return size >= 0 && finish(entry) ? size : -1;
}

bool SetupZipWriter::addBytes(const QString& name, const QByteArray& bytes) {
    Entry entry;
    if (!begin(entry, name, QDateTime::currentDateTime(), true)) {
        return false;
    }
    Deflater deflater;
    const qint64 start = file_.pos();
    if (!deflater.ready() ||
        !deflater.add(bytes, true, [this](QByteArrayView piece) { return write(piece); })) {
        return error_.isEmpty() ? fail(QStringLiteral("无法压缩")) : false;
    }
    entry.crc =
        quint32(crc32_z(crc32_z(0, nullptr, 0), reinterpret_cast<const Bytef*>(bytes.constData()),
                        size_t(bytes.size())));
    entry.size = quint32(bytes.size());
    entry.packed = quint32(file_.pos() - start);
    return finish(entry);
}

bool SetupZipWriter::commit() {
    const qint64 directoryStart = file_.pos();
    QByteArray directory;
    for (const Entry& entry : std::as_const(entries_)) {
        Put32(directory, 0x02014b50);
        Put16(directory, kMadeBy);
        Put16(directory, kNeeded);
        Put16(directory, kUtf8Name);
        PutKnown(directory, entry.method, entry.time, entry.date, entry.crc, entry.packed,
                 entry.size);
        Put16(directory, quint16(entry.name.size()));
        Put16(directory, 0);  // extra field
        Put16(directory, 0);  // comment
        Put16(directory, 0);  // disk
        Put16(directory, 0);  // internal attributes
        Put32(directory, kRegularFile);
        Put32(directory, entry.offset);
        directory += entry.name;
    }
    QByteArray end;
    Put32(end, 0x06054b50);
    Put16(end, 0);
    Put16(end, 0);
    Put16(end, quint16(entries_.size()));
    Put16(end, quint16(entries_.size()));
    Put32(end, quint32(directory.size()));
    Put32(end, quint32(directoryStart));
    Put16(end, 0);
    if (!write(directory + end) || !file_.flush()) {
        return error_.isEmpty() ? fail(FileProblem(file_)) : false;
    }
    file_.close();
    // Readable by all, as a copy would be; a temporary file is its owner's alone.
    file_.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                         QFileDevice::ReadOther);
    // Over an archive of the same name in one step, on every system.
    std::error_code error;
    std::filesystem::rename(QFileInfo(file_.fileName()).filesystemAbsoluteFilePath(),
                            QFileInfo(zipPath_).filesystemAbsoluteFilePath(), error);
    if (error) {
        return fail(QString::fromStdString(error.message()));
    }
    file_.setAutoRemove(false);
    return true;
}

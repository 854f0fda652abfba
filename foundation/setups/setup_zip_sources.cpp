#include "foundation/setups/setup_zip_sources.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "foundation/saved_file.h"
#include "foundation/setups/setup_libzip.h"

namespace {

constexpr qsizetype kChunk = 1024 * 1024;

zip_int64_t Supports() {
    return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                          ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
}

}  // namespace

SetupFileSource::SetupFileSource(const QString& path, std::function<bool(const QByteArray&)> chunk,
                                 std::function<void(qint64)> finished)
    : file_(path), chunk_(std::move(chunk)), finished_(std::move(finished)) {
    const QFileInfo info(path);
    size_ = info.size();
    modified_ = info.lastModified();
    zip_error_init(&error_);
}

SetupFileSource::~SetupFileSource() {
    zip_error_fini(&error_);
}

zip_source_t* SetupFileSource::source(zip_error_t* error) {
    return zip_source_function_create(&SetupFileSource::Callback, this, error);
}

zip_int64_t SetupFileSource::fail(int code, int system, const QString& problem) {
    zip_error_set(&error_, code, system);
    if (problem_.isEmpty()) {
        problem_ = problem;
    }
    return -1;
}

zip_int64_t SetupFileSource::open() {
    // Read once: each megabyte is checksummed as it goes by, so a second reading would count it
    // twice. libzip reads each source once when it writes the archive.
    if (opened_) {
        return fail(ZIP_ER_INTERNAL, 0);
    }
    opened_ = true;
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return fail(ZIP_ER_OPEN, errno,
                    QStringLiteral("无法读取“%1”（%2）").arg(file_.fileName(), FileProblem(file_)));
    }
    return 0;
}

zip_int64_t SetupFileSource::read(char* data, zip_uint64_t length) {
    zip_uint64_t given = 0;
    while (given < length) {
        if (at_ == buffer_.size()) {
            if (ended_) {
                break;
            }
            // A new buffer each time: the last one may still wait for its checksum.
            buffer_ = QByteArray(kChunk, Qt::Uninitialized);
            at_ = 0;
            const qint64 read = file_.read(buffer_.data(), kChunk);
            if (read < 0) {
                return fail(
                    ZIP_ER_READ, errno,
                    QStringLiteral("无法读取“%1”（%2）").arg(file_.fileName(), FileProblem(file_)));
            }
            buffer_.truncate(read);
            read_ += read;
            if (read > 0 && !chunk_(buffer_)) {
                return fail(ZIP_ER_CANCELLED, 0);
            }
            if (read < kChunk) {
                ended_ = true;
                finished_(read_);
            }
            continue;
        }
        const auto n = std::min<zip_uint64_t>(length - given, zip_uint64_t(buffer_.size() - at_));
        std::memcpy(data + given, buffer_.constData() + at_, n);
        at_ += qsizetype(n);
        given += n;
    }
    return zip_int64_t(given);
}

zip_int64_t SetupFileSource::stat(void* data, zip_uint64_t length) const {
    auto* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, const_cast<zip_error_t*>(&error_));
    if (!stat) {
        return -1;
    }
    zip_stat_init(stat);
    stat->size = zip_uint64_t(size_);
    stat->mtime = time_t(modified_.toSecsSinceEpoch());
    stat->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
    return sizeof(zip_stat_t);
}

zip_int64_t SetupFileSource::Callback(void* state, void* data, zip_uint64_t length,
                                      zip_source_cmd_t command) {
    auto* self = static_cast<SetupFileSource*>(state);
    switch (command) {
        case ZIP_SOURCE_OPEN:
            return self->open();
        case ZIP_SOURCE_READ:
            return self->read(static_cast<char*>(data), length);
        case ZIP_SOURCE_CLOSE:
            self->file_.close();
            return 0;
        case ZIP_SOURCE_STAT:
            return self->stat(data, length);
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&self->error_, data, length);
        case ZIP_SOURCE_FREE:
            return 0;  // this object is its owner's
        case ZIP_SOURCE_SUPPORTS:
            return Supports();
        default:
            zip_error_set(&self->error_, ZIP_ER_OPNOTSUPP, 0);
            return -1;
    }
}

SetupLateSource::SetupLateSource(std::function<std::optional<QByteArray>()> make)
    : make_(std::move(make)) {
    zip_error_init(&error_);
}

SetupLateSource::~SetupLateSource() {
    zip_error_fini(&error_);
}

zip_source_t* SetupLateSource::source(zip_error_t* error) {
    return zip_source_function_create(&SetupLateSource::Callback, this, error);
}

bool SetupLateSource::made() {
    if (!tried_) {
        tried_ = true;
        bytes_ = make_();
    }
    if (!bytes_) {
        zip_error_set(&error_, ZIP_ER_INTERNAL, 0);
    }
    return bytes_.has_value();
}

zip_int64_t SetupLateSource::Callback(void* state, void* data, zip_uint64_t length,
                                      zip_source_cmd_t command) {
    auto* self = static_cast<SetupLateSource*>(state);
    switch (command) {
        case ZIP_SOURCE_OPEN:
            self->at_ = 0;
            return self->made() ? 0 : -1;
        case ZIP_SOURCE_READ: {
            const auto n =
                std::min<qint64>(qint64(length), qint64(self->bytes_->size()) - self->at_);
            std::memcpy(data, self->bytes_->constData() + self->at_, size_t(n));
            self->at_ += n;
            return n;
        }
        case ZIP_SOURCE_STAT: {
            auto* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &self->error_);
            if (!stat || !self->made()) {
                return -1;
            }
            zip_stat_init(stat);
            stat->size = zip_uint64_t(self->bytes_->size());
            stat->valid |= ZIP_STAT_SIZE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&self->error_, data, length);
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_SUPPORTS:
            return Supports();
        default:
            zip_error_set(&self->error_, ZIP_ER_OPNOTSUPP, 0);
            return -1;
    }
}

SetupZipOutput::SetupZipOutput(const QString& path) : path_(path) {
    zip_error_init(&error_);
}

SetupZipOutput::~SetupZipOutput() {
    zip_error_fini(&error_);
}

zip_t* SetupZipOutput::open(QString* problem) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_function_create(&SetupZipOutput::Callback, this, &error);
    zip_t* archive =
        source ? zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &error) : nullptr;
    if (!archive) {
        zip_source_free(source);
        *problem = ZipProblem(error);
    }
    zip_error_fini(&error);
    return archive;
}

zip_int64_t SetupZipOutput::fail(int code, const QString& problem) {
    zip_error_set(&error_, code, 0);
    if (problem_.isEmpty()) {
        problem_ = problem;
    }
    return -1;
}

bool SetupZipOutput::flush() {
    if (!buffer_.isEmpty() && file_->write(buffer_) != buffer_.size()) {
        return fail(ZIP_ER_WRITE, FileProblem(*file_)) == 0;
    }
    buffer_.resize(0);  // its room kept for the next megabyte
    return true;
}

zip_int64_t SetupZipOutput::seek(void* data, zip_uint64_t length) {
    if (!flush()) {
        return -1;
    }
    const zip_int64_t to = zip_source_seek_compute_offset(
        zip_uint64_t(file_->pos()), zip_uint64_t(file_->size()), data, length, &error_);
    if (to < 0) {
        return -1;
    }
    return file_->seek(to) ? 0 : fail(ZIP_ER_SEEK, FileProblem(*file_));
}

zip_int64_t SetupZipOutput::commit() {
    if (!flush() || !file_->flush()) {
        return fail(ZIP_ER_WRITE, FileProblem(*file_));
    }
    file_->close();
    // Readable by all, as a copy would be; a temporary file is its owner's alone.
    file_->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                          QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // Over an archive of the same name in one step, on every system.
    std::error_code error;
    std::filesystem::rename(QFileInfo(file_->fileName()).filesystemAbsoluteFilePath(),
                            QFileInfo(path_).filesystemAbsoluteFilePath(), error);
    if (error) {
        return fail(ZIP_ER_RENAME, QString::fromStdString(error.message()));
    }
    file_->setAutoRemove(false);
    file_.reset();
    return 0;
}

zip_int64_t SetupZipOutput::command(void* data, zip_uint64_t length, zip_source_cmd_t command) {
    switch (command) {
        case ZIP_SOURCE_BEGIN_WRITE:
            file_ = std::make_unique<QTemporaryFile>(path_ + QStringLiteral(".XXXXXX"));
            buffer_.reserve(kChunk);
            return file_->open() ? 0 : fail(ZIP_ER_TMPOPEN, FileProblem(*file_));
        case ZIP_SOURCE_WRITE:
            buffer_.append(static_cast<const char*>(data), qsizetype(length));
            return buffer_.size() < kChunk || flush() ? zip_int64_t(length) : -1;
        case ZIP_SOURCE_SEEK_WRITE:
            return seek(data, length);
        case ZIP_SOURCE_TELL_WRITE:
            return file_->pos() + buffer_.size();
        case ZIP_SOURCE_COMMIT_WRITE:
            return commit();
        case ZIP_SOURCE_ROLLBACK_WRITE:
            file_.reset();  // and its file with it
            buffer_.resize(0);
            return 0;
        case ZIP_SOURCE_REMOVE:
            QFile::remove(path_);
            return 0;
        case ZIP_SOURCE_STAT:
            // Always a new archive: libzip reads nothing of what may be there.
            zip_error_set(&error_, ZIP_ER_READ, ENOENT);
            return -1;
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&error_, data, length);
        case ZIP_SOURCE_FREE:
            return 0;  // this object is its owner's
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(
                ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                ZIP_SOURCE_SUPPORTS, ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_COMMIT_WRITE,
                ZIP_SOURCE_ROLLBACK_WRITE, ZIP_SOURCE_WRITE, ZIP_SOURCE_SEEK_WRITE,
                ZIP_SOURCE_TELL_WRITE, ZIP_SOURCE_REMOVE, -1);
        default:  // reading: there is nothing to read
            zip_error_set(&error_, ZIP_ER_OPNOTSUPP, 0);
            return -1;
    }
}

zip_int64_t SetupZipOutput::Callback(void* state, void* data, zip_uint64_t length,
                                     zip_source_cmd_t command) {
    return static_cast<SetupZipOutput*>(state)->command(data, length, command);
}

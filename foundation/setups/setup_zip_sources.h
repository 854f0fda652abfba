#pragma once
// The sources libzip writes a setup archive through. libzip reads and writes a few kilobytes at
// a time, and a system call for each would cost more than the rest of the work: each file is
// read once, a megabyte at a time, libzip's small pieces handed out from that buffer and every
// megabyte shown on the way (to the checksums); the archive itself is written through a buffer
// of a megabyte. The manifest is made only when libzip comes to it, once every file before it
// has been read.

#include <zip.h>

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QTemporaryFile>
#include <functional>
#include <memory>
#include <optional>

// The file at `path` as libzip reads it. The object outlives the source libzip frees.
class SetupFileSource {
  public:
    // `chunk` sees every megabyte as it is read; its false stops the work (cancelled).
    // `finished` is told once the last byte has been read.
    SetupFileSource(const QString& path, std::function<bool(const QByteArray&)> chunk,
                    std::function<void(qint64 size)> finished);
    ~SetupFileSource();
    SetupFileSource(const SetupFileSource&) = delete;
    SetupFileSource& operator=(const SetupFileSource&) = delete;
    // A source for libzip over this file; null when libzip cannot make one.
    zip_source_t* source(zip_error_t* error);
    qint64 size() const { return size_; }
    // Why reading failed ("无法读取“…”（…）"); empty when it did not.
    QString problem() const { return problem_; }

  private:
    static zip_int64_t Callback(void* self, void* data, zip_uint64_t length,
                                zip_source_cmd_t command);
    zip_int64_t open();
    zip_int64_t read(char* data, zip_uint64_t length);
    zip_int64_t stat(void* data, zip_uint64_t length) const;
    zip_int64_t fail(int code, int system, const QString& problem = {});

    QFile file_;
    qint64 size_ = 0;
    QDateTime modified_;
    std::function<bool(const QByteArray&)> chunk_;
    std::function<void(qint64)> finished_;
    QByteArray buffer_;
    qsizetype at_ = 0;  // in the buffer: what libzip has had of it
    qint64 read_ = 0;
    bool opened_ = false;
    bool ended_ = false;
    QString problem_;
    zip_error_t error_;
};

// Bytes made by `make` only when libzip first asks for them: none stops the work.
class SetupLateSource {
  public:
    explicit SetupLateSource(std::function<std::optional<QByteArray>()> make);
    ~SetupLateSource();
    SetupLateSource(const SetupLateSource&) = delete;
    SetupLateSource& operator=(const SetupLateSource&) = delete;
    zip_source_t* source(zip_error_t* error);

  private:
    static zip_int64_t Callback(void* self, void* data, zip_uint64_t length,
                                zip_source_cmd_t command);
    bool made();

    std::function<std::optional<QByteArray>()> make_;
    std::optional<QByteArray> bytes_;
    bool tried_ = false;
    qint64 at_ = 0;
    zip_error_t error_;
};

// The archive at `path` as libzip writes it: into a file beside it that takes its name only
// once complete (like a copy, not synced to the disk: that would double an export's time).
// Always a new archive; whatever was at `path` stays until then.
class SetupZipOutput {
  public:
    explicit SetupZipOutput(const QString& path);
    ~SetupZipOutput();
    SetupZipOutput(const SetupZipOutput&) = delete;
    SetupZipOutput& operator=(const SetupZipOutput&) = delete;

    // A new archive written through this object, or none with why in `problem`.
    zip_t* open(QString* problem);
    // Why writing failed, as the operator should hear it; empty when it did not.
    QString problem() const { return problem_; }

  private:
    static zip_int64_t Callback(void* self, void* data, zip_uint64_t length,
                                zip_source_cmd_t command);
    zip_int64_t command(void* data, zip_uint64_t length, zip_source_cmd_t command);
    bool flush();
    zip_int64_t seek(void* data, zip_uint64_t length);
    zip_int64_t commit();
    zip_int64_t fail(int code, const QString& problem);

    QString path_;
    std::unique_ptr<QTemporaryFile> file_;
    QByteArray buffer_;  // what goes at the file's position next
    QString problem_;
    zip_error_t error_;
};

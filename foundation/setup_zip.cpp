#include "foundation/setup_zip.h"

#include <zip.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cstring>
#include <future>
#include <memory>
#include <thread>

#include "foundation/gbk.h"
#include "foundation/program.h"
#include "foundation/sha256.h"

namespace {

constexpr qint64 kChunk = 1024 * 1024;
// A file this small cannot make a bomb whatever its ratio (a profile of blanks).
constexpr qint64 kRatioCheckedFrom = 1024 * 1024;

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ZipCloser>;

QString SizeRefusal(const QString& why) {
    return QStringLiteral("方案文件异常（%1），可能是恶意文件。").arg(why);
}

// The checksum of the file at `path`; empty when it cannot be read or the work is cancelled.
QByteArray Sha256Of(const QString& path, const SetupWork& work) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    Sha256 hash;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    qint64 read = 0;
    while (!work.cancelled() && (read = file.read(chunk.data(), chunk.size())) > 0) {
        hash.addData(QByteArrayView(chunk.constData(), read));
    }
    return read < 0 || work.cancelled() ? QByteArray() : hash.hex();
}

bool IsValidGbk(const QByteArray& bytes) {
    return ToGbk(FromGbk(bytes)) == bytes;
}

// The entry's type from its Unix mode, when an archiver of Unix wrote one.
bool IsLinkOrDevice(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0 ||
        system != ZIP_OPSYS_UNIX) {
        return false;
    }
    const mode_t mode = attributes >> 16;
    return S_ISLNK(mode) || S_ISCHR(mode) || S_ISBLK(mode) || S_ISFIFO(mode) || S_ISSOCK(mode);
}

struct Entry {
    zip_uint64_t index = 0;
    qint64 size = 0;
};

// The manifest entry, made only when libzip comes to it: by then the checksums, computed on a
// thread of their own while the files are written, are ready or nearly so.
class LazyManifest {
  public:
    explicit LazyManifest(std::function<QByteArray()> make) : make_(std::move(make)) {}

    static zip_int64_t Callback(void* state, void* data, zip_uint64_t length,
                                zip_source_cmd_t command) {
        auto* self = static_cast<LazyManifest*>(state);
        switch (command) {
            case ZIP_SOURCE_OPEN:
                self->make();
                self->at_ = 0;
                return 0;
            case ZIP_SOURCE_READ: {
                const auto n = std::min<qint64>(qint64(length), self->json_.size() - self->at_);
                std::memcpy(data, self->json_.constData() + self->at_, size_t(n));
                self->at_ += n;
                return n;
            }
            case ZIP_SOURCE_STAT: {
                self->make();
                auto* stat = static_cast<zip_stat_t*>(data);
                zip_stat_init(stat);
                stat->size = zip_uint64_t(self->json_.size());
                stat->valid |= ZIP_STAT_SIZE;
                return sizeof(zip_stat_t);
            }
            case ZIP_SOURCE_SUPPORTS:
                return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                      ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                      ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
            case ZIP_SOURCE_CLOSE:
            case ZIP_SOURCE_FREE:
                return 0;
            default:
                return -1;
        }
    }

  private:
    void make() {
        if (!made_) {
            json_ = make_();
            made_ = true;
        }
    }

    std::function<QByteArray()> make_;
    QByteArray json_;
    qint64 at_ = 0;
    bool made_ = false;
};

}  // namespace

SetupExport ExportSetup(const QString& appDir, const QString& zipPath, const SetupWork& work) {
    SetupExport result;
    const SetupMembers members = CollectSetupMembers(appDir);
    result.leftOut = members.leftOut;
    SetupManifest manifest;
    manifest.programVersion = kVersionText;
    manifest.created = QDateTime::currentDateTimeUtc();
    manifest.debate = DebateNameIn(appDir);
    qint64 total = 0;
    for (const QString& path : members.paths) {
        const QString absolute = QDir(appDir).filePath(path);
        manifest.files << SetupFile{path, QFileInfo(absolute).size(), {}};
        total += manifest.files.last().size;
    }

    int error = 0;
    zip_t* opened =
        zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!opened) {
        zip_error_t why;
        zip_error_init_with_code(&why, error);
        result.problem = QString::fromLocal8Bit(zip_error_strerror(&why));
        zip_error_fini(&why);
        return result;
    }
    Archive archive(opened);
    const auto add = [&](const QString& name, zip_source_t* source, bool compress) {
        const zip_int64_t index = source ? zip_file_add(archive.get(), name.toUtf8().constData(),
                                                        source, ZIP_FL_ENC_UTF_8)
                                         : -1;
        if (index < 0) {
            zip_source_free(source);
            return false;
        }
        // Pictures, sounds and presentations are compressed already: stored as they are.
        zip_set_file_compression(archive.get(), zip_uint64_t(index),
                                 compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
        return true;
    };
    for (const SetupFile& file : manifest.files) {
        const QByteArray local = QFile::encodeName(QDir(appDir).filePath(file.path));
        if (!add(file.path, zip_source_file(archive.get(), local.constData(), 0, -1),
                 IsSetupProfile(file.path))) {
            result.problem = QString::fromLocal8Bit(zip_strerror(archive.get()));
            return result;
        }
    }

    // The checksums on a thread of their own, while libzip writes the files.
    QString unreadable;
    std::thread checksums([&] {
        for (SetupFile& file : manifest.files) {
            file.sha256 = Sha256Of(QDir(appDir).filePath(file.path), work);
            if (file.sha256.isEmpty() || work.cancelled()) {
                unreadable = file.path;
                return;
            }
        }
    });
    const auto joinChecksums = [&checksums] {
        if (checksums.joinable()) {
            checksums.join();
        }
    };
    LazyManifest lazy([&] {
        joinChecksums();
        return SetupManifestToJson(manifest);
    });
    zip_error_t sourceError;
    zip_error_init(&sourceError);
    zip_source_t* manifestSource =
        zip_source_function_create(&LazyManifest::Callback, &lazy, &sourceError);
    zip_error_fini(&sourceError);
    if (!add(kSetupManifestName, manifestSource, true)) {
        joinChecksums();
        result.problem = QString::fromLocal8Bit(zip_strerror(archive.get()));
        return result;
    }
    struct Progress {
        const SetupWork* work;
        qint64 total;
    } state{&work, total};
    zip_register_progress_callback_with_state(
        archive.get(), 0.01,
        [](zip_t*, double fraction, void* data) {
            const auto* s = static_cast<Progress*>(data);
            if (s->work->progress) {
                s->work->progress(qint64(fraction * double(s->total)), s->total);
            }
        },
        nullptr, &state);
    zip_register_cancel_callback_with_state(
        archive.get(),
        [](zip_t*, void* data) { return static_cast<Progress*>(data)->work->cancelled() ? 1 : 0; },
        nullptr, &state);
    const bool closed = zip_close(archive.get()) == 0;
    if (closed) {
        archive.release();  // freed by the close
    }
    joinChecksums();
    if (!closed) {
        result.cancelled = work.cancelled();
        result.problem = QString::fromLocal8Bit(zip_strerror(archive.get()));
        return result;  // discarded: libzip wrote to a temporary file, now removed
    }
    if (!unreadable.isEmpty()) {
        QFile::remove(zipPath);  // written, but without a checksum for every file
        result.cancelled = work.cancelled();
        result.problem = QStringLiteral("无法读取“%1”。").arg(unreadable);
        return result;
    }
    result.files = int(manifest.files.size());
    result.bytes = total;
    return result;
}

SetupUnpacked UnpackSetup(const QString& zipPath, const QString& folder, const SetupWork& work) {
    SetupUnpacked result;
    int error = 0;
    zip_t* opened =
        zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!opened) {
        result.refusal = QStringLiteral("这不是有效的比赛方案文件（无法作为 zip 文件读取）。");
        return result;
    }
    Archive archive(opened);
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count > kSetupMostEntries) {
        result.refusal = SizeRefusal(QStringLiteral("条目超过 %1 个").arg(kSetupMostEntries));
        return result;
    }

    // Every entry's name, type and sizes, before a byte is unpacked.
    QHash<QString, Entry> entries;  // by name
    std::optional<Entry> manifestEntry;
    qint64 unpacked = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = zip_uint64_t(i);
        const char* raw = zip_get_name(archive.get(), index, ZIP_FL_ENC_RAW);
        const char* strict = zip_get_name(archive.get(), index, ZIP_FL_ENC_STRICT);
        if (!raw || !strict) {
            result.refusal = QStringLiteral("这不是有效的比赛方案文件（条目名无法读取）。");
            return result;
        }
        // Marked UTF-8, libzip hands the strict name over as it stands; unmarked, it converts.
        const QString name = SetupEntryName(raw, qstrcmp(raw, strict) == 0);
        if (const QString why = UnsafeEntryName(name); !why.isEmpty()) {
            result.refusal =
                QStringLiteral("方案文件中的条目“%1”不安全（%2），未导入任何内容。").arg(name, why);
            return result;
        }
        if (IsLinkOrDevice(archive.get(), index)) {
            result.refusal =
                QStringLiteral("方案文件中的条目“%1”是链接或设备，未导入任何内容。").arg(name);
            return result;
        }
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
            !(stat.valid & ZIP_STAT_COMP_SIZE)) {
            result.refusal = QStringLiteral("这不是有效的比赛方案文件（条目无法读取）。");
            return result;
        }
        const auto size = qint64(stat.size);
        unpacked += size;
        if (size < 0 || unpacked > kSetupMostBytes) {
            result.refusal = SizeRefusal(QStringLiteral("解压后超过 2 GB"));
            return result;
        }
        if (size >= kRatioCheckedFrom && size > qint64(stat.comp_size) * kSetupMostRatio) {
            result.refusal = SizeRefusal(QStringLiteral("压缩比超过 %1").arg(kSetupMostRatio));
            return result;
        }
        const QString path = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (path.endsWith(QLatin1Char('/'))) {
            continue;  // a folder: made as its files need it
        }
        if (path == kSetupManifestName) {
            manifestEntry = Entry{index, size};
        } else if (entries.contains(path.toLower())) {
            result.refusal = QStringLiteral("方案文件中“%1”出现了两次，未导入任何内容。").arg(path);
            return result;
        } else {
            entries.insert(path.toLower(), Entry{index, size});
        }
    }

    // The manifest: ours, of a format this version reads, naming exactly the entries.
    const auto readWhole = [&](const Entry& entry) -> std::optional<QByteArray> {
        zip_file_t* file = zip_fopen_index(archive.get(), entry.index, 0);
        if (!file) {
            return std::nullopt;
        }
        QByteArray bytes(entry.size, Qt::Uninitialized);
        const zip_int64_t read = zip_fread(file, bytes.data(), zip_uint64_t(bytes.size()));
        zip_fclose(file);
        return read == entry.size ? std::optional(bytes) : std::nullopt;
    };
    const std::optional<QByteArray> manifestJson =
        manifestEntry && manifestEntry->size <= 4 * 1024 * 1024 ? readWhole(*manifestEntry)
                                                                : std::nullopt;
    const std::optional<SetupManifest> manifest =
        manifestJson ? SetupManifestFromJson(*manifestJson) : std::nullopt;
    if (!manifest) {
        result.refusal = QStringLiteral("这不是 debaclock 的比赛方案文件（没有可读的方案清单）。");
        return result;
    }
    if (manifest->format > kSetupFormat) {
        result.refusal =
            QStringLiteral("这个比赛方案由较新版本的 debaclock 制作（格式 %1），请先升级本程序。")
                .arg(manifest->format);
        return result;
    }
    if (manifest->files.size() != entries.size()) {
        result.refusal = QStringLiteral("方案文件的内容与其清单不符，未导入任何内容。");
        return result;
    }
    for (const SetupFile& file : manifest->files) {
        const auto entry = entries.constFind(file.path.toLower());
        if (entry == entries.cend() || entry->size != file.size ||
            !UnsafeEntryName(file.path).isEmpty()) {
            result.refusal = QStringLiteral("方案文件的内容与其清单不符，未导入任何内容。");
            return result;
        }
        if (!BelongsToSetup(file.path)) {
            result.refusal =
                QStringLiteral("方案文件中的“%1”不属于比赛方案，未导入任何内容。").arg(file.path);
            return result;
        }
    }

    // Every file, unpacked and checked against its size and checksum.
    if (QFileInfo::exists(folder) || !QDir().mkpath(folder)) {
        result.refusal = QStringLiteral("无法创建临时文件夹“%1”。").arg(folder);
        return result;
    }
    const auto refuse = [&](const QString& why) {
        QDir(folder).removeRecursively();
        result.refusal = why;
        return result;
    };
    // Each file's checksum is read back from the unpacked file on a thread of its own while the
    // next file is unpacked; all are compared before the archive is taken.
    std::vector<std::future<QByteArray>> checksums;
    const auto checksumsDone = [&checksums] {
        for (std::future<QByteArray>& checksum : checksums) {
            if (checksum.valid()) {  // not yet taken
                checksum.wait();
            }
        }
    };
    qint64 done = 0;
    for (const SetupFile& file : manifest->files) {
        const Entry entry = entries.value(file.path.toLower());
        const QString target = QDir(folder).filePath(file.path);
        QDir().mkpath(QFileInfo(target).path());
        QFile out(target);
        zip_file_t* in = zip_fopen_index(archive.get(), entry.index, 0);
        if (!in || !out.open(QIODevice::WriteOnly)) {
            if (in) {
                zip_fclose(in);
            }
            checksumsDone();
            return refuse(QStringLiteral("无法解压“%1”。").arg(file.path));
        }
        QByteArray chunk(kChunk, Qt::Uninitialized);
        QByteArray profile;
        qint64 written = 0;
        zip_int64_t read = 0;
        bool failed = false;
        while (!work.cancelled() &&
               (read = zip_fread(in, chunk.data(), zip_uint64_t(chunk.size()))) > 0) {
            written += read;
            const QByteArrayView piece(chunk.constData(), read);
            if (IsSetupProfile(file.path)) {
                profile += piece;
            }
            failed = written > file.size || out.write(piece.data(), read) != read;
            if (failed) {
                break;
            }
            done += read;
            if (work.progress) {
                work.progress(done, unpacked);
            }
        }
        zip_fclose(in);
        out.close();
        if (work.cancelled()) {
            checksumsDone();
            QDir(folder).removeRecursively();
            result.cancelled = true;
            return result;
        }
        if (failed || read < 0 || written != file.size) {
            checksumsDone();
            return refuse(QStringLiteral("方案文件中“%1”已损坏，未导入任何内容。").arg(file.path));
        }
        if (IsSetupProfile(file.path) && !IsValidGbk(profile)) {
            checksumsDone();
            return refuse(
                QStringLiteral("方案文件中的设置“%1”不是有效的 GBK 文本，未导入任何内容。")
                    .arg(file.path));
        }
        checksums.push_back(
            std::async(std::launch::async, [target, &work] { return Sha256Of(target, work); }));
    }
    for (qsizetype i = 0; i < manifest->files.size(); ++i) {
        if (checksums[size_t(i)].get() != manifest->files[i].sha256) {
            checksumsDone();
            return refuse(QStringLiteral("方案文件中“%1”的校验值不符，文件已损坏，未导入任何内容。")
                              .arg(manifest->files[i].path));
        }
    }
    result.manifest = *manifest;
    result.bytes = done;
    return result;
}

#include "foundation/setups/setup_zip_unpack.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <numeric>
#include <optional>
#include <thread>
#include <vector>

#include "foundation/gbk.h"
#include "foundation/saved_file.h"
#include "foundation/setups/setup_libzip.h"
#include "foundation/setups/sha256.h"

namespace {

constexpr qint64 kChunk = 1024 * 1024;

// Twice as many threads as cores, four at least: a file's checksum cannot be shared out, so
// with as many threads as cores a setup of three large presentations leaves one core idle
// for the last of them; with more, the system shares them out evenly, and a thread unpacks
// while another waits for the disk.
size_t ThreadCount(qsizetype files) {
    const size_t wanted = std::clamp<size_t>(std::thread::hardware_concurrency() * 2, 4, 8);
    return std::max<size_t>(1, std::min(wanted, size_t(files)));
}

bool IsValidGbk(const QByteArray& bytes) {
    return ToGbk(FromGbk(bytes)) == bytes;
}

struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

class Unpacking {
  public:
    Unpacking(const QString& zipPath, const QList<SetupEntryToUnpack>& entries,
              const QString& folder, const SetupWork& work)
        : zipPath_(zipPath), entries_(entries), folder_(folder), work_(work) {
        order_.resize(size_t(entries.size()));
        std::iota(order_.begin(), order_.end(), 0);
        std::stable_sort(order_.begin(), order_.end(), [&](qsizetype a, qsizetype b) {
            return entries[a].file.size > entries[b].file.size;
        });
        for (const SetupEntryToUnpack& entry : entries) {
            total_ += entry.file.size;
        }
    }

    SetupFilesUnpacked run() {
        std::vector<std::thread> threads;
        for (size_t i = 1; i < ThreadCount(entries_.size()); ++i) {
            threads.emplace_back([this] { unpackSome(); });
        }
        unpackSome();
        for (std::thread& thread : threads) {
            thread.join();
        }
        SetupFilesUnpacked result;
        result.bytes = done_;
        result.cancelled = work_.cancelled();
        if (!result.cancelled && failure_) {
            result.refusal = *failure_;
        }
        return result;
    }

  private:
    bool stopped() const { return stop_.load() || work_.cancelled(); }

    // The first failure is the one said; it stops every thread.
    void fail(const QString& why) {
        const std::lock_guard lock(mutex_);
        if (!failure_) {
            failure_ = why;
        }
        stop_ = true;
    }

    void wrote(qint64 bytes) {
        const std::lock_guard lock(mutex_);
        done_ += bytes;
        if (work_.progress) {
            work_.progress(done_, total_);
        }
    }

    // One thread's share: a reading of the archive of its own, then file after file.
    void unpackSome() {
        QString problem;
        const ZipArchive archive = OpenZip(zipPath_, ZIP_RDONLY, &problem);
        if (!archive) {
            fail(QStringLiteral("无法读取方案文件（%1），未导入任何内容。").arg(problem));
            return;
        }
        QByteArray buffer(kChunk, Qt::Uninitialized);
        for (qsizetype next = next_++; next < qsizetype(order_.size()) && !stopped();
             next = next_++) {
            const qsizetype entry = order_[size_t(next)];
            if (const std::optional<QString> why = unpack(archive.get(), entries_[entry], buffer)) {
                fail(*why);
            }
        }
    }

    // Why the file of `entry` did not arrive as listed; none when it did or the work stopped.
    std::optional<QString> unpack(zip_t* archive, const SetupEntryToUnpack& entry,
                                  QByteArray& buffer) {
        const SetupFile& file = entry.file;
        const QString target = QDir(folder_).filePath(file.path);
        QDir().mkpath(QFileInfo(target).path());
        QFile out(target);
        const std::unique_ptr<zip_file_t, ZipFileCloser> in(
            zip_fopen_index(archive, entry.index, 0));
        if (!in || !out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            return QStringLiteral("无法解压“%1”（%2），未导入任何内容。")
                .arg(file.path, in ? FileProblem(out) : ZipProblem(archive));
        }
        Sha256 checksum;
        QByteArray profile;
        const bool isProfile = IsSetupProfile(file.path);
        qint64 written = 0;
        zip_int64_t read = 0;
        while (!stopped()) {
            // libzip checks the CRC once it comes to the end: -1 when it does not agree.
            read = zip_fread(in.get(), buffer.data(), zip_uint64_t(buffer.size()));
            if (read <= 0 || written + read > file.size) {
                break;
            }
            const QByteArrayView chunk(buffer.constData(), read);
            if (out.write(chunk.data(), read) != read) {
                return QStringLiteral("无法写入“%1”（%2），未导入任何内容。")
                    .arg(QDir::toNativeSeparators(target), FileProblem(out));
            }
            checksum.addData(chunk);
            if (isProfile) {
                profile += chunk;
            }
            written += read;
            wrote(read);
        }
        if (stopped()) {
            return std::nullopt;
        }
        if (read != 0 || written != file.size) {
            return QStringLiteral("方案文件中“%1”已损坏，未导入任何内容。").arg(file.path);
        }
        if (isProfile && !IsValidGbk(profile)) {
            return QStringLiteral("方案文件中的设置“%1”不是有效的 GBK 文本，未导入任何内容。")
                .arg(file.path);
        }
        if (checksum.hex() != file.sha256) {
            return QStringLiteral("方案文件中“%1”的校验值不符，文件已损坏，未导入任何内容。")
                .arg(file.path);
        }
        return std::nullopt;
    }

    const QString zipPath_;
    const QList<SetupEntryToUnpack>& entries_;
    const QString folder_;
    const SetupWork& work_;
    std::vector<qsizetype> order_;  // entries_, largest first
    qint64 total_ = 0;
    std::atomic<qsizetype> next_{0};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    qint64 done_ = 0;
    std::optional<QString> failure_;
};

}  // namespace

SetupFilesUnpacked UnpackSetupFiles(const QString& zipPath,
                                    const QList<SetupEntryToUnpack>& entries, const QString& folder,
                                    const SetupWork& work) {
    return Unpacking(zipPath, entries, folder, work).run();
}

#include "foundation/setup_zip.h"

#include <zip.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <memory>

#include "foundation/gbk.h"
#include "foundation/program.h"
#include "foundation/setup_checksums.h"
#include "foundation/setup_zip_offsets.h"
#include "foundation/setup_zip_writer.h"

namespace {

constexpr qint64 kChunk = 1024 * 1024;

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ZipCloser>;

QString SizeRefusal(const QString& why) {
    return QStringLiteral("方案文件异常（%1），可能是恶意文件。").arg(why);
}

QString Unsafe(const QString& name, const QString& why) {
    return QStringLiteral("方案文件中的条目“%1”不安全（%2），未导入任何内容。").arg(name, why);
}

QString Twice(const QString& path) {
    return QStringLiteral("方案文件中“%1”出现了两次，未导入任何内容。").arg(path);
}

const QString kNotAsListed = QStringLiteral("方案文件的内容与其清单不符，未导入任何内容。");

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
    QStringList names;    // what its name may stand for, the likelier first
    bool stored = false;  // as it is, neither compressed nor encrypted
};

// Which of the manifest's files each entry is: the one of its possible names the manifest
// lists, every file listed once and every entry listed. Empty when they agree, else why not.
QString MatchEntries(const QList<Entry>& entries, const SetupManifest& manifest,
                     QList<qsizetype>* entryOfFile) {
    QHash<QString, qsizetype> listed;  // lower case, to the manifest's index
    for (qsizetype i = 0; i < manifest.files.size(); ++i) {
        const QString path = manifest.files[i].path;
        if (listed.contains(path.toLower())) {
            return QStringLiteral("方案清单中“%1”出现了两次，未导入任何内容。").arg(path);
        }
        listed.insert(path.toLower(), i);
    }
    entryOfFile->fill(-1, manifest.files.size());
    for (qsizetype e = 0; e < entries.size(); ++e) {
        const auto name = std::find_if(
            entries[e].names.cbegin(), entries[e].names.cend(),
            [&](const QString& candidate) { return listed.contains(candidate.toLower()); });
        if (name == entries[e].names.cend()) {
            return kNotAsListed;
        }
        qsizetype& taken = (*entryOfFile)[listed.value(name->toLower())];
        if (taken >= 0) {
            return Twice(*name);
        }
        if (const QString why = UnsafeEntryName(*name); !why.isEmpty()) {
            return Unsafe(*name, why);
        }
        taken = e;
    }
    return entries.size() == manifest.files.size() ? QString() : kNotAsListed;
}

// Why the files a backup says an undo removes are not ones a setup may remove; empty when
// they are.
QString UnsafeRemoval(const SetupManifest& manifest) {
    QSet<QString> files;
    for (const SetupFile& file : manifest.files) {
        files.insert(file.path.toLower());
    }
    for (const QString& path : manifest.removes) {
        const bool folder = path.endsWith(QLatin1Char('/'));
        if (!UnsafeEntryName(path).isEmpty() || files.contains(path.toLower()) ||
            (folder ? !IsSetupFolder(path) : !BelongsToSetup(path))) {
            return QStringLiteral("方案文件要删除的“%1”不属于比赛方案，未导入任何内容。").arg(path);
        }
    }
    return {};
}

}  // namespace

QString SetupExport::summary() const {
    QString text = QStringLiteral("%1个文件，%2").arg(files).arg(ByteSizeText(bytes));
    if (leftOut > 0) {
        text += QStringLiteral("；未被设置引用的 %1 个文件未导出").arg(leftOut);
    }
    if (!notCarried.isEmpty()) {
        const QStringList shown = notCarried.mid(0, 5);
        text += QStringLiteral("；%1 个文件的名称含有无法放入方案的字符（如“:”），未导出：%2%3")
                    .arg(notCarried.size())
                    .arg(shown.join(QStringLiteral("、")),
                         notCarried.size() > shown.size() ? QStringLiteral("等") : QString());
    }
    return text;
}

SetupExport ExportSetup(const QString& appDir, const QString& zipPath, const SetupWork& work) {
    return ExportSetup(appDir, CollectSetupMembers(appDir), zipPath, work);
}

SetupExport ExportSetup(const QString& appDir, const SetupMembers& members, const QString& zipPath,
                        const SetupWork& work) {
    SetupExport result;
    result.leftOut = members.leftOut;
    SetupManifest manifest;
    manifest.programVersion = kVersionText;
    manifest.created = QDateTime::currentDateTimeUtc();
    manifest.debate = DebateNameIn(appDir);
    manifest.removes = members.removes;
    QStringList carried;
    qint64 total = 0;
    for (const QString& path : members.paths) {
        // One rule for both sides: what an import would refuse is not written.
        if (!UnsafeEntryName(path).isEmpty()) {
            result.notCarried << path;
            continue;
        }
        carried << path;
        total += QFileInfo(QDir(appDir).filePath(path)).size();
    }
    if (carried.size() >= kSetupMostEntries || total > kSetupMostBytes) {
        result.problem =
            QStringLiteral("方案超过 %1 个文件或 2 GB，无法导出").arg(kSetupMostEntries);
        return result;
    }

    SetupZipWriter writer(zipPath);
    if (!writer.open()) {
        result.problem = writer.error();
        return result;
    }
    SetupChecksums checksums;
    qint64 done = 0;
    const auto read = [&](const QByteArray& chunk) {
        checksums.add(chunk);
        done += chunk.size();
        if (work.progress) {
            work.progress(done, total);
        }
        return !work.cancelled();
    };
    for (const QString& path : std::as_const(carried)) {
        const qint64 size =
            writer.addFile(path, QDir(appDir).filePath(path), !StoredUncompressed(path), read);
        if (size < 0) {
            result.cancelled = work.cancelled();
            result.problem = writer.error();
            return result;
        }
        checksums.endFile();
        manifest.files << SetupFile{path, size, {}};
    }
    const QList<QByteArray> sums = checksums.results();
    for (qsizetype i = 0; i < manifest.files.size(); ++i) {
        manifest.files[i].sha256 = sums[i];
    }
    if (!writer.addBytes(kSetupManifestName, SetupManifestToJson(manifest)) || !writer.commit()) {
        result.problem = writer.error();
        return result;
    }
    result.files = int(manifest.files.size());
    result.bytes = done;
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
    QList<Entry> entries;
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
        Entry entry{index, 0, SetupEntryNames(raw, qstrcmp(raw, strict) == 0), false};
        // An entry none of whose names is safe is refused whatever the manifest says.
        const bool safe =
            std::any_of(entry.names.cbegin(), entry.names.cend(),
                        [](const QString& name) { return UnsafeEntryName(name).isEmpty(); });
        if (!safe) {
            result.refusal = Unsafe(entry.names.first(), UnsafeEntryName(entry.names.first()));
            return result;
        }
        const QString shown = entry.names.first();
        if (IsLinkOrDevice(archive.get(), index)) {
            result.refusal =
                QStringLiteral("方案文件中的条目“%1”是链接或设备，未导入任何内容。").arg(shown);
            return result;
        }
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
            !(stat.valid & ZIP_STAT_COMP_SIZE)) {
            result.refusal = QStringLiteral("这不是有效的比赛方案文件（条目无法读取）。");
            return result;
        }
        entry.size = qint64(stat.size);
        entry.stored = (stat.valid & ZIP_STAT_COMP_METHOD) && stat.comp_method == ZIP_CM_STORE &&
                       stat.comp_size == stat.size && (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) &&
                       stat.encryption_method == ZIP_EM_NONE;
        unpacked += entry.size;
        if (entry.size < 0 || unpacked > kSetupMostBytes) {
            result.refusal = SizeRefusal(QStringLiteral("解压后超过 2 GB"));
            return result;
        }
        if (entry.size >= kSetupRatioCheckedFrom &&
            entry.size > qint64(stat.comp_size) * kSetupMostRatio) {
            result.refusal = SizeRefusal(QStringLiteral("压缩比超过 %1").arg(kSetupMostRatio));
            return result;
        }
        for (QString& name : entry.names) {
            name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        }
        if (shown.endsWith(QLatin1Char('/')) || shown.endsWith(QLatin1Char('\\'))) {
            continue;  // a folder: made as its files need it
        }
        if (entry.names.contains(kSetupManifestName)) {
            if (manifestEntry) {
                result.refusal = Twice(kSetupManifestName);
                return result;
            }
            manifestEntry = entry;
        } else {
            entries << entry;
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
    QList<qsizetype> entryOf;
    if (const QString why = MatchEntries(entries, *manifest, &entryOf); !why.isEmpty()) {
        result.refusal = why;
        return result;
    }
    for (qsizetype i = 0; i < manifest->files.size(); ++i) {
        const SetupFile& file = manifest->files[i];
        if (entries[entryOf[i]].size != file.size) {
            result.refusal = kNotAsListed;
            return result;
        }
        if (!BelongsToSetup(file.path)) {
            result.refusal =
                QStringLiteral("方案文件中的“%1”不属于比赛方案，未导入任何内容。").arg(file.path);
            return result;
        }
    }
    if (const QString why = UnsafeRemoval(*manifest); !why.isEmpty()) {
        result.refusal = why;
        return result;
    }

    // Every file, unpacked and checked against its size and checksum.
    qint64 total = 0;
    for (const SetupFile& file : manifest->files) {
        total += file.size;
    }
    if (QFileInfo::exists(folder) || !QDir().mkpath(folder)) {
        result.refusal = QStringLiteral("无法创建临时文件夹“%1”。").arg(folder);
        return result;
    }
    const auto refuse = [&](const QString& why) {
        QDir(folder).removeRecursively();
        result.refusal = why;
        return result;
    };
    // Each chunk is checksummed on a thread of its own while the next one is unpacked; all the
    // checksums are compared before the archive is taken.
    SetupChecksums checksums;
    // A file stored as it is is copied straight from the archive, its checksum standing for
    // the CRC that libzip would reckon; anything else through libzip.
    QFile raw(zipPath);
    const std::optional<QList<qint64>> offsets =
        raw.open(QIODevice::ReadOnly) ? ZipDataOffsets(raw, count) : std::nullopt;
    qint64 done = 0;
    for (qsizetype i = 0; i < manifest->files.size(); ++i) {
        const SetupFile& file = manifest->files[i];
        const Entry& entry = entries[entryOf[i]];
        const QString target = QDir(folder).filePath(file.path);
        QDir().mkpath(QFileInfo(target).path());
        QFile out(target);
        const bool straight = entry.stored && offsets && raw.seek((*offsets)[entry.index]);
        zip_file_t* in = straight ? nullptr : zip_fopen_index(archive.get(), entry.index, 0);
        if ((!straight && !in) || !out.open(QIODevice::WriteOnly)) {
            if (in) {
                zip_fclose(in);
            }
            return refuse(QStringLiteral("无法解压“%1”（%2），未导入任何内容。")
                              .arg(file.path, straight || in ? FileProblem(out)
                                                             : QString::fromLocal8Bit(
                                                                   zip_strerror(archive.get()))));
        }
        const auto readChunk = [&](char* into, qint64 most, qint64 left) -> qint64 {
            return straight ? raw.read(into, std::min(most, left))
                            : zip_fread(in, into, zip_uint64_t(most));
        };
        QByteArray profile;
        qint64 written = 0;
        zip_int64_t read = 0;
        bool unwritten = false;
        while (!work.cancelled()) {
            QByteArray chunk(kChunk, Qt::Uninitialized);
            read = readChunk(chunk.data(), chunk.size(), file.size - written);
            if (read <= 0 || written + read > file.size) {
                break;
            }
            chunk.truncate(read);
            written += read;
            if (IsSetupProfile(file.path)) {
                profile += chunk;
            }
            unwritten = out.write(chunk) != read;
            if (unwritten) {
                break;
            }
            checksums.add(chunk);
            done += read;
            if (work.progress) {
                work.progress(done, total);
            }
        }
        if (in) {
            zip_fclose(in);
        }
        unwritten = unwritten || !out.flush();
        out.close();
        if (work.cancelled()) {
            QDir(folder).removeRecursively();
            result.cancelled = true;
            return result;
        }
        if (unwritten) {
            return refuse(QStringLiteral("无法写入“%1”（%2），未导入任何内容。")
                              .arg(QDir::toNativeSeparators(target), FileProblem(out)));
        }
        if (read < 0 || written != file.size) {
            return refuse(QStringLiteral("方案文件中“%1”已损坏，未导入任何内容。").arg(file.path));
        }
        if (IsSetupProfile(file.path) && !IsValidGbk(profile)) {
            return refuse(
                QStringLiteral("方案文件中的设置“%1”不是有效的 GBK 文本，未导入任何内容。")
                    .arg(file.path));
        }
        checksums.endFile();
    }
    const QList<QByteArray> sums = checksums.results();
    if (work.cancelled()) {
        QDir(folder).removeRecursively();
        result.cancelled = true;
        return result;
    }
    for (qsizetype i = 0; i < manifest->files.size(); ++i) {
        if (sums[i] != manifest->files[i].sha256) {
            return refuse(QStringLiteral("方案文件中“%1”的校验值不符，文件已损坏，未导入任何内容。")
                              .arg(manifest->files[i].path));
        }
    }
    result.manifest = *manifest;
    result.bytes = done;
    return result;
}

#include "foundation/setups/setup_zip.h"

#include <zip.h>

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include "foundation/file_names.h"
#include "foundation/setups/setup_libzip.h"
#include "foundation/setups/setup_zip_unpack.h"

namespace {

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

// The entry's type from its Unix mode, when an archiver of Unix wrote one.
bool IsLinkOrDevice(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0 ||
        system != ZIP_OPSYS_UNIX) {
        return false;
    }
    // The archive's Unix file types, spelled out: they are the same on every system that reads
    // the archive, Windows included, whose headers lack some of them.
    constexpr zip_uint32_t kType = 0170000, kLink = 0120000, kCharDevice = 0020000,
                           kBlockDevice = 0060000, kFifo = 0010000, kSocket = 0140000;
    const zip_uint32_t type = (attributes >> 16) & kType;
    return type == kLink || type == kCharDevice || type == kBlockDevice || type == kFifo ||
           type == kSocket;
}

struct Entry {
    zip_uint64_t index = 0;
    qint64 size = 0;
    QStringList names;  // what its name may stand for, the likelier first
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

SetupUnpacked UnpackSetup(const QString& zipPath, const QString& folder, const SetupWork& work) {
    SetupUnpacked result;
    ZipArchive archive = OpenZip(zipPath, ZIP_RDONLY | ZIP_CHECKCONS);
    if (!archive) {
        result.refusal = QStringLiteral("这不是有效的比赛方案文件（无法作为 zip 文件读取）。");
        return result;
    }
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
        Entry entry{index, 0, SetupEntryNames(raw, qstrcmp(raw, strict) == 0)};
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
        unpacked += entry.size;
        if (entry.size < 0 || unpacked > kSetupMostBytes) {
            result.refusal = SizeRefusal(QStringLiteral("解压后超过 2 GB"));
            return result;
        }
        if (PacksPastTheRatio(entry.size, qint64(stat.comp_size))) {
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

    // Every file, unpacked and checked against its size and checksum; the archive is read
    // afresh by each thread that unpacks.
    QList<SetupEntryToUnpack> toUnpack;
    for (qsizetype i = 0; i < manifest->files.size(); ++i) {
        toUnpack << SetupEntryToUnpack{entries[entryOf[i]].index, manifest->files[i]};
    }
    archive.reset();
    if (QFileInfo::exists(folder) || !QDir().mkpath(folder)) {
        result.refusal = QStringLiteral("无法创建临时文件夹“%1”。").arg(folder);
        return result;
    }
    const SetupFilesUnpacked files = UnpackSetupFiles(zipPath, toUnpack, folder, work);
    if (files.cancelled || !files.refusal.isEmpty()) {
        QDir(folder).removeRecursively();
        result.cancelled = files.cancelled;
        result.refusal = files.refusal;
        return result;
    }
    result.manifest = *manifest;
    result.bytes = files.bytes;
    return result;
}

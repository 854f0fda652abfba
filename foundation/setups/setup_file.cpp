#include "foundation/setups/setup_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include "foundation/debate_profiles.h"
#include "foundation/file_names.h"
#include "foundation/gbk.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/stored_files.h"

namespace {

constexpr qsizetype kLongestManifest = 4 * 1024 * 1024;

// The debate's profiles, beside the segments' own folder.
const QStringList& ProfileNames() {
    static const QStringList names = {
        QStringLiteral("config/BasicInfo.ini"), QStringLiteral("config/main.ini"),
        QStringLiteral("config/PPT.ini"),       QStringLiteral("config/Result.ini"),
        QStringLiteral("config/TW&DP.ini"),     QStringLiteral("config/cite.ini"),
    };
    return names;
}
const QString kSegmentFolder = QStringLiteral("config/tache/");

// "\background\jishi\" as an archive folder: "background/jishi/".
QString ArchiveFolder(const QString& folder) {
    return QString(folder).replace(QLatin1Char('\\'), QLatin1Char('/')).mid(1);
}

// Every folder a setting names files in.
const QStringList& MediaFolders() {
    static const QStringList folders = [] {
        QStringList all;
        for (const StoredFileRef& ref : StoredFileReferences()) {
            if (!all.contains(ArchiveFolder(ref.folder), Qt::CaseInsensitive)) {
                all << ArchiveFolder(ref.folder);
            }
        }
        return all;
    }();
    return folders;
}

bool StartsWithFolder(const QString& path, const QString& folder) {
    return path.startsWith(folder, Qt::CaseInsensitive) && IsBareFileName(path.mid(folder.size()));
}

// `absolute` relative to `appDir`, with '/'.
QString Relative(const QString& appDir, const QString& absolute) {
    return QDir(appDir).relativeFilePath(absolute);
}

}  // namespace

QByteArray SetupManifestToJson(const SetupManifest& manifest) {
    QJsonArray files;
    for (const SetupFile& file : manifest.files) {
        files.append(QJsonObject{{"path", file.path},
                                 {"size", double(file.size)},
                                 {"sha256", QString::fromLatin1(file.sha256)}});
    }
    QJsonObject object{{"format", manifest.format},
                       {"program", QStringLiteral("debaclock")},
                       {"programVersion", manifest.programVersion},
                       {"created", manifest.created.toUTC().toString(Qt::ISODate)},
                       {"debate", manifest.debate},
                       {"files", files}};
    if (!manifest.removes.isEmpty()) {
        object.insert("removes", QJsonArray::fromStringList(manifest.removes));
    }
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

std::optional<SetupManifest> SetupManifestFromJson(const QByteArray& json) {
    if (json.size() > kLongestManifest) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonObject object = QJsonDocument::fromJson(json, &error).object();
    if (error.error != QJsonParseError::NoError ||
        object.value("program").toString() != QLatin1String("debaclock") ||
        !object.value("format").isDouble() || !object.value("files").isArray() ||
        object.value("files").toArray().size() > kSetupMostEntries ||
        object.value("removes").toArray().size() > kSetupMostEntries) {
        return std::nullopt;
    }
    static const QRegularExpression kSha256(QStringLiteral("^[0-9a-f]{64}$"));
    SetupManifest manifest;
    manifest.format = object.value("format").toInt();
    manifest.programVersion = object.value("programVersion").toString();
    manifest.created = QDateTime::fromString(object.value("created").toString(), Qt::ISODate);
    manifest.debate = object.value("debate").toString();
    for (const QJsonValue& value : object.value("files").toArray()) {
        const QJsonObject file = value.toObject();
        const double size = file.value("size").toDouble(-1);
        const QString sha256 = file.value("sha256").toString();
        if (!file.value("path").isString() || size < 0 || size > double(kSetupMostBytes) ||
            !kSha256.match(sha256).hasMatch()) {
            return std::nullopt;
        }
        manifest.files << SetupFile{file.value("path").toString(), qint64(size), sha256.toLatin1()};
    }
    for (const QJsonValue& value : object.value("removes").toArray()) {
        if (!value.isString()) {
            return std::nullopt;
        }
        manifest.removes << value.toString();
    }
    return manifest;
}

bool IsSetupProfile(const QString& path) {
    return ProfileNames().contains(path, Qt::CaseInsensitive) ||
           (StartsWithFolder(path, kSegmentFolder) &&
            path.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive));
}

bool IsSetupFolder(const QString& folder) {
    if (!folder.endsWith(QLatin1Char('/')) || !UnsafeEntryName(folder).isEmpty()) {
        return false;
    }
    QStringList folders = MediaFolders();
    folders << kSegmentFolder;
    return std::any_of(folders.cbegin(), folders.cend(), [&](const QString& setupFolder) {
        return setupFolder.startsWith(folder, Qt::CaseInsensitive);
    });
}

bool PacksPastTheRatio(qint64 size, qint64 packed) {
    return size >= kSetupRatioCheckedFrom && size > packed * kSetupMostRatio;
}

bool StoredUncompressed(const QString& path) {
    // JPEG, PNG, GIF and WebP pictures; MP3, WMA, AAC, Ogg and FLAC sounds; videos; the Office
    // formats that are zip files themselves, and archives. WAV, BMP and profiles deflate well.
    static const QSet<QString> compressed = {
        "jpg",  "jpeg", "jfif", "png", "gif", "webp", "mp3", "wma",  "m4a",  "aac",  "ogg",  "oga",
        "opus", "flac", "mp4",  "m4v", "mov", "wmv",  "mkv", "webm", "pptx", "ppsx", "potx", "pptm",
        "ppsm", "docx", "xlsx", "odp", "zip", "7z",   "rar", "gz",   "xz",   "bz2",  "zst"};
    return compressed.contains(QFileInfo(path).suffix().toLower());
}

bool BelongsToSetup(const QString& path) {
    return IsSetupProfile(path) ||
           std::any_of(MediaFolders().cbegin(), MediaFolders().cend(),
                       [&](const QString& folder) { return StartsWithFolder(path, folder); });
}

SetupMembers CollectSetupMembers(const QString& appDir) {
    SetupMembers members;
    QSet<QString> taken;  // lower case
    const auto take = [&](const QString& absolute) {
        const QString relative = Relative(appDir, absolute);
        if (QFileInfo(absolute).isFile() && !taken.contains(relative.toLower())) {
            taken.insert(relative.toLower());
            members.paths << relative;
        }
    };
    for (const QString& profile : ProfileNames()) {
        take(AppPath(appDir, QLatin1Char('\\') + QString(profile).replace('/', '\\')));
    }
    const QString segments = AppPath(appDir, QStringLiteral("\\config\\tache"));
    for (const QFileInfo& entry :
         QDir(segments).entryInfoList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name)) {
        take(entry.absoluteFilePath());
    }
    for (const StoredFileRef& ref : StoredFileReferences()) {
        const QString named = ReadProfileString(AppPath(appDir, ref.profile), ref.section, ref.key);
        if (StoredFilePresent(appDir, ref.folder, named)) {
            take(StoredFilePath(appDir, ref.folder, named));
        }
    }
    for (const QString& folder : MediaFolders()) {
        const QString absolute = AppPath(appDir, QLatin1Char('\\') + folder);
        for (const QFileInfo& entry : QDir(absolute).entryInfoList(QDir::Files)) {
            members.leftOut +=
                taken.contains(Relative(appDir, entry.absoluteFilePath()).toLower()) ? 0 : 1;
        }
    }
    return members;
}

QStringList SetupEntryNames(const QByteArray& raw, bool markedUtf8) {
    if (markedUtf8) {
        return {QString::fromUtf8(raw)};
    }
    QStringList names;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = utf8.decode(raw);
    if (!utf8.hasError()) {
        names << decoded;
    }
    const QString gbk = FromGbk(raw);
    if (!names.contains(gbk)) {
        names << gbk;
    }
    return names;
}

QString SetupFileNameFor(const QString& debate) {
    const QString safe = SafeFileName(debate);
    return (safe.isEmpty() ? QStringLiteral("比赛方案") : safe) + QStringLiteral(".zip");
}

int TimedSegmentsIn(const QString& appDir) {
    int timed = 0;
    for (int segment = 1; segment <= kSegmentCount; ++segment) {
        timed += TimingStyleOf(ReadProfileString(SegmentProfilePath(appDir, segment),
                                                 kConfigSection, SegmentKey::Style))
                     ? 1
                     : 0;
    }
    return timed;
}

QString ByteSizeText(qint64 bytes) {
    if (bytes < 1024 * 1024) {
        return QStringLiteral("%1 KB").arg((bytes + 1023) / 1024);
    }
    return QStringLiteral("%1 MB").arg(double(bytes) / (1024.0 * 1024.0), 0, 'f', 1);
}

QStringList MissingNamedFiles(const QString& appDir) {
    QStringList missing;
    for (const StoredFileRef& ref : StoredFileReferences()) {
        const QString named = ReadProfileString(AppPath(appDir, ref.profile), ref.section, ref.key);
        if (!named.isEmpty() && !StoredFilePresent(appDir, ref.folder, named)) {
            missing << QStringLiteral("%1 %2：%3").arg(FileNameOf(ref.profile), ref.key, named);
        }
    }
    return missing;
}

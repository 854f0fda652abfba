#pragma once
// What a match setup file carries: the profiles that describe one debate and the files they
// name, and a manifest of each file's size and SHA-256. Never what belongs to the machine or is
// secret (the projector choice, the remote's token, the wizard's theme, the active segment) nor
// the program's own pages, help and theme pictures; files in the folders that no setting names
// stay out too.
//
// The rules here are pure: which paths belong, how an archive entry's name is read, what the
// manifest holds and which entry is refused. Reading and writing archives is setup_zip's job.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The manifest's format version, and the entry it is stored as.
inline constexpr int kSetupFormat = 1;
inline const QString kSetupManifestName = QStringLiteral("manifest.json");

// The limits of what an import reads: more than this is not a setup but an attack.
inline constexpr qsizetype kSetupMostEntries = 10000;
inline constexpr qint64 kSetupMostBytes = qint64(2) * 1024 * 1024 * 1024;
inline constexpr qint64 kSetupMostRatio = 100;

struct SetupFile {
    QString path;  // relative, with '/', as the archive names it: "config/tache/3.ini"
    qint64 size = 0;
    QByteArray sha256;  // hex
    bool operator==(const SetupFile&) const = default;
};

struct SetupManifest {
    int format = kSetupFormat;
    QString programVersion;
    QDateTime created;
    QString debate;
    QList<SetupFile> files;
};

QByteArray SetupManifestToJson(const SetupManifest& manifest);
// The manifest in `json`; none when it is not one of ours (or damaged, or over 4 MB).
std::optional<SetupManifest> SetupManifestFromJson(const QByteArray& json);

// What the setup of the program folder `appDir` is made of now.
struct SetupMembers {
    QStringList paths;  // relative, with '/', as found on disk
    int leftOut = 0;    // files in the setup's folders that no setting names
};
SetupMembers CollectSetupMembers(const QString& appDir);

// Whether `path` (relative, with '/') may be part of a setup: one of the debate's profiles or a
// file in one of the folders its settings name files in.
bool BelongsToSetup(const QString& path);
// Whether `path` is one of the GBK profiles of a setup.
bool IsSetupProfile(const QString& path);

// The name of an archive entry from its raw bytes: UTF-8 when the entry says so (or the bytes
// are valid UTF-8), else GBK, as Chinese Windows' own zip folders write it.
QString SetupEntryName(const QByteArray& raw, bool markedUtf8);
// Why an entry named `name` may not be unpacked, or empty when it may: an absolute path, a
// drive letter, "..", an empty step, a control character. Backslashes count as separators.
QString UnsafeEntryName(const QString& name);

// The default file name of a setup: the debate's name, characters a file name cannot hold
// replaced; "比赛方案.zip" when there is no name.
QString SetupFileNameFor(const QString& debate);
// The debate's name in the program folder `appDir`.
QString DebateNameIn(const QString& appDir);
// How many of the eight segments of `appDir` have a timing style.
int TimedSegmentsIn(const QString& appDir);
// "12.3 MB"
QString ByteSizeText(qint64 bytes);
// The settings of `appDir` that name a file not there, as "3.ini 背景图片：x.jpg".
QStringList MissingNamedFiles(const QString& appDir);

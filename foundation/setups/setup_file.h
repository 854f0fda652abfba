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
// A file this small cannot make a bomb whatever its ratio (a profile of blanks).
inline constexpr qint64 kSetupRatioCheckedFrom = 1024 * 1024;
// Whether a file of `size` bytes packed into `packed` is one an import refuses as a bomb.
bool PacksPastTheRatio(qint64 size, qint64 packed);

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
    // A backup's only: what the import it was taken for put where nothing was, files and the
    // folders made for them ("ppt/"), which undoing that import takes away again.
    QStringList removes;
};

QByteArray SetupManifestToJson(const SetupManifest& manifest);
// The manifest in `json`; none when it is not one of ours (or damaged, or over 4 MB).
std::optional<SetupManifest> SetupManifestFromJson(const QByteArray& json);

// What the setup of the program folder `appDir` is made of now.
struct SetupMembers {
    QStringList paths;    // relative, with '/', as found on disk
    int leftOut = 0;      // files in the setup's folders that no setting names
    QStringList removes;  // a backup's: see SetupManifest
};
SetupMembers CollectSetupMembers(const QString& appDir);

// Whether `path` (relative, with '/') may be part of a setup: one of the debate's profiles or a
// file in one of the folders its settings name files in.
bool BelongsToSetup(const QString& path);
// Whether `path` is one of the GBK profiles of a setup.
bool IsSetupProfile(const QString& path);
// Whether `folder` ("background/main/", ending with '/') is one a setup's files lie in, or one
// above such a folder.
bool IsSetupFolder(const QString& folder);
// Whether a setup's file `path` is stored as it is rather than deflated: pictures, sounds and
// presentations that are compressed already gain nothing but time from deflating again.
bool StoredUncompressed(const QString& path);

// The names an archive entry's raw bytes may stand for, the likelier first: UTF-8 alone when
// the entry says so; else UTF-8 when the bytes are valid UTF-8, and GBK, as Chinese Windows'
// own zip folders write it. Many GBK names are valid UTF-8 too ("图片" is CD BC C6 AC): the
// manifest, which lists each file once, tells which one the entry is.
QStringList SetupEntryNames(const QByteArray& raw, bool markedUtf8);

// The default file name of a setup: the debate's name, characters a file name cannot hold
// replaced; "比赛方案.zip" when there is no name.
QString SetupFileNameFor(const QString& debate);
// How many of the eight segments of `appDir` have a timing style.
int TimedSegmentsIn(const QString& appDir);
// "12.3 MB"
QString ByteSizeText(qint64 bytes);
// The settings of `appDir` that name a file not there, as "3.ini 背景图片：x.jpg".
QStringList MissingNamedFiles(const QString& appDir);

#pragma once
// Files the operator imports live in fixed folders under the program folder, and profiles store
// only their bare names. Several settings may name one file of a folder (eight segments, one
// background picture), so a file stays on disk while any setting still names it.

#include <QList>
#include <QString>

// One setting that names a file: a key of a profile and the folder its file lies in. Paths are
// relative to AppDir and begin with a backslash; the folder ends with one.
struct StoredFileRef {
    QString profile;
    QString section;
    QString key;
    QString folder;
};

// Whether `name` is a usable bare name and a file of that name, letter case ignored, lies in
// AppDir + folder.
bool StoredFilePresent(const QString& appDir, const QString& folder, const QString& name);

// Every setting of the program that names an imported file.
const QList<StoredFileRef>& StoredFileReferences();

// Whether a setting other than `self` names `name` (letter case ignored) in the same folder.
bool NamedElsewhere(const QString& appDir, const StoredFileRef& self, const QString& name);

// Whether `name` can be stored as it is: a bare name without control characters or ':' (a name
// a match setup can carry) that GBK holds in full, that fits a profile value and that the profile
// reads back exactly as written (no blanks at either end, not wholly in quotes).
bool StorableFileName(const QString& name);

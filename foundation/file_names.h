#pragma once

#include <QString>

// The part of `path` after its last backslash or '/'; all of it when it has neither.
QString FileNameOf(const QString& path);

// A file name stored in a profile is usable only when it is a bare name: not empty, not "."
// or "..", no folder separator. Anything else names no file, so a hand-edited profile cannot
// reach outside its folder; dots inside a name ("a..b.jpg") are ordinary.
bool IsBareFileName(const QString& name);

// AppDir + folder + name for a usable stored name, the empty text otherwise.
// `folder` is relative to AppDir and ends with a backslash, e.g. "\background\jishi\".
QString StoredFilePath(const QString& appDir, const QString& folder, const QString& name);

// `name` as a file name every system can hold: folder separators, the characters Windows
// refuses (: * ? " < > |) and control characters become "_", blanks and dots at the ends go.
QString SafeFileName(const QString& name);

// Why a relative path `name` may not be written under a folder, or empty when it may: an
// absolute path, a drive letter, "..", an empty step, a ':' (a drive or a stream on Windows),
// a control character. Backslashes count as separators. Setup entries are checked with it.
QString UnsafeEntryName(const QString& name);

#pragma once
// The byte-level INI engine under the profile store: finds and edits one key in the GBK bytes
// of a profile, leaving every other byte of the file as it was.

#include <QByteArray>
#include <QString>
#include <optional>

namespace ini {

// The raw (GBK) value of the first `key` in the first `section`, trimmed and unquoted.
std::optional<QByteArray> FindValue(const QByteArray& file, const QString& section,
                                    const QString& key);

// `file` with `key` in `section` set to `value`: in place when the key exists, else after the
// last entry of the section, else in a new section at the end of the file. Lines added end
// with CR LF. Returns nullopt for names that cannot be stored in a profile line.
std::optional<QByteArray> SetValue(const QByteArray& file, const QString& section,
                                   const QString& key, const QString& value);

}  // namespace ini

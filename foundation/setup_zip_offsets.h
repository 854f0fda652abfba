#pragma once
// Where each entry's bytes begin in a zip archive that libzip has checked whole, read from its
// central directory and local headers, so that a file stored as it is can be copied straight
// from the archive: libzip, reading it, would reckon its CRC-32 on the way, the dearest step of
// an import after the checksum that stands for it anyway. Whatever is read from the bytes so
// found is checked against the manifest's checksum, so an archive that misleads this reading
// is refused, never taken.

#include <QFile>
#include <QList>
#include <optional>

// The offset of each entry's data, in the order of the central directory (libzip's indexes);
// none for an archive of another kind (64-bit, split, a count that does not agree).
std::optional<QList<qint64>> ZipDataOffsets(QFile& archive, qint64 entries);

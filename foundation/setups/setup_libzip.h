#pragma once
// What every part of the setup library that talks to libzip shares: an archive that is let go
// of as it goes out of scope, and libzip's failures said as the operator should hear them.

#include <zip.h>

#include <QString>
#include <memory>

struct ZipDiscarder {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
// Discarded unless released: a written archive is written by zip_close, which frees it.
using ZipArchive = std::unique_ptr<zip_t, ZipDiscarder>;

// `path` opened by libzip with `flags` (ZIP_RDONLY, ZIP_CREATE…); none, with why in `problem`,
// when it cannot be.
ZipArchive OpenZip(const QString& path, int flags, QString* problem = nullptr);

// What libzip says went wrong: a full disk says so.
QString ZipProblem(const zip_error_t& error);
// Why the last call on `archive` failed.
QString ZipProblem(zip_t* archive);

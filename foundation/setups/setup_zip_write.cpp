#include "foundation/setups/setup_zip.h"

#include <QDir>
#include <QFileInfo>
#include <memory>
#include <vector>

#include "foundation/debate_profiles.h"
#include "foundation/file_names.h"
#include "foundation/program.h"
#include "foundation/setups/setup_checksums.h"
#include "foundation/setups/setup_libzip.h"
#include "foundation/setups/setup_zip_sources.h"

namespace {

// Deflating at the fastest level: pictures and sounds that gain from deflating at all gain
// nearly as much from it.
constexpr zip_uint32_t kDeflateLevel = 1;

// What deflated past the ratio an import takes (a picture of one colour) is stored instead:
// libzip writes the archive again with those files as they are, the others copied as they
// stand. Empty when done or when there was nothing to do, else why not.
QString StoreWhatPacksPastTheRatio(const QString& zipPath) {
    QString problem;
    ZipArchive archive = OpenZip(zipPath, 0, &problem);
    if (!archive) {
        return problem;
    }
    bool changed = false;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive.get(), 0); ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &stat) == 0 &&
            PacksPastTheRatio(qint64(stat.size), qint64(stat.comp_size))) {
            if (zip_set_file_compression(archive.get(), zip_uint64_t(i), ZIP_CM_STORE, 0) != 0) {
                return ZipProblem(archive.get());
            }
            changed = true;
        }
    }
    if (!changed) {
        return {};
    }
    if (zip_close(archive.get()) != 0) {
        return ZipProblem(archive.get());
    }
    archive.release();  // freed by the close
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

    // Every megabyte read is checksummed on other threads while libzip writes it; the manifest
    // goes last, once libzip has read every file before it.
    SetupChecksums checksums;
    qint64 done = 0;
    const auto chunk = [&](const QByteArray& bytes) {
        checksums.add(bytes);
        done += bytes.size();
        if (work.progress) {
            work.progress(done, total);
        }
        return !work.cancelled();
    };
    std::vector<std::unique_ptr<SetupFileSource>> sources;  // outlive the archive's
    SetupLateSource manifestSource([&]() -> std::optional<QByteArray> {
        const QList<QByteArray> sums = checksums.results();
        if (manifest.files.size() != carried.size() || sums.size() != carried.size()) {
            return std::nullopt;  // a file not read to its end
        }
        for (qsizetype i = 0; i < sums.size(); ++i) {
            manifest.files[i].sha256 = sums[i];
        }
        return SetupManifestToJson(manifest);
    });
    SetupZipOutput output(zipPath);  // outlives the archive's source
    ZipArchive archive(output.open(&result.problem));
    if (!archive) {
        return result;
    }
    const auto add = [&](const QString& name, zip_source_t* source, bool store) {
        const zip_int64_t index = source ? zip_file_add(archive.get(), name.toUtf8().constData(),
                                                        source, ZIP_FL_ENC_UTF_8)
                                         : -1;
        if (index < 0) {
            zip_source_free(source);
            return false;
        }
        return zip_set_file_compression(archive.get(), zip_uint64_t(index),
                                        store ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                        store ? 0 : kDeflateLevel) == 0;
    };
    bool mayPackPastTheRatio = false;
    for (const QString& path : std::as_const(carried)) {
        sources.push_back(std::make_unique<SetupFileSource>(
            QDir(appDir).filePath(path), chunk, [&checksums, &manifest, path](qint64 size) {
                checksums.endFile();
                manifest.files << SetupFile{path, size, {}};
            }));
        const bool store = StoredUncompressed(path);
        mayPackPastTheRatio =
            mayPackPastTheRatio || (!store && sources.back()->size() >= kSetupRatioCheckedFrom);
        if (!add(path, sources.back()->source(zip_get_error(archive.get())), store)) {
            result.problem = ZipProblem(archive.get());
            return result;
        }
    }
    if (!add(kSetupManifestName, manifestSource.source(zip_get_error(archive.get())), false)) {
        result.problem = ZipProblem(archive.get());
        return result;
    }
    if (zip_close(archive.get()) != 0) {
        result.cancelled = work.cancelled();
        result.problem = output.problem().isEmpty() ? ZipProblem(archive.get()) : output.problem();
        for (const std::unique_ptr<SetupFileSource>& source : sources) {
            if (!source->problem().isEmpty()) {
                result.problem = source->problem();
                break;
            }
        }
        return result;  // discarded: libzip's unfinished file is gone with it
    }
    archive.release();  // freed by the close
    if (mayPackPastTheRatio) {
        if (const QString why = StoreWhatPacksPastTheRatio(zipPath); !why.isEmpty()) {
            QFile::remove(zipPath);
            result.problem = why;
            return result;
        }
    }
    result.files = int(manifest.files.size());
    result.bytes = done;
    return result;
}

#include "foundation/setups/setup_libzip.h"

#include <QFile>
#include <cerrno>

#include "foundation/saved_file.h"

ZipArchive OpenZip(const QString& path, int flags, QString* problem) {
    int code = 0;
    ZipArchive archive(zip_open(QFile::encodeName(path).constData(), flags, &code));
    if (!archive && problem) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        *problem = ZipProblem(error);
        zip_error_fini(&error);
    }
    return archive;
}

QString ZipProblem(const zip_error_t& error) {
    auto& readable = const_cast<zip_error_t&>(error);  // libzip keeps the text it makes there
    const int system = zip_error_code_system(&readable);
    if (zip_error_system_type(&readable) == ZIP_ET_SYS && (system == ENOSPC || system == EDQUOT)) {
        return kDiskFull;
    }
    return QString::fromLocal8Bit(zip_error_strerror(&readable));
}

QString ZipProblem(zip_t* archive) {
    return ZipProblem(*zip_get_error(archive));
}

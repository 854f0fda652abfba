#include "foundation/file_names.h"

#include "foundation/paths.h"

QString FileNameOf(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf('/'));
    return path.mid(cut + 1);
}

bool IsBareFileName(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('\\')) && !name.contains('/') &&
           !name.contains(QLatin1String(".."));
}

QString StoredFilePath(const QString& appDir, const QString& folder, const QString& name) {
    return IsBareFileName(name) ? AppPath(appDir, folder + name) : QString();
}

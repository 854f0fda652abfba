#include "foundation/paths.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The entry of `folder` that equals `name` without regard to letter case, or `name` itself.
QString MatchInFolder(const QString& folder, const QString& name) {
    if (name == QLatin1String(".") || name == QLatin1String("..") ||
        QFileInfo::exists(folder + '/' + name)) {
        return name;
    }
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return entry;
        }
    }
    return name;
}

}  // namespace

QString ResolvePath(const QString& path) {
    QString unified = path;
    unified.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (unified.isEmpty() || QFileInfo::exists(unified)) {
        return unified;
    }
    const bool absolute = unified.startsWith('/');
    QString resolved = absolute ? QStringLiteral("/") : QString();
    bool folderExists = true;  // below a missing folder nothing can match any more
    for (const QString& part : unified.split('/', Qt::SkipEmptyParts)) {
        const QString folder = resolved.isEmpty() ? QStringLiteral(".") : resolved;
        const QString name = folderExists ? MatchInFolder(folder, part) : part;
        if (!resolved.isEmpty() && !resolved.endsWith('/')) {
            resolved += '/';
        }
        resolved += name;
        folderExists = folderExists && QFileInfo(resolved).isDir();
    }
    if (unified.endsWith('/') && !resolved.endsWith('/')) {
        resolved += '/';
    }
    return resolved;
}

QString AppPath(const QString& appDir, const QString& relative) {
    return ResolvePath(appDir + relative);
}

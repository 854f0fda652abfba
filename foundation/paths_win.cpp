#include "foundation/paths.h"

// Windows' file systems ignore letter case themselves: every variant already reaches its file,
// so only the separators are unified and no folder is ever listed.
QString ResolvePath(const QString& path) {
    QString unified = path;
    unified.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return unified;
}

QString AppPath(const QString& appDir, const QString& relative) {
    return ResolvePath(appDir + relative);
}

#include "foundation/file_names.h"

#include <QStringList>
#include <algorithm>

#include "foundation/paths.h"

QString FileNameOf(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf('/'));
    return path.mid(cut + 1);
}

bool IsBareFileName(const QString& name) {
    // Dots inside a name ("决赛...pptx") are ordinary; only "." and ".." name folders.
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char('/'));
}

QString StoredFilePath(const QString& appDir, const QString& folder, const QString& name) {
    return IsBareFileName(name) ? AppPath(appDir, folder + name) : QString();
}

QString SafeFileName(const QString& name) {
    QString safe;
    for (const QChar c : name) {
        safe += c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c)
                    ? QLatin1Char('_')
                    : c;
    }
    while (!safe.isEmpty() && (safe.front().isSpace() || safe.front() == QLatin1Char('.'))) {
        safe.remove(0, 1);
    }
    while (!safe.isEmpty() && (safe.back().isSpace() || safe.back() == QLatin1Char('.'))) {
        safe.chop(1);
    }
    return safe;
}

QString UnsafeEntryName(const QString& name) {
    const QString path = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/'))) {
        return QStringLiteral("绝对路径");
    }
    if (path.size() >= 2 && path[1] == QLatin1Char(':')) {
        return QStringLiteral("盘符");
    }
    if (std::any_of(path.cbegin(), path.cend(),
                    [](QChar c) { return c.category() == QChar::Other_Control; })) {
        return QStringLiteral("控制字符");
    }
    const QStringList steps = path.split(QLatin1Char('/'));
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const bool lastOfFolder = i == steps.size() - 1 && path.endsWith(QLatin1Char('/'));
        if (steps[i] == QLatin1String("..") || steps[i] == QLatin1String(".") ||
            (steps[i].isEmpty() && !lastOfFolder) || steps[i].contains(QLatin1Char(':'))) {
            return QStringLiteral("越出文件夹的路径");
        }
    }
    return {};
}

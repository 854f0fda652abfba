#include "foundation/settings_profiles.h"

#include "foundation/paths.h"
#include "foundation/profile_store.h"

QString ThemePicturePath(const QString& appDir, const QString& theme) {
    for (int n = 1; n <= 4; ++n) {
        if (theme == QStringLiteral("Theme-%1").arg(n)) {
            return AppPath(appDir, QStringLiteral("\\Theme\\Theme%1.jpg").arg(n));
        }
    }
    return {};
}

QString StoredThemePicture(const QString& appDir) {
    return ThemePicturePath(
        appDir, ReadProfileString(AppPath(appDir, kThemeProfile), kConfigSection, kThemeKey));
}

QString TextBetween(const QString& text, const QString& start, const QString& end) {
    if (start.isEmpty() || end.isEmpty()) {
        return {};
    }
    const qsizetype from = text.indexOf(start);
    const qsizetype to = text.indexOf(end);
    if (from < 0 || to < 0 || to < from + start.size()) {
        return {};
    }
    return text.mid(from + start.size(), to - from - start.size());
}

#include "foundation/platform/dialogs.h"

QStringList TranslateFilter(const QString& barFilter) {
    const QStringList parts = barFilter.split(u'|');
    QStringList filters;
    // Description and pattern come in pairs; a description left without a pattern is dropped,
    // as the desktop's dialog does.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& part : parts.at(i + 1).split(u';')) {
            const QString pattern = part.trimmed();
            if (pattern.isEmpty()) {
                continue;
            }
            // "*.*" means every file on the desktop the filters were written for; for Qt it
            // would only match names that contain a dot.
            patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (patterns.isEmpty()) {
            continue;
        }
        const QString joined = patterns.join(u' ');
        const QString description = parts.at(i).trimmed();
        // Qt takes the patterns from the last parentheses, so the description may carry its
        // own "(*.jpg)" and still be shown exactly as written (HideNameFilterDetails).
        filters << (description.isEmpty() ? joined : description) + QStringLiteral(" (") + joined +
                       u')';
    }
    return filters;
}

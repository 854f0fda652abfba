#include "hall/screen_snapshot.h"

#include <QAction>
#include <QJsonArray>

#include "foundation/platform/screen_catalogue.h"
#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/widgets/action_role.h"
#include "foundation/widgets/full_screen_window.h"

QString SegmentOnScreen(const QString& appDir, const FullScreenWindow* screen) {
    // The clock screens of the five timing styles time the active segment.
    const CataloguedScreen* shown = screen ? cataloguedScreenNamed(screen->objectName()) : nullptr;
    if (!shown || !shown->style) {
        return {};
    }
    return ReadProfileString(ActiveSegmentProfilePath(appDir), kConfigSection,
                             SegmentKey::ActiveName);
}

QList<QAction*> screenCommands(const FullScreenWindow* screen) {
    QList<QAction*> commands;
    for (QAction* action : screen->actions()) {
        if (actionRole(action) != ActionRole::Volume) {
            commands.append(action);
        }
    }
    return commands;
}

QJsonObject ScreenSnapshot(const FullScreenWindow* screen, const QString& segment) {
    QJsonArray clocks, actions;
    if (screen) {
        for (const ClockReading& clock : screen->clocks()) {
            QJsonObject reading{{"name", clock.name},
                                {"text", clock.text},
                                {"colour", clock.colour.name(QColor::HexRgb).toUpper()}};
            if (!clock.label.isEmpty()) {
                reading.insert("label", clock.label);
            }
            if (clock.overtime > 0) {
                reading.insert("overtime", clock.overtime);
                if (!clock.overtimeRole.isEmpty()) {
                    reading.insert("overtimeOf", clock.overtimeRole);
                }
            }
            clocks.append(reading);
        }
        for (const QAction* action : screenCommands(screen)) {
            QJsonObject command{{"name", action->objectName()},
                                {"text", action->text()},
                                {"enabled", action->isEnabled()}};
            if (const QString role = actionRoleName(actionRole(action)); !role.isEmpty()) {
                command.insert("role", role);
            }
            actions.append(command);
        }
    }
    return {{"screen", screen ? screen->objectName() : QString()},
            {"segment", screen ? segment : QString()},
            {"clocks", clocks},
            {"actions", actions}};
}

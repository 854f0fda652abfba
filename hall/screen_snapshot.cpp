#include "hall/screen_snapshot.h"

#include <QAction>
#include <QJsonArray>

#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/widgets/full_screen_window.h"

namespace {

// The clock screens of the five timing styles, which time the active segment.
bool TimesASegment(const FullScreenWindow* screen) {
    static const QStringList kClockScreens = {"Form17", "Form6", "Form5", "Form18", "Form22"};
    return screen && kClockScreens.contains(screen->objectName());
}

}  // namespace

QString SegmentOnScreen(const QString& appDir, const FullScreenWindow* screen) {
    if (!TimesASegment(screen)) {
        return {};
    }
    return ReadProfileString(ActiveSegmentProfilePath(appDir), kConfigSection,
                             SegmentKey::ActiveName);
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
        for (const QAction* action : screen->actions()) {
            if (action->data().isValid()) {
                continue;  // a bar's value travels in the action's data
            }
            actions.append(QJsonObject{{"name", action->objectName()},
                                       {"text", action->text()},
                                       {"enabled", action->isEnabled()}});
        }
    }
    return {{"screen", screen ? screen->objectName() : QString()},
            {"segment", screen ? segment : QString()},
            {"clocks", clocks},
            {"actions", actions}};
}

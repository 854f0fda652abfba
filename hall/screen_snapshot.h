#pragma once
// What an audience screen shows and accepts, as the hall's network protocol sends it:
// {"screen": "Form6", "segment": "驳论",
//  "clocks": [{"name", "text", "colour": "#RRGGBB", "label" (only where the screen has one)}],
//  "actions": [{"name", "text", "enabled", "role" (only where the action has one)}]}. Clocks
// top to bottom, then left to right.

#include <QJsonObject>
#include <QList>
#include <QString>

class FullScreenWindow;
class QAction;

// The segment a clock screen times, from the active segment profile; empty for any other
// screen (the main screen, the transition, the side timers, the results).
QString SegmentOnScreen(const QString& appDir, const FullScreenWindow* screen);

// The commands of `screen` a view lists and a remote may trigger: every action it publishes but
// a volume bar, whose value is no command.
QList<QAction*> screenCommands(const FullScreenWindow* screen);

// The snapshot of `screen`, which times `segment` (from SegmentOnScreen, read once per screen); a
// neutral one ("screen" and "segment" empty, no clocks, no actions) when no audience screen is
// up. A volume bar is no command: it is left out.
QJsonObject ScreenSnapshot(const FullScreenWindow* screen, const QString& segment);

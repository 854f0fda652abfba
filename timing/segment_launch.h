#pragma once
// Starting a timed segment from the main screen: its settings become the active segment
// profile, then the transition picture or the clock screen of its timing style replaces the
// main screen.

#include <optional>

#include "foundation/platform/navigator.h"
#include "foundation/platform/platform.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/segment_profile.h"

#include <QString>

class QWidget;

// The segment a clock screen times, as the journal and the time record name it.
struct TimedSegment {
    int number = 0;  // 1-8; 0 for the side segments or when unknown
    QString name;
    int style = 0;   // the timing style 1-5; 0 for the side segments
    QString debate;  // the debate's name, as the information page stores it
};

// What the clock screen named `screen` ("Form6", "Form20") times now: a side timer its own
// segment, any other the active one, in the debate of the information page.
TimedSegment TimedSegmentOf(const QString& appDir, const QString& screen);

// The clock screen a "计时样式" value names; nullopt unless it is exactly "Mode-1".."Mode-5".
std::optional<ScreenId> ClockScreenFor(const QString& styleText);

// Launches segment `segment` (1..8) from `mainScreen`. The segment's keys are copied into the
// active profile first, whatever opens afterwards. "使用过场图片" then decides: 1 opens the
// transition screen, 0 opens the clock screen; an empty or non-numeric value counts as 0 (a
// check box never touched is unticked); any other number opens nothing. A segment without a
// valid timing style opens no clock screen, and the main screen stays. A segment number
// outside 1..8, or any while an import puts a setup in place, does nothing at all.
void LaunchSegment(const AppContext& context, QWidget* mainScreen, int segment);

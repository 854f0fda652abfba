#include "timing/segment_launch.h"

#include "foundation/debate_profiles.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/setup_applying.h"
#include "foundation/side_segment_profile.h"
#include "foundation/values.h"
#include "timing/side_timer.h"

std::optional<ScreenId> ClockScreenFor(const QString& styleText) {
    if (const std::optional<TimingStyle> style = TimingStyleOf(styleText)) {
        return ClockScreenOf(*style);
    }
    return std::nullopt;
}

TimedSegment TimedSegmentOf(const QString& appDir, const QString& screen) {
    const QString debate = ReadProfileString(AppPath(appDir, kDebateInfoProfile),
                                             kDebateInfoSection, DebateKey::Competition);
    if (const std::optional<SideSegment> side = SideSegmentNamed(screen)) {
        return {
            0,
            ReadProfileString(AppPath(appDir, kSideSegmentProfile), side->section, SideKey::Name),
            0, debate};
    }
    const QString active = ActiveSegmentProfilePath(appDir);
    const std::optional<TimingStyle> style =
        TimingStyleOf(ReadProfileString(active, kConfigSection, SegmentKey::Style));
    return {ActiveSegmentNumber(appDir).value_or(0),
            ReadProfileString(active, kConfigSection, SegmentKey::ActiveName),
            style ? int(*style) : 0, debate};
}

void LaunchSegment(const AppContext& context, QWidget* mainScreen, int segment) {
    // While an import moves the setup's files, a segment's profile may be aside.
    if (segment < 1 || segment > kSegmentCount || context.setupApplying->now()) {
        return;
    }
    CopySegmentToActive(context.appDir, segment);

    const QString source = SegmentProfilePath(context.appDir, segment);
    const QString style = ReadProfileString(source, kConfigSection, SegmentKey::Style);
    // The whole text must be a number; anything else is a box that was never ticked.
    const double transition =
        StrictNumber(ReadProfileString(source, kConfigSection, SegmentKey::UseTransition))
            .value_or(0);

    if (transition == 0) {
        if (const std::optional<ScreenId> clock = ClockScreenFor(style)) {
            context.navigator->Replace(mainScreen, *clock);
        }
    } else if (transition == 1) {
        context.navigator->Replace(mainScreen, ScreenId::Transition);
    }
}

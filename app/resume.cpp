#include "app/resume.h"

#include <QFile>

#include "app/screen_navigator.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "timing/clock_screen.h"
#include "timing/segment_journal.h"
#include "timing/segment_launch.h"

namespace {

// "正方剩余1分12秒，反方剩余2分00秒": the clocks the audience read, as they showed. A clock
// without a caption (a side timer's, which may count up) is read as it shows.
QString ClocksOf(const SegmentState& state) {
    QStringList parts;
    for (const ShownClock& clock : state.shown) {
        if (clock.published) {
            parts << (clock.caption.isEmpty() ? QStringLiteral("计时显示")
                                              : clock.caption + QStringLiteral("剩余")) +
                         clock.text.trimmed();
        }
    }
    return parts.join(QStringLiteral("，"));
}

QString AgoText(const QDateTime& written, const QDateTime& now) {
    const qint64 minutes = written.secsTo(now) / 60;
    return minutes < 1 ? QStringLiteral("刚才") : QStringLiteral("%1分钟前").arg(minutes);
}

// The screen that kept the journal: a side timer by its own name, a clock screen by the style
// of the active segment.
std::optional<ScreenId> ScreenOf(const AppContext& context, const SegmentState& state) {
    if (const CataloguedScreen* kept = cataloguedScreenNamed(state.screen);
        kept && kept->clock && !kept->style) {
        return kept->id;
    }
    return ClockScreenFor(ReadProfileString(ActiveSegmentProfilePath(context.appDir),
                                            kConfigSection, SegmentKey::Style));
}

}  // namespace

QString OfferResume(const AppContext& context, ScreenNavigator& navigator, SegmentJournal& journal,
                    const QDateTime& now, bool askFirst) {
    const QString path = SegmentJournal::PathIn(context.appDir);
    QFile file(path);
    if (!file.exists()) {
        return {};
    }
    const std::optional<SegmentState> state =
        file.open(QIODevice::ReadOnly) ? SegmentStateFromJson(file.read(64 * 1024)) : std::nullopt;
    file.close();
    const std::optional<ScreenId> screenId = state ? ScreenOf(context, *state) : std::nullopt;
    // The segment must still be the one lost: same number, same name.
    const TimedSegment timed =
        state ? TimedSegmentOf(context.appDir, state->screen) : TimedSegment{};
    MessageBoxes& messages = context.platform->Messages();
    if (!screenId || timed.number != state->segmentNumber || timed.name != state->segment) {
        if (state) {
            journal.settle(*state, false);
        }
        QFile::remove(path);
        messages.Show(kResumeRefused, {}, MessageIcon::Warning);
        return {};
    }
    const QString segment =
        (state->segmentNumber > 0 ? QStringLiteral("第%1环节").arg(state->segmentNumber)
                                  : QString()) +
        QStringLiteral("「%1」").arg(state->segment);
    const QString question =
        QStringLiteral("上次计时意外中断：%1，%2（中断于 %3，%4）。是否恢复？")
            .arg(segment, ClocksOf(*state),
                 state->written.toLocalTime().toString(QStringLiteral("HH:mm:ss")),
                 AgoText(state->written, now));
    const bool resume =
        !askFirst || messages.Choose(question, QStringLiteral("恢复"), QStringLiteral("不恢复"));
    // Recorded before the journal goes: a run lost in between finds both, and records nothing
    // twice.
    const SegmentState going = journal.settle(*state, resume);
    QFile::remove(path);
    if (!resume) {
        return {};
    }
    navigator.Replace(navigator.mainScreen(), *screenId);
    auto* screen = qobject_cast<ClockScreen*>(navigator.audienceScreen());
    if (!screen || !screen->restoreState(going)) {
        journal.settle(going, false);
        if (screen) {
            screen->close();  // back to the main screen
        }
        messages.Show(kResumeRefused, {}, MessageIcon::Warning);
        return {};
    }
    if (screen->clockRunning()) {  // a side timer, which has no pause
        return QStringLiteral("已恢复，计时继续");
    }
    const QStringList floor = screen->floorIn(*state);
    return QStringLiteral("已恢复，计时暂停中") +
           (floor.isEmpty()
                ? QString()
                : QStringLiteral("（中断时%1在计时）").arg(floor.join(QStringLiteral("、"))));
}

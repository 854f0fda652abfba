#include "resume.h"

#include <QFile>

#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "screen_navigator.h"
#include "timing/clock_screen.h"
#include "timing/segment_journal.h"
#include "timing/segment_launch.h"

namespace {

// "正方剩余1分12秒，反方剩余2分00秒": the clocks the audience read, as they showed.
QString ClocksOf(const SegmentState& state) {
    QStringList parts;
    for (const ShownClock& clock : state.shown) {
        if (clock.published) {
            parts << clock.caption + QStringLiteral("剩余") + clock.text.trimmed();
        }
    }
    return parts.join(QStringLiteral("，"));
}

QString AgoText(const QDateTime& written, const QDateTime& now) {
    const qint64 minutes = written.secsTo(now) / 60;
    return minutes < 1 ? QStringLiteral("刚才") : QStringLiteral("%1分钟前").arg(minutes);
}

}  // namespace

void OfferResume(const AppContext& context, ScreenNavigator& navigator, const QDateTime& now) {
    const QString path = SegmentJournal::PathIn(context.appDir);
    QFile file(path);
    if (!file.exists()) {
        return;
    }
    const std::optional<SegmentState> state =
        file.open(QIODevice::ReadOnly) ? SegmentStateFromJson(file.read(64 * 1024)) : std::nullopt;
    file.close();
    const QString active = ActiveSegmentProfilePath(context.appDir);
    const std::optional<ScreenId> screenId =
        ClockScreenFor(ReadProfileString(active, kConfigSection, SegmentKey::Style));
    const bool sameSegment = state && ReadProfileString(active, kConfigSection,
                                                        SegmentKey::ActiveName) == state->segment;
    MessageBoxes& messages = context.platform->Messages();
    if (!state || !screenId || !sameSegment) {
        QFile::remove(path);
        messages.Show(kResumeRefused, {}, MessageIcon::Warning);
        return;
    }
    const QString question =
        QStringLiteral("上次计时意外中断：「%1」，%2（中断于 %3，%4）。是否恢复？")
            .arg(state->segment, ClocksOf(*state),
                 state->written.toLocalTime().toString(QStringLiteral("HH:mm:ss")),
                 AgoText(state->written, now));
    const bool resume = messages.Choose(question, QStringLiteral("恢复"), QStringLiteral("不恢复"));
    QFile::remove(path);
    if (!resume) {
        return;
    }
    navigator.Replace(navigator.mainScreen(), *screenId);
    auto* screen = qobject_cast<ClockScreen*>(navigator.audienceScreen());
    if (!screen || !screen->restoreState(*state)) {
        if (screen) {
            screen->close();  // back to the main screen
        }
        messages.Show(kResumeRefused, {}, MessageIcon::Warning);
    }
}

#pragma once
// At start-up, once the main screen is up: a journal of the running segment left behind by a
// run that ended abnormally is offered back to the operator, and is gone afterwards either way.

#include <QDateTime>

#include "foundation/platform/platform.h"

class ScreenNavigator;

// "恢复" puts the segment's screen up again as the journal kept it, paused; "不恢复" drops it. A
// journal that cannot be read, or names a segment that is no longer the active one, is refused
// with a plain message. `now` is the wall clock, for how long ago the run was lost.
void OfferResume(const AppContext& context, ScreenNavigator& navigator,
                 const QDateTime& now = QDateTime::currentDateTime());

inline const QString kResumeRefused =
    QStringLiteral("上次中断的计时记录已损坏或环节已更改，无法恢复。");

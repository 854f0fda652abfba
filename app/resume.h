#pragma once
// At start-up, once the main screen is up: a journal of the running segment left behind by a
// run that ended abnormally is offered back to the operator, and is gone afterwards either way.

#include <QDateTime>
#include <QString>

#include "foundation/platform/platform.h"

class ScreenNavigator;
class SegmentJournal;

// "恢复" puts the segment's screen up again as the journal kept it: paused, or a side timer
// counting on from where it was; "不恢复" drops it, its turns under way recorded through
// `journal` as they stood, interrupted. A journal that cannot be read is refused with a plain
// message; one that names a segment that is no longer the one it was, too, once its turns
// are recorded. `now` is the wall
// clock, for how long ago the run was lost. What the operator's console should say about a
// resumed screen ("已恢复，计时暂停中"), or empty when nothing was resumed.
// With `askFirst` false (a hall machine that starts the program by itself after a power cut),
// a journal that fits is resumed without a question.
QString OfferResume(const AppContext& context, ScreenNavigator& navigator, SegmentJournal& journal,
                    const QDateTime& now = QDateTime::currentDateTime(), bool askFirst = true);

inline const QString kResumeRefused =
    QStringLiteral("上次中断的计时记录已损坏或环节已更改，无法恢复。");

#pragma once
// Every screen the program has, once: the window's object name as the layouts name it, what
// the operator's console calls it while it is projected, and what kind of screen it is. The
// screens name their windows from it; the registry, the console, the hall's network and the
// resume read it from here.

#include <QList>
#include <QString>
#include <optional>

#include "foundation/platform/navigator.h"
#include "foundation/segment_profile.h"

struct CataloguedScreen {
    ScreenId id;
    QString objectName;  // "Form6"
    // The console's name for it while projected ("观众提问"); empty for the clock screens of
    // the timing styles, which it names after the segment they time, and for the operator's
    // own windows, which it never names.
    QString title;
    bool audience = false;  // a full-window screen the audience sees: the projector's
    // A clock screen: it keeps the journal of its clocks, and a run lost on it can be resumed.
    bool clock = false;
    // The timing style it times, the active segment's: set for the five styles' clock screens.
    std::optional<TimingStyle> style;
};

// Every screen, each once, in the order of ScreenId.
const QList<CataloguedScreen>& screenCatalogue();
const CataloguedScreen& cataloguedScreen(ScreenId id);
// The screen whose window is named `objectName`; none for a name of no catalogued screen.
const CataloguedScreen* cataloguedScreenNamed(const QString& objectName);
// The object name of `id`'s window ("Form6").
inline QString screenObjectName(ScreenId id) {
    return cataloguedScreen(id).objectName;
}
// The clock screen that times `style`.
ScreenId ClockScreenOf(TimingStyle style);

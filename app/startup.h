#pragma once
// The start-up routine, all but main() itself, so that every step of it can be tested.

#include "foundation/gbk.h"
#include "foundation/platform/platform.h"

class QTextStream;

inline const QString kAlreadyRunning = QStringLiteral("该程序已经在运行！");

// Whether this copy may run. Without a GBK converter no profile can be read or written: that is
// said on `errors` and the copy ends. A copy that holds the instance lock already refuses this
// one, with kAlreadyRunning; a lock that cannot be made at all refuses nobody.
bool MayStart(Platform& platform, QTextStream& errors, bool gbkAvailable = GbkAvailable());

// Shows the splash, which hands over to the main screen.
void ShowSplash(AppContext& context);

// Runs the event loop until the program ends, then deletes every window still there, so that
// players, clocks and dialogs are gone before the context that serves them.
int RunUntilExit();

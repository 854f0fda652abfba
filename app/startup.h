#pragma once
// The start-up routine, all but main() itself, so that every step of it can be tested.

#include "app/screen_navigator.h"
#include "foundation/gbk.h"
#include "foundation/platform/platform.h"
#include "foundation/platform/qt_platform.h"
#include "foundation/setup_applying.h"

class QTextStream;

// The machine's services, the context and the navigator with every screen, wired together over
// the program folder `appDir`: what the program runs on.
struct Program {
    explicit Program(const QString& appDir);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    QtPlatform platform;
    SetupApplying setupApplying;
    AppContext context;
    ScreenNavigator navigator;
};

inline const QString kAlreadyRunning = QStringLiteral("该程序已经在运行！");

// Loads Qt's own Chinese catalogue, so that the file, colour, font and message dialogs speak
// Chinese. False, leaving them in English and changing nothing else, when it is not installed.
bool InstallDialogCatalogue();

// Whether this copy may run. Without a GBK converter no profile can be read or written: that is
// said on `errors` and the copy ends. A copy that holds the instance lock already refuses this
// one, with kAlreadyRunning; a lock that cannot be made at all refuses nobody.
bool MayStart(Platform& platform, QTextStream& errors, bool gbkAvailable = GbkAvailable());

// Shows the splash, which hands over to the main screen.
void ShowSplash(AppContext& context);

// Runs the event loop until the program ends, then deletes every window still there, so that
// players, clocks and dialogs are gone before the context that serves them.
int RunUntilExit();

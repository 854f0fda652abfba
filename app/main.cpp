// Start-up: one running copy only, then the splash, which hands over to the main screen. The
// program ends when its last window closes or when the main screen ends it.

#include <QApplication>
#include <QTextStream>

#include "foundation/paths.h"
#include "foundation/platform/qt_platform.h"
#include "foundation/widgets/fonts.h"
#include "screen_navigator.h"
#include "screens_registry.h"
#include "startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kProgramTitle);
    QApplication::setApplicationVersion(kVersionText);
    InstallFontSubstitutions();

    const QString appDir = AppDir();
    QtPlatform platform(appDir);
    AppContext context{appDir, &platform, nullptr};
    ScreenNavigator navigator(context);
    context.navigator = &navigator;
    RegisterScreens(navigator);

    QTextStream errors(stderr);
    if (!MayStart(platform, errors)) {
        return GbkAvailable() ? 0 : 1;  // a copy already running is no failure of this one
    }
    ShowSplash(context);
    return RunUntilExit();
}

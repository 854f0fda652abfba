// Start-up: one running copy only, then the splash, which hands over to the main screen. The
// program ends when its last window closes or when the main screen ends it.

#include <QApplication>

#include "foundation/paths.h"
#include "foundation/platform/qt_platform.h"
#include "foundation/widgets/fonts.h"
#include "screen_navigator.h"
#include "screens/startup/splash_screen.h"
#include "screens_registry.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("debaclock"));
    QApplication::setApplicationVersion(QStringLiteral(DEBACLOCK_VERSION));
    InstallFontSubstitutions();

    const QString appDir = AppDir();
    QtPlatform platform(appDir);
    AppContext context{appDir, &platform, nullptr};
    ScreenNavigator navigator(context);
    context.navigator = &navigator;
    RegisterScreens(navigator);

    if (!platform.Instance().TryLock()) {
        platform.Messages().Show(QStringLiteral("该程序已经在运行！"));
        return 0;
    }
    auto* splash = new Form1(context);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    return app.exec();
}

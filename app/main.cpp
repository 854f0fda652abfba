// Start-up: one running copy only, then the splash, which hands over to the main screen. The
// program ends when its last window closes or when the main screen ends it.

#include <QApplication>
#include <QTextStream>

#include "foundation/paths.h"
#include "foundation/widgets/fonts.h"
#include "startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kProgramTitle);
    QApplication::setApplicationVersion(kVersionText);
    InstallFontSubstitutions();
    InstallDialogCatalogue();

    Program program(AppDir());
    QTextStream errors(stderr);
    if (!MayStart(program.platform, errors)) {
        return GbkAvailable() ? 0 : 1;  // a copy already running is no failure of this one
    }
    ShowSplash(program.context);
    return RunUntilExit();
}

// Start-up: the program folder, one running copy only, then the splash, which hands over to the
// main screen. The program ends when its last window closes or when the main screen ends it.

#include <QApplication>
#include <QTextStream>

#include "foundation/platform/qt_message_boxes.h"
#include "foundation/program_folder.h"
#include "foundation/widgets/fonts.h"
#include "hall_service.h"
#include "operator_console.h"
#include "startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kProgramTitle);
    QApplication::setApplicationVersion(kVersionText);
    InstallFontSubstitutions();
    InstallDialogCatalogue();

    // Never run with settings that cannot be kept.
    const ProgramFolderChoice programFolder = ChooseProgramFolder(ThisProgramsPlaces());
    if (programFolder.folder.isEmpty()) {
        QtMessageBoxes().Show(programFolder.problem, {}, MessageIcon::Critical);
        return 1;
    }
    Program program(programFolder.folder);
    QTextStream errors(stderr);
    if (!MayStart(program.platform, errors)) {
        return GbkAvailable() ? 0 : 1;  // a copy already running is no failure of this one
    }
    HallService hall(program.context.appDir, program.navigator);
    hall.startIfEnabled();
    ShowSplash(program.context);
    // Deleted with the other windows when the program ends.
    (new OperatorConsole(program.context, program.navigator, &hall))->showWhenTwoScreens();
    return RunUntilExit();
}

// Start-up: the program folder, one running copy only, then the splash, which hands over to the
// main screen. The program ends when its last window closes or when the main screen ends it.

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <QTimer>
#include <memory>

#include "app/board_command.h"
#include "app/hall_service.h"
#include "app/resume.h"
#include "app/setup_command.h"
#include "app/startup.h"
#include "console/operator_console.h"
#include "foundation/platform/qt_message_boxes.h"
#include "foundation/program_folder.h"
#include "foundation/setups/setup_import.h"
#include "foundation/widgets/fonts.h"
#include "foundation/widgets/plain_labels.h"
#include "timing/segment_journal.h"
#include "tournament/tournament_link.h"

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = RunSetupCommand(argc, argv)) {
        return *status;
    }
    if (const std::optional<int> status = RunBoardCommand(argc, argv)) {
        return *status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(kProgramTitle);
    QApplication::setApplicationVersion(kVersionText);
    InstallFontSubstitutions();
    KeepLabelsPlain(&app);
    InstallDialogCatalogue();
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("辩论赛计时系统"));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption resumeWithoutAsking(
        QStringLiteral("resume"), QStringLiteral("恢复上次意外中断的计时，不先询问"));
    options.addOption(resumeWithoutAsking);
    options.addOptions(SetupCommandOptions());
    options.addOption(
        {QStringLiteral("board"),
         QStringLiteral("赛事看板：订阅所有赛场，在网页上显示（设置在 config/board.ini）")});
    options.process(app);
    const bool askFirst = !options.isSet(resumeWithoutAsking);

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
    // An import cut short (a kill, a full disk) is undone before anything reads the profiles.
    RollBackUnfinishedImport(program.context.appDir);
    HallService hall(program.context.appDir, program.navigator);
    hall.startIfEnabled();
    // A run that ended abnormally left its journal: offered once the main screen is up, before
    // any clock screen of this run keeps a journal of its own.
    SegmentJournal journal(program.context.appDir);
    // Deleted with the other windows when the program ends.
    TournamentLink tournament(program.context.appDir);
    QObject::connect(&program.navigator, &ScreenNavigator::audienceScreenChanged, &tournament,
                     &TournamentLink::follow);
    tournament.applySettings();
    auto* console =
        new OperatorConsole(program.context, program.navigator, &hall, &journal, &tournament);
    auto offer = std::make_shared<QMetaObject::Connection>();
    *offer = QObject::connect(
        &program.navigator, &ScreenNavigator::audienceScreenChanged,
        [&program, &journal, offer, console, askFirst](FullScreenWindow* screen) {
            if (screen && screen == program.navigator.mainScreen()) {
                QObject::disconnect(*offer);
                QTimer::singleShot(0, console, [&program, &journal, console, askFirst] {
                    console->sayAboutScreen(OfferResume(program.context, program.navigator, journal,
                                                        QDateTime::currentDateTime(), askFirst));
                });
            }
        });
    QObject::connect(&program.navigator, &ScreenNavigator::audienceScreenChanged, &journal,
                     &SegmentJournal::follow);
    ShowSplash(program.context);
    console->showWhenTwoScreens();
    return RunUntilExit();
}

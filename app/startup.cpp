#include "app/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>
#include <QWidget>

#include "app/screens_registry.h"
#include "screens/startup/splash_screen.h"

Program::Program(const QString& appDir)
    : platform(appDir), context{appDir, &platform, nullptr, &setupApplying}, navigator(context) {
    context.navigator = &navigator;
    RegisterScreens(navigator);
}

bool InstallDialogCatalogue() {
    auto* catalogue = new QTranslator(QCoreApplication::instance());
    if (!catalogue->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete catalogue;
        return false;
    }
    return QCoreApplication::installTranslator(catalogue);
}

bool MayStart(Platform& platform, QTextStream& errors, bool gbkAvailable) {
    if (!gbkAvailable) {
        errors << kProgramTitle
               << ": this Qt has no GBK (code page 936) converter, so the profiles can be "
                  "neither read nor written; install a Qt built with ICU.\n";
        errors.flush();
        return false;
    }
    if (platform.Instance().TryLock() == InstanceLock::Result::HeldElsewhere) {
        platform.Messages().Show(kAlreadyRunning);
        return false;
    }
    return true;
}

void ShowSplash(AppContext& context) {
    auto* splash = new Form1(context);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
}

int RunUntilExit() {
    const int status = QApplication::exec();
    // Closed windows wait for the event loop to delete them, and it has just ended.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        // A window may take others with it, so each one is looked up again.
        if (QApplication::topLevelWidgets().contains(window)) {
            delete window;
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}

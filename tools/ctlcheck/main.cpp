#include <QApplication>
#include <QTimer>
#include <QTranslator>

#include "control_check.h"
#include "qt_control_system.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kToolTitle));
    // The copy the tool carries is the very catalogue that makes the message's button Chinese.
    QTranslator catalogue;
    if (catalogue.load(QStringLiteral(":/ctlcheck/qtbase_zh_CN.qm"))) {
        QApplication::installTranslator(&catalogue);
    }
    QtControlSystem system;
    ControlCheck check(system);
    QObject::connect(&check, &ControlCheck::Finished, &app, &QCoreApplication::exit);
    // Inside the event loop, so that the end of the check can end it.
    QTimer::singleShot(0, &check, &ControlCheck::Start);
    return app.exec();
}

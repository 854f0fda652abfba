#include <QApplication>
#include <QTest>

#include "startup_tests.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    int status = 0;
    SplashTest splash;
    status |= QTest::qExec(&splash, argc, argv);
    NavigatorTest navigator;
    status |= QTest::qExec(&navigator, argc, argv);
    StartupTest startup;
    status |= QTest::qExec(&startup, argc, argv);
    return status;
}

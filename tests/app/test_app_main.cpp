#include <QApplication>
#include <QTest>

#include "app_tests.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    int status = 0;
    NavigatorTest navigator;
    status |= QTest::qExec(&navigator, argc, argv);
    StartupTest startup;
    status |= QTest::qExec(&startup, argc, argv);
    return status;
}

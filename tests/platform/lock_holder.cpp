// Takes the instance lock for a program folder and holds it until killed, so a test can leave
// a lock behind from a process that died. Prints "locked" or "refused".
// usage: lock_holder <program folder> <lock folder>

#include <QCoreApplication>
#include <cstdio>

#include "foundation/platform/qt_desktop.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        return 2;
    }
    QtInstanceLock lock(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    if (lock.TryLock() != InstanceLock::Result::Acquired) {
        std::puts("refused");
        return 1;
    }
    std::puts("locked");
    std::fflush(stdout);
    // Held until stdin closes or the process is killed.
    while (std::getchar() != EOF) {
    }
    return 0;
}

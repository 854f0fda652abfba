// Profile store cost against the bare file read it cannot avoid: one key read and one key
// written in a 200-key GBK profile, each as a ratio to QFile::readAll of the same file.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "foundation/foundation.h"

namespace {

template <typename Work>
double MicrosecondsPerCall(int calls, Work work) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i) {
        work(i);
    }
    return timer.nsecsElapsed() / 1000.0 / calls;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath("bench.ini");
    QString content = QStringLiteral("[配置信息]\r\n");
    for (int i = 0; i < 200; ++i) {
        content += QStringLiteral("计时键%1=数值%1，一段中文说明文字\r\n").arg(i);
    }
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(ToGbk(content));
    out.close();

    constexpr int kCalls = 2000;
    const double raw = MicrosecondsPerCall(kCalls, [&](int) {
        QFile in(file);
        in.open(QIODevice::ReadOnly);
        volatile qsizetype size = in.readAll().size();
        (void)size;
    });
    const double read = MicrosecondsPerCall(
        kCalls, [&](int) { ReadProfileString(file, QStringLiteral("配置信息"), "计时键199"); });
    const double write = MicrosecondsPerCall(kCalls, [&](int i) {
        WriteProfileString(file, QStringLiteral("配置信息"), "计时键100", QString::number(i));
    });

    std::printf("profile: 200 keys, %lld bytes, %d calls each\n",
                static_cast<long long>(QFile(file).size()), kCalls);
    std::printf("raw readAll      %8.1f us\n", raw);
    std::printf("read one key     %8.1f us  (%.1fx raw)\n", read, read / raw);
    std::printf("write one key    %8.1f us  (%.1fx raw; includes the fsync before the rename)\n",
                write, write / raw);
    return 0;
}

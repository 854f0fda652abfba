#pragma once
// What the benchmarks share: a monotonic clock, waiting for a window's first frame, measuring
// event-loop stalls, a photograph-like 4K picture, and printing figures.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "foundation/foundation.h"
#include "tools/dev_support/copy_tree.h"

namespace bench {

// The CPU the whole process, every thread, has used so far.
inline double ProcessCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The CPU the calling thread alone has used so far.
inline double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The longest wait of a 5 ms timer on the UI thread while `run` runs the event loop: how long
// the window stood still at worst.
inline double LongestStallMs(const std::function<void()>& run) {
    QTimer beat;
    QElapsedTimer since;
    qint64 longest = 0;
    QObject::connect(&beat, &QTimer::timeout, [&] {
        longest = std::max(longest, since.nsecsElapsed());
        since.restart();
    });
    beat.start(5);
    since.start();
    run();
    return double(longest) / 1e6;
}

inline qint64 NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Waits until a widget named `objectName` has been painted and the event loop has come back,
// so the frame is complete; returns the monotonic time of that moment (0 on a timeout).
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(QString objectName) : name_(std::move(objectName)) {
        qApp->installEventFilter(this);
    }
    qint64 wait(int timeoutMs = 20000) {
        QTimer::singleShot(timeoutMs, &loop_, &QEventLoop::quit);
        if (paintedNs_ == 0) {
            loop_.exec();
        }
        return paintedNs_;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_ && watched->objectName() == name_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] {
                paintedNs_ = NowNs();
                loop_.quit();
            });
        }
        return false;
    }

  private:
    QString name_;
    bool seen_ = false;
    qint64 paintedNs_ = 0;
    QEventLoop loop_;
};

// A photograph-like 4K picture: gradients and noise, so the JPEG is as hard to decode as a
// real one (several megabytes).
inline void Write4kJpeg(const QString& path) {
    QImage image(3840, 2160, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 3840, 2160);
    sky.setColorAt(0, QColor(20, 40, 120));
    sky.setColorAt(1, QColor(220, 140, 40));
    painter.fillRect(image.rect(), sky);
    painter.end();
    QRandomGenerator noise(42);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int d = int(noise.bounded(48)) - 24;
            const QRgb p = line[x];
            line[x] = qRgb(std::clamp(qRed(p) + d, 0, 255), std::clamp(qGreen(p) + d, 0, 255),
                           std::clamp(qBlue(p) + d, 0, 255));
        }
    }
    image.save(path, "JPG", 90);
}

// "驳论", a two-side countdown of ten minutes, straight to its clock screen with a 4K picture
// behind the clocks.
inline void UseFourKTwoSideSegment(const QString& appDir) {
    const QString segment = SegmentProfilePath(appDir, 3);
    Write4kJpeg(AppPath(appDir, kClockPictureFolder) + QStringLiteral("/bench4k.jpg"));
    WriteProfileString(segment, kConfigSection, SegmentKey::Picture, QStringLiteral("bench4k.jpg"));
    WriteProfileString(segment, kConfigSection, QStringLiteral("使用过场图片"),
                       QStringLiteral("0"));
    WriteProfileString(segment, kConfigSection, SegmentKey::Limit, QStringLiteral("600"));
}

// "VmHWM" (peak) or "VmRSS" (now) of this process, in KiB.
inline qint64 RssKb(const QByteArray& field = "VmHWM:") {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(field.size()).trimmed().split(' ').first().toLongLong();
        }
    }
    return -1;
}

// The window on show named `objectName`, or null.
inline QWidget* ShownWindow(const QString& objectName) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == objectName && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// The value below which `share` (0..1) of `values` lie; 1 gives the largest.
inline double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[std::min(values.size() - 1, size_t(share * values.size()))];
}

inline void PrintPercentiles(const char* what, const std::vector<double>& ms) {
    std::printf("%-44s median %6.2f  p99 %6.2f  max %6.2f ms  (%zu)\n", what, Percentile(ms, 0.5),
                Percentile(ms, 0.99), Percentile(ms, 1.0), ms.size());
}

inline void PrintFigures(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-40s median %7.1f ms   min %7.1f   max %7.1f   (%zu runs)\n", what,
                ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
}

// The longest gap between the beats of a 1 ms timer: how long the event loop stood still.
class StallMeter : public QObject {
  public:
    StallMeter() {
        beat_.setTimerType(Qt::PreciseTimer);
        beat_.setInterval(1);
        connect(&beat_, &QTimer::timeout, this, [this] {
            const qint64 now = NowNs();
            worstNs_ = std::max(worstNs_, now - lastNs_);
            lastNs_ = now;
        });
    }
    void start() {
        worstNs_ = 0;
        lastNs_ = NowNs();
        beat_.start();
    }
    double worstMs() const { return double(worstNs_) / 1e6; }

  private:
    QTimer beat_;
    qint64 lastNs_ = 0;
    qint64 worstNs_ = 0;
};

inline void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A throw-away program folder filled from data/, after saying which display Qt picked.
inline QString ProgramFolder(const QTemporaryDir& dir) {
    std::printf("display: %s\n", qPrintable(QGuiApplication::platformName()));
    CopyTree(QStringLiteral(DEBACLOCK_DATA_DIR), dir.path());
    return dir.path();
}

}  // namespace bench

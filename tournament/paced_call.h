#pragma once
// A call made at once when the last one is at least an interval ago, and otherwise once when
// the interval is over, however often it is asked for in between: a first change goes out
// without delay, a burst costs one call per interval.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

class PacedCall : public QObject {
  public:
    PacedCall(int intervalMs, std::function<void()> call, QObject* parent = nullptr);

    // Calls now, or once the interval since the last call is over.
    void request();
    // Calls now, whatever the interval; a call that waited is no longer due.
    void callNow();
    // A call that waited is not made.
    void cancel() { timer_.stop(); }

  private:
    const int intervalMs_;
    const std::function<void()> call_;
    QTimer timer_;
    QElapsedTimer sinceCall_;
};

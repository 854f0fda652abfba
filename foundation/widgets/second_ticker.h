#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

// The one-second tick of a clock screen (`Timer1`). Ticks are scheduled against the time of
// start(), not against the previous tick, so the clock does not drift however long a tick
// takes; when the event loop stalls, every whole second that has passed is applied, one
// tick() after another, so warnings and time-up still happen at their points.
class SecondTicker : public QObject {
    Q_OBJECT
  public:
    explicit SecondTicker(QObject* parent = nullptr);

    // Begins a fresh one-second period: the first tick comes one second from now.
    void start();
    void stop();
    bool isActive() const { return active_; }

    // One tick, as if its second had just passed (tests fire ticks this way, without waiting).
    void fire();

    // What the timer runs when a second is due: applies every whole second that has passed.
    void onTimerDue();

    // Milliseconds since start(); replaceable so tests can stage a stalled event loop.
    void setClock(std::function<qint64()> millisecondsSinceStart);

    // The length of a tick, 1000 ms unless a benchmark shortens it to see drift sooner.
    // Change it only while stopped.
    void setPeriod(qint64 milliseconds);
    qint64 period() const { return period_; }

  signals:
    void tick();
    // A start that set the tick going (not one while it already ran).
    void started();

  private:
    void scheduleNext();
    qint64 elapsed() const;

    QTimer timer_;
    QElapsedTimer sinceStart_;
    std::function<qint64()> clock_;
    qint64 period_ = 1000;
    qint64 applied_ = 0;  // periods applied since start()
    bool active_ = false;
};

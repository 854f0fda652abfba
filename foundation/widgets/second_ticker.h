#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>

class SecondTicker;

// The time the tickers of one screen keep together. When the event loop stalls, the seconds
// that every running ticker of the group missed are applied one at a time, in the order they
// fell due, so clocks that act on one another (a total clock that stops a turn clock at time
// up) come out as they would have without the stall. A ticker started by one of those ticks
// (the over-time count) begins at that tick's moment.
class TickerGroup : public QObject {
    Q_OBJECT
  public:
    explicit TickerGroup(QObject* parent = nullptr);

    // Milliseconds on the group's clock; while a stall is made up, the moment of the tick
    // being applied.
    qint64 now() const;
    // Replaces the monotonic clock, so tests can stage a stalled event loop.
    void setClock(std::function<qint64()> milliseconds);

  private:
    friend class SecondTicker;
    void join(SecondTicker* ticker);
    void leave(SecondTicker* ticker);
    // Applies every second due by now on any running member, and at least one on `due`, whose
    // timer came due.
    void catchUp(SecondTicker* due);
    qint64 read() const;

    QElapsedTimer monotonic_;
    std::function<qint64()> clock_;
    QList<SecondTicker*> members_;
    std::optional<qint64> applying_;  // the moment of the tick being applied
    quint64 starts_ = 0;              // orders ticks due at the same moment by their starts
};

// The one-second tick of a clock screen (`Timer1`). Ticks are scheduled against the time of
// start(), not against the previous tick, so the clock does not drift however long a tick
// takes; when the event loop stalls, every whole second that has passed is applied, one
// tick() after another and together with the other tickers of its group, so warnings and
// time-up still happen at their points.
class SecondTicker : public QObject {
    Q_OBJECT
  public:
    // Without a `group`, the ticker keeps a time of its own.
    explicit SecondTicker(QObject* parent = nullptr, TickerGroup* group = nullptr);
    ~SecondTicker() override;

    TickerGroup* group() const { return group_; }

    // Begins a fresh one-second period: the first tick comes one second from now.
    void start();
    void stop();
    bool isActive() const { return active_; }

    // One tick, as if its second had just passed (tests fire ticks this way, without waiting).
    void fire();

    // What the timer runs when a second is due: applies every whole second that has passed,
    // on this ticker and on the others of its group.
    void onTimerDue();

    // The length of a tick, 1000 ms unless a benchmark shortens it to see drift sooner.
    // Change it only while stopped.
    void setPeriod(qint64 milliseconds);
    qint64 period() const { return period_; }

  signals:
    void tick();
    // A start that set the tick going (not one while it already ran).
    void started();

  private:
    friend class TickerGroup;
    void scheduleNext();
    // When the next tick falls due, on the group's clock.
    qint64 nextDue() const { return startedAt_ + (applied_ + 1) * period_; }

    QTimer timer_;
    QPointer<TickerGroup> group_;
    qint64 period_ = 1000;
    qint64 startedAt_ = 0;  // on the group's clock
    qint64 applied_ = 0;    // periods applied since start()
    quint64 order_ = 0;     // the group's count of starts at this one's start
    bool active_ = false;
};

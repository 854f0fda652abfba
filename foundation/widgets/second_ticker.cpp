#include "foundation/widgets/second_ticker.h"

SecondTicker::SecondTicker(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SecondTicker::onTimerDue);
}

void SecondTicker::start() {
    if (active_) {
        return;  // pressing start while running changes nothing
    }
    active_ = true;
    applied_ = 0;
    sinceStart_.start();
    scheduleNext();
    emit started();
}

void SecondTicker::stop() {
    active_ = false;
    timer_.stop();
}

void SecondTicker::fire() {
    if (!active_) {
        return;
    }
    ++applied_;
    emit tick();
    if (active_) {
        scheduleNext();
    }
}

void SecondTicker::onTimerDue() {
    // At least the second this timeout stands for, plus any that a stall swallowed.
    if (!active_) {
        return;
    }
    const qint64 due = std::max(applied_ + 1, elapsed() / period_);
    while (active_ && applied_ < due) {
        ++applied_;
        emit tick();
    }
    if (active_) {
        scheduleNext();
    }
}

void SecondTicker::setPeriod(qint64 milliseconds) {
    period_ = std::max<qint64>(milliseconds, 1);
}

void SecondTicker::setClock(std::function<qint64()> millisecondsSinceStart) {
    clock_ = std::move(millisecondsSinceStart);
}

qint64 SecondTicker::elapsed() const {
    return clock_ ? clock_() : sinceStart_.elapsed();
}

void SecondTicker::scheduleNext() {
    const qint64 next = (applied_ + 1) * period_ - elapsed();
    timer_.start(static_cast<int>(std::max<qint64>(next, 0)));
}

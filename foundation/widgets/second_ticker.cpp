#include "foundation/widgets/second_ticker.h"

TickerGroup::TickerGroup(QObject* parent) : QObject(parent) {
    monotonic_.start();
}

qint64 TickerGroup::now() const {
    return applying_ ? *applying_ : read();
}

void TickerGroup::setClock(std::function<qint64()> milliseconds) {
    clock_ = std::move(milliseconds);
}

qint64 TickerGroup::read() const {
    return clock_ ? clock_() : monotonic_.elapsed();
}

void TickerGroup::join(SecondTicker* ticker) {
    members_.append(ticker);
}

void TickerGroup::leave(SecondTicker* ticker) {
    members_.removeAll(ticker);
}

void TickerGroup::catchUp(SecondTicker* due) {
    if (applying_) {
        return;  // a tick of a catch-up under way: that catch-up goes on with it
    }
    const qint64 until = read();
    // The timeout stands for its own second even when it came a little early.
    bool owed = true;
    for (;;) {
        SecondTicker* next = nullptr;
        for (SecondTicker* ticker : std::as_const(members_)) {
            if (!ticker->active_ || (ticker->nextDue() > until && !(ticker == due && owed))) {
                continue;
            }
            if (!next || ticker->nextDue() < next->nextDue() ||
                (ticker->nextDue() == next->nextDue() && ticker->order_ < next->order_)) {
                next = ticker;
            }
        }
        if (!next) {
            break;
        }
        owed = owed && next != due;
        applying_ = next->nextDue();
        ++next->applied_;
        // May stop, start or delete any ticker of the group: the next is chosen anew.
        emit next->tick();
    }
    applying_.reset();
    for (SecondTicker* ticker : std::as_const(members_)) {
        if (ticker->active_) {
            ticker->scheduleNext();
        }
    }
}

SecondTicker::SecondTicker(QObject* parent, TickerGroup* group)
    : QObject(parent), group_(group ? group : new TickerGroup(this)) {
    group_->join(this);
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SecondTicker::onTimerDue);
}

SecondTicker::~SecondTicker() {
    if (group_) {
        group_->leave(this);
    }
}

void SecondTicker::start() {
    if (active_ || !group_) {
        return;  // pressing start while running changes nothing
    }
    active_ = true;
    applied_ = 0;
    startedAt_ = group_->now();
    order_ = ++group_->starts_;
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
    if (active_ && group_) {
        group_->catchUp(this);
    }
}

void SecondTicker::setPeriod(qint64 milliseconds) {
    period_ = std::max<qint64>(milliseconds, 1);
}

void SecondTicker::scheduleNext() {
    if (group_) {
        timer_.start(static_cast<int>(std::max<qint64>(nextDue() - group_->read(), 0)));
    }
}

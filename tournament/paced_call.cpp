#include "tournament/paced_call.h"

PacedCall::PacedCall(int intervalMs, std::function<void()> call, QObject* parent)
    : QObject(parent), intervalMs_(intervalMs), call_(std::move(call)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &PacedCall::callNow);
}

void PacedCall::request() {
    if (timer_.isActive()) {
        return;
    }
    const qint64 since = sinceCall_.isValid() ? sinceCall_.elapsed() : intervalMs_;
    if (since >= intervalMs_) {
        callNow();
    } else {
        timer_.start(int(intervalMs_ - since));
    }
}

void PacedCall::callNow() {
    timer_.stop();
    sinceCall_.start();
    call_();
}

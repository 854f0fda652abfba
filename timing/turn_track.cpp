#include "timing/turn_track.h"

#include <algorithm>

#include "foundation/widgets/second_ticker.h"

int SecondsOver(const TurnProgress& turn) {
    const int used = turn.ticks + turn.overtime;
    // A clock that started at nothing has no limit to go past (a side timer counting up).
    return turn.limit > 0 ? std::max(0, used - turn.limit) : 0;
}

TurnRecord TurnRecordOf(const TurnProgress& turn, const TimedSegment& segment,
                        const QDateTime& end) {
    TurnRecord record;
    record.debate = segment.debate;
    record.segment = segment.number;
    record.segmentName = segment.name;
    record.style = segment.style;
    record.role = turn.role;
    record.limit = turn.limit;
    record.used = turn.ticks + turn.overtime;
    record.over = SecondsOver(turn);
    record.starts = turn.starts;
    record.start = turn.began;
    record.end = end;
    return record;
}

TurnTrack::TurnTrack(QString role, SecondTicker* ticker, std::function<qint16()> remaining,
                     QObject* parent)
    : QObject(parent), role_(std::move(role)), ticker_(ticker), remaining_(std::move(remaining)) {
    connect(ticker_, &SecondTicker::started, this, &TurnTrack::noteStarted);
    // Connected after the screen's own handler: the tick has been applied when this runs.
    connect(ticker_, &SecondTicker::tick, this, &TurnTrack::onTick);
}

QString TurnTrack::tickerName() const {
    return ticker_->objectName();
}

QString TurnTrack::role() const {
    return role_.contains(QStringLiteral("%1")) ? role_.arg(progress_.number) : role_;
}

void TurnTrack::noteStarted() {
    if (!progress_.began.isValid()) {
        begin(remaining_(), QDateTime::currentDateTime());
    }
    ++progress_.starts;
}

void TurnTrack::begin(int limit, const QDateTime& began) {
    progress_ = {progress_.number + 1, limit, 0, 0, 0, false, began, {}};
    progress_.role = role();
}

void TurnTrack::onTick() {
    // A turn ended while its clock went on (a new speech over a running one): the next turn
    // began with the second that has just been counted.
    if (!progress_.began.isValid()) {
        begin(remaining_() + 1, QDateTime::currentDateTime().addSecs(-1));
        ++progress_.starts;
    }
    ++progress_.ticks;
    // A clock whose time ran out stops itself on that tick.
    if (!ticker_->isActive() && remaining_() < 1 && !progress_.countingOvertime) {
        progress_.countingOvertime = true;
        emit overtimeBegan();
    }
}

void TurnTrack::countOvertime() {
    if (progress_.countingOvertime) {
        ++progress_.overtime;
    }
}

int TurnTrack::over() const {
    return SecondsOver(progress_);
}

void TurnTrack::end() {
    if (!progress_.began.isValid()) {
        return;
    }
    const TurnProgress turn = progress_;
    progress_ = {progress_.number, 0, 0, 0, 0, false, {}, {}};
    emit ended(turn, QDateTime::currentDateTime());
}

#pragma once
// Follows one clock of a screen through its turns, for the time record. A turn begins at the
// clock's first start after the last one ended, and ends when the screen says so (a refilled
// turn clock, a reset, the screen closing). When the clock's time runs out, the turn counts on
// over time until the operator's next press on the screen.

#include <QObject>
#include <QString>
#include <functional>

#include "timing/segment_launch.h"
#include "timing/segment_state.h"
#include "timing/time_record.h"

class SecondTicker;

// Seconds past the limit in `turn`.
int SecondsOver(const TurnProgress& turn);
// The row of the record for `turn`, a turn of `segment`, ending at `end`.
TurnRecord TurnRecordOf(const TurnProgress& turn, const TimedSegment& segment,
                        const QDateTime& end);

class TurnTrack : public QObject {
    Q_OBJECT
  public:
    // `role` names whose turns they are ("正方"); a "%1" in it takes the turn's number ("第%1次
    // 发言"). `remaining` reads the clock's seconds, which `ticker` counts.
    TurnTrack(QString role, SecondTicker* ticker, std::function<qint16()> remaining,
              QObject* parent);

    // The tick the clock counts on, by name ("Timer3").
    QString tickerName() const;
    // The role of the turn in progress, or of the last one.
    QString role() const;

    const TurnProgress& progress() const { return progress_; }
    void restore(const TurnProgress& progress) { progress_ = progress; }

    // The clock was set going: the first start after a turn ended begins the next turn.
    void noteStarted();
    // The turn in progress, if it ever started, ends now and is reported by `ended`.
    void end();
    // One second passed: counted when the turn is over time.
    void countOvertime();
    // The operator pressed something: the over-time count stops.
    void stopOvertime() { progress_.countingOvertime = false; }
    // Seconds past the limit in the turn in progress.
    int over() const;

  signals:
    // A turn that ended at `end`, as it stood then.
    void ended(const TurnProgress& turn, const QDateTime& end);
    // The clock's time ran out: the over-time count began.
    void overtimeBegan();

  private:
    void begin(int limit, const QDateTime& began);
    void onTick();

    QString role_;
    SecondTicker* ticker_;
    std::function<qint16()> remaining_;
    TurnProgress progress_;
};

#pragma once
// The small clock that limits one turn (a question, an answer, a speech) under the big total
// clock. It always shows plain seconds ("30s") whatever the clock format, keeps its designed
// font and black digits while it counts, and turns red once the turn runs over its limit. It
// counts nothing past the limit: each start after running out ticks once more and stops.

#include <QObject>
#include <QString>
#include <QtGlobal>

class QLabel;
class SecondTicker;

class TurnClock : public QObject {
    Q_OBJECT
  public:
    // What the remaining time holds after the tick that ran out: the question-and-answer
    // clocks go back to 0 (so a restart shows -1s every time), the speech clock keeps the
    // value it reached (-1s, then -2s...).
    enum class RunOut { BackToZero, StayWhereItIs };

    // Shows black digits on `label` and counts on every tick of `ticker`, which the screen
    // starts and stops.
    TurnClock(QLabel* label, SecondTicker* ticker, RunOut runOut);

    // A new turn: the limit read from `limitText` (a value out of the 16-bit range keeps the
    // remaining time as it is), shown at once, in black.
    void refill(const QString& limitText);

    qint16 remaining() const { return remaining_; }
    QLabel* label() const { return label_; }
    // The seconds as a journal kept them; the label is put back with the screen.
    void restore(qint16 remaining) { remaining_ = remaining; }

  signals:
    // One second was counted: `remaining` is shown now.
    void counted(qint16 remaining);
    // The turn went over its limit; the screen plays the overtime cue.
    void overtime();
    // A new turn began: the one before has ended.
    void refilled();

  private:
    void onTick();
    void show();

    QLabel* label_;
    SecondTicker* ticker_;
    RunOut runOut_;
    qint16 remaining_ = 0;
};

#pragma once
// The journal of the running segment: while a clock screen is up, its state is kept in
// "state/running.json" of the program folder, written anew on every change and replaced whole,
// never half written. The file is written and synced by a thread of its own, so a slow disk
// never holds up a tick. Closing the screen removes it, however it is closed (its own "返回主界面",
// the program's exit), once the turns the closing ended are in the record, so a journal found
// at start-up means the last run ended abnormally. The same thread appends every turn the
// screen reports to the time record of the day, before the journal says the turn has ended: a
// journal left behind may show a turn under way that the record holds already.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>

#include "timing/segment_state.h"
#include "timing/time_record.h"

class ClockScreen;
class FullScreenWindow;

class SegmentJournal : public QObject {
    Q_OBJECT
  public:
    explicit SegmentJournal(QString appDir, QObject* parent = nullptr);
    // Every write and removal asked for is done first.
    ~SegmentJournal() override;

    // The journal file of the program folder `appDir`.
    static QString PathIn(const QString& appDir);

    // Keeps the journal of `screen` from now on when it is a clock screen (a side timer too);
    // none, or another screen, keeps nothing. Its turns go on to the record until it is gone.
    void follow(FullScreenWindow* screen);
    // Why the last write failed, or empty; known once the write is done.
    QString problem() const { return problem_; }

    // Settles what the journal `lost`, left by a run that ended abnormally, owes the record.
    // A turn it shows under way that the record holds already had ended: it is under way no
    // more. The others go on in the segment when it is `resumed`; otherwise they are recorded
    // as they stood at the journal's last write, marked interrupted. Returns the state a
    // resumed screen goes on from.
    SegmentState settle(const SegmentState& lost, bool resumed);

  signals:
    // A write failed, or succeeded again after failing.
    void problemChanged(const QString& problem);
    // A turn is in the time record now.
    void turnRecorded(const TurnRecord& turn);
    // Appending to the record failed, or succeeded again after failing.
    void recordProblemChanged(const QString& problem);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void write();
    void remove();
    // The journal of a screen that closed goes, unless another screen keeps one by then.
    void removeAfterClose();
    void record(const TurnRecord& turn);
    void report(const QString& whyNot);
    void reportRecord(const TurnRecord& turn, const QString& whyNot);

    QString appDir_;
    QString path_;
    QThread thread_;
    QObject* disk_;  // lives in thread_: what it is asked to do happens there, in order
    QPointer<ClockScreen> screen_;
    QMetaObject::Connection changes_;
    QString problem_;
    QString recordProblem_;
    bool removalDue_ = false;  // a followed screen closed: its journal is to go
};

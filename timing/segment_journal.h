#pragma once
// The journal of the running segment: while a clock screen is up, its state is kept in
// "state/running.json" of the program folder, written anew on every change and replaced whole,
// never half written. The file is written and synced by a thread of its own, so a slow disk
// never holds up a tick. Closing the screen removes it, however it is closed (its own "返回主界面",
// the program's exit), so a journal found at start-up means the last run ended abnormally.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>

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

    // Keeps the journal of `screen` from now on when it is the clock screen of a timing style;
    // none, or another screen (a side timer too), keeps nothing (the screen followed before has
    // removed its journal as it closed).
    void follow(FullScreenWindow* screen);
    // Why the last write failed, or empty; known once the write is done.
    QString problem() const { return problem_; }

  signals:
    // A write failed, or succeeded again after failing.
    void problemChanged(const QString& problem);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void write();
    void remove();
    void report(const QString& whyNot);

    QString path_;
    QThread thread_;
    QObject* disk_;  // lives in thread_: what it is asked to do happens there, in order
    QPointer<ClockScreen> screen_;
    QMetaObject::Connection changes_;
    QString problem_;
};

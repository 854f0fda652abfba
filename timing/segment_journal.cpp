#include "timing/segment_journal.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>

#include "foundation/paths.h"
#include "foundation/saved_file.h"
#include "timing/clock_screen.h"
#include "timing/turn_track.h"

SegmentJournal::SegmentJournal(QString appDir, QObject* parent)
    : QObject(parent), appDir_(appDir), path_(PathIn(appDir)), disk_(new QObject) {
    disk_->moveToThread(&thread_);
    thread_.start();
}

SegmentJournal::~SegmentJournal() {
    removeAfterClose();  // a screen closed as the program ended, its journal not yet removed
    QMetaObject::invokeMethod(
        disk_, [] {}, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
    delete disk_;
}

QString SegmentJournal::PathIn(const QString& appDir) {
    return AppPath(appDir, QStringLiteral("\\state\\running.json"));
}

void SegmentJournal::follow(FullScreenWindow* screen) {
    auto* clockScreen = qobject_cast<ClockScreen*>(screen);
    if (clockScreen == screen_) {
        return;
    }
    disconnect(changes_);
    screen_ = clockScreen;
    if (!clockScreen) {
        return;
    }
    changes_ = connect(clockScreen, &FullScreenWindow::stateChanged, this, &SegmentJournal::write);
    // Kept while the screen lives: it reports its last turns as it closes, after the main
    // screen has taken its place.
    connect(clockScreen, &ClockScreen::turnEnded, this, &SegmentJournal::record,
            Qt::UniqueConnection);
    clockScreen->installEventFilter(this);
    write();
}

bool SegmentJournal::eventFilter(QObject* watched, QEvent* event) {
    // Closed, the screen has ended normally: nothing is left to resume. It may close after
    // the main screen came up over it; a clock screen followed since keeps its journal.
    // The screen reports its last turns while it handles the event, after this: the journal
    // goes once they are on their way to the record.
    if (event->type() == QEvent::Close && (!screen_ || watched == screen_)) {
        disconnect(changes_);
        screen_ = nullptr;
        removalDue_ = true;
        QMetaObject::invokeMethod(this, &SegmentJournal::removeAfterClose, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void SegmentJournal::removeAfterClose() {
    if (removalDue_ && !screen_) {
        remove();
    }
    removalDue_ = false;
}

void SegmentJournal::write() {
    if (!screen_) {
        return;
    }
    QMetaObject::invokeMethod(
        disk_, [this, path = path_, bytes = SegmentStateToJson(screen_->saveState())] {
            QDir().mkpath(QFileInfo(path).path());
            const QString whyNot = SaveFileAtomically(path, bytes);
            QMetaObject::invokeMethod(this, [this, whyNot] { report(whyNot); });
        });
}

void SegmentJournal::remove() {
    QMetaObject::invokeMethod(disk_, [path = path_] { QFile::remove(path); });
}

void SegmentJournal::record(const TurnRecord& turn) {
    QMetaObject::invokeMethod(disk_, [this, appDir = appDir_, turn] {
        const QString whyNot = AppendTimeRecord(appDir, turn);
        QMetaObject::invokeMethod(this, [this, turn, whyNot] { reportRecord(turn, whyNot); });
    });
}

SegmentState SegmentJournal::settle(const SegmentState& lost, bool resumed) {
    SegmentState going = lost;
    QList<TurnRecord> interrupted;
    QString whyNot;
    // On the thread that appends, so no row of this run can come between.
    QMetaObject::invokeMethod(
        disk_,
        [&] {
            const TimedSegment segment{lost.segmentNumber, lost.segment, lost.style, lost.debate};
            const QDateTime lastSeen = lost.written.toLocalTime();
            for (auto turn = going.turns.begin(); turn != going.turns.end(); ++turn) {
                if (!turn->began.isValid()) {
                    continue;
                }
                TurnRecord row = TurnRecordOf(*turn, segment, lastSeen);
                if (IsRecorded(appDir_, row)) {
                    *turn = {turn->number, 0, 0, 0, 0, false, {}, {}};
                } else if (!resumed) {
                    row.interrupted = true;
                    whyNot = AppendTimeRecord(appDir_, row);
                    if (whyNot.isEmpty()) {
                        interrupted << row;
                    }
                }
            }
        },
        Qt::BlockingQueuedConnection);
    for (const TurnRecord& row : std::as_const(interrupted)) {
        reportRecord(row, {});
    }
    if (!whyNot.isEmpty()) {
        reportRecord({}, whyNot);
    }
    return going;
}

void SegmentJournal::reportRecord(const TurnRecord& turn, const QString& whyNot) {
    if (whyNot.isEmpty()) {
        emit turnRecorded(turn);
    }
    if (whyNot != recordProblem_) {
        recordProblem_ = whyNot;
        emit recordProblemChanged(recordProblem_);
    }
}

void SegmentJournal::report(const QString& whyNot) {
    if (whyNot != problem_) {
        problem_ = whyNot;
        emit problemChanged(problem_);
    }
}

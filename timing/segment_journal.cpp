#include "timing/segment_journal.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>

#include "foundation/paths.h"
#include "foundation/saved_file.h"
#include "timing/clock_screen.h"
#include "timing/side_timer.h"

SegmentJournal::SegmentJournal(QString appDir, QObject* parent)
    : QObject(parent), path_(PathIn(appDir)), disk_(new QObject) {
    disk_->moveToThread(&thread_);
    thread_.start();
}

SegmentJournal::~SegmentJournal() {
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
    // The side timers run by themselves and have no pause to resume into: not kept (yet).
    auto* clockScreen =
        qobject_cast<SideTimer*>(screen) ? nullptr : qobject_cast<ClockScreen*>(screen);
    if (clockScreen == screen_) {
        return;
    }
    disconnect(changes_);
    screen_ = clockScreen;
    if (!clockScreen) {
        return;
    }
    changes_ = connect(clockScreen, &FullScreenWindow::stateChanged, this, &SegmentJournal::write);
    clockScreen->installEventFilter(this);
    write();
}

bool SegmentJournal::eventFilter(QObject* watched, QEvent* event) {
    // Closed, the screen has ended normally: nothing is left to resume.
    if (watched == screen_ && event->type() == QEvent::Close) {
        remove();
        disconnect(changes_);
        screen_ = nullptr;
    }
    return QObject::eventFilter(watched, event);
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

void SegmentJournal::report(const QString& whyNot) {
    if (whyNot != problem_) {
        problem_ = whyNot;
        emit problemChanged(problem_);
    }
}

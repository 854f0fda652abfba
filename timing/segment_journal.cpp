#include "timing/segment_journal.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>

#include "foundation/paths.h"
#include "foundation/saved_file.h"
#include "timing/clock_screen.h"

SegmentJournal::SegmentJournal(QString appDir, QObject* parent)
    : QObject(parent), path_(PathIn(appDir)) {}

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
    QDir().mkpath(QFileInfo(path_).path());
    const QString whyNot = SaveFileAtomically(path_, SegmentStateToJson(screen_->saveState()));
    if (whyNot != problem_) {
        problem_ = whyNot;
        emit problemChanged(problem_);
    }
}

void SegmentJournal::remove() {
    QFile::remove(path_);
}

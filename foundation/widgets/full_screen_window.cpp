#include "foundation/widgets/full_screen_window.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <algorithm>

#include "foundation/widgets/layout.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/second_ticker.h"
#include "foundation/widgets/title_reveal.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"

FullScreenWindow::FullScreenWindow(QSize designClientTwips, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), picture_(new StretchedPicture(this)) {
    setWindowTitle(kProgramTitle);
    // The background colour (SetBackgroundColour) fills whatever the picture leaves uncovered.
    setAutoFillBackground(true);
    resize(SizeFromTwips(designClientTwips.width(), designClientTwips.height()));
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->lower();
    FillWindow(picture_);
    // Takes effect when shown, so the design size above is what rememberLayout() records.
    setWindowState(Qt::WindowFullScreen);
}

void FullScreenWindow::rememberLayout() {
    RememberLayout(this);
}

void FullScreenWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ScaleLayout(this);
    FillWindow(picture_);
}

void FullScreenWindow::showEvent(QShowEvent* event) {
    watchForChanges();
    // Without a window manager nobody honours the full-screen state: cover the screen anyway.
    if (const QScreen* display = screen(); display && geometry() != display->geometry()) {
        setGeometry(display->geometry());
    }
    QWidget::showEvent(event);
}

bool FullScreenWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FillWindow(picture_);
    return QWidget::event(event);
}

QList<ClockReading> FullScreenWindow::clocks() const {
    QList<const QLabel*> shown;
    for (const QLabel* clock : clocks_) {
        if (clock) {
            shown.append(clock);
        }
    }
    std::stable_sort(shown.begin(), shown.end(), [](const QLabel* a, const QLabel* b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    QList<ClockReading> readings;
    for (const QLabel* clock : shown) {
        const QLabel* caption = captions_.value(clock);
        readings.append({clock->objectName(), clock->text(), TextColour(clock),
                         caption ? caption->text() : QString()});
    }
    annotateClocks(readings);
    return readings;
}

bool FullScreenWindow::clockRunning() const {
    const QList<SecondTicker*> tickers = findChildren<SecondTicker*>();
    return std::any_of(tickers.begin(), tickers.end(),
                       [](const SecondTicker* ticker) { return ticker->isActive(); });
}

QAction* FullScreenWindow::publish(QAbstractButton* button, ActionRole role) {
    auto* action = new QAction(button->text(), this);
    action->setObjectName(button->objectName());
    setActionRole(action, role);
    action->setEnabled(button->isEnabled());
    QPointer<QAbstractButton> target = button;
    connect(action, &QAction::triggered, this, [this, target] {
        if (target) {
            target->click();  // does nothing while the button is disabled, as a click would
            noteChange();
        }
    });
    buttonActions_.append({action, target});
    addAction(action);
    return action;
}

QAction* FullScreenWindow::publishPress(const QString& name, ActionRole role,
                                        std::function<void()> press) {
    auto* action = new QAction(name, this);
    action->setObjectName(name);
    setActionRole(action, role);
    connect(action, &QAction::triggered, this, [this, press = std::move(press)] {
        press();
        noteChange();
    });
    addAction(action);
    return action;
}

QAction* FullScreenWindow::publishVolume(QAbstractSlider* bar) {
    auto* action = new QAction(bar->accessibleName(), this);
    action->setObjectName(bar->objectName());
    setActionRole(action, ActionRole::Volume);
    action->setData(bar->value());
    QPointer<QAbstractSlider> target = bar;
    connect(action, &QAction::triggered, this, [this, action, target] {
        if (target && target->isEnabled()) {
            target->setValue(action->data().toInt());
        }
        noteChange();
    });
    connect(bar, &QAbstractSlider::valueChanged, this, &FullScreenWindow::noteChange);
    volumeActions_.append({action, target});
    addAction(action);
    return action;
}

void FullScreenWindow::publishClocks(const QList<QLabel*>& clocks) {
    clocks_.clear();
    for (QLabel* clock : clocks) {
        clocks_.append(clock);
    }
    noteChange();
}

void FullScreenWindow::captionClock(const QLabel* clock, QLabel* caption) {
    captions_.insert(clock, caption);
}

void FullScreenWindow::noteChange() {
    if (changePending_) {
        return;
    }
    changePending_ = true;
    QMetaObject::invokeMethod(this, &FullScreenWindow::reportChange, Qt::QueuedConnection);
}

void FullScreenWindow::reportChange() {
    changePending_ = false;
    for (const auto& [action, button] : buttonActions_) {
        if (button) {
            action->setText(button->text());
            action->setEnabled(button->isEnabled());
        }
    }
    for (const auto& [action, bar] : volumeActions_) {
        if (bar) {
            action->setData(bar->value());
            action->setEnabled(bar->isEnabled());
        }
    }
    emit stateChanged();
}

namespace {

// Sees the events that change what a screen shows, and lets every one of them through. Its
// own object, installed last, so it sees what the screen's own filters take.
class ChangeWatcher : public QObject {
  public:
    ChangeWatcher(QObject* parent, std::function<void()> changed)
        : QObject(parent), changed_(std::move(changed)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseButtonRelease:
            case QEvent::EnabledChange:
                changed_();
                break;
            default:
                break;
        }
        return false;
    }

  private:
    std::function<void()> changed_;
};

}  // namespace

// Every change of what the screen shows follows a tick, a press, a key or a change of what a
// control accepts, so the screens' own handlers need not report anything.
void FullScreenWindow::watchForChanges() {
    if (watching_) {
        return;
    }
    watching_ = true;
    auto* watcher = new ChangeWatcher(this, [this] { noteChange(); });
    installEventFilter(watcher);
    for (QWidget* control : findChildren<QWidget*>()) {
        control->installEventFilter(watcher);
    }
    for (SecondTicker* ticker : findChildren<SecondTicker*>()) {
        connect(ticker, &SecondTicker::tick, this, &FullScreenWindow::noteChange);
    }
    // What changed while the screen was being opened was not watched yet: the actions catch up.
    noteChange();
}

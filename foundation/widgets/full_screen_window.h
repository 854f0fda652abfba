#pragma once
// Base of the full-window screens (clock screens, transition, side timers, announcement,
// ceremony, report): a frameless window that fills the screen, captioned "debaclock", with a
// stretched background picture Image1 behind every control. The screen places its controls in
// twips for its design size, calls rememberLayout() once they are placed, and from then on
// every resize keeps the designed proportions.

#include <QColor>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <functional>

#include "foundation/widgets/action_role.h"

class QAbstractButton;
class QAbstractSlider;
class QAction;
class QLabel;
class StretchedPicture;

// A clock as the audience reads it.
struct ClockReading {
    QString name;  // the control's name, "Label4"
    QString text;
    QColor colour;
    QString label;     // what the screen writes beside the clock ("正方"); empty where nothing
    int overtime = 0;  // seconds the turn has run past its limit, counted on after time up
    QString overtimeRole;  // whose turn ran over, when it is timed on a clock not listed here
};

class FullScreenWindow : public QWidget {
    Q_OBJECT
  public:
    // `designClientTwips`: the client size the screen's controls are placed for.
    explicit FullScreenWindow(QSize designClientTwips, QWidget* parent = nullptr);

    // Image1: the window's background picture, filling the window.
    StretchedPicture* picture() const { return picture_; }

    // What the screen accepts and shows, for views of it other than the projected window (the
    // operator console, the hall's network). The operator commands are QWidget::actions():
    // each is named as its control, captioned and enabled as the control is now, carries the
    // role it was published with (actionRole()), and triggering it runs exactly what the click
    // or press runs.
    // The clocks, top to bottom, then left to right.
    QList<ClockReading> clocks() const;
    // Whether a clock of the screen is counting.
    bool clockRunning() const;
    // The window as it looks now, drawn small to fit `size` (background, controls, clocks) on
    // black. While nothing shown has changed the same pixmap comes back (same cacheKey()).
    QPixmap miniature(const QSize& size) const;
    // A screen in layout mode is left only through its own command, which ends the mode:
    // nothing is launched over it meanwhile.
    virtual bool inLayoutMode() const { return false; }

  signals:
    // Once for each tick or change of what the screen shows or accepts, after it happened.
    void stateChanged();

  protected:
    // Publishes `button` as an action of `role` that clicks it.
    QAction* publish(QAbstractButton* button, ActionRole role = ActionRole::None);
    // Publishes a press that is not a button ("Left", "Right": the mouse presses of a clock
    // screen).
    QAction* publishPress(const QString& name, ActionRole role, std::function<void()> press);
    // Publishes a volume bar as an action of ActionRole::Volume named as the bar, captioned with
    // its accessible name, whose data is the bar's value: setting the data and triggering moves
    // the bar, which runs what dragging it runs.
    QAction* publishVolume(QAbstractSlider* bar);
    // The labels the audience reads the time on.
    void publishClocks(const QList<QLabel*>& clocks);
    // `caption` says whose time `clock` shows ("正方", "提问方剩余时间").
    void captionClock(const QLabel* clock, QLabel* caption);
    // Adds to `readings` what the screen knows beyond the labels (the over-time counts).
    virtual void annotateClocks(QList<ClockReading>& readings) const { Q_UNUSED(readings); }
    // Something shown may have changed: stateChanged follows once, when the handler at work
    // has finished.
    void noteChange();

    void showEvent(QShowEvent* event) override;
    // RememberLayout over this window; call once the controls are placed, before showing.
    void rememberLayout();

    // ScaleLayout, then Image1 to the full window.
    void resizeEvent(QResizeEvent* event) override;
    // Image1 to the full window again whenever the window is activated.
    bool event(QEvent* event) override;

  private:
    void watchForChanges();
    void reportChange();

    StretchedPicture* picture_;
    QList<QPointer<QLabel>> clocks_;
    QHash<const QLabel*, QPointer<QLabel>> captions_;
    QList<QPair<QAction*, QPointer<QAbstractButton>>> buttonActions_;
    QList<QPair<QAction*, QPointer<QAbstractSlider>>> volumeActions_;
    bool watching_ = false;
    bool changePending_ = false;
    // Everything behind the clocks changes seldom and is the costly part to draw scaled: it is
    // kept for as long as its key (picture, colour, controls) stays the same.
    struct MiniatureCache {
        QString backKey;
        QPixmap back;
        QString shownKey;
        QPixmap shown;
    };
    mutable MiniatureCache miniature_;
};

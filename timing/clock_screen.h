#pragma once
// The frame every clock screen shares: a full-window screen that reads only the active segment
// profile, reveals its buttons in a strip along the bottom edge, takes its look from the
// profile, plays cues resolved at the moment they sound, and shows the main screen again
// however it is closed. What is particular to a timing style stays in that style's screen.

#include <QColor>
#include <QHash>
#include <QList>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

#include "foundation/bell_points.h"
#include "foundation/cues.h"
#include "foundation/platform/platform.h"
#include "foundation/widgets/clock_appearance.h"
#include "foundation/widgets/full_screen_window.h"
#include "timing/segment_launch.h"
#include "timing/segment_state.h"
#include "timing/time_record.h"

class BackToMain;
class QLabel;
class QPushButton;
class RevealStrip;
class SecondTicker;
class TickerGroup;
class TurnClock;
class TurnTrack;

// What a clock shows once its time is up; the questioner/answerer clocks show it without the
// leading blank.
inline const QString kTimeUpText = QStringLiteral(" 时间到！");

// The role of a clock that times the whole segment rather than one side's turns.
inline const QString kWholeSegmentRole = QStringLiteral("全程");

// A mouse press a clock screen also offers as an action, and what the press does.
struct PublishedPress {
    Qt::MouseButton button;
    ActionRole role;
};

// The presses of the styles with two sides: left for the first side, right for the second.
inline const QList<PublishedPress> kSides = {{Qt::LeftButton, ActionRole::Left},
                                             {Qt::RightButton, ActionRole::Right}};

// A label font of the screen designs.
QFont DesignFont(const QString& face, qreal points, bool bold = false);

class ClockScreen : public FullScreenWindow {
    Q_OBJECT
  public:
    ClockScreen(const AppContext& context, QSize designClientTwips, QWidget* parent = nullptr);
    ~ClockScreen() override;

    // The segment this screen times, read once.
    const TimedSegment& timedSegment() const;
    // The one-second count of over time, running while a turn is over time (tests fire it).
    SecondTicker* overtimeTicker() const { return overtime_.get(); }

    // The screen as it is now, for the journal of the running segment.
    SegmentState saveState();
    // Puts up `state`, saved by a screen of this style, paused: every counter, clock and button
    // as it was, no tick running. False, changing nothing, when `state` does not fit this screen
    // (another screen, or other counters, clocks or buttons).
    bool restoreState(const SegmentState& state);
    // Whose turn was running in `state` ("正方"), the clocks of the whole segment left out.
    QStringList floorIn(const SegmentState& state) const;

  signals:
    // A turn of one of the screen's clocks ended (a reset, a refill, the screen closing).
    void turnEnded(const TurnRecord& turn);

  protected:
    // Keeps the time record of the turns `ticker` times on `clock`, whose seconds `remaining`
    // reads; `role` names them ("正方"; "%1" takes the turn's number). Call once the screen's own
    // handler of the tick is connected.
    TurnTrack* recordTurns(const QString& role, SecondTicker* ticker, QLabel* clock,
                           std::function<qint16()> remaining);
    // Every turn in progress ends (a reset): the next start begins new ones.
    void endTurns();
    // The operator pressed something on the screen: no turn counts over time any more. Button
    // and mouse presses say so by themselves; a screen's own keys call this.
    void notePress();

    void annotateClocks(QList<ClockReading>& readings) const override;

    // A second counter of the screen, named as the label that shows it.
    struct Counter {
        QLabel* label;
        std::function<qint16()> get;
        std::function<void(qint16)> set;
    };
    static Counter SecondsOf(QLabel* label, qint16& seconds);
    // Every second counter of the screen.
    virtual QList<Counter> counters() = 0;
    // The button that pauses the screen: a restored screen that was running is paused by it.
    void setPauseButton(QPushButton* button) { pauseButton_ = button; }

    const AppContext& context() const { return context_; }
    // A key of the active segment profile, read now.
    QString readActive(const QString& key) const;

    // A stopped one-second clock tick named as the screen's layout names it ("Timer1"...).
    // Every tick of the screen stops when the screen closes.
    SecondTicker* addTicker(const QString& objectName);

    // A button of the bottom strip at design position (`left`, `top`) in twips; every clock
    // screen's buttons are 1095 x 375 twips. The button is published as an action of `role`.
    QPushButton* addButton(const QString& objectName, const QString& caption, int left, int top,
                           ActionRole role);

    // A transparent label with centred text at design position `twips`.
    QLabel* addLabel(const QString& objectName, const QString& text, QRect twips,
                     const QFont& font);

    // `handler` receives the mouse button of every press on one of `targets`. The `published`
    // presses are also offered as the actions "Left" and "Right", of their roles.
    void onPress(const QList<QWidget*>& targets, std::function<void(Qt::MouseButton)> handler,
                 const QList<PublishedPress>& published = {});

    // `controls` show while the pointer moves over Image1 within `depth` heights of
    // `reference` from the bottom edge, and hide elsewhere.
    RevealStrip* addBottomStrip(QWidget* reference, const QList<QWidget*>& controls, int depth = 1);

    // Reads the look from the active profile and applies it to `clocks`, this window and
    // Image1; `clocks` are the clocks the screen publishes. The result is kept for the colour
    // changes at the warning point and on a reset.
    void loadAppearance(UnreadableColour policy, const QList<QWidget*>& clocks);
    // The warning colour, when the profile gives one.
    void showWarnColour(QWidget* clock) const;
    // The colour `clock` counted in after loadAppearance: the profile's, else the designed one,
    // so a reset never leaves a clock in the red of time up.
    void showCountdownColour(QWidget* clock) const;
    // The red of a clock whose time is up.
    static void showTimedOutColour(QWidget* clock);

    // The clock text of `seconds` in `format`; a format other than "1" or "2" leaves it alone.
    static void showClockText(QLabel* clock, qint16 seconds, const QString& format);
    // One second of a countdown: `remaining` goes one down (never past the 16-bit floor) and
    // shows; at the warning point the warning cue sounds and, while time is left, the clock
    // takes the warning colour; at a bell point the bell rings. True once the time is up
    // (below 1).
    bool countDown(qint16& remaining, qint16 warnPoint, QLabel* clock, const QString& format);

    // A turn clock of the screen, under its `caption`: it rings the segment's bells at their
    // points and is published after the clocks of loadAppearance().
    void addTurnClock(TurnClock* turn, QLabel* caption);

    // Resolves `cue` from the active profile now and plays it; an empty path still cuts off
    // the cue that is sounding, as a new cue does.
    void playCue(const CueSpec& cue);

    // "返回主界面": the main screen first, then this screen closes.
    void backToMain();

    void closeEvent(QCloseEvent* event) override;

  private:
    // The bell of the segment, struck `rings` times, unless its choice is "None".
    void ringBellAt(qint16 remaining);

    AppContext context_;
    // Every ticker of the screen, the over-time count too: they make up a stall together.
    TickerGroup* tickerGroup_;
    ClockAppearance appearance_;
    QHash<const QWidget*, QColor> countdownColours_;
    QList<SecondTicker*> tickers_;
    BackToMain* backToMain_;
    QPushButton* pauseButton_ = nullptr;
    // The turns of every clock that keeps a record, with the clock that shows them.
    QList<QPair<TurnTrack*, QLabel*>> tracks_;
    QList<QLabel*> turnClocks_;
    std::unique_ptr<SecondTicker> overtime_;  // not a clock of the screen: no child of it
    mutable std::optional<TimedSegment> timedSegment_;
    std::optional<QList<BellPoint>> bellPoints_;  // read at the first second counted
};

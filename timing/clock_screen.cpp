#include "timing/clock_screen.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <limits>

#include "foundation/clock_format.h"
#include "foundation/paths.h"
#include "foundation/platform/colours.h"
#include "foundation/platform/navigator.h"
#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/widgets/back_to_main.h"
#include "foundation/widgets/mouse_presses.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/reveal_strip.h"
#include "foundation/widgets/second_ticker.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "timing/turn_clock.h"
#include "timing/turn_track.h"

ClockScreen::ClockScreen(const AppContext& context, QSize designClientTwips, QWidget* parent)
    : FullScreenWindow(designClientTwips, parent),
      context_(context),
      tickerGroup_(new TickerGroup(this)),
      backToMain_(new BackToMain(this, context.navigator)),
      overtime_(std::make_unique<SecondTicker>(nullptr, tickerGroup_)) {
    overtime_->setObjectName(QStringLiteral("Overtime"));
    connect(overtime_.get(), &SecondTicker::tick, this, [this] {
        for (const auto& [track, clock] : tracks_) {
            track->countOvertime();
        }
        noteChange();
    });
}

ClockScreen::~ClockScreen() = default;

const TimedSegment& ClockScreen::timedSegment() const {
    if (!timedSegment_) {
        timedSegment_ = TimedSegmentOf(context_.appDir, objectName());
    }
    return *timedSegment_;
}

TurnTrack* ClockScreen::recordTurns(const QString& role, SecondTicker* ticker, QLabel* clock,
                                    std::function<qint16()> remaining) {
    auto* track = new TurnTrack(role, ticker, std::move(remaining), this);
    connect(track, &TurnTrack::ended, this, [this](const TurnProgress& turn, const QDateTime& end) {
        emit turnEnded(TurnRecordOf(turn, timedSegment(), end));
    });
    connect(track, &TurnTrack::overtimeBegan, overtime_.get(), &SecondTicker::start);
    tracks_.append({track, clock});
    if (ticker->isActive()) {  // a clock that runs from the screen's opening
        track->noteStarted();
    }
    return track;
}

QStringList ClockScreen::floorIn(const SegmentState& state) const {
    QStringList roles;
    for (const auto& [track, clock] : tracks_) {
        if (state.running.contains(track->tickerName()) && track->role() != kWholeSegmentRole &&
            !track->role().isEmpty()) {
            roles << track->role();
        }
    }
    return roles;
}

void ClockScreen::endTurns() {
    // The turns first, then the clocks of the whole segment they were part of.
    for (const bool whole : {false, true}) {
        for (const auto& [track, clock] : tracks_) {
            if ((track->role() == kWholeSegmentRole) == whole) {
                track->end();
            }
        }
    }
    overtime_->stop();
}

void ClockScreen::notePress() {
    for (const auto& [track, clock] : tracks_) {
        track->stopOvertime();
    }
    overtime_->stop();
    noteChange();
}

void ClockScreen::annotateClocks(QList<ClockReading>& readings) const {
    if (readings.isEmpty()) {
        return;
    }
    for (const auto& [track, clock] : tracks_) {
        if (track->over() == 0) {
            continue;
        }
        const auto own = std::find_if(readings.begin(), readings.end(), [&](const ClockReading& r) {
            return r.name == clock->objectName();
        });
        ClockReading& shown = own != readings.end() ? *own : readings.front();
        shown.overtime = track->over();
        shown.overtimeRole = own != readings.end() ? QString() : track->role();
    }
}

QString ClockScreen::readActive(const QString& key) const {
    return ReadProfileString(ActiveSegmentProfilePath(context_.appDir), kConfigSection, key);
}

SecondTicker* ClockScreen::addTicker(const QString& objectName) {
    auto* ticker = new SecondTicker(this, tickerGroup_);
    ticker->setObjectName(objectName);
    tickers_.append(ticker);
    return ticker;
}

QPushButton* ClockScreen::addButton(const QString& objectName, const QString& caption, int left,
                                    int top, ActionRole role) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    // Connected before the screen's own handler: a reset ends the over time it interrupts.
    connect(button, &QPushButton::clicked, this, &ClockScreen::notePress);
    PlaceInTwips(button, left, top, 1095, 375);
    publish(button, role);
    return button;
}

QLabel* ClockScreen::addLabel(const QString& objectName, const QString& text, QRect twips,
                              const QFont& font) {
    auto* label = new QLabel(text, this);
    label->setObjectName(objectName);
    PlaceInTwips(label, twips.x(), twips.y(), twips.width(), twips.height());
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QFont DesignFont(const QString& face, qreal points, bool bold) {
    QFont font(face);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void ClockScreen::onPress(const QList<QWidget*>& targets,
                          std::function<void(Qt::MouseButton)> handler,
                          const QList<PublishedPress>& published) {
    // Every press, on the screen or from a view of it, ends the over time it interrupts.
    const auto pressed = [this, handler = std::move(handler)](Qt::MouseButton button) {
        notePress();
        handler(button);
    };
    for (const auto& [button, role] : published) {
        publishPress(button == Qt::RightButton ? QStringLiteral("Right") : QStringLiteral("Left"),
                     role, [pressed, button = button] { pressed(button); });
    }
    new MousePresses(this, targets, pressed);
}

RevealStrip* ClockScreen::addBottomStrip(QWidget* reference, const QList<QWidget*>& controls,
                                         int depth) {
    auto* strip = new RevealStrip(this, RevealStrip::Edge::Bottom, reference, depth);
    for (QWidget* control : controls) {
        strip->addControl(control);
    }
    strip->watch(picture());
    return strip;
}

void ClockScreen::loadAppearance(UnreadableColour policy, const QList<QWidget*>& clocks) {
    appearance_ = ReadClockAppearance(context_.appDir, policy);
    ApplyClockAppearance(appearance_, clocks, this, picture());
    QList<QLabel*> labels;
    for (QWidget* clock : clocks) {
        countdownColours_.insert(clock, TextColour(clock));
        if (auto* label = qobject_cast<QLabel*>(clock)) {
            labels.append(label);
        }
    }
    publishClocks(labels + turnClocks_);
}

void ClockScreen::showWarnColour(QWidget* clock) const {
    ShowWarnColour(appearance_, clock);
}

void ClockScreen::showCountdownColour(QWidget* clock) const {
    if (const auto colour = countdownColours_.constFind(clock);
        colour != countdownColours_.cend()) {
        SetTextColour(clock, *colour);
    }
}

void ClockScreen::showTimedOutColour(QWidget* clock) {
    SetTextColour(clock, ColourFromValue(255));
}

void ClockScreen::showClockText(QLabel* clock, qint16 seconds, const QString& format) {
    if (const QString text = FormatClock(seconds, format); !text.isEmpty()) {
        clock->setText(text);
    }
}

bool ClockScreen::countDown(qint16& remaining, qint16 warnPoint, QLabel* clock,
                            const QString& format) {
    // After time up a clock moves one second per start; it must not wrap around.
    if (remaining > std::numeric_limits<qint16>::min()) {
        --remaining;
    }
    showClockText(clock, remaining, format);
    if (remaining == warnPoint) {
        playCue(WarnCue);
        if (remaining > 0) {
            showWarnColour(clock);
        }
    } else {
        ringBellAt(remaining);
    }
    return remaining < 1;
}

void ClockScreen::addTurnClock(TurnClock* turn, QLabel* caption) {
    connect(turn, &TurnClock::counted, this, &ClockScreen::ringBellAt);
    turnClocks_.append(turn->label());
    captionClock(turn->label(), caption);
}

void ClockScreen::ringBellAt(qint16 remaining) {
    if (!bellPoints_) {
        bellPoints_ = BellPointsFrom(readActive(SegmentKey::BellPoints));
    }
    const int rings = BellRingsAt(*bellPoints_, remaining);
    if (rings > 0 && readActive(SegmentKey::BellCueChoice) != CueChoice::None) {
        context_.platform->Wave().PlayWave(AppPath(context_.appDir, BellCueFile(rings)));
    }
}

void ClockScreen::playCue(const CueSpec& cue) {
    context_.platform->Wave().PlayWave(
        ResolveCuePath(context_.appDir, ActiveSegmentProfilePath(context_.appDir), cue));
}

void ClockScreen::backToMain() {
    backToMain_->now();
}

void ClockScreen::closeEvent(QCloseEvent* event) {
    // A closed screen may outlive its window for a while; its clocks must not sound from there.
    for (SecondTicker* ticker : tickers_) {
        ticker->stop();
    }
    endTurns();
    FullScreenWindow::closeEvent(event);
}

ClockScreen::Counter ClockScreen::SecondsOf(QLabel* label, qint16& seconds) {
    return {label, [&seconds] { return seconds; }, [&seconds](qint16 value) { seconds = value; }};
}

SegmentState ClockScreen::saveState() {
    SegmentState state;
    state.screen = objectName();
    state.segmentNumber = timedSegment().number;
    state.segment = timedSegment().name;
    state.style = timedSegment().style;
    state.debate = timedSegment().debate;
    state.written = QDateTime::currentDateTimeUtc();
    const QList<ClockReading> published = clocks();
    for (const Counter& counter : counters()) {
        const QString name = counter.label->objectName();
        const auto reading = std::find_if(published.cbegin(), published.cend(),
                                          [&](const ClockReading& r) { return r.name == name; });
        const bool isPublished = reading != published.cend();
        state.counters.insert(name, counter.get());
        state.shown.insert(name, {counter.label->text(), TextColour(counter.label), isPublished,
                                  isPublished ? reading->label : QString()});
    }
    for (const QPushButton* button : findChildren<QPushButton*>()) {
        state.enabled.insert(button->objectName(), button->isEnabled());
    }
    for (const SecondTicker* ticker : tickers_) {
        if (ticker->isActive()) {
            state.running << ticker->objectName();
        }
    }
    for (const auto& [track, clock] : tracks_) {
        state.turns.insert(track->tickerName(), track->progress());
    }
    return state;
}

bool ClockScreen::restoreState(const SegmentState& state) {
    const QList<Counter> all = counters();
    QStringList names;
    for (const Counter& counter : all) {
        names << counter.label->objectName();
    }
    names.sort();
    QStringList buttons;
    for (const QPushButton* button : findChildren<QPushButton*>()) {
        buttons << button->objectName();
    }
    buttons.sort();
    QStringList timed;
    for (const auto& [track, clock] : tracks_) {
        timed << track->tickerName();
    }
    timed.sort();
    if (state.screen != objectName() || state.counters.keys() != names ||
        state.shown.keys() != names || state.enabled.keys() != buttons ||
        state.turns.keys() != timed) {
        return false;
    }
    for (SecondTicker* ticker : tickers_) {
        ticker->stop();
    }
    overtime_->stop();
    for (const Counter& counter : all) {
        const QString name = counter.label->objectName();
        counter.set(state.counters.value(name));
        counter.label->setText(state.shown.value(name).text);
        SetTextColour(counter.label, state.shown.value(name).colour);
    }
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setEnabled(state.enabled.value(button->objectName()));
    }
    // As the operator would have paused it: the screen's own pause sets its buttons. A screen
    // without a pause (a side timer) counts on from where it was.
    if (!state.running.isEmpty() && pauseButton_ && pauseButton_->isEnabled()) {
        pauseButton_->click();
    } else if (!pauseButton_) {
        for (SecondTicker* ticker : tickers_) {
            if (state.running.contains(ticker->objectName())) {
                ticker->start();
            }
        }
    }
    // The turns last: a clock set going again here is no start of the operator's.
    for (const auto& [track, clock] : tracks_) {
        // Nothing counts while the program was away, over time neither.
        TurnProgress progress = state.turns.value(track->tickerName());
        progress.countingOvertime = false;
        track->restore(progress);
    }
    noteChange();
    return true;
}

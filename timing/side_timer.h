#pragma once
// Form20 and Form9: the audience-question and guest-commentary timers. A small corner clock
// over a full-window picture counts down from the segment's limit or up from zero, once a
// second from the moment the screen opens; it may be hidden altogether. No cues, no warning,
// no pause. Both screens are one design: only the profile section, the picture folder and the
// height of the return button differ.

#include <QString>
#include <QtGlobal>
#include <optional>

#include "timing/clock_screen.h"

class QLabel;
class QPushButton;

// What sets one side segment's screen apart from the other's.
struct SideSegment {
    QString screenName;     // the window's object name, as the screen catalogue has it
    QString section;        // of "\config\TW&DP.ini"
    QString pictureFolder;  // relative to AppDir, ending with a backslash
    int returnTop = 0;      // design top of Command1, twips
};

// The side segment whose screen's window is named `screen`, or none.
std::optional<SideSegment> SideSegmentNamed(const QString& screen);

class SideTimer : public ClockScreen {
    Q_OBJECT
  public:
    SideTimer(const AppContext& context, const SideSegment& segment, QWidget* parent = nullptr);

  protected:
    // The clock counts down from the limit or up from zero; the one it shows is its counter.
    QList<Counter> counters() override {
        return {SecondsOf(label1_, direction_ == Direction::Up ? elapsed_ : remaining_)};
    }

  private:
    void onTick();
    void load();

    SideSegment segment_;
    QLabel* label1_;
    QPushButton* command1_;
    SecondTicker* timer1_;

    qint16 remaining_ = 0;
    qint16 elapsed_ = 0;
    // "倒序计时": "1" down, "0" up; any other text keeps the clock still.
    enum class Direction { Up, Down, Still };
    Direction direction_ = Direction::Still;
};

class Form20 : public SideTimer {
    Q_OBJECT
  public:
    explicit Form20(const AppContext& context, QWidget* parent = nullptr);
};

class Form9 : public SideTimer {
    Q_OBJECT
  public:
    explicit Form9(const AppContext& context, QWidget* parent = nullptr);
};

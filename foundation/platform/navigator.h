#pragma once
// Screens never create one another: they ask the navigator, which knows how to build each one.
// A screen is open once at most: asking for one that is open brings that window forward.

#include <QString>

class QWidget;

// Every window a screen can ask for; which window each is, and what kind, is in the screen
// catalogue (screen_catalogue.h).
enum class ScreenId {
    Main,
    Transition,
    SingleCountdown,
    TwoSide,
    QuestionAnswer,
    QuestionerAnswerer,
    PerSpeech,
    AudienceQuestion,
    Commentary,
    ScoreEntry,
    Announcement,
    Ceremony,
    Report,
    SettingsHome,
    BasicInfoPage,
    MainBackgroundPage,
    SegmentPage,
    OtherSegmentsPage,
    About,
    Developer,
};

class Navigator {
  public:
    virtual ~Navigator() = default;
    // Shows `to` first, then closes `from` (a full-window screen replacing another).
    virtual void Replace(QWidget* from, ScreenId to) = 0;
    // Shows `to` first, then closes `from` and the main screen under it: `to` is then the only
    // screen open (score entry going on to the announcement).
    virtual void ReplaceAll(QWidget* from, ScreenId to) = 0;
    // Shows `to` first, then hides `from` without closing it: the next request for `from`'s
    // screen shows it again as it was left (the settings home while the wizard pages run).
    virtual void SetAside(QWidget* from, ScreenId to) = 0;
    // Shows `to` over `from`, which stays open underneath and keeps it in front of itself.
    virtual void OpenOver(QWidget* from, ScreenId to) = 0;
    // Shows a freshly loaded main screen unless one is open already. Full-window screens call
    // it whenever they close, however they are closed.
    virtual void ShowMain() = 0;
    // Ends the program: every screen closes (ending its music and clocks) and no other opens.
    virtual void ExitProgram() = 0;
    // `window` holds (true) or lets go of (false) the lock on the main screen's operator
    // controls: the information windows keep it from being used while they are up. The main
    // screen stays locked while any window holds the lock; holding or letting go twice counts
    // once.
    virtual void LockMain(const QWidget* window, bool locked) = 0;
    // The main screen, if open, shows its plain colour instead of its picture at once (the
    // settings removed the picture while the main screen stays open behind them).
    virtual void ClearMainPicture() = 0;
    // The main screen, if open, reads the settings anew, as after its "刷新设置" (a whole new
    // setup was put in place behind it).
    virtual void RefreshMain() = 0;
};

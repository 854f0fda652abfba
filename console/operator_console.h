#pragma once
// The operator's console: with a projector attached, a window on the operator's own screen
// that shows what the audience sees and drives it. It holds no timing or screen logic of its
// own: its buttons trigger the actions the audience screen publishes, and what it shows is the
// audience screen's own account of its clocks.

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "foundation/platform/platform.h"
#include "foundation/widgets/full_screen_window.h"

class ConsoleKeyboard;
class QAction;
class QComboBox;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class HallService;
class QLabel;
class QPushButton;
class ScreenMiniature;
class QSlider;
class ScreenNavigator;
class SegmentJournal;
class TournamentLink;

// "计时尚未开始": a clock screen up for this long without a clock started.
inline constexpr int kForgottenStartMs = 10000;

class OperatorConsole : public QWidget {
    Q_OBJECT
  public:
    // `hall`: the hall's network, whose switch and addresses the console shows; `journal`: the
    // keeper of the time record, whose turns it lists; `tournament`: the room's link to a
    // tournament's broker, its settings and notices. None, none shown.
    OperatorConsole(AppContext& context, ScreenNavigator& navigator, HallService* hall = nullptr,
                    SegmentJournal* journal = nullptr, TournamentLink* tournament = nullptr,
                    QWidget* parent = nullptr);

    // The names of the main screen's actions the launch list offers, in its order.
    static const QStringList& launchActions();

    // Up on the operator's screen while there are two screens or more, hidden otherwise.
    void showWhenTwoScreens();
    // Says `note` about the screen now up ("已恢复，计时暂停中") until a clock of it runs or
    // another screen comes up.
    void sayAboutScreen(const QString& note);

  public slots:
    // A clock screen that has stood since it appeared turns the clock area amber.
    void checkForgottenStart();

  private:
    // The console's keys, whatever of it has the focus.
    void bindKeys();
    void follow(FullScreenWindow* screen);
    void rebuildCommands();
    void rebuildLaunchList();
    void refresh();
    void showForgottenStart(bool forgotten);
    void showClockAreaColour(const QColor& colour);
    QString describe(const FullScreenWindow* screen) const;
    // Triggers the current screen's enabled action of `role`; false when it has none.
    bool triggerCurrent(ActionRole role);
    // Brings the main screen back if another audience screen is up, then triggers its `name`.
    void launch(const QString& name);
    void chooseProjector(int index);
    void fillScreenChoice();

    AppContext& context_;
    ScreenNavigator& navigator_;
    QPointer<FullScreenWindow> screen_;
    QMetaObject::Connection screenChanges_;
    QMetaObject::Connection mainChanges_;
    bool clockHasRun_ = false;

    QLabel* title_;
    ScreenMiniature* miniature_;
    QFrame* clockArea_;
    QHBoxLayout* clockRow_;
    QLabel* forgotten_;
    QLabel* noClock_;
    QList<QWidget*> clockCells_;  // one a clock: its caption over its time
    QList<QLabel*> clockLabels_;
    QList<QLabel*> clockCaptions_;   // above each of clockLabels_: whose time it shows
    QList<QLabel*> clockOvertimes_;  // below each of clockLabels_: how far its turn ran over
    QLabel* screenNote_;
    QHBoxLayout* commandRow_;
    QList<QPushButton*> commandButtons_;
    QList<QPointer<QAction>> commandActions_;  // the action behind each of commandButtons_
    QLabel* launchesHeld_;  // says why the launch list is disabled in layout mode
    QGridLayout* launchGrid_;
    QList<QPushButton*> launchButtons_;
    QStringList launchNames_;  // the main screen's action behind each of launchButtons_
    QComboBox* projectorChoice_;
    QSlider* volume_;
    QTimer forgottenTimer_;
    ConsoleKeyboard* keyboard_;
};

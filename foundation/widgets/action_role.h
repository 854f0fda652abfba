#pragma once
// What a published command does, said once where the screen publishes it. The console's keys,
// the hall's network and every other input find a command by what it does, never by its
// caption: a caption a profile or a screen changes cannot take a key away, nor give one to a
// command that merely reads like another.

#include <QList>
#include <QString>

class QAction;

enum class ActionRole {
    None,      // a command of its own: a launch, a step of the announcement, the music
    Start,     // starts the screen's clocks ("开始计时")
    Pause,     // stops them ("计时暂停")
    Reset,     // puts the clocks back to their limits ("初始化")
    Back,      // leaves the screen ("返回主界面", "返回设置界面")
    Left,      // gives the time to the first side (the left mouse button)
    Right,     // gives the time to the second side (the right mouse button)
    NextTurn,  // begins the next question or speech
    Volume,    // a volume bar, whose value travels in the action's data
};

void setActionRole(QAction* action, ActionRole role);
// ActionRole::None for an action that was given none.
ActionRole actionRole(const QAction* action);

// Of the actions of `role` in `actions`, the first enabled one, else the first one; none when no
// action has that role.
QAction* findActionByRole(const QList<QAction*>& actions, ActionRole role);

// What one start/pause key means now: the usable pause while a clock of the screen runs, the
// usable start otherwise (a screen may offer both at once); none when that one is not usable.
QAction* findStartOrPause(const QList<QAction*>& actions, bool running);

// The role as the hall's protocol writes it ("pause"); empty for ActionRole::None.
QString actionRoleName(ActionRole role);

#include "foundation/widgets/action_role.h"

#include <QAction>
#include <QVariant>

namespace {
// The only place the role is kept on an action.
constexpr char kRoleProperty[] = "debaclockActionRole";
}  // namespace

void setActionRole(QAction* action, ActionRole role) {
    action->setProperty(kRoleProperty, int(role));
}

ActionRole actionRole(const QAction* action) {
    const QVariant role = action->property(kRoleProperty);
    return role.isValid() ? ActionRole(role.toInt()) : ActionRole::None;
}

QAction* findActionByRole(const QList<QAction*>& actions, ActionRole role) {
    QAction* found = nullptr;
    for (QAction* action : actions) {
        if (actionRole(action) != role) {
            continue;
        }
        if (action->isEnabled()) {
            return action;
        }
        if (!found) {
            found = action;
        }
    }
    return found;
}

QAction* findStartOrPause(const QList<QAction*>& actions, bool running) {
    QAction* action = findActionByRole(actions, running ? ActionRole::Pause : ActionRole::Start);
    return action && action->isEnabled() ? action : nullptr;
}

QString actionRoleName(ActionRole role) {
    switch (role) {
        case ActionRole::None:
            return {};
        case ActionRole::Start:
            return QStringLiteral("start");
        case ActionRole::Pause:
            return QStringLiteral("pause");
        case ActionRole::Reset:
            return QStringLiteral("reset");
        case ActionRole::Back:
            return QStringLiteral("back");
        case ActionRole::Left:
            return QStringLiteral("left");
        case ActionRole::Right:
            return QStringLiteral("right");
        case ActionRole::NextTurn:
            return QStringLiteral("nextTurn");
        case ActionRole::Volume:
            return QStringLiteral("volume");
    }
    return {};
}

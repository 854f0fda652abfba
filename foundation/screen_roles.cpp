#include "foundation/screen_roles.h"

ScreenRoles ChooseScreenRoles(const QStringList& screens, int primary, const QString& stored) {
    if (screens.size() < 2) {
        return {};
    }
    primary = primary >= 0 && primary < screens.size() ? primary : 0;
    int projector = stored.isEmpty() ? -1 : int(screens.indexOf(stored));
    if (projector < 0) {
        projector = primary == 0 ? 1 : 0;
    }
    int console = primary;
    if (console == projector) {
        console = projector == 0 ? 1 : 0;
    }
    return {projector, console};
}

#pragma once
// Which screen the audience sees and which the operator works on, when the machine has more
// than one. "\config\display.ini" names the projector screen; the operator's console takes
// another screen, so the projector can never cover the operator's controls.

#include <QString>
#include <QStringList>

inline const QString kDisplayProfile = QStringLiteral("\\config\\display.ini");
// The projector screen's name, as the system names its screens ("HDMI-1").
inline const QString kProjectorScreenKey = QStringLiteral("投影屏幕");

struct ScreenRoles {
    int projector = -1;  // index into the screens; -1: one screen, everything as on one screen
    int console = -1;
    bool twoScreens() const { return projector >= 0; }
};

// `screens` are the names in the system's order, `primary` the index of the primary one. The
// projector is the stored screen when present, else the first that is not the primary; the
// console is the primary unless the projector is, else the first other screen.
ScreenRoles ChooseScreenRoles(const QStringList& screens, int primary, const QString& stored);

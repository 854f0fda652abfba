#pragma once
// A control's text colour and background colour, the two colours the screens set from
// profiles. Each is the control's own foreground or background palette role (window text for
// a label, text for a text box, button text for a button...), so one call fits every kind of
// control. Children that do not set the role themselves inherit it, as palettes do.

#include <QColor>

class QWidget;

void SetTextColour(QWidget* control, const QColor& colour);
QColor TextColour(const QWidget* control);

// Fills the control's (or window's) background with `colour`.
void SetBackgroundColour(QWidget* control, const QColor& colour);
QColor BackgroundColour(const QWidget* control);

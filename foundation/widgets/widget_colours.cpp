#include "foundation/widgets/widget_colours.h"

#include <QPalette>
#include <QWidget>

void SetTextColour(QWidget* control, const QColor& colour) {
    QPalette palette = control->palette();
    palette.setColor(control->foregroundRole(), colour);
    control->setPalette(palette);
}

QColor TextColour(const QWidget* control) {
    return control->palette().color(control->foregroundRole());
}

void SetBackgroundColour(QWidget* control, const QColor& colour) {
    QPalette palette = control->palette();
    palette.setColor(control->backgroundRole(), colour);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

QColor BackgroundColour(const QWidget* control) {
    return control->palette().color(control->backgroundRole());
}

#pragma once
// The controls every screen builds the same way, named as the layouts name them.

#include <QString>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWidget;

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption = {});

QCheckBox* NewCheckBox(QWidget* parent, const QString& name, const QString& caption);
QLineEdit* NewTextBox(QWidget* parent, const QString& name);

// A thin horizontal line of the design, under a heading.
QFrame* NewLine(QWidget* parent, const QString& name);

// A button of an operator strip or column: it never takes the keyboard focus, which would
// otherwise stay behind on a button that is about to be hidden.
QPushButton* NewStripButton(QWidget* parent, const QString& name, const QString& caption = {});

// A frame of operator controls, opaque over the screen's picture like a frame of the design.
QGroupBox* NewStripFrame(QWidget* parent, const QString& name, const QString& caption);

// A music volume slider of the operator: 0..100, small step 2, large step 5, at `designed`
// until a stored volume is given. A change is reported when the thumb is let go, so dragging
// it writes the profile once, not once per pixel. Returns `bar`.
QScrollBar* SetUpVolumeBar(QScrollBar* bar, const QString& name, int designed = 0);

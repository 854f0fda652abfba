#pragma once

#include <QScrollBar>

// A music volume slider of the operator: 0..100, small step 2, large step 5, at `designed` until
// a stored volume is given. A change is reported when the thumb is let go, so dragging it
// writes the profile once, not once per pixel.
QScrollBar* NewVolumeBar(Qt::Orientation orientation, const QString& objectName, QWidget* parent,
                         int designed = 0);

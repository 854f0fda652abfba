#pragma once

class QWidget;

// Makes the whole window `screen` belongs to translucent: 0 invisible ... 255 opaque. Values
// outside that range are taken as the nearest end. On a platform without window opacity the
// value is kept and the window stays opaque.
void SetWindowOpacity(QWidget* screen, int alpha);

#pragma once

class QWidget;

// Lets the window system move the window `screen` belongs to with the mouse, as if its caption
// were dragged, until the button is released. Called from a mouse-button press. Returns false,
// doing nothing, when the window has no native window yet or the platform cannot move it.
bool DragWindow(QWidget* screen);

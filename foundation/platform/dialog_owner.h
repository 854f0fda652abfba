#pragma once
// With a projector attached, dialogs and messages belong on the operator's screen: a window
// that fills the projector must never be their owner while the operator's console is up.

class QWidget;

// The console marks itself with this property.
inline constexpr char kOperatorWindowProperty[] = "debaclockOperatorWindow";

// `owner`, unless it is none or one of the audience's full-window screens and the operator's
// console is up: then the console.
QWidget* DialogOwner(QWidget* owner);

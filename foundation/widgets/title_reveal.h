#pragma once
// The animated caption of the settings, report and information windows: driven by a 500 ms
// timer, the caption grows one character at a time up to the product title, then starts over.

#include <QString>

#include "foundation/program.h"

class QWidget;

// The caption that follows `caption`: "" -> "d", a proper prefix of the title -> one character
// longer, the whole title -> "". Any other caption is returned unchanged, so a caption the
// screen has changed stays as it is.
QString NextRevealedTitle(const QString& caption);

// One step of the animation on the screen's window caption.
void TitleReveal(QWidget* screen);

#pragma once
// Texts from a profile, a setup, a journal or the network show as they are written: a segment
// named "<font size=7 color=red>…" or "<img src=…>" is never taken for markup. Every label of
// the program, the labels inside message boxes, progress dialogs and tool tips too, shows plain
// text, unless it was set to rich text on purpose; a label added later needs nothing of its
// own for that.

class QCoreApplication;

// From now on every label shows plain text from the moment it is polished, before it is first
// shown or drawn. Call once the application object exists; calling again changes nothing.
void KeepLabelsPlain(QCoreApplication* application);

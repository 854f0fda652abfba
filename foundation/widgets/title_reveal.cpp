#include "foundation/widgets/title_reveal.h"

#include <QWidget>

QString NextRevealedTitle(const QString& caption) {
    if (caption == kProgramTitle)
        return QString();
    if (kProgramTitle.startsWith(caption))  // the empty caption too
        return kProgramTitle.left(caption.size() + 1);
    return caption;
}

void TitleReveal(QWidget* screen) {
    const QString caption = screen->windowTitle();
    const QString next = NextRevealedTitle(caption);
    if (next != caption)
        screen->setWindowTitle(next);
}

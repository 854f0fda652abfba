#include "foundation/widgets/title_reveal.h"

#include <QWidget>

QString NextRevealedTitle(const QString& caption) {
    if (caption == kProductTitle)
        return QString();
    if (kProductTitle.startsWith(caption))  // the empty caption too
        return kProductTitle.left(caption.size() + 1);
    return caption;
}

void TitleReveal(QWidget* screen) {
    const QString caption = screen->windowTitle();
    const QString next = NextRevealedTitle(caption);
    if (next != caption)
        screen->setWindowTitle(next);
}

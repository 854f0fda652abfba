#include "foundation/widgets/full_screen_window.h"

#include <QEvent>
#include <QScreen>

#include "foundation/widgets/layout.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/title_reveal.h"
#include "foundation/widgets/twips.h"

FullScreenWindow::FullScreenWindow(QSize designClientTwips, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), picture_(new StretchedPicture(this)) {
    setWindowTitle(kProgramTitle);
    // The background colour (SetBackgroundColour) fills whatever the picture leaves uncovered.
    setAutoFillBackground(true);
    resize(SizeFromTwips(designClientTwips.width(), designClientTwips.height()));
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->lower();
    FillWindow(picture_);
    // Takes effect when shown, so the design size above is what rememberLayout() records.
    setWindowState(Qt::WindowFullScreen);
}

void FullScreenWindow::rememberLayout() {
    RememberLayout(this);
}

void FullScreenWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ScaleLayout(this);
    FillWindow(picture_);
}

void FullScreenWindow::showEvent(QShowEvent* event) {
    // Without a window manager nobody honours the full-screen state: cover the screen anyway.
    if (const QScreen* display = screen(); display && geometry() != display->geometry()) {
        setGeometry(display->geometry());
    }
    QWidget::showEvent(event);
}

bool FullScreenWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FillWindow(picture_);
    return QWidget::event(event);
}

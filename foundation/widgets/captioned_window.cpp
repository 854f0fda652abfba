#include "foundation/widgets/captioned_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "foundation/program.h"
#include "foundation/widgets/title_reveal.h"
#include "foundation/widgets/twips.h"

CaptionedWindow::CaptionedWindow(QSize designClientTwips, Qt::WindowFlags extraFlags,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | extraFlags),
      Timer1(new QTimer(this)) {
    setWindowTitle(kProgramTitle);
    setFont(QFont(QStringLiteral("宋体"), 9));
    setFixedSize(SizeFromTwips(designClientTwips.width(), designClientTwips.height()));
    CentreOnScreen(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &CaptionedWindow::onTimer1);
    Timer1->start();
}

void CaptionedWindow::onTimer1() {
    TitleReveal(this);
}

void CentreOnScreen(QWidget* window) {
    if (const QScreen* display = QGuiApplication::primaryScreen()) {
        window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(),
                                                display->availableGeometry()));
    }
}

#include "screens/startup/information_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "foundation/platform/navigator.h"
#include "foundation/program.h"
#include "foundation/widgets/title_reveal.h"
#include "foundation/widgets/twips.h"

InformationWindow::InformationWindow(AppContext& context, const QString& objectName,
                                     QSize designClientTwips, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      context_(context) {
    setObjectName(objectName);
    setWindowTitle(kProgramTitle);
    setFont(QFont(QStringLiteral("宋体"), 9));
    setFixedSize(SizeFromTwips(designClientTwips.width(), designClientTwips.height()));
    if (const QScreen* display = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        display->availableGeometry()));
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &InformationWindow::onTimer1);
    Timer1->start();

    context_.navigator->LockMain(true);
}

void InformationWindow::onTimer1() {
    TitleReveal(this);
}

void InformationWindow::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    context_.navigator->LockMain(false);
    QWidget::closeEvent(event);
}

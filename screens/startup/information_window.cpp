#include "screens/startup/information_window.h"

#include <QCloseEvent>
#include <QTimer>

#include "foundation/platform/navigator.h"

InformationWindow::InformationWindow(AppContext& context, const QString& objectName,
                                     QSize designClientTwips, QWidget* parent)
    : CaptionedWindow(designClientTwips, Qt::WindowStaysOnTopHint, parent), context_(context) {
    setObjectName(objectName);
    context_.navigator->LockMain(this, true);
}

void InformationWindow::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    context_.navigator->LockMain(this, false);
    QWidget::closeEvent(event);
}

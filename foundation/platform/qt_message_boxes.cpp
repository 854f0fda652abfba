#include "foundation/platform/qt_message_boxes.h"

#include <QApplication>
#include <QPointer>

namespace {

QMessageBox::StandardButton Run(const QString& text, const QString& title, MessageIcon icon,
                                QMessageBox::StandardButtons buttons) {
    QPointer<QMessageBox> box =
        new QMessageBox(QtMessageBoxes::QtIcon(icon), title.isEmpty() ? kProgramTitle : title, text,
                        buttons, QApplication::activeWindow());
    box->setDefaultButton(QMessageBox::Ok);
    if (buttons.testFlag(QMessageBox::Cancel)) {
        box->setEscapeButton(QMessageBox::Cancel);
    }
    const int answer = box->exec();
    // The owner may have been closed while the box was up, and taken the box with it.
    delete box.data();
    return QMessageBox::StandardButton(answer);
}

}  // namespace

QMessageBox::Icon QtMessageBoxes::QtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

void QtMessageBoxes::Show(const QString& text, const QString& title, MessageIcon icon) {
    Run(text, title, icon, QMessageBox::Ok);
}

bool QtMessageBoxes::Ask(const QString& text, const QString& title, MessageIcon icon) {
    return Run(text, title, icon, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

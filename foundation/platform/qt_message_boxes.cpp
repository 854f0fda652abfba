#include "foundation/platform/qt_message_boxes.h"

#include <QAbstractButton>
#include <QApplication>

#include "foundation/platform/dialog_owner.h"
#include "foundation/platform/modal.h"

namespace {

// `captions` of OK and Cancel, when they say something else.
QMessageBox::StandardButton Run(const QString& text, const QString& title, MessageIcon icon,
                                QMessageBox::StandardButtons buttons,
                                const QStringList& captions = {}) {
    Modal<QMessageBox> box(new QMessageBox(QtMessageBoxes::QtIcon(icon),
                                           title.isEmpty() ? kProgramTitle : title, text, buttons,
                                           DialogOwner(QApplication::activeWindow())));
    // The texts carry names from profiles, setups and the network: never markup.
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(QMessageBox::Ok);
    if (buttons.testFlag(QMessageBox::Cancel)) {
        box->setEscapeButton(QMessageBox::Cancel);
    }
    if (captions.size() == 2) {
        box->button(QMessageBox::Ok)->setText(captions[0]);
        box->button(QMessageBox::Cancel)->setText(captions[1]);
    }
    // A box whose owner closed while it was up answers as if cancelled.
    return QMessageBox::StandardButton(box.exec());
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

bool QtMessageBoxes::Choose(const QString& text, const QString& yes, const QString& no) {
    return Run(text, {}, MessageIcon::Question, QMessageBox::Ok | QMessageBox::Cancel, {yes, no}) ==
           QMessageBox::Ok;
}

#pragma once

#include <QMessageBox>

#include "foundation/platform/message_boxes.h"

// Message boxes over QMessageBox, modal to the active window.
class QtMessageBoxes : public MessageBoxes {
  public:
    void Show(const QString& text, const QString& title = {},
              MessageIcon icon = MessageIcon::None) override;
    bool Choose(const QString& text, const QString& yes, const QString& no) override;
    bool Ask(const QString& text, const QString& title = {},
             MessageIcon icon = MessageIcon::None) override;

    static QMessageBox::Icon QtIcon(MessageIcon icon);
};

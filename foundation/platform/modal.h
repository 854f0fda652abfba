#pragma once

#include <QDialog>
#include <QPointer>

// A dialog made on the heap and run modally. Its owner may be deleted while it is up (a screen
// closed by the window system, or the program ending): the owner then deletes the dialog with
// it, and the dialog control that ran it may be gone as well, so after that nothing of either
// is touched. Otherwise the dialog is deleted here, once.
template <typename Dialog>
class Modal {
  public:
    explicit Modal(Dialog* dialog) : dialog_(dialog) {}
    ~Modal() { delete dialog_.data(); }
    Modal(const Modal&) = delete;
    Modal& operator=(const Modal&) = delete;

    Dialog* operator->() const { return dialog_.data(); }
    Dialog& operator*() const { return *dialog_; }

    // True when the operator confirmed and the dialog still exists to tell what was chosen.
    bool accepted() { return exec() == QDialog::Accepted; }
    // The dialog's answer; QDialog::Rejected when the dialog went with its owner.
    int exec() {
        const int answer = dialog_->exec();
        return dialog_ ? answer : int(QDialog::Rejected);
    }

  private:
    QPointer<Dialog> dialog_;
};

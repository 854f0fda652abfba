#pragma once
// The console's hold of the keyboard. Its keys act whatever widget of the console has the
// focus (a button, a check box, a slider), except while the operator types in a text box they
// clicked or tabbed into; Esc, or a click anywhere else on the console, gives the keys back.
// It watches the whole application rather than each control, so a text box added to the
// console later cannot take the keys for itself.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

class ConsoleKeyboard : public QObject {
    Q_OBJECT
  public:
    explicit ConsoleKeyboard(QWidget* console);

    // `key` (a Qt::Key, without modifiers; the keypad's count as the same key) runs `command`.
    void bind(int key, std::function<void()> command);

    // The text box the operator is typing in, or none.
    QWidget* typingIn() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // True when the key event was the console's to take.
    bool onKey(QEvent* event);
    void onFocusIn(QWidget* widget, Qt::FocusReason reason);
    void stopTyping();

    QWidget* console_;
    QHash<int, std::function<void()>> commands_;
    QPointer<QWidget> typingIn_;
    bool tabPressed_ = false;  // the focus moving next is the operator's own Tab
};

#pragma once
// A score box of the entry screen: every character shows as "*", and only digits and full
// stops get in, however they come (typed, composed, pasted, dropped). Anything else is
// refused whole: the box stays as it was and `refused` is emitted, once per attempt.
// Backspace, Delete and the keys that only move the cursor work as usual.

#include <QLineEdit>

class Clipboard;

class ScoreBox : public QLineEdit {
    Q_OBJECT
  public:
    // Pastes come from `clipboard`.
    explicit ScoreBox(Clipboard& clipboard, QWidget* parent = nullptr);

    // True when every character of `text` is one of "0" ... "9" or "."; so is the empty text.
    static bool Acceptable(const QString& text);

    // Puts the clipboard's text in place of the selection, or refuses it.
    void pasteChecked();

  signals:
    void refused();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // Inserts `text` over the selection when it is acceptable; refuses it otherwise.
    void insertChecked(const QString& text);

    Clipboard& clipboard_;
};

#include "console/console_keyboard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool TakesTyping(const QWidget* widget) {
    if (const auto* line = qobject_cast<const QLineEdit*>(widget)) {
        return !line->isReadOnly();
    }
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(widget)) {
        return !spin->isReadOnly();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        return combo->isEditable();
    }
    if (const auto* text = qobject_cast<const QTextEdit*>(widget)) {
        return !text->isReadOnly();
    }
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) {
        return !plain->isReadOnly();
    }
    return false;
}

// The text box `widget` is, or is part of (the line of a spin box or of an editable combo box
// counts as the box itself); none when it is no part of one.
QWidget* TextBoxOf(QWidget* widget) {
    QWidget* box = nullptr;
    for (; widget; widget = widget->parentWidget()) {
        if (TakesTyping(widget)) {
            box = widget;
        }
        if (widget->isWindow()) {
            break;
        }
    }
    return box;
}

bool IsDeliberate(Qt::FocusReason reason, bool tabPressed) {
    switch (reason) {
        case Qt::MouseFocusReason:
        case Qt::ShortcutFocusReason:
            return true;
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
            return tabPressed;
        default:
            return false;  // the window activated, a popup closed, the program moved it
    }
}

}  // namespace

ConsoleKeyboard::ConsoleKeyboard(QWidget* console) : QObject(console), console_(console) {
    qApp->installEventFilter(this);
}

void ConsoleKeyboard::bind(int key, std::function<void()> command) {
    commands_.insert(key, std::move(command));
}

QWidget* ConsoleKeyboard::typingIn() const {
    return typingIn_ && TextBoxOf(QApplication::focusWidget()) == typingIn_ ? typingIn_.data()
                                                                            : nullptr;
}

bool ConsoleKeyboard::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::FocusIn &&
        type != QEvent::MouseButtonPress) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != console_) {
        return false;
    }
    switch (type) {
        case QEvent::FocusIn:
            onFocusIn(widget, static_cast<QFocusEvent*>(event)->reason());
            return false;
        case QEvent::MouseButtonPress: {
            // A click anywhere but on the box being typed in (another box takes it over). Where
            // it was, not who got it: a press the box ignores goes on to the console itself.
            const QPointF at = static_cast<QMouseEvent*>(event)->globalPosition();
            if (typingIn_ && !typingIn_->rect().contains(typingIn_->mapFromGlobal(at).toPoint())) {
                stopTyping();
            }
            return false;
        }
        default:
            return onKey(event);
    }
}

bool ConsoleKeyboard::onKey(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool press = event->type() == QEvent::KeyPress;
    if (press) {
        tabPressed_ = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    }
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == 0;
    if (typingIn()) {
        if (key->key() != Qt::Key_Escape || !plain) {
            return false;  // typed into the box
        }
        if (press) {
            stopTyping();
        }
        return true;
    }
    const auto command = commands_.constFind(key->key());
    if (command == commands_.cend() || !plain) {
        return false;  // not a key of the console: whatever has the focus takes it
    }
    // Taken here, press and release, so no focused control acts on the key as well. A key held
    // down runs its command once.
    if (press && !key->isAutoRepeat()) {
        (*command)();
    }
    return true;
}

void ConsoleKeyboard::onFocusIn(QWidget* widget, Qt::FocusReason reason) {
    QWidget* box = TextBoxOf(widget);
    if (!box) {
        typingIn_ = nullptr;
        return;
    }
    if (IsDeliberate(reason, tabPressed_)) {
        typingIn_ = box;
        tabPressed_ = false;
        return;
    }
    // A box the focus landed in by itself (the first focus of the window) is not typed in:
    // it gives the focus up, so neither the keys nor its cursor seem to be its.
    if (box != typingIn_) {
        QMetaObject::invokeMethod(
            this,
            [this, box = QPointer<QWidget>(box)] {
                if (box && box != typingIn_ && box->hasFocus()) {
                    box->clearFocus();
                }
            },
            Qt::QueuedConnection);
    }
}

void ConsoleKeyboard::stopTyping() {
    QWidget* box = typingIn_;
    typingIn_ = nullptr;
    if (box && TextBoxOf(QApplication::focusWidget()) == box) {
        QApplication::focusWidget()->clearFocus();
    }
}

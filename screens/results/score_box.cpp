#include "screens/results/score_box.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragLeaveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

#include "foundation/platform/desktop.h"

ScoreBox::ScoreBox(Clipboard& clipboard, QWidget* parent)
    : QLineEdit(parent), clipboard_(clipboard) {
    setEchoMode(QLineEdit::Password);
    // The style's own mask is a dot on most desktops; the operator is used to "*".
    setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
}

bool ScoreBox::Acceptable(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
    });
}

void ScoreBox::insertChecked(const QString& text) {
    if (!Acceptable(text)) {
        emit refused();
        return;
    }
    // As the line edit's own paste: an empty clipboard still deletes the selection.
    if (!text.isEmpty() || hasSelectedText()) {
        insert(text);
    }
}

void ScoreBox::pasteChecked() {
    if (!isReadOnly()) {
        insertChecked(clipboard_.Text());
    }
}

void ScoreBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteChecked();
        event->accept();
        return;
    }
    // Editing and cursor keys carry no character, or one that is not typed into the box.
    const bool editing = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
    if (editing || event->text().isEmpty() || Acceptable(event->text())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Letters, Enter, Escape, control characters of shortcuts, double-byte characters.
    event->accept();
    emit refused();
}

void ScoreBox::inputMethodEvent(QInputMethodEvent* event) {
    if (Acceptable(event->commitString())) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The composition ends without leaving anything in the box.
    QInputMethodEvent nothing;
    QLineEdit::inputMethodEvent(&nothing);
    event->accept();
    emit refused();
}

void ScoreBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's paste is the action wired to the line edit's own, unchecked paste (by name
    // in this Qt, perhaps by pointer in another).
    for (QAction* action : menu->actions()) {
        const bool byName = disconnect(action, SIGNAL(triggered()), this, SLOT(paste()));
        const bool byPointer = disconnect(action, &QAction::triggered, this, &QLineEdit::paste);
        if (byName || byPointer) {
            connect(action, &QAction::triggered, this, &ScoreBox::pasteChecked);
            action->setEnabled(!isReadOnly() && !clipboard_.Text().isEmpty());
        }
    }
    menu->popup(event->globalPos());
}

void ScoreBox::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!data->hasText() || Acceptable(data->text())) {
        QLineEdit::dropEvent(event);
        return;
    }
    QDragLeaveEvent leave;
    QLineEdit::dragLeaveEvent(&leave);  // takes the drop caret away
    event->ignore();
    // After the drop has ended: a message box inside it would keep the drag source waiting.
    QMetaObject::invokeMethod(this, &ScoreBox::refused, Qt::QueuedConnection);
}

void ScoreBox::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the X11 selection.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        if (!isReadOnly()) {
            deselect();
            insertChecked(clipboard->text(QClipboard::Selection));
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

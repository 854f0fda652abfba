#pragma once
// Scripted dialogs: each kind answers from its own queue, and cancels once the queue is
// empty. Every dialog shown is recorded with what the screen had set on it.

#include <QList>
#include <QPointer>
#include <QWidget>
#include <optional>

#include "foundation/platform/dialogs.h"

enum class DialogKind { OpenFile, SaveFile, Colour, Font };

struct ShownDialog {
    DialogKind kind = DialogKind::OpenFile;
    QString owner;  // object name of the screen the dialog was made for
    QString title;
    QString filter;
    QString fileName;  // open: the previous answer; save: the proposed name
    bool accepted = false;
};

class FakeDialogs {
  public:
    void answerFile(const QString& path) { files << path; }
    void cancelFile() { files << std::nullopt; }
    void answerSave(const QString& path) { saves << path; }
    void cancelSave() { saves << std::nullopt; }
    void answerColour(quint32 colour) { colours << colour; }
    void cancelColour() { colours << std::nullopt; }
    void answerFont(const FontChoice& font) { fonts << font; }
    void cancelFont() { fonts << std::nullopt; }

    QList<ShownDialog> shown;

    QList<std::optional<QString>> files;
    QList<std::optional<QString>> saves;
    QList<std::optional<quint32>> colours;
    QList<std::optional<FontChoice>> fonts;
};

class FakeFileOpenDialog : public FileOpenDialog {
  public:
    FakeFileOpenDialog(FakeDialogs& script, QWidget* owner) : script_(script), owner_(owner) {}
    bool Show() override;

  private:
    FakeDialogs& script_;
    QPointer<QWidget> owner_;
};

class FakeSaveFileDialog : public SaveFileDialog {
  public:
    FakeSaveFileDialog(FakeDialogs& script, QWidget* owner) : script_(script), owner_(owner) {}
    bool Show() override;

  private:
    FakeDialogs& script_;
    QPointer<QWidget> owner_;
};

class FakeColourDialog : public ColourDialog {
  public:
    FakeColourDialog(FakeDialogs& script, QWidget* owner) : script_(script), owner_(owner) {}
    bool Show() override;

  private:
    FakeDialogs& script_;
    QPointer<QWidget> owner_;
};

class FakeFontDialog : public FontDialog {
  public:
    FakeFontDialog(FakeDialogs& script, QWidget* owner) : script_(script), owner_(owner) {}
    bool Show() override;

  private:
    FakeDialogs& script_;
    QPointer<QWidget> owner_;
};

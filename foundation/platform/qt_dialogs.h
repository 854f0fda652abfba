#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

#include "foundation/platform/dialogs.h"

// The dialog controls over Qt's own (non-native) dialogs: they match filters without regard
// to letter case, as the data folders need, and look the same on every desktop.

class QtFileOpenDialog : public FileOpenDialog {
  public:
    explicit QtFileOpenDialog(QWidget* owner) : owner_(owner) {}
    bool Show() override;

  private:
    QPointer<QWidget> owner_;
};

class QtSaveFileDialog : public SaveFileDialog {
  public:
    explicit QtSaveFileDialog(QWidget* owner) : owner_(owner) {}
    bool Show() override;

  private:
    QPointer<QWidget> owner_;
};

class QtColourDialog : public ColourDialog {
  public:
    explicit QtColourDialog(QWidget* owner) : owner_(owner) {}
    bool Show() override;

  private:
    QPointer<QWidget> owner_;
};

class QtFontDialog : public FontDialog {
  public:
    explicit QtFontDialog(QWidget* owner) : owner_(owner) {}
    bool Show() override;

  private:
    QPointer<QWidget> owner_;
};

#pragma once
// The file, save, colour and font dialogs of a screen, one object per dialog control. Each is
// stateful: it remembers its last answer as the desktop's common dialogs do. Show() is modal
// and returns false when the operator cancels; a cancelled dialog keeps its last answer.

#include <QString>
#include <QStringList>
#include <QtGlobal>

class QWidget;

// "desc|pattern|desc|pattern|" (patterns separated by ';') as Qt name filters, in order.
QStringList TranslateFilter(const QString& barFilter);

class FileOpenDialog {
  public:
    virtual ~FileOpenDialog() = default;
    QString filter;    // "jpg文件(*.jpg)|*.jpg|所有文件(*.*)|*.*|"; the first one preselected
    QString fileName;  // the full path of the last file chosen
    virtual bool Show() = 0;
};

class SaveFileDialog {
  public:
    virtual ~SaveFileDialog() = default;
    QString title;
    QString filter;
    QString fileName;  // proposed name in, confirmed full path out (no extension added)
    // Never asks before an existing file is replaced.
    virtual bool Show() = 0;
};

class ColourDialog {
  public:
    virtual ~ColourDialog() = default;
    quint32 colour = 0;  // Windows colour value of the last choice; black at first
    virtual bool Show() = 0;
};

struct FontChoice {
    QString face;
    float size = 0;
    bool bold = false;
    bool italic = false;
};

class FontDialog {
  public:
    virtual ~FontDialog() = default;
    FontChoice font;  // the last choice
    virtual bool Show() = 0;
};

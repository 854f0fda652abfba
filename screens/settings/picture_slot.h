#pragma once
// A file setting of a settings page: a read-only path box with an import and a remove button.
// The box shows the stored name in black, or in red what is missing; hovering over a picture's
// box previews the picture.

#include <QObject>
#include <QString>
#include <memory>

#include "foundation/stored_files.h"

class FileOpenDialog;
class QLineEdit;
class QPushButton;
class WizardWindow;

struct PictureSlotSetup {
    QString boxName;     // "Text6"
    QString importName;  // "Command4"
    QString removeName;  // "Command12"
    StoredFileRef setting;
    QString filter;
    QString missingText;  // shown in red when nothing usable is stored or nothing was chosen
    QString removedText;  // shown in red after a remove
    // A cancelled import leaves the key (false) or clears it (true); the file stays either way.
    bool cancelClearsKey = false;
    bool previews = true;  // the box previews its picture on hover
};

class PictureSlot : public QObject {
    Q_OBJECT
  public:
    PictureSlot(WizardWindow* page, PictureSlotSetup setup);
    ~PictureSlot() override;

    QLineEdit* box() const { return box_; }
    QPushButton* importButton() const { return import_; }
    QPushButton* removeButton() const { return remove_; }

    // The profile the slot works on (relative to AppDir); empty when there is none, and then
    // the buttons write nothing and `noProfileMessage` is shown instead.
    void setProfile(const QString& profile);
    void setNoProfileMessage(const QString& message) { noProfileMessage_ = message; }
    // The stored name in black when its file is there; otherwise the missing text in red.
    void refresh();
    // All three controls.
    void setEnabled(bool enabled);

  signals:
    void removed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void importFile();
    void removeFile();
    bool hasProfile();
    void show(const QString& text, bool missing);

    WizardWindow* page_;
    PictureSlotSetup setup_;
    QString noProfileMessage_;
    QLineEdit* box_;
    QPushButton* import_;
    QPushButton* remove_;
    std::unique_ptr<FileOpenDialog> dialog_;
};

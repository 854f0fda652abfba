#pragma once
// A sound setting of a settings page: an editable drop-down box offering "Default", "None" and
// "User-Defined". Choosing an entry from the list previews the sound, imports the operator's
// own file for "User-Defined", and writes the choice at once. The box is red while its
// "User-Defined" file is missing.

#include <QObject>
#include <QString>
#include <memory>

#include "foundation/cues.h"

class FileOpenDialog;
class MediaPlayer;
class QComboBox;
class WizardWindow;

struct SoundChooserSetup {
    QString boxName;  // "C3"
    CueSpec cue;
    QString profile;  // relative to AppDir; empty when the page has not chosen one yet
    QString section;
    QString filter;
};

class SoundChooser : public QObject {
    Q_OBJECT
  public:
    // `player` previews music; without one, the preview is a WAV cue.
    SoundChooser(WizardWindow* page, SoundChooserSetup setup, MediaPlayer* player = nullptr);
    ~SoundChooser() override;

    QComboBox* box() const { return box_; }

    void setProfile(const QString& profile);
    void setNoProfileMessage(const QString& message) { noProfileMessage_ = message; }
    // The stored choice as the box's text (empty included), red when it is "User-Defined" and
    // its file is missing, black otherwise.
    void load();

  private:
    void choose(int index);
    void preview(const QString& path);
    void setMissing(bool missing);

    WizardWindow* page_;
    SoundChooserSetup setup_;
    MediaPlayer* player_;
    QString noProfileMessage_;
    QComboBox* box_;
    std::unique_ptr<FileOpenDialog> dialog_;
};

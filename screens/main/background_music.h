#pragma once
// Background music of the main screen: any MP3 or WAV file picked in the file dialog (`Cg1`)
// plays from where it lies in the screen's player (`WP`), loops until stopped, and plays at
// the volume stored in "音量大小" of "\config\main.ini".

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "foundation/platform/platform.h"

class QWidget;

inline const QString kMusicFilter =
    QStringLiteral("mp3文件(*.mp3)|*.mp3|波形文件(*.wav)|*.wav|所有文件(*.*)|*.*|");

// The stored volume of "\config\main.ini" (VolumeValue).
std::optional<int> StoredMusicVolume(const QString& appDir);

class BackgroundMusic : public QObject {
    Q_OBJECT
  public:
    // The player and the dialog belong to `screen`; closing the screen's player ends the music.
    BackgroundMusic(AppContext& context, QWidget* screen);
    ~BackgroundMusic() override;

    // "打开▲": asks for a file and plays it. A cancelled dialog answers with the file it gave
    // last time, so that piece starts again from its beginning (nothing, the first time).
    void open();
    // "停止■": closes the player, which leaves nothing to loop.
    void stop();
    // The volume slider moved: the player takes the value and the profile stores it.
    void changeVolume(int volume);
    // The player takes `volume` without storing it (the screen loading its stored value).
    void applyVolume(int volume);

  private:
    AppContext& context_;
    MediaPlayer* player_;
    std::unique_ptr<FileOpenDialog> dialog_;
};

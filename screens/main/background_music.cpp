#include "screens/main/background_music.h"

#include <QWidget>

#include "foundation/foundation.h"

std::optional<int> StoredMusicVolume(const QString& appDir) {
    return VolumeValue(
        ReadProfileString(AppPath(appDir, kMainProfile), kConfigSection, MainKey::Volume));
}

BackgroundMusic::BackgroundMusic(AppContext& context, QWidget* screen)
    : QObject(screen),
      context_(context),
      player_(context.platform->NewMediaPlayer(screen)),
      dialog_(context.platform->NewFileOpenDialog(screen)) {
    player_->setObjectName(QStringLiteral("WP"));
    // Here the music always loops, whatever any profile says.
    new MusicLoop(player_, MusicLoop::Always(), this);
}

BackgroundMusic::~BackgroundMusic() = default;

void BackgroundMusic::open() {
    dialog_->filter = kMusicFilter;
    dialog_->Show();
    player_->setURL(dialog_->fileName);
}

void BackgroundMusic::stop() {
    player_->close();
}

void BackgroundMusic::changeVolume(int volume) {
    applyVolume(volume);
    WriteProfileString(AppPath(context_.appDir, kMainProfile), kConfigSection, MainKey::Volume,
                       QString::number(volume));
}

void BackgroundMusic::applyVolume(int volume) {
    player_->setVolume(volume);
}

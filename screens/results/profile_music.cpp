#include "screens/results/profile_music.h"

#include <QWidget>

#include "foundation/paths.h"
#include "foundation/profile_store.h"

ProfileMusic::ProfileMusic(const AppContext& context, QWidget* screen, const MusicSource& music)
    : QObject(screen),
      context_(context),
      music_(music),
      player_(context.platform->NewMediaPlayer(screen)) {
    player_->setObjectName(QStringLiteral("WP"));
    const QString appDir = context_.appDir;
    new MusicLoop(
        player_, [appDir, music] { return MusicLoops(appDir, music); }, this);
}

QString ProfileMusic::profilePath() const {
    return AppPath(context_.appDir, music_.profile);
}

void ProfileMusic::play() {
    if (const MusicStart start = ResolveMusicStart(context_.appDir, music_); start.touchPlayer) {
        player_->setURL(start.url);
    }
}

void ProfileMusic::stop() {
    player_->close();
}

void ProfileMusic::changeVolume(int volume) {
    applyVolume(volume);
    WriteProfileString(profilePath(), kConfigSection, music_.volumeKey, QString::number(volume));
}

void ProfileMusic::applyVolume(int volume) {
    player_->setVolume(volume);
}

std::optional<int> ProfileMusic::storedVolume() const {
    return VolumeValue(ReadProfileString(profilePath(), kConfigSection, music_.volumeKey));
}

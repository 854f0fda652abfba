#pragma once
// The music of the announcement and the ceremony: the screen's player `WP` plays what the
// screen's music profile chooses, loops while that profile says "循环播放" is 1 (asked each
// time the piece ends), and plays at the volume the profile keeps.

#include <QObject>
#include <optional>

#include "foundation/cues.h"
#include "foundation/platform/platform.h"

class ProfileMusic : public QObject {
    Q_OBJECT
  public:
    // The player belongs to `screen`; closing the screen ends the music.
    ProfileMusic(const AppContext& context, QWidget* screen, const MusicSource& music);

    // Play: the chosen piece from its beginning; "None" silences the player; any other
    // choice word leaves it as it is.
    void play();
    // Stop: the player closes, which leaves nothing to loop.
    void stop();
    // The volume slider moved: the player takes the value and the profile keeps it.
    void changeVolume(int volume);
    // The player takes `volume` without storing it.
    void applyVolume(int volume);
    // "音量大小" when it is a whole number in 0..100 (VolumeValue).
    std::optional<int> storedVolume() const;

    MediaPlayer* player() const { return player_; }

  private:
    QString profilePath() const;

    AppContext context_;
    MusicSource music_;
    MediaPlayer* player_;
};

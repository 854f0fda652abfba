#pragma once

#include <QMediaPlayer>

#include "foundation/platform/media_player.h"

class QAudioOutput;

// The music player `WP` over QMediaPlayer. Only a piece that reaches its end, or close(),
// reports Stopped: switching to another piece does not, and neither does a file that cannot
// be opened, so a looping screen never keeps retrying a broken file.
class QtMediaPlayer : public MediaPlayer {
    Q_OBJECT
  public:
    explicit QtMediaPlayer(QObject* parent = nullptr);
    ~QtMediaPlayer() override;

    void setURL(const QString& path) override;
    QString URL() const override { return url_; }
    void close() override;
    void play() override;
    void setVolume(int volume) override;
    int volume() const override { return volume_; }
    PlayState playState() const override { return state_; }

    QAudioOutput* audioOutput() const { return output_; }

    // The player's own volume scale (0..100, as the slider gives it) to QAudioOutput's linear
    // factor: the slider is meant to sound even, so it is taken as a logarithmic scale.
    static float LinearVolume(int volume);

  private:
    void onPlaybackStateChanged(QMediaPlayer::PlaybackState state);
    void onMediaStatusChanged(QMediaPlayer::MediaStatus status);
    void onError(QMediaPlayer::Error error);
    void failed();
    void dropMedia();
    void setState(PlayState state);

    QMediaPlayer* player_;
    QAudioOutput* output_;
    QString url_;
    bool hasMedia_ = false;  // false after close() and after a failed open
    bool switching_ = false;
    quint64 piece_ = 0;  // bumped on every open and close, to drop late notifications
    int volume_ = 100;
    PlayState state_ = Undefined;
};

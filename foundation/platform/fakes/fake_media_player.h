#pragma once

#include <QStringList>

#include "foundation/platform/media_player.h"

// A music player that plays nothing and keeps a record. It reports play states as the real
// one does: 3 when a piece starts, 1 when it ends (finishPiece) or is closed while playing;
// switching pieces and opening an unplayable file report nothing.
class FakeMediaPlayer : public MediaPlayer {
    Q_OBJECT
  public:
    using MediaPlayer::MediaPlayer;

    void setURL(const QString& path) override;
    QString URL() const override { return url_; }
    void close() override;
    void play() override;
    void setVolume(int volume) override;
    int volume() const override { return volume_; }
    PlayState playState() const override { return state_; }

    // The current piece plays to its end.
    void finishPiece();
    bool hasMedia() const { return hasMedia_; }

    // Paths that behave like files the player cannot open.
    QStringList unplayable;

    // Every call in order: "URL=<path>", "close", "play", "volume=<n>".
    QStringList calls;
    QStringList urls;  // every path given to setURL, in order
    int playCalls = 0;
    int closeCalls = 0;

  private:
    void stop();
    void setState(PlayState state);

    QString url_;
    bool hasMedia_ = false;
    int volume_ = 100;
    PlayState state_ = Undefined;
};

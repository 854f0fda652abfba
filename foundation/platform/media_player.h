#pragma once

#include <QObject>
#include <QString>

// The embedded music player of a music screen (`WP`). Play states are numbered as the
// screens expect them: 1 stopped (end of a piece, or after close), 2 paused, 3 playing.
class MediaPlayer : public QObject {
    Q_OBJECT
  public:
    enum PlayState { Undefined = 0, Stopped = 1, Paused = 2, Playing = 3 };

    using QObject::QObject;
    ~MediaPlayer() override = default;

    // Opens `path` and starts it at once from the beginning; the empty text closes.
    virtual void setURL(const QString& path) = 0;
    virtual QString URL() const = 0;
    // Stops and closes the current media; a closed player has nothing to play.
    virtual void close() = 0;
    // Plays the current media again from its position (from the start after its end).
    virtual void play() = 0;
    // 0 (silent) .. 100 (full).
    virtual void setVolume(int volume) = 0;
    virtual int volume() const = 0;
    virtual PlayState playState() const = 0;

  signals:
    void PlayStateChange(int newState);
};

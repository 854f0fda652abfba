#pragma once

#include <QObject>
#include <functional>

class MediaPlayer;

// Loops a music screen's player: whenever it reports stopped and `shouldLoop` says so, it
// plays the same piece again. A closed player has no media, so it stays silent.
class MusicLoop : public QObject {
    Q_OBJECT
  public:
    MusicLoop(MediaPlayer* player, std::function<bool()> shouldLoop, QObject* parent = nullptr);

    static std::function<bool()> Always();

  private:
    void onPlayStateChange(int state);

    MediaPlayer* player_;
    std::function<bool()> shouldLoop_;
};

#pragma once

#include <QObject>

#include "foundation/platform/wave_player.h"

class QSoundEffect;

// WAV cues over QSoundEffect. Each cue gets a fresh effect, so a file replaced on disk under
// the same name is heard as it is now, and the effect of the previous cue is stopped first.
class QtWavePlayer : public QObject, public WavePlayer {
    Q_OBJECT
  public:
    explicit QtWavePlayer(QObject* parent = nullptr);
    ~QtWavePlayer() override;

    void PlayWave(const QString& path) override;

    // True from the start of a cue until it has played out, been cut off or failed to decode.
    bool isPlaying() const { return playing_; }

  signals:
    void playingChanged(bool playing);

  private:
    void stopCurrent();
    void followEffect(QSoundEffect* effect);
    void setPlaying(bool playing);

    QSoundEffect* effect_ = nullptr;
    bool playing_ = false;
    int inEffectSignal_ = 0;
};

// True when the file starts like a RIFF/WAVE file; anything else is not worth decoding.
bool LooksLikeWave(const QString& path);

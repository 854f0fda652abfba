#pragma once

#include <QString>

// Short WAV cues. PlayWave returns at once; a new sound cuts the one still playing. An empty
// path, a missing or unreadable file, or no audio device: silence, never a message or a beep.
class WavePlayer {
  public:
    virtual ~WavePlayer() = default;
    virtual void PlayWave(const QString& path) = 0;
};

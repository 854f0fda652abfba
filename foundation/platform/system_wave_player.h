#pragma once

#include <memory>

#include "foundation/platform/wave_player.h"

// The machine's own WAV cue player: Qt Multimedia's on Linux, the system's PlaySound on
// Windows, as the desktop's own programs play their cues.
std::unique_ptr<WavePlayer> NewSystemWavePlayer();

#include "foundation/platform/system_wave_player.h"

#include "foundation/platform/qt_wave_player.h"

std::unique_ptr<WavePlayer> NewSystemWavePlayer() {
    return std::make_unique<QtWavePlayer>();
}

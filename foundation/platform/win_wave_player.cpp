#include <windows.h>
// after windows.h
#include <mmsystem.h>

#include <QDir>
#include <QFileInfo>

#include "foundation/platform/qt_wave_player.h"
#include "foundation/platform/system_wave_player.h"

namespace {

// PlaySound plays one sound per process: a new one cuts the one sounding, and the system
// decodes and plays it on its own thread. SND_NODEFAULT keeps a missing file or device silent
// instead of the system's beep.
class WinWavePlayer : public WavePlayer {
  public:
    ~WinWavePlayer() override { PlaySoundW(nullptr, nullptr, 0); }

    void PlayWave(const QString& path) override {
        const QFileInfo info(path);
        if (path.isEmpty() || !info.isFile() || !info.isReadable() || !LooksLikeWave(path)) {
            // Every call ends the cue still sounding, even one that itself plays nothing.
            PlaySoundW(nullptr, nullptr, 0);
            return;
        }
        const std::wstring native =
            QDir::toNativeSeparators(info.absoluteFilePath()).toStdWString();
        PlaySoundW(native.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
    }
};

}  // namespace

std::unique_ptr<WavePlayer> NewSystemWavePlayer() {
    return std::make_unique<WinWavePlayer>();
}

#include "foundation/platform/music_loop.h"

#include "foundation/platform/media_player.h"

MusicLoop::MusicLoop(MediaPlayer* player, std::function<bool()> shouldLoop, QObject* parent)
    : QObject(parent), player_(player), shouldLoop_(std::move(shouldLoop)) {
    if (player_) {
        connect(player_, &MediaPlayer::PlayStateChange, this, &MusicLoop::onPlayStateChange);
    }
}

std::function<bool()> MusicLoop::Always() {
    return [] { return true; };
}

void MusicLoop::onPlayStateChange(int state) {
    if (state != MediaPlayer::Stopped || !player_) {
        return;
    }
    // Asked at every end, so a check box changed while the piece plays counts at once.
    if (shouldLoop_ && shouldLoop_()) {
        player_->play();
    }
}

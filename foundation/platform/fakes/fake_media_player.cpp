#include "foundation/platform/fakes/fake_media_player.h"

void FakeMediaPlayer::setURL(const QString& path) {
    calls << QStringLiteral("URL=") + path;
    urls << path;
    if (path.isEmpty()) {
        stop();
        return;
    }
    url_ = path;
    hasMedia_ = !unplayable.contains(path);
    if (!hasMedia_) {
        state_ = Stopped;
        return;
    }
    setState(Playing);
}

void FakeMediaPlayer::close() {
    calls << QStringLiteral("close");
    ++closeCalls;
    stop();
}

void FakeMediaPlayer::play() {
    calls << QStringLiteral("play");
    ++playCalls;
    if (hasMedia_) {
        setState(Playing);
    }
}

void FakeMediaPlayer::setVolume(int volume) {
    calls << QStringLiteral("volume=%1").arg(volume);
    volume_ = qBound(0, volume, 100);
}

void FakeMediaPlayer::finishPiece() {
    if (hasMedia_ && state_ == Playing) {
        setState(Stopped);
    }
}

void FakeMediaPlayer::stop() {
    url_.clear();
    const bool hadMedia = hasMedia_;
    hasMedia_ = false;
    if (hadMedia && state_ != Stopped) {
        setState(Stopped);
    } else {
        state_ = Stopped;
    }
}

void FakeMediaPlayer::setState(PlayState state) {
    if (state_ == state) {
        return;
    }
    state_ = state;
    emit PlayStateChange(int(state));
}

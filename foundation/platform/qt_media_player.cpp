#include "foundation/platform/qt_media_player.h"

#include <QAudio>
#include <QAudioOutput>
#include <QFileInfo>
#include <QUrl>

namespace {

QUrl SourceUrl(const QString& path) {
    if (path.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
        path.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)) {
        return QUrl(path);
    }
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}

bool IsOpenableLocalFile(const QString& path) {
    const QUrl url = SourceUrl(path);
    if (!url.isLocalFile()) {
        return true;
    }
    const QFileInfo info(url.toLocalFile());
    return info.isFile() && info.isReadable();
}

}  // namespace

QtMediaPlayer::QtMediaPlayer(QObject* parent)
    : MediaPlayer(parent), player_(new QMediaPlayer(this)), output_(new QAudioOutput(this)) {
    player_->setAudioOutput(output_);
    output_->setVolume(LinearVolume(volume_));
    connect(player_, &QMediaPlayer::playbackStateChanged, this,
            &QtMediaPlayer::onPlaybackStateChanged);
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, &QtMediaPlayer::onMediaStatusChanged);
    connect(player_, &QMediaPlayer::errorOccurred, this, &QtMediaPlayer::onError);
}

QtMediaPlayer::~QtMediaPlayer() {
    player_->disconnect(this);
}

float QtMediaPlayer::LinearVolume(int volume) {
    // Qt's logarithmic scale reaches full amplitude at 0.99 already; squeezed into 0..0.99
    // every step of the slider is heard.
    const qreal level = qBound(0, volume, 100) / 100.0 * 0.99;
    return float(
        QAudio::convertVolume(level, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale));
}

void QtMediaPlayer::setURL(const QString& path) {
    if (path.isEmpty()) {
        close();
        return;
    }
    ++piece_;
    url_ = path;
    switching_ = true;
    // Through an empty source, so that the same path given again is read afresh and starts
    // from its beginning.
    player_->stop();
    player_->setSource(QUrl());
    hasMedia_ = IsOpenableLocalFile(path);
    if (hasMedia_) {
        player_->setSource(SourceUrl(path));
    }
    switching_ = false;
    if (!hasMedia_) {
        state_ = Stopped;
        return;
    }
    player_->play();
}

void QtMediaPlayer::close() {
    ++piece_;
    const bool hadMedia = hasMedia_;
    url_.clear();
    dropMedia();
    if (hadMedia && state_ != Stopped) {
        setState(Stopped);
    } else {
        state_ = Stopped;
    }
}

void QtMediaPlayer::play() {
    if (!hasMedia_) {
        return;
    }
    if (player_->mediaStatus() == QMediaPlayer::EndOfMedia) {
        player_->setPosition(0);
    }
    player_->play();
}

void QtMediaPlayer::setVolume(int volume) {
    volume_ = qBound(0, volume, 100);
    output_->setVolume(LinearVolume(volume_));
}

void QtMediaPlayer::onPlaybackStateChanged(QMediaPlayer::PlaybackState state) {
    if (switching_ || !hasMedia_) {
        return;
    }
    switch (state) {
        case QMediaPlayer::PlayingState:
            setState(Playing);
            break;
        case QMediaPlayer::PausedState:
            setState(Paused);
            break;
        case QMediaPlayer::StoppedState:
            // Reported through EndOfMedia: a stop here may also be a failure or a switch.
            break;
    }
}

void QtMediaPlayer::onMediaStatusChanged(QMediaPlayer::MediaStatus status) {
    if (switching_ || !hasMedia_) {
        return;
    }
    if (status == QMediaPlayer::InvalidMedia) {
        failed();
        return;
    }
    if (status != QMediaPlayer::EndOfMedia) {
        return;
    }
    // Reported from the event loop rather than from inside the backend's own notification,
    // so a looping screen's play() never re-enters the backend, and each round of a loop
    // lets the user interface breathe.
    const quint64 piece = piece_;
    QMetaObject::invokeMethod(
        this,
        [this, piece] {
            if (piece == piece_ && hasMedia_ && state_ != Stopped &&
                player_->mediaStatus() == QMediaPlayer::EndOfMedia) {
                setState(Stopped);
            }
        },
        Qt::QueuedConnection);
}

void QtMediaPlayer::onError(QMediaPlayer::Error error) {
    if (error == QMediaPlayer::NoError || switching_ || !hasMedia_) {
        return;
    }
    failed();
}

void QtMediaPlayer::failed() {
    // A file that cannot be played plays nothing and reports nothing. The backend is told to
    // let go of it from the event loop, not from inside its own notification.
    hasMedia_ = false;
    state_ = Stopped;
    const quint64 piece = piece_;
    QMetaObject::invokeMethod(
        this,
        [this, piece] {
            if (piece == piece_ && !hasMedia_) {
                dropMedia();
            }
        },
        Qt::QueuedConnection);
}

void QtMediaPlayer::dropMedia() {
    hasMedia_ = false;
    switching_ = true;
    player_->stop();
    player_->setSource(QUrl());
    switching_ = false;
}

void QtMediaPlayer::setState(PlayState state) {
    if (state_ == state) {
        return;
    }
    state_ = state;
    emit PlayStateChange(int(state));
}

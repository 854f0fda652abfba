#include "foundation/platform/qt_wave_player.h"

#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

bool LooksLikeWave(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray head = file.read(12);
    return head.size() == 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
}

QtWavePlayer::QtWavePlayer(QObject* parent) : QObject(parent) {}

QtWavePlayer::~QtWavePlayer() {
    if (effect_) {
        effect_->disconnect(this);
        effect_->stop();
    }
}

void QtWavePlayer::PlayWave(const QString& path) {
    // Every call ends the cue still sounding, even one that itself plays nothing.
    stopCurrent();
    if (path.isEmpty()) {
        return;
    }
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable() || !LooksLikeWave(path)) {
        return;
    }
    // Without an output an effect would pretend to play for a while; stay silent instead.
    if (QMediaDevices::audioOutputs().isEmpty()) {
        return;
    }
    effect_ = new QSoundEffect(this);
    followEffect(effect_);
    effect_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    effect_->play();
    setPlaying(effect_->isPlaying() && effect_->status() != QSoundEffect::Error);
}

void QtWavePlayer::followEffect(QSoundEffect* effect) {
    // QSoundEffect keeps isPlaying() true after a decoding error, so the status counts too.
    const auto update = [this, effect] {
        if (effect != effect_) {
            return;
        }
        ++inEffectSignal_;
        setPlaying(effect->isPlaying() && effect->status() != QSoundEffect::Error);
        --inEffectSignal_;
    };
    connect(effect, &QSoundEffect::playingChanged, this, update);
    connect(effect, &QSoundEffect::statusChanged, this, update);
}

void QtWavePlayer::stopCurrent() {
    if (!effect_) {
        return;
    }
    QSoundEffect* old = std::exchange(effect_, nullptr);
    old->disconnect(this);
    old->stop();
    // Deleting now releases the decoded sample at once; not while the old effect is still
    // emitting one of its own signals on this call stack.
    if (inEffectSignal_ > 0) {
        old->deleteLater();
    } else {
        delete old;
    }
    setPlaying(false);
}

void QtWavePlayer::setPlaying(bool playing) {
    if (playing_ == playing) {
        return;
    }
    playing_ = playing;
    emit playingChanged(playing);
}

#include "foundation/platform/qt_platform.h"

#include "foundation/platform/qt_dialogs.h"
#include "foundation/platform/qt_media_player.h"
#include "foundation/platform/qt_network.h"
#include "foundation/platform/system_wave_player.h"

QtPlatform::QtPlatform(const QString& appDir) : wave_(NewSystemWavePlayer()), instance_(appDir) {}

QtPlatform::~QtPlatform() = default;

MediaPlayer* QtPlatform::NewMediaPlayer(QObject* parent) {
    return new QtMediaPlayer(parent);
}

void QtPlatform::WarmUpMedia() {
    // The first player loads the backend and opens the audio device; once done, later
    // players start at once. Nothing is played.
    QtMediaPlayer first;
}

PageFetcher* QtPlatform::NewPageFetcher(QObject* parent) {
    return new QtPageFetcher(parent);
}

bool QtPlatform::Online() {
    return NetworkOnline();
}

std::unique_ptr<FileOpenDialog> QtPlatform::NewFileOpenDialog(QWidget* owner) {
    return std::make_unique<QtFileOpenDialog>(owner);
}

std::unique_ptr<SaveFileDialog> QtPlatform::NewSaveFileDialog(QWidget* owner) {
    return std::make_unique<QtSaveFileDialog>(owner);
}

std::unique_ptr<ColourDialog> QtPlatform::NewColourDialog(QWidget* owner) {
    return std::make_unique<QtColourDialog>(owner);
}

std::unique_ptr<FontDialog> QtPlatform::NewFontDialog(QWidget* owner) {
    return std::make_unique<QtFontDialog>(owner);
}

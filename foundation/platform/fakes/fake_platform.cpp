#include "foundation/platform/fakes/fake_platform.h"

MediaPlayer* FakePlatform::NewMediaPlayer(QObject* parent) {
    auto* player = new FakeMediaPlayer(parent);
    mediaPlayers << player;
    return player;
}

std::unique_ptr<FileOpenDialog> FakePlatform::NewFileOpenDialog(QWidget* owner) {
    return std::make_unique<FakeFileOpenDialog>(dialogs, owner);
}

std::unique_ptr<SaveFileDialog> FakePlatform::NewSaveFileDialog(QWidget* owner) {
    return std::make_unique<FakeSaveFileDialog>(dialogs, owner);
}

std::unique_ptr<ColourDialog> FakePlatform::NewColourDialog(QWidget* owner) {
    return std::make_unique<FakeColourDialog>(dialogs, owner);
}

std::unique_ptr<FontDialog> FakePlatform::NewFontDialog(QWidget* owner) {
    return std::make_unique<FakeFontDialog>(dialogs, owner);
}

FakeMediaPlayer* FakePlatform::mediaPlayer() const {
    for (auto it = mediaPlayers.crbegin(); it != mediaPlayers.crend(); ++it) {
        if (*it) {
            return it->data();
        }
    }
    return nullptr;
}

PageFetcher* FakePlatform::NewPageFetcher(QObject* parent) {
    pageFetcher_ = new FakePageFetcher(parent);
    return pageFetcher_;
}

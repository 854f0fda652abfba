#pragma once

#include <QList>
#include <QPointer>

#include "foundation/platform/fakes/fake_dialogs.h"
#include "foundation/platform/fakes/fake_media_player.h"
#include "foundation/platform/fakes/fake_page_fetcher.h"
#include "foundation/platform/fakes/fake_services.h"
#include "foundation/platform/platform.h"

// The platform for screen tests: nothing reaches the machine, everything is recorded, and
// the operator's answers to messages and dialogs are scripted beforehand.
class FakePlatform : public Platform {
  public:
    WavePlayer& Wave() override { return wave; }
    MessageBoxes& Messages() override { return messages; }
    DesktopOpener& Desktop() override { return desktop; }
    Clipboard& ClipboardText() override { return clipboard; }
    InstanceLock& Instance() override { return instance; }

    MediaPlayer* NewMediaPlayer(QObject* parent) override;
    void WarmUpMedia() override { ++mediaWarmUps; }
    PageFetcher* NewPageFetcher(QObject* parent) override;
    bool Online() override { return online; }
    std::unique_ptr<FileOpenDialog> NewFileOpenDialog(QWidget* owner) override;
    std::unique_ptr<SaveFileDialog> NewSaveFileDialog(QWidget* owner) override;
    std::unique_ptr<ColourDialog> NewColourDialog(QWidget* owner) override;
    std::unique_ptr<FontDialog> NewFontDialog(QWidget* owner) override;

    // The most recently made player still alive, or null.
    FakeMediaPlayer* mediaPlayer() const;

    FakeWavePlayer wave;
    FakeMessageBoxes messages;
    FakeDesktopOpener desktop;
    FakeClipboard clipboard;
    FakeInstanceLock instance;
    FakeDialogs dialogs;
    // Every player made, in order; an entry turns null when its screen has gone.
    QList<QPointer<FakeMediaPlayer>> mediaPlayers;
    int mediaWarmUps = 0;
    bool online = true;
    // The most recently made page fetcher still alive, or null.
    FakePageFetcher* pageFetcher() const { return pageFetcher_; }

  private:
    QPointer<FakePageFetcher> pageFetcher_;
};

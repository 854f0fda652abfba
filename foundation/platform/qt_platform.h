#pragma once

#include <memory>

#include "foundation/platform/platform.h"
#include "foundation/platform/qt_desktop.h"
#include "foundation/platform/qt_message_boxes.h"
#include "foundation/platform/wave_player.h"

// The machine's own services, for the program.
class QtPlatform : public Platform {
  public:
    explicit QtPlatform(const QString& appDir);
    ~QtPlatform() override;

    WavePlayer& Wave() override { return *wave_; }
    MessageBoxes& Messages() override { return messages_; }
    DesktopOpener& Desktop() override { return desktop_; }
    Clipboard& ClipboardText() override { return clipboard_; }
    InstanceLock& Instance() override { return instance_; }

    MediaPlayer* NewMediaPlayer(QObject* parent) override;
    void WarmUpMedia() override;
    PageFetcher* NewPageFetcher(QObject* parent) override;
    bool Online() override;
    std::unique_ptr<FileOpenDialog> NewFileOpenDialog(QWidget* owner) override;
    std::unique_ptr<SaveFileDialog> NewSaveFileDialog(QWidget* owner) override;
    std::unique_ptr<ColourDialog> NewColourDialog(QWidget* owner) override;
    std::unique_ptr<FontDialog> NewFontDialog(QWidget* owner) override;

  private:
    std::unique_ptr<WavePlayer> wave_;
    QtMessageBoxes messages_;
    QtDesktopOpener desktop_;
    QtClipboard clipboard_;
    QtInstanceLock instance_;
};

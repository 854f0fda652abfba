#pragma once
// What a screen needs from the machine, handed to every screen through one context.

#include <QString>
#include <memory>

#include "foundation/platform/desktop.h"
#include "foundation/platform/dialogs.h"
#include "foundation/platform/media_player.h"
#include "foundation/platform/message_boxes.h"
#include "foundation/platform/music_loop.h"
#include "foundation/platform/network.h"
#include "foundation/platform/wave_player.h"

class Navigator;
class QObject;
class QWidget;
class SetupApplying;

class Platform {
  public:
    virtual ~Platform() = default;

    virtual WavePlayer& Wave() = 0;
    virtual MessageBoxes& Messages() = 0;
    virtual DesktopOpener& Desktop() = 0;
    virtual Clipboard& ClipboardText() = 0;
    virtual InstanceLock& Instance() = 0;

    // One per music screen; owned by `parent`.
    virtual MediaPlayer* NewMediaPlayer(QObject* parent) = 0;
    // Readies the media backend, whose first player would otherwise stall the screen that
    // starts music first. Call it where a pause does not show.
    virtual void WarmUpMedia() = 0;
    // The settings home's hidden browser; owned by `parent`.
    virtual PageFetcher* NewPageFetcher(QObject* parent) = 0;
    // Whether the machine is connected to a network (true when the system cannot tell).
    virtual bool Online() = 0;
    // One per dialog control of a screen; `owner` is the screen the dialog is modal to.
    virtual std::unique_ptr<FileOpenDialog> NewFileOpenDialog(QWidget* owner) = 0;
    virtual std::unique_ptr<SaveFileDialog> NewSaveFileDialog(QWidget* owner) = 0;
    virtual std::unique_ptr<ColourDialog> NewColourDialog(QWidget* owner) = 0;
    virtual std::unique_ptr<FontDialog> NewFontDialog(QWidget* owner) = 0;
};

// Everything a screen is given: the program folder, the platform services, the way to other
// screens and whether a setup's files are being put in place (nothing launches meanwhile).
// Whoever makes the context owns what it points to.
struct AppContext {
    QString appDir;
    Platform* platform = nullptr;
    Navigator* navigator = nullptr;
    SetupApplying* setupApplying = nullptr;
};

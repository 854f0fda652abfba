#pragma once
// Recording stand-ins for the small platform services.

#include <QList>
#include <QStringList>

#include "foundation/platform/desktop.h"
#include "foundation/platform/message_boxes.h"
#include "foundation/platform/wave_player.h"

class FakeWavePlayer : public WavePlayer {
  public:
    void PlayWave(const QString& path) override;

    QStringList calls;   // every path given, as given (empty ones too)
    QStringList played;  // the calls that named an existing file: what would have been heard
};

struct ShownMessage {
    QString text;
    QString title;  // as the box shows it: "debaclock" when the caller gave none
    MessageIcon icon = MessageIcon::None;
    bool withCancel = false;
    bool answer = true;  // OK
};

class FakeMessageBoxes : public MessageBoxes {
  public:
    void Show(const QString& text, const QString& title = {},
              MessageIcon icon = MessageIcon::None) override;
    bool Ask(const QString& text, const QString& title = {},
             MessageIcon icon = MessageIcon::None) override;
    // Answered from `answers` as Ask is; the captions are kept in the shown message's title.
    bool Choose(const QString& text, const QString& yes, const QString& no) override;

    QStringList texts() const;

    QList<ShownMessage> shown;
    QList<bool> answers;  // the next answers to Ask, true for OK; OK once they run out
};

class FakeDesktopOpener : public DesktopOpener {
  public:
    bool Open(const QString& fileOrUrl) override;
    void ShowHelp(const QString& helpFile) override { help << helpFile; }

    QStringList opened;
    QStringList help;  // every help file shown
    bool succeeds = true;
};

class FakeClipboard : public Clipboard {
  public:
    void SetText(const QString& text) override { this->text = text; }
    QString Text() const override { return text; }

    QString text;
};

class FakeInstanceLock : public InstanceLock {
  public:
    Result TryLock() override;

    Result result = Result::Acquired;
    int attempts = 0;
};

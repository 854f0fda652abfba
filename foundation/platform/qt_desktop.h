#pragma once

#include <QString>
#include <memory>

#include "foundation/platform/desktop.h"

class QLockFile;

// Opens through QDesktopServices; where Qt's platform offers no desktop services (offscreen,
// a bare window manager) it starts `xdg-open` itself. Never waits for the opened program.
class QtDesktopOpener : public DesktopOpener {
  public:
    bool Open(const QString& fileOrUrl) override;
    // The help is a page: the desktop's browser shows it.
    void ShowHelp(const QString& helpFile) override { Open(helpFile); }
};

class QtClipboard : public Clipboard {
  public:
    void SetText(const QString& text) override;
    QString Text() const override;
};

// A QLockFile in a per-user folder, named after the program folder, so that copies of the
// program in different folders do not exclude each other. The lock is judged stale by its
// owner's process id only, so a copy that crashed never blocks the next start.
class QtInstanceLock : public InstanceLock {
  public:
    // `lockFolder` empty: the user's runtime folder, or the temporary folder without one.
    explicit QtInstanceLock(const QString& appDir, const QString& lockFolder = {});
    ~QtInstanceLock() override;

    Result TryLock() override;
    QString lockFilePath() const { return path_; }

  private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

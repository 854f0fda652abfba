#pragma once

#include <QString>

// Opens a file or a web address with the desktop's associated program, without waiting.
class DesktopOpener {
  public:
    virtual ~DesktopOpener() = default;
    virtual bool Open(const QString& fileOrUrl) = 0;
    // Shows the program's help file in the desktop's viewer for it.
    virtual void ShowHelp(const QString& helpFile) = 0;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void SetText(const QString& text) = 0;
    virtual QString Text() const = 0;
};

// Refuses a second running copy of the program. A lock left by a copy that crashed does not
// block the next start.
class InstanceLock {
  public:
    enum class Result {
        Acquired,       // this process holds the lock now (or held it already)
        HeldElsewhere,  // another running copy holds it
        Unavailable,    // no lock can be made here (a folder that cannot be written...)
    };
    virtual ~InstanceLock() = default;
    virtual Result TryLock() = 0;
};

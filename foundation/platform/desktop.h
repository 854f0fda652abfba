#pragma once

#include <QString>

// Opens a file or a web address with the desktop's associated program, without waiting.
class DesktopOpener {
  public:
    virtual ~DesktopOpener() = default;
    virtual bool Open(const QString& fileOrUrl) = 0;
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
    virtual ~InstanceLock() = default;
    // True when this process now holds the lock (or already held it).
    virtual bool TryLock() = 0;
};

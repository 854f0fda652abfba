#pragma once

#include <QByteArray>
#include <QString>

// What the check needs from the machine. The real one is QtControlSystem; tests give a fake
// whose system folder is a temporary one.
class ControlSystem {
  public:
    enum class MessageKind { Information, Warning };

    virtual ~ControlSystem() = default;
    // True when another copy of the tool runs for this user; the first copy keeps its claim
    // until this object goes.
    virtual bool AnotherCopyRunning() = 0;
    // The folder Qt loads its catalogues from.
    virtual QString SystemFolder() = 0;
    // The catalogue the tool carries, byte for byte.
    virtual QByteArray EmbeddedCopy() = 0;
    // A modal message with an OK button, titled with the tool's title.
    virtual void ShowMessage(const QString& text, MessageKind kind) = 0;
};

#pragma once

#include <QLockFile>
#include <memory>

#include "control_system.h"

inline constexpr char kToolTitle[] = "debaclock-ctlcheck";

class QtControlSystem : public ControlSystem {
  public:
    bool AnotherCopyRunning() override;
    QString SystemFolder() override;
    QByteArray EmbeddedCopy() override;
    void ShowMessage(const QString& text, MessageKind kind) override;

  private:
    std::unique_ptr<QLockFile> claim_;
};

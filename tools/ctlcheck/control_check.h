#pragma once

#include <QObject>
#include <memory>

#include "control_system.h"
#include "form1.h"

inline constexpr char kCatalogueName[] = "qtbase_zh_CN.qm";

// Makes sure Qt's Chinese dialog catalogue is in Qt's translations folder, writing out the copy
// the tool carries when it is not, and reports the outcome in one message.
class ControlCheck : public QObject {
    Q_OBJECT
  public:
    enum ExitStatus { Fine = 0, NotWritten = 1, AlreadyRunning = 2 };
    // About a second for the whole file: long enough for the bar to be seen filling.
    static constexpr int kBlockPauseMs = 15;

    explicit ControlCheck(ControlSystem& system, int blockPauseMs = kBlockPauseMs);
    ~ControlCheck() override;

    // Runs the check; Finished reports how it ended.
    void Start();
    Form1& Window() { return *form_; }

  signals:
    void Finished(int exitStatus);

  private:
    void Check();
    void WriteCatalogue(const QString& folder, const QByteArray& copy);
    void End(const QString& message, ControlSystem::MessageKind kind, ExitStatus status);

    ControlSystem& system_;
    const int blockPauseMs_;
    std::unique_ptr<Form1> form_;
};

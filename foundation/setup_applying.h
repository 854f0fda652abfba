#pragma once
// While an import or an undo puts a setup's files in place, a segment's profile can stand
// aside for a moment: nothing may start a segment until it is done. One flag for the program,
// owned by it and reached through its context, set on the UI thread around the work, so that
// every launch either runs before the first rename or waits for the last; the launch paths
// read it and the console says it.

#include <QObject>

class SetupApplying : public QObject {
    Q_OBJECT
  public:
    bool now() const { return depth_ > 0; }

  signals:
    void changed(bool applying);

  private:
    friend class SetupApplyingScope;
    int depth_ = 0;
};

// Holds the flag for as long as it lives. UI thread only.
class SetupApplyingScope {
  public:
    explicit SetupApplyingScope(SetupApplying& applying);
    ~SetupApplyingScope();
    SetupApplyingScope(const SetupApplyingScope&) = delete;
    SetupApplyingScope& operator=(const SetupApplyingScope&) = delete;

  private:
    SetupApplying& applying_;
};

// What the console says while it lasts.
inline const QString kSetupApplyingNote = QStringLiteral("正在导入比赛方案…");

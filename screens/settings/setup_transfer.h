#pragma once
// The settings home's part in match setups: "导出比赛方案…", "导入比赛方案…" and "撤销上次导入".
// The archive work runs on a thread of its own behind a progress dialog with "取消", so the
// window stays live however large the presentations are; every outcome is said in one message.

#include <QObject>

#include "foundation/platform/platform.h"

class QWidget;

class SetupTransfer : public QObject {
    Q_OBJECT
  public:
    // `owner`: the window the dialogs belong to.
    SetupTransfer(const AppContext& context, QWidget* owner);

    void exportSetup();
    void importSetup();
    // Imports the newest backup: the setup as it was before the last import.
    void undoLastImport();

  private:
    // Checks and stages `zipPath`, asks with `question` (or with the staged setup's own
    // question when empty), then puts it in place.
    void import(const QString& zipPath, const QString& question = {});

    AppContext context_;
    QWidget* owner_;
};

inline const QString kSetupFilter = QStringLiteral("比赛方案 (*.zip)|*.zip|");
inline const QString kNoBackup = QStringLiteral("没有可撤销的导入：备份文件夹中没有比赛方案。");
inline const QString kSetupImported = QStringLiteral("比赛方案已导入。");

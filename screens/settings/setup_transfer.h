#pragma once
// The settings home's part in match setups: "导出比赛方案…", "导入比赛方案…" and "撤销上次导入".
// The archive work runs on a thread of its own behind a progress dialog with "取消", so the
// window stays live however large the presentations are; every outcome is said in one message.

#include <QObject>
#include <functional>

#include "foundation/platform/platform.h"
#include "foundation/setups/setup_import.h"

class QWidget;

class SetupTransfer : public QObject {
    Q_OBJECT
  public:
    // `owner`: the window the dialogs belong to.
    SetupTransfer(const AppContext& context, QWidget* owner);

    void exportSetup();
    void importSetup();
    // Puts back what the last import not yet undone replaced, from its backup.
    void undoLastImport();
    // Whether there is an import to undo.
    bool canUndo() const;

  signals:
    // An import or an undo is done or refused: what there is to undo may have changed.
    void finished();

  private:
    // Checks and stages, through `stage`, then asks and puts the staged setup in place.
    void stageAndApply(const std::function<StagedSetup(const SetupWork&)>& stage);

    AppContext context_;
    QWidget* owner_;
};

inline const QString kSetupFilter = QStringLiteral("比赛方案 (*.zip)|*.zip|");

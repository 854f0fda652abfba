#include "screens/settings/setup_transfer.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>

#include "foundation/debate_profiles.h"
#include "foundation/platform/dialogs.h"
#include "foundation/platform/navigator.h"
#include "foundation/setup_applying.h"

namespace {

// Runs `job` on a thread of its own while a progress dialog keeps the window live; its result
// once done. `cancellable`: the dialog offers "取消", which the job sees through its work.
template <typename Result>
Result OffTheUiThread(QWidget* owner, const QString& label, bool cancellable,
                      const std::function<Result(const SetupWork&)>& job) {
    std::atomic<bool> cancel{false};
    std::atomic<qint64> done{0}, total{0};
    SetupWork work;
    work.cancel = &cancel;
    work.progress = [&](qint64 d, qint64 t) {
        done = d;
        total = t;
    };
    QProgressDialog dialog(label, cancellable ? QStringLiteral("取消") : QString(), 0, 1000, owner);
    dialog.setWindowTitle(QStringLiteral("比赛方案"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(400);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    QObject::connect(&dialog, &QProgressDialog::canceled, [&] { cancel = true; });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const qint64 all = total;
        dialog.setValue(all > 0 ? int(done * 1000 / all) : 0);
    });
    poll.start(50);
    Result result{};
    QEventLoop loop;
    QThread* thread = QThread::create([&] { result = job(work); });
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    thread->wait();
    delete thread;
    return result;
}

}  // namespace

SetupTransfer::SetupTransfer(const AppContext& context, QWidget* owner)
    : QObject(owner), context_(context), owner_(owner) {}

void SetupTransfer::exportSetup() {
    const std::unique_ptr<SaveFileDialog> dialog = context_.platform->NewSaveFileDialog(owner_);
    dialog->title = QStringLiteral("导出比赛方案");
    dialog->filter = kSetupFilter;
    dialog->fileName = SetupFileNameFor(DebateNameIn(context_.appDir));
    if (!dialog->Show()) {
        return;
    }
    QString path = dialog->fileName;
    if (!path.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".zip");
    }
    const QString appDir = context_.appDir;
    const SetupExport done = OffTheUiThread<SetupExport>(
        owner_, QStringLiteral("正在导出比赛方案……"), true,
        [&](const SetupWork& work) { return ExportSetup(appDir, path, work); });
    MessageBoxes& messages = context_.platform->Messages();
    if (done.cancelled) {
        return;
    }
    if (!done.problem.isEmpty()) {
        messages.Show(QStringLiteral("比赛方案未能导出：%1").arg(done.problem), {},
                      MessageIcon::Warning);
        return;
    }
    messages.Show(QStringLiteral("比赛方案已导出：%1（%2）").arg(path, done.summary()));
}

void SetupTransfer::importSetup() {
    const std::unique_ptr<FileOpenDialog> dialog = context_.platform->NewFileOpenDialog(owner_);
    dialog->filter = kSetupFilter;
    if (dialog->Show()) {
        stageAndApply([appDir = context_.appDir, zipPath = dialog->fileName](
                          const SetupWork& work) { return StageSetup(appDir, zipPath, work); });
    }
}

void SetupTransfer::undoLastImport() {
    if (!canUndo()) {
        context_.platform->Messages().Show(kNothingToUndo);
        emit finished();
        return;
    }
    stageAndApply(
        [appDir = context_.appDir](const SetupWork& work) { return StageUndo(appDir, work); });
}

bool SetupTransfer::canUndo() const {
    return !SetupBackups(context_.appDir).isEmpty();
}

void SetupTransfer::stageAndApply(const std::function<StagedSetup(const SetupWork&)>& stage) {
    const QString appDir = context_.appDir;
    MessageBoxes& messages = context_.platform->Messages();
    const StagedSetup staged =
        OffTheUiThread<StagedSetup>(owner_, QStringLiteral("正在检查比赛方案……"), true, stage);
    if (!staged.refusal.isEmpty()) {
        messages.Show(staged.refusal, {}, MessageIcon::Warning);
    } else if (staged.cancelled) {
        // Nothing changed, and nothing to say.
    } else if (!messages.Choose(
                   staged.question(),
                   staged.undoes.isEmpty() ? QStringLiteral("导入") : QStringLiteral("撤销"),
                   QStringLiteral("取消"))) {
        DropStagedSetup(appDir);
    } else {
        QString problem;
        {
            // Nothing launches while the files move.
            const SetupApplyingScope applying(*context_.setupApplying);
            problem = OffTheUiThread<QString>(
                owner_, QStringLiteral("正在导入比赛方案……"), false,
                [&](const SetupWork& work) { return ApplyStagedSetup(appDir, work); });
        }
        if (problem.isEmpty()) {
            context_.navigator->RefreshMain();
            messages.Show(staged.done());
        } else {
            messages.Show(problem, {}, MessageIcon::Warning);
        }
    }
    emit finished();
}

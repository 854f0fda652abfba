#include "screens/settings/import_into_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "foundation/file_names.h"
#include "foundation/paths.h"
#include "foundation/platform/dialogs.h"
#include "foundation/profile_store.h"
#include "foundation/saved_file.h"
#include "screens/settings/wizard_window.h"

namespace {

const QString kNameRefused =
    QStringLiteral("无法导入“%1”：文件名含有无法保存的字符或过长，请将文件改名后再导入。");
const QString kCopyFailed = QStringLiteral("无法导入“%1”：%2");

QString StoredName(const QString& appDir, const StoredFileRef& setting) {
    return ReadProfileString(AppPath(appDir, setting.profile), setting.section, setting.key);
}

// Deletes the file `name` of the setting's folder unless another setting still names it.
void DeleteIfUnused(const QString& appDir, const StoredFileRef& setting, const QString& name) {
    const QString path = StoredFilePath(appDir, setting.folder, name);
    if (!path.isEmpty() && !NamedElsewhere(appDir, setting, name)) {
        QFile::remove(path);
    }
}

bool SameFile(const QString& a, const QString& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

}  // namespace

ImportOutcome ImportIntoFolder(WizardWindow* page, FileOpenDialog& dialog, const QString& filter,
                               const StoredFileRef& setting) {
    const QString appDir = page->context().appDir;
    dialog.filter = filter;
    if (!dialog.Show() || dialog.fileName.isEmpty()) {
        return {};
    }
    const QString picked = dialog.fileName;
    const QString name = FileNameOf(picked);
    if (!StorableFileName(name)) {
        page->message(kNameRefused.arg(name), MessageIcon::Warning);
        return {ImportOutcome::Failed, picked, name};
    }

    const QString target = StoredFilePath(appDir, setting.folder, name);
    // Picking the very file already in the folder copies nothing, and so deletes nothing.
    if (!SameFile(picked, target)) {
        QDir().mkpath(QFileInfo(target).path());
        if (const QString whyNot = CopyFileAtomically(picked, target); !whyNot.isEmpty()) {
            page->message(kCopyFailed.arg(name, whyNot), MessageIcon::Critical);
            return {ImportOutcome::Failed, picked, name};
        }
    }
    const QString before = StoredName(appDir, setting);
    if (!page->writeAtOnce(setting.profile, setting.section, setting.key, name)) {
        return {ImportOutcome::Failed, picked, name};
    }
    if (before.compare(name, Qt::CaseInsensitive) != 0) {
        DeleteIfUnused(appDir, setting, before);
    }
    return {ImportOutcome::Imported, picked, name};
}

bool RemoveStoredFile(WizardWindow* page, const StoredFileRef& setting) {
    const QString appDir = page->context().appDir;
    const QString before = StoredName(appDir, setting);
    if (!page->writeAtOnce(setting.profile, setting.section, setting.key, QString())) {
        return false;
    }
    DeleteIfUnused(appDir, setting, before);
    return true;
}

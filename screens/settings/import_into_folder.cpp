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
const QString kKeptTheOther =
    QStringLiteral("文件夹中的“%1”另有设置在使用，未被替换；新文件已另存为“%2”。");
const QString kNotReadBack =
    QStringLiteral("设置未能保存：写入“%1”后读出的是“%2”，已恢复原来的设置。");

QString StoredName(const QString& appDir, const StoredFileRef& setting) {
    return ReadProfileString(AppPath(appDir, setting.profile), setting.section, setting.key);
}

// Deletes the file `name` of the setting's folder unless a setting (this one included) names it.
void DeleteIfUnnamed(const QString& appDir, const StoredFileRef& setting, const QString& name) {
    const QString path = StoredFilePath(appDir, setting.folder, name);
    if (!path.isEmpty() && !NamedElsewhere(appDir, setting, name) &&
        StoredName(appDir, setting).compare(name, Qt::CaseInsensitive) != 0) {
        QFile::remove(path);
    }
}

bool SameFile(const QString& a, const QString& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

bool SameBytes(const QString& a, const QString& b) {
    QFile first(a), second(b);
    if (first.size() != second.size() || !first.open(QIODevice::ReadOnly) ||
        !second.open(QIODevice::ReadOnly)) {
        return false;
    }
    constexpr qint64 kBlock = 1 << 20;
    while (!first.atEnd()) {
        if (first.read(kBlock) != second.read(kBlock)) {
            return false;
        }
    }
    return true;
}

// "result (2).jpg", "result (3).jpg" …: the first name of the setting's folder that no file
// has and no setting names.
QString FreeName(const QString& appDir, const StoredFileRef& setting, const QString& name) {
    const QFileInfo parts(name);
    const QString base = parts.completeBaseName();
    const QString suffix = parts.suffix().isEmpty() ? QString() : QLatin1Char('.') + parts.suffix();
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix);
        if (!QFileInfo::exists(StoredFilePath(appDir, setting.folder, candidate)) &&
            !NamedElsewhere(appDir, setting, candidate)) {
            return candidate;
        }
    }
}

}  // namespace

bool WriteStoredName(WizardWindow* page, const StoredFileRef& setting, const QString& name,
                     QString* previous) {
    const QString appDir = page->context().appDir;
    const QString before = StoredName(appDir, setting);
    if (previous) {
        *previous = before;
    }
    if (!page->writeAtOnce(setting.profile, setting.section, setting.key, name)) {
        return false;
    }
    const QString stored = StoredName(appDir, setting);
    if (stored == name) {
        return true;
    }
    WriteProfileString(AppPath(appDir, setting.profile), setting.section, setting.key, before);
    page->message(kNotReadBack.arg(name, stored), MessageIcon::Critical);
    return false;
}

ImportOutcome ImportIntoFolder(WizardWindow* page, FileOpenDialog& dialog, const QString& filter,
                               const StoredFileRef& setting) {
    const QString appDir = page->context().appDir;
    dialog.filter = filter;
    if (!dialog.Show() || dialog.fileName.isEmpty()) {
        return {};
    }
    const QString picked = dialog.fileName;
    QString name = FileNameOf(picked);
    if (!StorableFileName(name)) {
        page->message(kNameRefused.arg(name), MessageIcon::Warning);
        return {ImportOutcome::Failed, picked, name};
    }

    QString target = StoredFilePath(appDir, setting.folder, name);
    const bool taken = QFileInfo(target).isFile();
    // Picking the very file already in the folder, or one just like it, copies nothing.
    const bool copy = !taken || (!SameFile(picked, target) && !SameBytes(picked, target));
    if (copy && taken && NamedElsewhere(appDir, setting, name)) {
        // Another setting shows that file: it stays, and this one gets a name of its own.
        const QString own = FreeName(appDir, setting, name);
        if (!StorableFileName(own)) {
            page->message(kNameRefused.arg(name), MessageIcon::Warning);
            return {ImportOutcome::Failed, picked, name};
        }
        page->message(kKeptTheOther.arg(name, own), MessageIcon::Information);
        name = own;
        target = StoredFilePath(appDir, setting.folder, name);
    }
    if (copy) {
        QDir().mkpath(QFileInfo(target).path());
        if (const QString whyNot = CopyFileAtomically(picked, target); !whyNot.isEmpty()) {
            page->message(kCopyFailed.arg(name, whyNot), MessageIcon::Critical);
            return {ImportOutcome::Failed, picked, name};
        }
    }
    QString before;
    if (!WriteStoredName(page, setting, name, &before)) {
        if (copy) {
            DeleteIfUnnamed(appDir, setting, name);  // a copy nothing names is not left behind
        }
        return {ImportOutcome::Failed, picked, name};
    }
    if (before.compare(name, Qt::CaseInsensitive) != 0) {
        DeleteIfUnnamed(appDir, setting, before);
    }
    return {ImportOutcome::Imported, picked, name};
}

bool RemoveStoredFile(WizardWindow* page, const StoredFileRef& setting) {
    const QString appDir = page->context().appDir;
    QString before;
    if (!WriteStoredName(page, setting, QString(), &before)) {
        return false;
    }
    DeleteIfUnnamed(appDir, setting, before);
    return true;
}

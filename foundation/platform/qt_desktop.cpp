#include "foundation/platform/qt_desktop.h"

#include <QClipboard>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "foundation/web_address.h"

namespace {

// Old enough that its writer has long finished writing it.
constexpr qint64 kGarbledLockAge = 5;

}  // namespace

bool QtDesktopOpener::Open(const QString& fileOrUrl) {
    QString argument;
    QUrl url;
    if (const std::optional<QUrl> web = WebAddress(fileOrUrl)) {
        url = *web;
        argument = fileOrUrl.trimmed();
    } else {
        const QFileInfo info(fileOrUrl);
        // Nothing to hand to another program; the desktop would only report the missing file.
        if (fileOrUrl.isEmpty() || !info.exists()) {
            return false;
        }
        argument = info.absoluteFilePath();
        url = QUrl::fromLocalFile(argument);
    }
    if (QDesktopServices::openUrl(url)) {
        return true;
    }
    return QProcess::startDetached(QStringLiteral("xdg-open"), {argument});
}

void QtClipboard::SetText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QString QtClipboard::Text() const {
    return QGuiApplication::clipboard()->text();
}

QtInstanceLock::QtInstanceLock(const QString& appDir, const QString& lockFolder) {
    QString folder = lockFolder;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    const QString key = QDir(appDir).canonicalPath().isEmpty() ? QDir::cleanPath(appDir)
                                                               : QDir(appDir).canonicalPath();
    const QByteArray digest =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    path_ = QDir(folder).filePath(QStringLiteral("debaclock-%1.lock").arg(QLatin1String(digest)));
}

QtInstanceLock::~QtInstanceLock() = default;

InstanceLock::Result QtInstanceLock::TryLock() {
    if (lock_ && lock_->isLocked()) {
        return Result::Acquired;
    }
    if (!QDir().mkpath(QFileInfo(path_).absolutePath())) {
        return Result::Unavailable;
    }
    lock_ = std::make_unique<QLockFile>(path_);
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        return Result::Acquired;
    }
    // QLockFile judges staleness by the process id written in the file; a file left empty or
    // garbled by a crash at the wrong moment would block every later start. Removal only
    // succeeds when no living process holds the file's lock.
    qint64 pid = 0;
    QString host, app;
    const QFileInfo info(path_);
    if (lock_->error() == QLockFile::LockFailedError && !lock_->getLockInfo(&pid, &host, &app) &&
        info.exists() &&
        info.lastModified().secsTo(QDateTime::currentDateTime()) > kGarbledLockAge) {
        lock_->removeStaleLockFile();
        if (lock_->tryLock(0)) {
            return Result::Acquired;
        }
    }
    // Only a lock that another copy holds refuses this one; a lock that cannot be made at all
    // (a folder nobody may write) must not keep the operator from the program.
    const bool heldElsewhere = lock_->error() == QLockFile::LockFailedError;
    lock_.reset();
    return heldElsewhere ? Result::HeldElsewhere : Result::Unavailable;
}

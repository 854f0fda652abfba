#include "qt_control_system.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>

#include "claim_owner.h"

bool QtControlSystem::AnotherCopyRunning() {
    // One claim per user: a claim left in the shared temporary folder by root (under sudo)
    // must not keep an ordinary user out, nor the other way round.
    const QString path =
        QDir(QDir::tempPath())
            .filePath(QStringLiteral("debaclock-ctlcheck-%1.lock").arg(ClaimOwner()));
    claim_ = std::make_unique<QLockFile>(path);
    // A claim whose process has gone is stale at once; a living one is never stale.
    claim_->setStaleLockTime(0);
    if (claim_->tryLock(0)) {
        return false;
    }
    // Only a claim another process holds refuses this copy; a claim that cannot be made at all
    // must not stop the check.
    const bool heldElsewhere = claim_->error() == QLockFile::LockFailedError;
    claim_.reset();
    return heldElsewhere;
}

QString QtControlSystem::SystemFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

QByteArray QtControlSystem::EmbeddedCopy() {
    QFile copy(QStringLiteral(":/ctlcheck/qtbase_zh_CN.qm"));
    return copy.open(QIODevice::ReadOnly) ? copy.readAll() : QByteArray();
}

void QtControlSystem::ShowMessage(const QString& text, MessageKind kind) {
    QMessageBox box(kind == MessageKind::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    QString::fromLatin1(kToolTitle), text, QMessageBox::Ok);
    // Wide enough that the window manager need not cut the title short above a short text.
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: 220px; }"));
    box.exec();
}

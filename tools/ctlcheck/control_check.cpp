#include "control_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "block_writer.h"

ControlCheck::ControlCheck(ControlSystem& system, int blockPauseMs)
    : system_(system), blockPauseMs_(blockPauseMs) {}

ControlCheck::~ControlCheck() = default;

void ControlCheck::Start() {
    if (system_.AnotherCopyRunning()) {
        End(QStringLiteral("已有一个程序在运行"), ControlSystem::MessageKind::Warning,
            AlreadyRunning);
        return;
    }
    form_ = std::make_unique<Form1>();
    Check();
}

void ControlCheck::Check() {
    form_->hide();
    const QString folder = system_.SystemFolder();
    const QByteArray copy = system_.EmbeddedCopy();
    form_->P1->setRange(0, int(copy.size()));
    if (QFileInfo(QDir(folder).filePath(QString::fromLatin1(kCatalogueName))).isFile()) {
        // Qt finds its catalogues by file name alone: there is nothing to register.
        End(QStringLiteral("没有发现问题！"), ControlSystem::MessageKind::Information, Fine);
        return;
    }
    form_->show();
    WriteCatalogue(folder, copy);
}

void ControlCheck::WriteCatalogue(const QString& folder, const QByteArray& copy) {
    const auto refuse = [this, folder](const QString& reason) {
        End(QStringLiteral("无法把 %1 写入文件夹 %2：%3。\n"
                           "请以管理员权限重新运行本程序，例如：sudo %4")
                .arg(QString::fromLatin1(kCatalogueName), QDir::toNativeSeparators(folder), reason,
                     QCoreApplication::applicationFilePath()),
            ControlSystem::MessageKind::Warning, NotWritten);
    };
    // The translations folder itself goes missing with the package that brings it.
    if (!QDir().mkpath(folder)) {
        refuse(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    auto* writer = new BlockWriter(QDir(folder).filePath(QString::fromLatin1(kCatalogueName)), copy,
                                   blockPauseMs_, this);
    connect(writer, &BlockWriter::Progressed, form_->P1,
            [this](qint64 index) { form_->P1->setValue(int(index)); });
    connect(writer, &BlockWriter::Finished, this, [this] {
        // Nothing to register either: the file in place is all Qt needs.
        End(QStringLiteral("%1 已成功安装！").arg(QString::fromLatin1(kCatalogueName)),
            ControlSystem::MessageKind::Information, Fine);
    });
    connect(writer, &BlockWriter::Failed, this, refuse);
    writer->Start();
}

void ControlCheck::End(const QString& message, ControlSystem::MessageKind kind, ExitStatus status) {
    system_.ShowMessage(message, kind);
    emit Finished(status);
}

#pragma once
// A throw-away program folder for tests: files are written as GBK bytes, read back raw.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include "foundation/gbk.h"

class TempAppDir {
  public:
    QString path() const { return dir_.path(); }

    // `relative` uses '/' and is created with its folders; `text` is stored as GBK.
    QString write(const QString& relative, const QString& text) {
        return writeBytes(relative, ToGbk(text));
    }
    QString writeBytes(const QString& relative, const QByteArray& bytes) {
        const QString file = dir_.filePath(relative);
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        return file;
    }
    QByteArray readBytes(const QString& relative) const {
        QFile in(dir_.filePath(relative));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    void mkdir(const QString& relative) { QDir().mkpath(dir_.filePath(relative)); }

  private:
    QTemporaryDir dir_;
};

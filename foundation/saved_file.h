#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

// Writes `bytes` to `path` through a file beside it that replaces `path` only once complete, so
// a crash or a full disk never leaves a half-written file. Returns why it failed, in the words
// of the system, or the empty text once written.
QString SaveFileAtomically(const QString& path, const QByteArray& bytes);

// Copies `source` to `target` the same way: `target` is replaced only once the whole copy is
// written. Returns why it failed, or the empty text.
QString CopyFileAtomically(const QString& source, const QString& target);

// What went wrong reading or writing `file`, as the operator should hear it: a full disk says
// so.
QString FileProblem(const QFileDevice& file);
inline const QString kDiskFull = QStringLiteral("磁盘空间不足");

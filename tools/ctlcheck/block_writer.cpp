#include "block_writer.h"

#include <algorithm>

BlockWriter::BlockWriter(const QString& target, QByteArray bytes, int blockPauseMs, QObject* parent)
    : QObject(parent),
      file_(target),
      bytes_(std::move(bytes)),
      blockSize_(std::max<qint64>(1, (bytes_.size() + kBlocks - 1) / kBlocks)) {
    pace_.setInterval(blockPauseMs);
    connect(&pace_, &QTimer::timeout, this, &BlockWriter::WriteNextBlock);
}

void BlockWriter::Start() {
    if (!file_.open(QIODevice::WriteOnly)) {
        Fail();
        return;
    }
    pace_.start();
}

void BlockWriter::WriteNextBlock() {
    const qint64 length = std::min(blockSize_, bytes_.size() - written_);
    if (length > 0 && file_.write(bytes_.constData() + written_, length) != length) {
        Fail();
        return;
    }
    written_ += length;
    if (length > 0) {
        emit Progressed(written_ - 1);
    }
    if (written_ < bytes_.size()) {
        return;
    }
    pace_.stop();
    // Every user's programs read the catalogue, whatever umask the writer runs under.
    file_.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                         QFileDevice::ReadOther);
    if (!file_.commit()) {
        Fail();
        return;
    }
    emit Finished();
}

void BlockWriter::Fail() {
    pace_.stop();
    const QString reason = file_.errorString();
    file_.cancelWriting();
    if (file_.isOpen()) {
        file_.commit();  // after cancelWriting this only removes the temporary file
    }
    emit Failed(reason);
}

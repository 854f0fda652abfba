#pragma once

#include <QByteArray>
#include <QObject>
#include <QSaveFile>
#include <QTimer>

// Writes bytes to a file in blocks, one block per turn of the event loop, reporting the index
// of the last byte written after each block. The bytes go to a temporary file beside the
// target, which is renamed into place only once complete: a failed write leaves nothing.
class BlockWriter : public QObject {
    Q_OBJECT
  public:
    static constexpr int kBlocks = 64;

    // blockPauseMs paces the blocks so that a progress bar can be seen to fill.
    BlockWriter(const QString& target, QByteArray bytes, int blockPauseMs,
                QObject* parent = nullptr);
    void Start();

  signals:
    void Progressed(qint64 lastIndexWritten);
    void Finished();
    // The system's reason, as it gives it.
    void Failed(const QString& reason);

  private:
    void WriteNextBlock();
    void Fail();

    QSaveFile file_;
    QByteArray bytes_;
    qint64 written_ = 0;
    qint64 blockSize_;
    QTimer pace_;
};

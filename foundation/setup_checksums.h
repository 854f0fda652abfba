#pragma once
// The SHA-256 of each file of a setup, computed on a thread of its own from the chunks the
// copying hands over, so that copying a file and checksumming it take the time of the slower
// of the two rather than of both. At most a few chunks wait; a copier that runs ahead waits.

#include <QByteArray>
#include <QList>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

class SetupChecksums {
  public:
    SetupChecksums();
    // Stops the thread; what it had not done is dropped.
    ~SetupChecksums();
    SetupChecksums(const SetupChecksums&) = delete;
    SetupChecksums& operator=(const SetupChecksums&) = delete;

    // The next chunk of the current file.
    void add(const QByteArray& chunk);
    // The current file is complete; the next chunk begins another.
    void endFile();
    // Each file's checksum as lower-case hex, in the order they were ended, once all are done.
    QList<QByteArray> results();

  private:
    void run();
    void push(const QByteArray& chunk, bool end);

    struct Piece {
        QByteArray chunk;
        bool end = false;
    };
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Piece> waiting_;
    QList<QByteArray> done_;
    int ended_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

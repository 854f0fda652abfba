#pragma once
// The SHA-256 of each file of a setup, computed on threads of their own from the chunks the
// copying hands over, so that copying the files and checksumming them take the time of the
// slower of the two rather than of both. The checksum is the slower, so the files take turns
// among a few threads: one file is checksummed while the next is, and while the copying goes
// on. A few chunks at most wait for each thread; a copier that runs ahead waits.

#include <QByteArray>
#include <QList>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class SetupChecksums {
  public:
    SetupChecksums();
    // Stops the threads; what they had not done is dropped.
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
    struct Piece {
        QByteArray chunk;
        qsizetype file = -1;  // set on the piece that ends a file
    };
    struct Worker {
        std::deque<Piece> waiting;
        std::thread thread;
    };
    void run(Worker& worker);
    void push(Piece piece);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::unique_ptr<Worker>> workers_;
    QList<QByteArray> done_;  // by file, empty until done
    qsizetype files_ = 0;     // ended so far
    qsizetype finished_ = 0;  // checksummed so far
    bool stopping_ = false;
};

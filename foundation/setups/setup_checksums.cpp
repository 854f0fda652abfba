#include "foundation/setups/setup_checksums.h"

#include <algorithm>
#include <optional>

#include "foundation/setups/sha256.h"

namespace {

// Chunks of a megabyte: enough to keep the copier busy while a checksum catches up.
constexpr size_t kMostWaiting = 8;

// Two threads at least: even on two cores, two checksums and a copier share them better than
// one checksum that everything waits for.
size_t WorkerCount() {
    return std::clamp<size_t>(std::thread::hardware_concurrency(), 2, 4);
}

}  // namespace

SetupChecksums::SetupChecksums() {
    for (size_t i = 0; i < WorkerCount(); ++i) {
        workers_.push_back(std::make_unique<Worker>());
    }
    for (const std::unique_ptr<Worker>& worker : workers_) {
        worker->thread = std::thread([this, w = worker.get()] { run(*w); });
    }
}

SetupChecksums::~SetupChecksums() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (const std::unique_ptr<Worker>& worker : workers_) {
        worker->thread.join();
    }
}

void SetupChecksums::add(const QByteArray& chunk) {
    push({chunk, -1});
}

void SetupChecksums::endFile() {
    push({{}, files_});
}

void SetupChecksums::push(Piece piece) {
    std::unique_lock lock(mutex_);
    Worker& worker = *workers_[size_t(files_) % workers_.size()];
    changed_.wait(lock, [&] { return worker.waiting.size() < kMostWaiting; });
    worker.waiting.push_back(std::move(piece));
    if (worker.waiting.back().file >= 0) {
        ++files_;
        done_.append(QByteArray());
    }
    lock.unlock();
    changed_.notify_all();
}

QList<QByteArray> SetupChecksums::results() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return finished_ == files_; });
    return done_;
}

void SetupChecksums::run(Worker& worker) {
    std::optional<Sha256> hash(std::in_place);
    for (;;) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopping_ || !worker.waiting.empty(); });
        if (stopping_) {
            return;
        }
        const Piece piece = std::move(worker.waiting.front());
        worker.waiting.pop_front();
        lock.unlock();
        changed_.notify_all();
        if (piece.file < 0) {
            hash->addData(piece.chunk);
            continue;
        }
        const QByteArray digest = hash->hex();
        hash.emplace();
        lock.lock();
        done_[piece.file] = digest;
        ++finished_;
        lock.unlock();
        changed_.notify_all();
    }
}

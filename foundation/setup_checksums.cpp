#include "foundation/setup_checksums.h"

#include <optional>

#include "foundation/sha256.h"

namespace {

// Chunks of a megabyte: enough to keep the copier busy while the checksum catches up.
constexpr size_t kMostWaiting = 8;

}  // namespace

SetupChecksums::SetupChecksums() : thread_([this] { run(); }) {}

SetupChecksums::~SetupChecksums() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

void SetupChecksums::add(const QByteArray& chunk) {
    push(chunk, false);
}

void SetupChecksums::endFile() {
    push({}, true);
}

void SetupChecksums::push(const QByteArray& chunk, bool end) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < kMostWaiting; });
    waiting_.push_back({chunk, end});
    ended_ += end ? 1 : 0;
    lock.unlock();
    changed_.notify_all();
}

QList<QByteArray> SetupChecksums::results() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return done_.size() == ended_; });
    return done_;
}

void SetupChecksums::run() {
    std::optional<Sha256> hash(std::in_place);
    for (;;) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_) {
            return;
        }
        const Piece piece = waiting_.front();
        waiting_.pop_front();
        lock.unlock();
        changed_.notify_all();
        if (!piece.end) {
            hash->addData(piece.chunk);
            continue;
        }
        const QByteArray digest = hash->hex();
        hash.emplace();
        lock.lock();
        done_.append(digest);
        lock.unlock();
        changed_.notify_all();
    }
}

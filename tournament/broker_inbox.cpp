#include "tournament/broker_inbox.h"

BrokerInbox::BrokerInbox(int perTopic, int mostTopics, qsizetype mostBytes)
    : perTopic_(std::max(1, perTopic)), mostTopics_(mostTopics), mostBytes_(mostBytes) {}

bool BrokerInbox::put(BrokerMessage message) {
    std::lock_guard lock(mutex_);
    const bool wake = waiting_.isEmpty();
    const int ofTopic = ofTopic_.value(message.topic);
    if (ofTopic == 0 && ofTopic_.size() >= mostTopics_) {
        ++dropped_;
        return wake;
    }
    if (ofTopic > 0) {
        qsizetype oldest = 0;
        while (waiting_[oldest].topic != message.topic) {
            ++oldest;
        }
        if (perTopic_ == 1 && bytes_ - SizeOf(waiting_[oldest]) + SizeOf(message) <= mostBytes_) {
            bytes_ += SizeOf(message) - SizeOf(waiting_[oldest]);
            waiting_[oldest] = std::move(message);  // superseded, not lost: the state is newer
            return wake;
        }
        if (perTopic_ == 1 || ofTopic >= perTopic_) {
            bytes_ -= SizeOf(waiting_[oldest]);
            waiting_.removeAt(oldest);
            if (--ofTopic_[message.topic] == 0) {
                ofTopic_.remove(message.topic);
            }
            ++dropped_;
        }
    }
    if (bytes_ + SizeOf(message) > mostBytes_) {
        ++dropped_;
        return wake;
    }
    bytes_ += SizeOf(message);
    ++ofTopic_[message.topic];
    waiting_.append(std::move(message));
    return wake;
}

BrokerInbox::Taken BrokerInbox::take() {
    std::lock_guard lock(mutex_);
    Taken taken{std::move(waiting_), dropped_};
    waiting_ = {};
    ofTopic_.clear();
    bytes_ = 0;
    dropped_ = 0;
    return taken;
}

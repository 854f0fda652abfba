#pragma once
// What the broker's thread has received and the owner's thread has not yet taken. However fast
// messages come, it holds a bounded amount, and the owner takes all of it at once. Of each
// topic it keeps the last `perTopic` messages: one for states (a newer state replaces the one
// not yet taken, so a room that floods its own topic costs one entry), a few for notices (the
// older ones that were never taken are counted as dropped). Topics beyond `mostTopics`, and
// messages beyond `mostBytes` in all, are dropped too.
// Thread-safe: `put` on the library's thread, `take` on the owner's.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <mutex>

struct BrokerMessage {
    QString topic;
    QByteArray payload;
    bool retained = false;  // from the broker's store, sent on subscribing; not said just now
};

class BrokerInbox {
  public:
    BrokerInbox(int perTopic, int mostTopics, qsizetype mostBytes);

    // Keeps `message`; true when the owner must be woken (nothing was waiting before).
    bool put(BrokerMessage message);

    struct Taken {
        QList<BrokerMessage> messages;  // in the order they came (a replaced state keeps its place)
        int dropped = 0;                // since the last take
    };
    Taken take();

  private:
    static qsizetype SizeOf(const BrokerMessage& message) {
        return message.topic.size() * 2 + message.payload.size();
    }

    const int perTopic_;
    const int mostTopics_;
    const qsizetype mostBytes_;
    std::mutex mutex_;
    QList<BrokerMessage> waiting_;
    QHash<QString, int> ofTopic_;  // how many of `waiting_` each topic has
    qsizetype bytes_ = 0;
    int dropped_ = 0;
};

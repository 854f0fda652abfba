#pragma once
// The one place that knows the MQTT library (libmosquitto): a connection to a broker, kept up
// by the library's own thread with back-off between tries, that publishes, subscribes and
// leaves a last will. Everything it reports arrives as queued signals on the thread that owns
// it, so the UI thread never waits for the network; messages reach that thread at most every
// kDeliveryMs, in bounded batches (see BrokerInbox), however fast the broker sends them.
//
// It speaks MQTT 5, whose acknowledgements say whether the broker took a message or refused
// it, and falls back to MQTT 3.1.1 for a broker that does not know 5 (then every message
// counts as taken).

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

#include "tournament/broker_inbox.h"
#include "tournament/paced_call.h"

struct BrokerSettings {
    QString host;
    quint16 port = 1883;
    QString user;
    QString password;
    bool tls = false;
    QString caFile;  // empty: the system's certificate store
    QString clientId;
    // Published by the broker when the connection is lost without a goodbye.
    QString willTopic;
    QByteArray willPayload;
    // Subscribed to on every connection, in this order.
    QStringList subscriptions;
    // How many messages of one topic may wait for the owner's thread (see BrokerInbox): 1 for
    // states, where only the latest counts; a few for notices.
    int keptPerTopic = 1;
};

class BrokerClient : public QObject {
    Q_OBJECT
  public:
    explicit BrokerClient(QObject* parent = nullptr);
    // Disconnects without waiting for the network.
    ~BrokerClient() override;

    // Connects, and from then on reconnects whenever the connection is lost. False, with
    // `problem` said, when the settings cannot even be tried.
    bool start(const BrokerSettings& settings);
    // Publishes `goodbyeTopic` (retained) if given, then disconnects and stops trying. Never
    // waits: a connection that is still trying ends on its own thread.
    void stop(const QString& goodbyeTopic = {}, const QByteArray& goodbye = {});

    // Sends once connected: the message's id, whose fate `published` tells; 0 when it was not
    // sent (not connected, or the library refused it).
    int publish(const QString& topic, const QByteArray& payload, bool retain, int qos = 1);

    bool isConnected() const { return connected_; }
    // Why the last try failed, or empty.
    QString problem() const { return problem_; }

    // Whether an acknowledgement's reason code says the broker took the message.
    static bool Accepted(int reason) { return reason < 0x80; }
    // Messages reach the owner's thread at most this often.
    static constexpr int kDeliveryMs = 100;

  signals:
    void connected();
    // The connection was lost or refused; `why` in words.
    void disconnected(const QString& why);
    void message(const QString& topic, const QByteArray& payload, bool retained);
    // Messages that came faster than the owner takes them and were let go (see BrokerInbox).
    void dropped(int count);
    // The broker's answer to the message `id`: `reason` under 0x80 when it took it (QoS 1).
    void published(int id, int reason);

  private:
    struct Session;
    // What the session's thread reports, on the owner's thread.
    void onReport(const Session* from, bool up, const QString& why);
    void onInbox(const Session* from);
    void deliver();

    std::shared_ptr<Session> session_;
    bool connected_ = false;
    QString problem_;
    PacedCall delivery_;
};

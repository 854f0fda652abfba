#pragma once
// The one place that knows the MQTT library (libmosquitto): a connection to a broker, kept up
// by the library's own thread with back-off between tries, that publishes, subscribes and
// leaves a last will. Everything it reports arrives as queued signals on the thread that owns
// it, so the UI thread never waits for the network.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

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
    // Subscribed to on every connection.
    QStringList subscriptions;
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

    // Sends once connected; dropped while not (a retained state is sent again on connect).
    void publish(const QString& topic, const QByteArray& payload, bool retain, int qos = 1);

    bool isConnected() const { return connected_; }
    // Why the last try failed, or empty.
    QString problem() const { return problem_; }

  signals:
    void connected();
    // The connection was lost or refused; `why` in words.
    void disconnected(const QString& why);
    void message(const QString& topic, const QByteArray& payload);

  private:
    struct Session;
    // What the session's thread reports, on the owner's thread.
    void onReport(const Session* from, bool up, const QString& why);

    std::shared_ptr<Session> session_;
    bool connected_ = false;
    QString problem_;
};

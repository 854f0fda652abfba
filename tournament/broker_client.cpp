#include "tournament/broker_client.h"

#include <mosquitto.h>
#include <mqtt_protocol.h>

#include <QCoreApplication>
#include <QFile>
#include <QMetaObject>
#include <QPointer>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

namespace {

// The library's global state, set up once for the whole program.
void InitLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

constexpr int kKeepAliveSeconds = 20;
// Notices and states are small; anything larger is not ours.
constexpr int kLargestMessage = 64 * 1024;
// What may wait for the owner's thread: every topic of a tournament of many rooms.
constexpr int kMostTopicsWaiting = 4096;
constexpr qsizetype kMostBytesWaiting = 8 * 1024 * 1024;

// The answer of a broker that knows MQTT 3.1.1 at most, to a client speaking 5.
bool IsOlderProtocolOnly(int code) {
    return code == CONNACK_REFUSED_PROTOCOL_VERSION || code == MQTT_RC_UNSUPPORTED_PROTOCOL_VERSION;
}

QString WhyRefused(int code) {
    switch (code) {
        case CONNACK_REFUSED_BAD_USERNAME_PASSWORD:
        case MQTT_RC_BAD_USERNAME_OR_PASSWORD:
            return QStringLiteral("用户名或口令错误");
        case CONNACK_REFUSED_NOT_AUTHORIZED:
        case MQTT_RC_NOT_AUTHORIZED:  // what Mosquitto answers a wrong password with
            return QStringLiteral("用户名或口令错误，或未获服务器授权");
        default:
            return code < 0x80 ? QString::fromUtf8(mosquitto_connack_string(code))
                               : QString::fromUtf8(mosquitto_reason_string(code));
    }
}

}  // namespace

// One connection and the thread that keeps it. The thread owns it to the end: a client that
// stops lets go of it at once, and the thread destroys it once the library lets go, however
// long a lookup or a pause takes. Reports reach the owner through a guarded pointer, so an
// owner that is gone hears nothing.
struct BrokerClient::Session {
    explicit Session(int keptPerTopic)
        : inbox(keptPerTopic, kMostTopicsWaiting, kMostBytesWaiting) {}

    mosquitto* client = nullptr;
    QPointer<BrokerClient> owner;  // made on the owner's thread, only copied here
    QStringList subscriptions;
    BrokerInbox inbox;
    QByteArray host;
    quint16 port = 0;
    std::atomic<bool> stopping{false};
    std::atomic<bool> refused{false};  // the broker refused the last try
    std::mutex mutex;
    std::condition_variable wake;

    ~Session() { mosquitto_destroy(client); }

    // The owner, while it still wants to hear from this session.
    QPointer<BrokerClient> listener() {
        std::lock_guard lock(mutex);
        return owner;
    }

    // Runs `what` on the owner's thread, unless the owner is gone or has started another
    // session since.
    template <typename What>
    void tell(What what) {
        QPointer<BrokerClient> to = listener();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [to, what = std::move(what), from = this] {
                if (to && to->session_.get() == from) {
                    what(to.data());
                }
            },
            Qt::QueuedConnection);
    }

    void report(bool up, const QString& why) {
        tell([up, why, from = this](BrokerClient* to) { to->onReport(from, up, why); });
    }

    // Connects, lets the library keep the connection, and tries a failed first connection
    // again with growing pauses, 1 s up to 30 s.
    void run() {
        int pause = 1;
        while (!stopping) {
            const int connecting =
                mosquitto_connect_async(client, host.constData(), port, kKeepAliveSeconds);
            if (stopping) {
                return;
            }
            if (connecting == MOSQ_ERR_SUCCESS) {
                // Returns only once disconnected on purpose, or after a fault it cannot mend.
                mosquitto_loop_forever(client, 1000, 1);
                pause = 1;
            } else {
                report(false, connecting == MOSQ_ERR_ERRNO
                                  ? QString::fromLocal8Bit(strerror(errno))
                                  : QString::fromUtf8(mosquitto_strerror(connecting)));
            }
            std::unique_lock lock(mutex);
            wake.wait_for(lock, std::chrono::seconds(pause), [this] { return stopping.load(); });
            pause = std::min(pause * 2, 30);
        }
    }

    static Session* Of(void* data) { return static_cast<Session*>(data); }

    static void OnConnect(mosquitto* client, void* data, int code) {
        Session* session = Of(data);
        if (IsOlderProtocolOnly(code)) {
            // The next try, a second from now, speaks the broker's language.
            mosquitto_int_option(client, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V5);
            session->refused = true;
            return;
        }
        if (code == 0) {
            for (const QString& pattern : session->subscriptions) {
                mosquitto_subscribe(client, nullptr, pattern.toUtf8().constData(), 1);
            }
        }
        session->refused = code != 0;
        session->report(code == 0, code == 0 ? QString() : WhyRefused(code));
    }

    static void OnDisconnect(mosquitto*, void* data, int code) {
        Session* session = Of(data);
        if (session->refused || session->stopping) {
            return;  // the refusal has said why; the loss that follows it says less
        }
        session->report(false, code == 0 ? QStringLiteral("已断开")
                                         : QStringLiteral("连接中断（%1）")
                                               .arg(QString::fromUtf8(mosquitto_strerror(code))));
    }

    // On the library's thread, as fast as the broker sends: kept in the inbox, and the owner
    // woken once for whatever has come until it takes it.
    static void OnMessage(mosquitto*, void* data, const mosquitto_message* message) {
        if (message->payloadlen > kLargestMessage) {
            return;
        }
        Session* session = Of(data);
        const bool wake = session->inbox.put(
            {QString::fromUtf8(message->topic),
             QByteArray(static_cast<const char*>(message->payload), message->payloadlen),
             message->retain});
        if (wake) {
            session->tell([from = session](BrokerClient* to) { to->onInbox(from); });
        }
    }

    static void OnPublish(mosquitto*, void* data, int id, int reason, const mosquitto_property*) {
        Of(data)->tell([id, reason](BrokerClient* to) { emit to->published(id, reason); });
    }
};

BrokerClient::BrokerClient(QObject* parent)
    : QObject(parent), delivery_(kDeliveryMs, [this] { deliver(); }) {
    InitLibrary();
}

BrokerClient::~BrokerClient() {
    stop();
}

bool BrokerClient::start(const BrokerSettings& settings) {
    stop();
    auto session = std::make_shared<Session>(settings.keptPerTopic);
    session->owner = this;
    session->subscriptions = settings.subscriptions;
    session->host = settings.host.toUtf8();
    session->port = settings.port;
    session->client = mosquitto_new(settings.clientId.toUtf8().constData(), true, session.get());
    mosquitto* client = session->client;
    if (!client) {
        problem_ = QStringLiteral("无法创建连接");
        return false;
    }
    mosquitto_int_option(client, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V5);
    mosquitto_threaded_set(client, true);
    mosquitto_connect_callback_set(client, &Session::OnConnect);
    mosquitto_disconnect_callback_set(client, &Session::OnDisconnect);
    mosquitto_message_callback_set(client, &Session::OnMessage);
    mosquitto_publish_v5_callback_set(client, &Session::OnPublish);
    mosquitto_reconnect_delay_set(client, 1, 30, true);
    if (!settings.user.isEmpty()) {
        mosquitto_username_pw_set(client, settings.user.toUtf8().constData(),
                                  settings.password.toUtf8().constData());
    }
    if (!settings.willTopic.isEmpty()) {
        mosquitto_will_set(client, settings.willTopic.toUtf8().constData(),
                           int(settings.willPayload.size()), settings.willPayload.constData(), 1,
                           true);
    }
    if (settings.tls) {
        const QByteArray ca = QFile::encodeName(settings.caFile);
        const int set =
            settings.caFile.isEmpty()
                ? mosquitto_tls_set(client, nullptr, "/etc/ssl/certs", nullptr, nullptr, nullptr)
                : mosquitto_tls_set(client, ca.constData(), nullptr, nullptr, nullptr, nullptr);
        if (set != MOSQ_ERR_SUCCESS) {
            problem_ =
                QStringLiteral("加密设置无效：%1").arg(QString::fromUtf8(mosquitto_strerror(set)));
            return false;
        }
    }
    session_ = session;
    // A thread of its own connects (name lookup and all), so the UI thread never waits for the
    // network; it holds the session until it is done with it.
    std::thread([session] { session->run(); }).detach();
    return true;
}

void BrokerClient::stop(const QString& goodbyeTopic, const QByteArray& goodbye) {
    if (!session_) {
        return;
    }
    if (connected_ && !goodbyeTopic.isEmpty()) {
        mosquitto_publish(session_->client, nullptr, goodbyeTopic.toUtf8().constData(),
                          int(goodbye.size()), goodbye.constData(), 1, true);
    }
    {
        std::lock_guard lock(session_->mutex);
        session_->stopping = true;
        session_->owner = nullptr;
    }
    session_->wake.notify_all();
    mosquitto_disconnect(session_->client);
    session_.reset();  // the thread lets go of it last
    connected_ = false;
    delivery_.cancel();
}

int BrokerClient::publish(const QString& topic, const QByteArray& payload, bool retain, int qos) {
    int id = 0;
    if (!session_ || !connected_ ||
        mosquitto_publish(session_->client, &id, topic.toUtf8().constData(), int(payload.size()),
                          payload.constData(), qos, retain) != MOSQ_ERR_SUCCESS) {
        return 0;
    }
    return id;
}

void BrokerClient::onReport(const Session* from, bool up, const QString& why) {
    if (session_.get() != from) {
        return;  // from a session stopped since, whose reports were on their way
    }
    if (!up) {
        delivery_.callNow();  // what came before the loss is said before it
    }
    const bool was = connected_;
    connected_ = up;
    if (up) {
        problem_.clear();
        emit connected();
    } else if (was || problem_ != why) {
        problem_ = why;
        emit disconnected(why);
    }
}

void BrokerClient::onInbox(const Session* from) {
    if (session_.get() == from) {
        delivery_.request();
    }
}

void BrokerClient::deliver() {
    if (!session_) {
        return;
    }
    // Held here: a slot may stop or restart this client while the batch is delivered.
    const std::shared_ptr<Session> session = session_;
    const BrokerInbox::Taken taken = session->inbox.take();
    for (const BrokerMessage& each : taken.messages) {
        if (session_ != session) {
            return;
        }
        emit message(each.topic, each.payload, each.retained);
    }
    if (taken.dropped > 0 && session_ == session) {
        emit dropped(taken.dropped);
    }
}

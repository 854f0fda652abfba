#include "tournament/broker_client.h"

#include <mosquitto.h>

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

QString WhyRefused(int code) {
    switch (code) {
        case 4:
            return QStringLiteral("用户名或口令错误");
        case 5:  // what Mosquitto answers a wrong password with
            return QStringLiteral("用户名或口令错误，或未获服务器授权");
        default:
            return QString::fromUtf8(mosquitto_connack_string(code));
    }
}

}  // namespace

// One connection and the thread that keeps it. The thread owns it to the end: a client that
// stops lets go of it at once, and the thread destroys it once the library lets go, however
// long a lookup or a pause takes. Reports reach the owner through a guarded pointer, so an
// owner that is gone hears nothing.
struct BrokerClient::Session {
    mosquitto* client = nullptr;
    QPointer<BrokerClient> owner;  // made on the owner's thread, only copied here
    QStringList subscriptions;
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

    void report(bool up, const QString& why) {
        QPointer<BrokerClient> to = listener();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [to, up, why, from = this] {
                if (to) {
                    to->onReport(from, up, why);
                }
            },
            Qt::QueuedConnection);
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

    static void OnMessage(mosquitto*, void* data, const mosquitto_message* message) {
        if (message->payloadlen > kLargestMessage) {
            return;
        }
        const QString topic = QString::fromUtf8(message->topic);
        const QByteArray payload(static_cast<const char*>(message->payload), message->payloadlen);
        QPointer<BrokerClient> to = Of(data)->listener();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [to, topic, payload, from = Of(data)] {
                if (to && to->session_.get() == from) {
                    emit to->message(topic, payload);
                }
            },
            Qt::QueuedConnection);
    }
};

BrokerClient::BrokerClient(QObject* parent) : QObject(parent) {
    InitLibrary();
}

BrokerClient::~BrokerClient() {
    stop();
}

bool BrokerClient::start(const BrokerSettings& settings) {
    stop();
    auto session = std::make_shared<Session>();
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
    mosquitto_int_option(client, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_threaded_set(client, true);
    mosquitto_connect_callback_set(client, &Session::OnConnect);
    mosquitto_disconnect_callback_set(client, &Session::OnDisconnect);
    mosquitto_message_callback_set(client, &Session::OnMessage);
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
}

void BrokerClient::publish(const QString& topic, const QByteArray& payload, bool retain, int qos) {
    if (session_ && connected_) {
        mosquitto_publish(session_->client, nullptr, topic.toUtf8().constData(),
                          int(payload.size()), payload.constData(), qos, retain);
    }
}

void BrokerClient::onReport(const Session* from, bool up, const QString& why) {
    if (session_.get() != from) {
        return;  // from a session stopped since, whose reports were on their way
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

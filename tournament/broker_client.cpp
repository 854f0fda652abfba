#include "tournament/broker_client.h"

#include <mosquitto.h>

#include <QFile>
#include <QMetaObject>
#include <cerrno>
#include <cstring>
#include <mutex>

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

BrokerClient::BrokerClient(QObject* parent) : QObject(parent) {
    InitLibrary();
}

BrokerClient::~BrokerClient() {
    stop();
}

bool BrokerClient::start(const BrokerSettings& settings) {
    stop();
    settings_ = settings;
    client_ = mosquitto_new(settings.clientId.toUtf8().constData(), true, this);
    if (!client_) {
        problem_ = QStringLiteral("无法创建连接");
        return false;
    }
    mosquitto_int_option(client_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_connect_callback_set(client_, &BrokerClient::OnConnect);
    mosquitto_disconnect_callback_set(client_, &BrokerClient::OnDisconnect);
    mosquitto_message_callback_set(client_, &BrokerClient::OnMessage);
    mosquitto_reconnect_delay_set(client_, 1, 30, true);
    if (!settings.user.isEmpty()) {
        mosquitto_username_pw_set(client_, settings.user.toUtf8().constData(),
                                  settings.password.toUtf8().constData());
    }
    if (!settings.willTopic.isEmpty()) {
        mosquitto_will_set(client_, settings.willTopic.toUtf8().constData(),
                           int(settings.willPayload.size()), settings.willPayload.constData(), 1,
                           true);
    }
    if (settings.tls) {
        const QByteArray ca = QFile::encodeName(settings.caFile);
        const int set =
            settings.caFile.isEmpty()
                ? mosquitto_tls_set(client_, nullptr, "/etc/ssl/certs", nullptr, nullptr, nullptr)
                : mosquitto_tls_set(client_, ca.constData(), nullptr, nullptr, nullptr, nullptr);
        if (set != MOSQ_ERR_SUCCESS) {
            problem_ =
                QStringLiteral("加密设置无效：%1").arg(QString::fromUtf8(mosquitto_strerror(set)));
            stop();
            return false;
        }
    }
    // The library's thread connects, keeps the connection and tries again after a loss.
    const int connecting = mosquitto_connect_async(client_, settings.host.toUtf8().constData(),
                                                   settings.port, kKeepAliveSeconds);
    if (connecting != MOSQ_ERR_SUCCESS && connecting != MOSQ_ERR_ERRNO) {
        problem_ = QString::fromUtf8(mosquitto_strerror(connecting));
        stop();
        return false;
    }
    if (mosquitto_loop_start(client_) != MOSQ_ERR_SUCCESS) {
        problem_ = QStringLiteral("无法启动连接线程");
        stop();
        return false;
    }
    if (connecting == MOSQ_ERR_ERRNO) {
        report(false, QString::fromLocal8Bit(strerror(errno)));
    }
    return true;
}

void BrokerClient::stop(const QString& goodbyeTopic, const QByteArray& goodbye) {
    if (!client_) {
        return;
    }
    if (connected_ && !goodbyeTopic.isEmpty()) {
        mosquitto_publish(client_, nullptr, goodbyeTopic.toUtf8().constData(), int(goodbye.size()),
                          goodbye.constData(), 1, true);
    }
    mosquitto_disconnect(client_);
    mosquitto_loop_stop(client_, true);
    mosquitto_destroy(client_);
    client_ = nullptr;
    connected_ = false;
}

void BrokerClient::publish(const QString& topic, const QByteArray& payload, bool retain, int qos) {
    if (client_ && connected_) {
        mosquitto_publish(client_, nullptr, topic.toUtf8().constData(), int(payload.size()),
                          payload.constData(), qos, retain);
    }
}

void BrokerClient::OnConnect(mosquitto* client, void* self, int code) {
    auto* broker = static_cast<BrokerClient*>(self);
    if (code == 0) {
        for (const QString& pattern : broker->settings_.subscriptions) {
            mosquitto_subscribe(client, nullptr, pattern.toUtf8().constData(), 1);
        }
    }
    broker->refused_ = code != 0;
    broker->report(code == 0, code == 0 ? QString() : WhyRefused(code));
}

void BrokerClient::OnDisconnect(mosquitto*, void* self, int code) {
    auto* broker = static_cast<BrokerClient*>(self);
    if (broker->refused_) {
        return;  // the refusal has said why; the loss that follows it says less
    }
    broker->report(
        false,
        code == 0
            ? QStringLiteral("已断开")
            : QStringLiteral("连接中断（%1）").arg(QString::fromUtf8(mosquitto_strerror(code))));
}

void BrokerClient::OnMessage(mosquitto*, void* self, const mosquitto_message* message) {
    if (message->payloadlen > kLargestMessage) {
        return;
    }
    const QString topic = QString::fromUtf8(message->topic);
    const QByteArray payload(static_cast<const char*>(message->payload), message->payloadlen);
    auto* broker = static_cast<BrokerClient*>(self);
    QMetaObject::invokeMethod(
        broker, [broker, topic, payload] { emit broker->message(topic, payload); },
        Qt::QueuedConnection);
}

void BrokerClient::report(bool up, const QString& why) {
    // From the library's thread: the state now, the signal on the owner's thread.
    const bool was = connected_.exchange(up);
    QMetaObject::invokeMethod(
        this,
        [this, up, was, why] {
            if (up) {
                problem_.clear();
                emit connected();
            } else if (was || problem_ != why) {
                problem_ = why;
                emit disconnected(why);
            }
        },
        Qt::QueuedConnection);
}

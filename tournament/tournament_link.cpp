#include "tournament/tournament_link.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include "foundation/debate_profiles.h"
#include "foundation/paths.h"
#include "foundation/program.h"
#include "foundation/tournament_profile.h"
#include "foundation/widgets/full_screen_window.h"
#include "hall/remote_message.h"
#include "hall/screen_snapshot.h"

namespace {

const QString kState = QStringLiteral("state");
const QString kStatus = QStringLiteral("status");
const QString kNotice = QStringLiteral("notice");
// Answers the broker owes for longer than the link keeps them in mind.
constexpr int kMostUnanswered = 256;

QByteArray Json(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QString Now() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

// A notice's text: {"text": …} or the plain text, without control characters, cut short.
QString NoticeText(const QByteArray& payload) {
    const QJsonObject object = QJsonDocument::fromJson(payload).object();
    QString text = object.contains(QStringLiteral("text"))
                       ? object.value(QStringLiteral("text")).toString()
                       : QString::fromUtf8(payload);
    text.removeIf([](QChar c) { return c.category() == QChar::Other_Control && c != '\n'; });
    return text.trimmed().left(kLongestNotice);
}

}  // namespace

TournamentLink::TournamentLink(QString appDir, QObject* parent)
    : QObject(parent),
      appDir_(std::move(appDir)),
      statePace_(kStateIntervalMs, [this] { publishState(); }) {
    noticesMoved_.setSingleShot(true);  // one repaint for a batch of notices
    connect(&noticesMoved_, &QTimer::timeout, this, &TournamentLink::noticesChanged);
    connect(&client_, &BrokerClient::connected, this, &TournamentLink::onConnected);
    connect(&client_, &BrokerClient::disconnected, this, &TournamentLink::statusChanged);
    connect(&client_, &BrokerClient::message, this, &TournamentLink::onMessage);
    connect(&client_, &BrokerClient::published, this, &TournamentLink::onPublished);
    connect(&client_, &BrokerClient::dropped, this, [this](int count) {
        notices_.fold(count);
        noticesMoved();
    });
}

TournamentLink::~TournamentLink() {
    client_.stop(topic(kStatus), presence(false));
}

void TournamentLink::applySettings() {
    client_.stop(topic(kStatus), presence(false));
    const TournamentSettings settings =
        ReadTournamentSettings(AppPath(appDir_, kTournamentProfile));
    enabled_ = settings.enabled;
    configProblem_.clear();
    gaveWay_ = false;
    if (!enabled_) {
        emit statusChanged();
        return;
    }
    tournament_ = settings.tournament;
    room_ = settings.room;
    host_ = settings.host;
    port_ = PortFromText(settings.port, kDefaultBrokerPort).value_or(0);
    configProblem_ = RoomSettingsProblem(settings);
    if (!configProblem_.isEmpty()) {
        emit statusChanged();
        return;
    }
    instance_ = QString::number(QRandomGenerator::global()->generate64(), 16);
    BrokerSettings broker;
    broker.host = host_;
    broker.port = port_;
    broker.user = settings.user;
    broker.password = settings.password;
    broker.tls = settings.tls;
    broker.caFile = settings.caFile;
    // Levels hold no "/": the id is the room's, unambiguously, and this run's alone.
    broker.clientId = QStringLiteral("debaclock/%1/%2/%3").arg(tournament_, room_, instance_);
    broker.willTopic = topic(kStatus);
    broker.willPayload = presence(false, false);
    broker.subscriptions = {QStringLiteral("debaclock/%1/notice").arg(tournament_), topic(kNotice),
                            topic(kStatus)};
    broker.keptPerTopic = kNoticesWaiting;
    if (!client_.start(broker)) {
        configProblem_ = client_.problem();
    }
    emit statusChanged();
}

QString TournamentLink::status() const {
    if (!enabled_) {
        return QStringLiteral("未启用");
    }
    if (!configProblem_.isEmpty()) {
        return QStringLiteral("未连接：") + configProblem_;
    }
    if (gaveWay_) {
        return QStringLiteral("未连接：另一台电脑以同一赛场登录");
    }
    if (client_.isConnected()) {
        return refused_.isEmpty()
                   ? QStringLiteral("已连接 %1:%2").arg(host_).arg(port_)
                   : QStringLiteral("已连接，但服务器拒绝了本赛场的消息（请检查用户名与权限）");
    }
    return client_.problem().isEmpty() ? QStringLiteral("正在连接 %1:%2").arg(host_).arg(port_)
                                       : QStringLiteral("未连接：") + client_.problem();
}

bool TournamentLink::statusIsProblem() const {
    if (!enabled_) {
        return false;
    }
    if (client_.isConnected()) {
        return !refused_.isEmpty();
    }
    return !configProblem_.isEmpty() || gaveWay_ || !client_.problem().isEmpty();
}

void TournamentLink::closeNotice(quint64 id) {
    notices_.close(id);
    noticesMoved();
}

void TournamentLink::clearFolded() {
    notices_.clearFolded();
    noticesMoved();
}

void TournamentLink::follow(FullScreenWindow* screen) {
    disconnect(screenChanges_);
    screen_ = screen;
    // Read once per screen, not on every tick: both change only as another screen comes up.
    segment_ = SegmentOnScreen(appDir_, screen);
    debate_ = DebateNameIn(appDir_);
    if (screen) {
        screenChanges_ =
            connect(screen, &FullScreenWindow::stateChanged, &statePace_, &PacedCall::request);
    }
    statePace_.request();
}

void TournamentLink::onConnected() {
    echoed_ = false;
    sent_.clear();
    refused_.clear();
    publishStatus();
    statePace_.callNow();  // the retained state brought up to date
    emit statusChanged();
}

void TournamentLink::publishState() {
    if (!client_.isConnected()) {
        return;  // sent whole on the next connection
    }
    QJsonObject state = ScreenSnapshot(screen_, segment_);
    state.insert("running", screen_ && screen_->clockRunning());
    state.insert("room", room_);
    state.insert("debate", debate_);
    state.insert("updated", Now());
    send(kState, Json(state));
}

void TournamentLink::publishStatus() {
    send(kStatus, presence(true));
}

void TournamentLink::send(const QString& leaf, const QByteArray& payload) {
    if (const int id = client_.publish(topic(leaf), payload, true); id != 0) {
        if (sent_.size() >= kMostUnanswered) {
            sent_.clear();  // answers that never came: the connection they were owed on is gone
        }
        sent_.insert(id, leaf);
    }
}

void TournamentLink::onPublished(int id, int reason) {
    const QString leaf = sent_.take(id);
    if (leaf.isEmpty()) {
        return;
    }
    const bool wasRefused = !refused_.isEmpty();
    if (BrokerClient::Accepted(reason)) {
        refused_.remove(leaf);
    } else {
        refused_.insert(leaf);
    }
    if (wasRefused != !refused_.isEmpty()) {
        emit statusChanged();
    }
}

void TournamentLink::onMessage(const QString& topic, const QByteArray& payload) {
    if (topic == this->topic(kStatus)) {
        onOwnStatus(payload);
        return;
    }
    const QString text = NoticeText(payload);
    if (!text.isEmpty()) {
        notices_.add(text, topic == this->topic(kNotice), QDateTime::currentDateTime());
        noticesMoved();
    }
}

// The room's presence as the broker passes it on, in the order it took each: what came before
// this run's own is older (a run before it, or a will); another run's presence after it is a
// computer that came in since, as this room.
void TournamentLink::onOwnStatus(const QByteArray& payload) {
    const QJsonObject status = QJsonDocument::fromJson(payload).object();
    const bool online = status.value(QStringLiteral("online")).toBool();
    const bool ours = status.value(QStringLiteral("instance")).toString() == instance_;
    if (ours && online) {
        echoed_ = true;
    } else if (!echoed_) {
        return;
    } else if (online) {
        gaveWay_ = true;
        client_.stop();  // no goodbye: the room is the other computer's now
        emit statusChanged();
    } else {
        publishStatus();  // a will or goodbye of an earlier run must not mark this one offline
    }
}

void TournamentLink::noticesMoved() {
    if (!noticesMoved_.isActive()) {
        noticesMoved_.start(0);
    }
}

QString TournamentLink::topic(const QString& leaf) const {
    return QStringLiteral("debaclock/%1/%2/%3").arg(tournament_, room_, leaf);
}

QByteArray TournamentLink::presence(bool online, bool withTime) const {
    QJsonObject status{{"online", online}, {"instance", instance_}};
    if (online) {
        status.insert("version", kVersionText);
    }
    if (withTime) {
        status.insert("updated", Now());
    }
    return Json(status);
}

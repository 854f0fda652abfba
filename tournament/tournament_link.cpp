#include "tournament/tournament_link.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "foundation/debate_profiles.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/program.h"
#include "foundation/setup_file.h"
#include "foundation/tournament_profile.h"
#include "foundation/widgets/full_screen_window.h"
#include "hall/screen_snapshot.h"

namespace {

constexpr int kLongestNotice = 500;

QByteArray Json(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
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
    : QObject(parent), appDir_(std::move(appDir)) {
    stateTimer_.setSingleShot(true);
    connect(&stateTimer_, &QTimer::timeout, this, &TournamentLink::publishState);
    connect(&client_, &BrokerClient::connected, this, [this] {
        client_.publish(topic(QStringLiteral("status")),
                        Json({{"online", true}, {"version", kVersionText}}), true);
        publishState();  // the retained state brought up to date
        emit statusChanged();
    });
    connect(&client_, &BrokerClient::disconnected, this, &TournamentLink::statusChanged);
    connect(&client_, &BrokerClient::message, this, &TournamentLink::onMessage);
}

TournamentLink::~TournamentLink() {
    client_.stop(topic(QStringLiteral("status")), Json({{"online", false}}));
}

void TournamentLink::applySettings() {
    const QString profile = AppPath(appDir_, kTournamentProfile);
    const auto read = [&](const QString& key) {
        return ReadProfileString(profile, kConfigSection, key).trimmed();
    };
    client_.stop(topic(QStringLiteral("status")), Json({{"online", false}}));
    enabled_ = read(TournamentKey::Enabled) == QLatin1String("1");
    configProblem_.clear();
    if (!enabled_) {
        emit statusChanged();
        return;
    }
    tournament_ = read(TournamentKey::Tournament);
    room_ = read(TournamentKey::Room);
    host_ = read(TournamentKey::Host);
    bool portRead = false;
    const uint port = read(TournamentKey::Port).toUInt(&portRead);
    port_ = portRead && port > 0 && port < 65536 ? quint16(port) : kDefaultBrokerPort;
    if (host_.isEmpty() || !IsTopicLevel(tournament_) || !IsTopicLevel(room_)) {
        configProblem_ = QStringLiteral("请填写服务器、赛事和赛场（赛事、赛场中不能有 / + #）");
        emit statusChanged();
        return;
    }
    BrokerSettings settings;
    settings.host = host_;
    settings.port = port_;
    settings.user = read(TournamentKey::User);
    settings.password = ReadProfileString(profile, kConfigSection, TournamentKey::Password);
    settings.tls = read(TournamentKey::Tls) == QLatin1String("1");
    settings.caFile = read(TournamentKey::CaFile);
    settings.clientId = QStringLiteral("debaclock-%1-%2").arg(tournament_, room_);
    settings.willTopic = topic(QStringLiteral("status"));
    settings.willPayload = Json({{"online", false}});
    settings.subscriptions = {QStringLiteral("debaclock/%1/notice").arg(tournament_),
                              topic(QStringLiteral("notice"))};
    if (!client_.start(settings)) {
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
    if (client_.isConnected()) {
        return QStringLiteral("已连接 %1:%2").arg(host_).arg(port_);
    }
    return client_.problem().isEmpty() ? QStringLiteral("正在连接 %1:%2").arg(host_).arg(port_)
                                       : QStringLiteral("未连接：") + client_.problem();
}

bool TournamentLink::statusIsProblem() const {
    return enabled_ && !client_.isConnected() &&
           (!configProblem_.isEmpty() || !client_.problem().isEmpty());
}

void TournamentLink::follow(FullScreenWindow* screen) {
    disconnect(screenChanges_);
    screen_ = screen;
    // Read once per screen, not on every tick: both change only as another screen comes up.
    segment_ = SegmentOnScreen(appDir_, screen);
    debate_ = DebateNameIn(appDir_);
    if (screen) {
        screenChanges_ =
            connect(screen, &FullScreenWindow::stateChanged, this, &TournamentLink::scheduleState);
    }
    scheduleState();
}

void TournamentLink::scheduleState() {
    // A tick goes out at once; a burst of changes after it waits for the rest of the interval.
    if (stateTimer_.isActive()) {
        return;
    }
    const qint64 since = sincePublished_.isValid() ? sincePublished_.elapsed() : kStateIntervalMs;
    if (since >= kStateIntervalMs) {
        publishState();
    } else {
        stateTimer_.start(int(kStateIntervalMs - since));
    }
}

void TournamentLink::publishState() {
    if (!client_.isConnected()) {
        return;  // sent whole on the next connection
    }
    sincePublished_.start();
    QJsonObject state = ScreenSnapshot(screen_, segment_);
    state.insert("running", screen_ && screen_->clockRunning());
    state.insert("room", room_);
    state.insert("debate", debate_);
    state.insert("updated", QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    client_.publish(topic(QStringLiteral("state")), Json(state), true);
}

void TournamentLink::onMessage(const QString& topic, const QByteArray& payload) {
    const QString text = NoticeText(payload);
    if (!text.isEmpty()) {
        emit noticeReceived(
            {text, QDateTime::currentDateTime(), topic == this->topic(QStringLiteral("notice"))});
    }
}

QString TournamentLink::topic(const QString& leaf) const {
    return QStringLiteral("debaclock/%1/%2/%3").arg(tournament_, room_, leaf);
}

#include "tournament/board_service.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "foundation/tournament_profile.h"

BoardService::BoardService(QObject* parent) : QObject(parent) {
    throttle_.setSingleShot(true);
    throttle_.setInterval(250);
    connect(&throttle_, &QTimer::timeout, this, &BoardService::publish);
    connect(&broker_, &BrokerClient::message, this, &BoardService::onMessage);
    connect(&server_, &HallServer::noticeRequested, this, &BoardService::sendNotice);
    server_.setPages(
        {QStringLiteral("board.html"),
         {},
         {},
         {QStringLiteral("hall.css"), QStringLiteral("board.css"), QStringLiteral("board.js")}});
    server_.acceptNotices(true);
}

bool BoardService::start(const QString& tournament, const BrokerSettings& broker, quint16 httpPort,
                         const QString& token, QString* problem) {
    if (!IsTopicLevel(tournament)) {
        if (problem) {
            *problem = QStringLiteral("赛事名称不能为空，也不能有 / + #");
        }
        return false;
    }
    tournament_ = tournament;
    server_.setToken(token);
    if (!server_.start(httpPort, problem)) {
        return false;
    }
    BrokerSettings settings = broker;
    settings.subscriptions = {QStringLiteral("debaclock/%1/+/state").arg(tournament),
                              QStringLiteral("debaclock/%1/+/status").arg(tournament)};
    if (!broker_.start(settings)) {
        if (problem) {
            *problem = broker_.problem();
        }
        return false;
    }
    publish();
    return true;
}

void BoardService::onMessage(const QString& topic, const QByteArray& payload) {
    const QStringList levels = topic.split(QLatin1Char('/'));
    if (levels.size() != 4 || levels[1] != tournament_ || !IsTopicLevel(levels[2])) {
        return;
    }
    const QString& name = levels[2];
    if (!rooms_.contains(name) && rooms_.size() >= kMostRooms) {
        return;
    }
    const QJsonObject object = QJsonDocument::fromJson(payload).object();
    Room& room = rooms_[name];
    room.seen = QDateTime::currentDateTimeUtc();
    if (levels[3] == QLatin1String("status")) {
        room.online = object.value(QStringLiteral("online")).toBool();
    } else if (levels[3] == QLatin1String("state")) {
        room.state = object;
        room.online = true;  // a state comes only from a room that is there
    }
    if (!throttle_.isActive()) {
        throttle_.start();
    }
}

void BoardService::publish() {
    QJsonArray rooms;
    for (auto it = rooms_.cbegin(); it != rooms_.cend(); ++it) {
        rooms.append(QJsonObject{{"room", it.key()},
                                 {"online", it->online},
                                 {"seen", it->seen.toString(Qt::ISODateWithMs)},
                                 {"state", it->state}});
    }
    server_.publishState(QString::fromUtf8(
        QJsonDocument(
            QJsonObject{{"tournament", tournament_},
                        {"now", QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
                        {"rooms", rooms}})
            .toJson(QJsonDocument::Compact)));
}

void BoardService::sendNotice(const QString& text, const QString& room) {
    if (!room.isEmpty() && !IsTopicLevel(room)) {
        return;
    }
    const QString topic = room.isEmpty()
                              ? QStringLiteral("debaclock/%1/notice").arg(tournament_)
                              : QStringLiteral("debaclock/%1/%2/notice").arg(tournament_, room);
    broker_.publish(
        topic, QJsonDocument(QJsonObject{{"text", text}}).toJson(QJsonDocument::Compact), false);
}

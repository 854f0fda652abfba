#include "tournament/board_service.h"

#include <QJsonDocument>

#include "foundation/tournament_profile.h"
#include "hall/remote_message.h"
#include "tournament/board_room.h"

namespace {

// Notices waiting for the broker's answer; more are refused at once.
constexpr int kMostPending = 200;

HallServer::Limits BoardLimits() {
    HallServer::Limits limits;
    limits.connections.unsentBytes = BoardService::kUnsentBytes;
    return limits;
}

QByteArray Compact(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QString UtcText(const QDateTime& at) {
    return at.toUTC().toString(Qt::ISODateWithMs);
}

// `head` (a JSON object) with `key` set to the array of `items`, each already JSON.
QByteArray WithArray(const QJsonObject& head, const char* key, const QList<QByteArray>& items) {
    QByteArray json = Compact(head);
    json.chop(1);
    json += (head.isEmpty() ? "\"" : ",\"") + QByteArray(key) + "\":[" + items.join(',') + "]}";
    return json;
}

}  // namespace

BoardService::BoardService(QObject* parent) : QObject(parent), server_(BoardLimits()) {
    changes_.setSingleShot(true);
    changes_.setInterval(kChangesMs);
    connect(&changes_, &QTimer::timeout, this, &BoardService::sendChanges);
    answers_.setInterval(1000);
    connect(&answers_, &QTimer::timeout, this, [this] { answerUnanswered(false); });
    connect(&broker_, &BrokerClient::message, this, &BoardService::onMessage);
    connect(&broker_, &BrokerClient::published, this, &BoardService::onPublished);
    connect(&broker_, &BrokerClient::disconnected, this, [this] { answerUnanswered(true); });
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
    settings.keptPerTopic = 1;  // of a state, the latest is all that counts
    if (!broker_.start(settings)) {
        if (problem) {
            *problem = broker_.problem();
        }
        return false;
    }
    server_.keepState(
        QString::fromUtf8(wholeBoard(UtcText(QDateTime::currentDateTimeUtc()).toUtf8())));
    answers_.start();
    return true;
}

void BoardService::onMessage(const QString& topic, const QByteArray& payload, bool retained) {
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
    if (levels[3] == QLatin1String("status")) {
        room.online = object.value(QStringLiteral("online")).toBool();
    } else if (levels[3] == QLatin1String("state")) {
        room.state = BoardRoomState(object);
        room.online = true;  // a state comes only from a room that is there
    } else {
        return;
    }
    const QDateTime heard = HeardIn(object, retained, QDateTime::currentDateTimeUtc());
    if (heard.isValid() && (!room.heard.isValid() || heard > room.heard)) {
        room.heard = heard;
    }
    QJsonObject shown{{"room", name}, {"online", room.online}, {"state", room.state}};
    if (room.heard.isValid()) {
        shown.insert("heard", UtcText(room.heard));
    }
    room.json = Compact(shown);
    changed_.insert(name);
    if (!changes_.isActive()) {
        changes_.start();
    }
}

void BoardService::sendChanges() {
    const QByteArray now = UtcText(QDateTime::currentDateTimeUtc()).toUtf8();
    QList<QByteArray> changed;
    for (auto it = rooms_.cbegin(); it != rooms_.cend(); ++it) {
        if (changed_.contains(it.key())) {
            changed << it->json;
        }
    }
    changed_.clear();
    // The whole board first: a page that connects from now on gets it, and these changes are
    // already in it.
    server_.keepState(QString::fromUtf8(wholeBoard(now)));
    server_.sendToAll(
        QString::fromUtf8(WithArray({{"now", QString::fromUtf8(now)}}, "changed", changed)));
}

QByteArray BoardService::wholeBoard(const QByteArray& now) const {
    QList<QByteArray> rooms;
    rooms.reserve(rooms_.size());
    for (const Room& room : rooms_) {
        rooms << room.json;
    }
    return WithArray({{"tournament", tournament_}, {"now", QString::fromUtf8(now)}}, "rooms",
                     rooms);
}

void BoardService::sendNotice(const QString& text, const QString& room,
                              const HallServer::NoticeReply& reply) {
    if (!room.isEmpty() && !IsTopicLevel(room)) {
        reply(RefusalText(Refusal::Malformed));
        return;
    }
    const QString topic = room.isEmpty()
                              ? QStringLiteral("debaclock/%1/notice").arg(tournament_)
                              : QStringLiteral("debaclock/%1/%2/notice").arg(tournament_, room);
    const int id = pending_.size() < kMostPending
                       ? broker_.publish(topic, Compact({{"text", text}}), false)
                       : 0;
    if (id == 0) {
        reply(RefusalText(Refusal::Unavailable));
        return;
    }
    pending_.insert(id, {reply, {}});
    pending_[id].age.start();
}

void BoardService::onPublished(int id, int reason) {
    const auto it = pending_.constFind(id);
    if (it == pending_.cend()) {
        return;
    }
    const HallServer::NoticeReply reply = it->reply;
    pending_.erase(it);
    reply(BrokerClient::Accepted(reason)
              ? QString::fromUtf8(Compact({{"sent", UtcText(QDateTime::currentDateTimeUtc())}}))
              : RefusalText(Refusal::Unavailable));
}

// A connection lost with notices on their way cannot say whether the broker took them: they
// are said not to be sent, as are those the broker leaves unanswered too long.
void BoardService::answerUnanswered(bool all) {
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (all || it->age.elapsed() >= kNoticeAnswerMs) {
            it->reply(RefusalText(Refusal::Unavailable));
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
}

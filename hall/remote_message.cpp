#include "hall/remote_message.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
constexpr qsizetype kLongestActionName = 64;
}

RemoteMessage ReadRemoteMessage(const QString& text) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return {RemoteMessage::Kind::Malformed, {}};
    }
    const QJsonObject object = document.object();
    if (object.contains(QLatin1String("notice"))) {
        const QJsonValue text = object.value(QLatin1String("notice"));
        const QJsonValue room = object.value(QLatin1String("room"));
        const bool onlyKnownKeys =
            object.size() == 1 || (object.size() == 2 && object.contains(QLatin1String("room")));
        if (!onlyKnownKeys || !text.isString() || text.toString().trimmed().isEmpty() ||
            text.toString().size() > kLongestNotice ||
            (!room.isUndefined() && (!room.isString() || room.toString().size() > 64))) {
            return {RemoteMessage::Kind::Malformed, {}};
        }
        return {RemoteMessage::Kind::Notice, {}, text.toString().trimmed(), room.toString()};
    }
    if (object.size() != 1 || !object.contains(QLatin1String("trigger"))) {
        return {RemoteMessage::Kind::Unknown, {}};
    }
    const QJsonValue action = object.value(QLatin1String("trigger"));
    if (!action.isString() || action.toString().isEmpty() ||
        action.toString().size() > kLongestActionName) {
        return {RemoteMessage::Kind::Malformed, {}};
    }
    return {RemoteMessage::Kind::Trigger, action.toString()};
}

QString RefusalText(const QString& kind, int waitSeconds) {
    QJsonObject refusal{{"error", kind}};
    if (waitSeconds > 0) {
        refusal.insert("wait", waitSeconds);
    }
    return QString::fromUtf8(QJsonDocument(refusal).toJson(QJsonDocument::Compact));
}

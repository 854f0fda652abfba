#pragma once
// "\config\tournament.ini", section "配置信息": how this room reaches the tournament's MQTT
// broker. Off unless "启用" is 1.

#include <QString>

inline const QString kTournamentProfile = QStringLiteral("\\config\\tournament.ini");

namespace TournamentKey {
inline const QString Enabled = QStringLiteral("启用");  // "1" or "0"
inline const QString Host = QStringLiteral("服务器");
inline const QString Port = QStringLiteral("端口");  // 1883 unless given
inline const QString Tournament = QStringLiteral("赛事");
inline const QString Room = QStringLiteral("赛场");
inline const QString User = QStringLiteral("用户名");
inline const QString Password = QStringLiteral("口令");
inline const QString Tls = QStringLiteral("加密");  // "1": TLS
inline const QString CaFile = QStringLiteral("CA文件");
}  // namespace TournamentKey

inline constexpr quint16 kDefaultBrokerPort = 1883;

// "\config\board.ini", section "配置信息": the tab room's board, with the broker keys above
// (its own user and password) and where it serves its page.
inline const QString kBoardProfile = QStringLiteral("\\config\\board.ini");
namespace BoardKey {
inline const QString WebPort = QStringLiteral("网页端口");   // 8650 unless given
inline const QString WebToken = QStringLiteral("网页口令");  // made at first use
}  // namespace BoardKey
inline constexpr quint16 kDefaultBoardPort = 8650;

// Whether `name` may stand as one level of a topic: not empty, at most 64 characters, no
// "/", "+", "#" and no control character.
bool IsTopicLevel(const QString& name);

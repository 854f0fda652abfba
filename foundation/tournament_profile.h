#pragma once
// "\config\tournament.ini", section "配置信息": how this room reaches the tournament's MQTT
// broker. Off unless "启用" is 1.

#include <QString>
#include <optional>

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

// A port as typed: `otherwise` when empty, none when it is no number from 1 to 65535.
std::optional<quint16> PortFromText(const QString& text, quint16 otherwise);
inline const QString kPortRefused = QStringLiteral("端口须是 1 到 65535 之间的整数");

// The broker keys of a room's or the board's profile, as the operator typed them (the
// password untrimmed: blanks may belong to it).
struct TournamentSettings {
    bool enabled = false;
    QString host;
    QString port;
    bool tls = false;
    QString caFile;
    QString tournament;
    QString room;
    QString user;
    QString password;
};

TournamentSettings ReadTournamentSettings(const QString& profile);

// Why a room cannot connect with `settings`, in words for the operator; empty when it can try.
// The broker's rules let a user write only the room of its own name, so a 用户名 other than
// the 赛场 would log in and then have every message refused.
QString RoomSettingsProblem(const TournamentSettings& settings);

// Writes every key and reads each back; a value the GBK profile cannot hold as typed (a
// character GBK lacks, too long) puts the profile back as it was. Empty on success, else why.
QString WriteTournamentSettings(const QString& profile, const TournamentSettings& settings);

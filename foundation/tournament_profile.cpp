#include "foundation/tournament_profile.h"

#include <QFile>
#include <QList>
#include <algorithm>

#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/saved_file.h"

namespace {

QString Flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// Each key with its value, in the order the settings form shows them.
QList<std::pair<QString, QString>> Values(const TournamentSettings& settings) {
    return {{TournamentKey::Enabled, Flag(settings.enabled)},
            {TournamentKey::Host, settings.host},
            {TournamentKey::Port, settings.port},
            {TournamentKey::Tls, Flag(settings.tls)},
            {TournamentKey::CaFile, settings.caFile},
            {TournamentKey::Tournament, settings.tournament},
            {TournamentKey::Room, settings.room},
            {TournamentKey::User, settings.user},
            {TournamentKey::Password, settings.password}};
}

}  // namespace

bool IsTopicLevel(const QString& name) {
    return !name.isEmpty() && name.size() <= 64 &&
           std::none_of(name.cbegin(), name.cend(), [](QChar c) {
               return c == QLatin1Char('/') || c == QLatin1Char('+') || c == QLatin1Char('#') ||
                      c.category() == QChar::Other_Control;
           });
}

std::optional<quint16> PortFromText(const QString& text, quint16 otherwise) {
    if (text.trimmed().isEmpty()) {
        return otherwise;
    }
    bool read = false;
    const uint port = text.trimmed().toUInt(&read);
    if (!read || port < 1 || port > 65535) {
        return std::nullopt;
    }
    return quint16(port);
}

TournamentSettings ReadTournamentSettings(const QString& profile) {
    const auto read = [&](const QString& key) {
        return ReadProfileString(profile, kConfigSection, key).trimmed();
    };
    TournamentSettings settings;
    settings.enabled = read(TournamentKey::Enabled) == QLatin1String("1");
    settings.host = read(TournamentKey::Host);
    settings.port = read(TournamentKey::Port);
    settings.tls = read(TournamentKey::Tls) == QLatin1String("1");
    settings.caFile = read(TournamentKey::CaFile);
    settings.tournament = read(TournamentKey::Tournament);
    settings.room = read(TournamentKey::Room);
    settings.user = read(TournamentKey::User);
    settings.password = ReadProfileString(profile, kConfigSection, TournamentKey::Password);
    return settings;
}

QString RoomSettingsProblem(const TournamentSettings& settings) {
    if (settings.host.isEmpty() || !IsTopicLevel(settings.tournament) ||
        !IsTopicLevel(settings.room)) {
        return QStringLiteral("请填写服务器、赛事和赛场（赛事、赛场中不能有 / + #）");
    }
    if (!PortFromText(settings.port, kDefaultBrokerPort)) {
        return kPortRefused;
    }
    if (!settings.user.isEmpty() && settings.user != settings.room) {
        return QStringLiteral("用户名须与赛场相同：服务器只接受以赛场名登录的电脑发来的该赛场消息");
    }
    return {};
}

QString WriteTournamentSettings(const QString& profile, const TournamentSettings& settings) {
    // Put back byte for byte: the keys this save added are gone again, and so is a profile it made.
    QFile file(ResolvePath(profile));
    const bool existed = file.exists();
    const QByteArray before = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    const auto restore = [&] {
        if (existed) {
            SaveFileAtomically(file.fileName(), before);
        } else {
            file.remove();
        }
    };
    ProfileSave save(profile);
    for (const auto& [key, value] : Values(settings)) {
        save.write(kConfigSection, key, value);
    }
    if (!save.succeeded()) {
        restore();
        return QStringLiteral("设置未能保存：") + save.reasons();
    }
    for (const auto& [key, value] : Values(settings)) {
        if (ReadProfileString(profile, kConfigSection, key) != value) {
            restore();
            // The password is never shown back, not even in a refusal.
            return QStringLiteral(
                       "设置未能保存：“%1”中有配置文件无法保存的字符或内容过长，"
                       "已恢复原来的设置。")
                .arg(key);
        }
    }
    return {};
}

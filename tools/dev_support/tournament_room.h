#pragma once
// A room's "\config\tournament.ini" for tests and benchmarks: on, reaching a broker on this
// machine's loopback, logging in with the room's name as user when a password is given.

#include <QDir>
#include <QString>

#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/tournament_profile.h"

inline void ConfigureRoom(const QString& appDir, quint16 port, const QString& tournament,
                          const QString& room, const QString& password = {}) {
    QDir(appDir).mkpath(QStringLiteral("config"));
    const QString profile = AppPath(appDir, kTournamentProfile);
    for (const auto& [key, value] : {std::pair{TournamentKey::Enabled, QStringLiteral("1")},
                                     {TournamentKey::Host, QStringLiteral("127.0.0.1")},
                                     {TournamentKey::Port, QString::number(port)},
                                     {TournamentKey::Tournament, tournament},
                                     {TournamentKey::Room, room},
                                     {TournamentKey::User, password.isEmpty() ? QString() : room},
                                     {TournamentKey::Password, password}}) {
        WriteProfileString(profile, kConfigSection, key, value);
    }
}

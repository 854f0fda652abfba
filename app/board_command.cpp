#include "app/board_command.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTextStream>
#include <QUrl>

#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/program.h"
#include "foundation/program_folder.h"
#include "foundation/remote_access.h"
#include "foundation/tournament_profile.h"
#include "hall/lan_address.h"
#include "tournament/board_service.h"

std::optional<int> RunBoardCommand(int argc, char* argv[]) {
    bool asked = false;
    for (int i = 1; i < argc; ++i) {
        asked = asked || QByteArray(argv[i]) == "--board";
    }
    if (!asked) {
        return std::nullopt;
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(kProgramTitle);
    QTextStream out(stdout);
    QTextStream errors(stderr);
    const QString folder = ProgramFolderForCommand(errors);
    if (folder.isEmpty()) {
        return 1;
    }
    const QString profile = AppPath(folder, kBoardProfile);
    const auto read = [&](const QString& key) {
        return ReadProfileString(profile, kConfigSection, key).trimmed();
    };
    const auto refuse = [&](const QString& why) {
        errors << QStringLiteral("看板无法启动：%1（设置在 %2）\n").arg(why, profile);
        return 1;
    };
    QString token = read(BoardKey::WebToken);
    if (token.isEmpty()) {
        token = NewRemoteToken();
        WriteProfileString(profile, kConfigSection, BoardKey::WebToken, token);
    }
    const TournamentSettings settings = ReadTournamentSettings(profile);
    const std::optional<quint16> brokerPort = PortFromText(settings.port, kDefaultBrokerPort);
    const std::optional<quint16> webPort = PortFromText(read(BoardKey::WebPort), kDefaultBoardPort);
    if (settings.host.isEmpty()) {
        return refuse(QStringLiteral("请填写服务器"));
    }
    if (!brokerPort || !webPort) {
        return refuse(QStringLiteral("“%1”：%2")
                          .arg(brokerPort ? BoardKey::WebPort : TournamentKey::Port, kPortRefused));
    }
    BrokerSettings broker;
    broker.host = settings.host;
    broker.port = *brokerPort;
    broker.user = settings.user;
    broker.password = settings.password;
    broker.tls = settings.tls;
    broker.caFile = settings.caFile;
    // A run of its own: two boards never take the broker's session from each other.
    broker.clientId = QStringLiteral("debaclock-board/%1")
                          .arg(QString::number(QRandomGenerator::global()->generate64(), 16));
    BoardService board;
    QString problem;
    if (!board.start(settings.tournament, broker, *webPort, token, &problem)) {
        return refuse(problem);
    }
    QObject::connect(&board.broker(), &BrokerClient::connected, [&out] {
        out << QStringLiteral("已连接赛事服务器。\n");
        out.flush();
    });
    QObject::connect(&board.broker(), &BrokerClient::disconnected, [&out](const QString& why) {
        out << QStringLiteral("未连接赛事服务器：%1\n").arg(why);
        out.flush();
    });
    const QString host = HallAddress().toString();
    out << QStringLiteral("看板：http://%1:%2/\n发送通知：http://%1:%2/?token=%3\n")
               .arg(host)
               .arg(board.server().port())
               .arg(QString::fromLatin1(QUrl::toPercentEncoding(token)));
    out.flush();
    return app.exec();
}

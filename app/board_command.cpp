#include "board_command.h"

#include <QCoreApplication>
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
    QString token = read(BoardKey::WebToken);
    if (token.isEmpty()) {
        token = NewRemoteToken();
        WriteProfileString(profile, kConfigSection, BoardKey::WebToken, token);
    }
    BrokerSettings broker;
    broker.host = read(TournamentKey::Host);
    broker.port = quint16(read(TournamentKey::Port).toUInt());
    broker.port = broker.port ? broker.port : kDefaultBrokerPort;
    broker.user = read(TournamentKey::User);
    broker.password = ReadProfileString(profile, kConfigSection, TournamentKey::Password);
    broker.tls = read(TournamentKey::Tls) == QLatin1String("1");
    broker.caFile = read(TournamentKey::CaFile);
    broker.clientId = QStringLiteral("debaclock-board-%1").arg(QCoreApplication::applicationPid());
    const quint16 webPort = quint16(read(BoardKey::WebPort).toUInt());
    BoardService board;
    QString problem;
    if (broker.host.isEmpty() ||
        !board.start(read(TournamentKey::Tournament), broker, webPort ? webPort : kDefaultBoardPort,
                     token, &problem)) {
        errors << QStringLiteral("看板无法启动：%1（设置在 %2）\n")
                      .arg(problem.isEmpty() ? QStringLiteral("请填写服务器") : problem, profile);
        return 1;
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

// The tab room's board at a large event, on this machine's loopback: 200 rooms (simulated, in a
// child process, each publishing a state like a real room's once a second) and 50 viewers (in
// another child process) that read the board's WebSocket at a phone's pace on hall Wi-Fi, as
// raw sockets with a small receive buffer read so many kilobytes a second. What each viewer
// gets a second, how big the whole board is on connecting, how many viewers the board drops,
// and the board's own CPU and longest stall.
//   bench_tournament_board [--rooms 200] [--viewers 50] [--kbps 100] [--seconds 20]

#include <sys/socket.h>
#include <unistd.h>

#include <netinet/in.h>
#include <QCoreApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench_broker.h"
#include "bench_support.h"
#include "projected_clock.h"
#include "tools/dev_support/free_port.h"
#include "tournament/board_service.h"

using namespace bench;

namespace {

const QString kTournament = QStringLiteral("bench");

// A room's state as rooms write it: a two-side clock running, with its actions (~1.2 KB).
QByteArray RoomState(int room, int second) {
    QJsonArray actions;
    for (const char* name : {"Left", "Right", "Command1", "Command2", "Command3", "Command4",
                             "Command5", "Command6", "Command7", "Command8"}) {
        actions.append(QJsonObject{{"name", name}, {"text", "正方计时开始"}, {"enabled", true}});
    }
    const int left = 600 - second % 600;
    return QJsonDocument(
               QJsonObject{
                   {"screen", "Form6"},
                   {"segment", "自由辩论"},
                   {"running", true},
                   {"room", QStringLiteral("R%1").arg(room, 3, 10, QLatin1Char('0'))},
                   {"debate", "第五届“星河杯”大学生辩论赛"},
                   {"updated", QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
                   {"clocks",
                    QJsonArray{QJsonObject{{"name", "Label4"},
                                           {"text", QStringLiteral("%1分%2秒")
                                                        .arg(left / 60)
                                                        .arg(left % 60, 2, 10, QLatin1Char('0'))},
                                           {"colour", "#1D2740"},
                                           {"label", "正方"}},
                               QJsonObject{{"name", "Label5"},
                                           {"text", "4分00秒"},
                                           {"colour", "#1D2740"},
                                           {"label", "反方"}}}},
                   {"actions", actions}})
        .toJson(QJsonDocument::Compact);
}

// The child of the rooms: each room's state at once, then each again once a second, spread.
int Rooms(int count, quint16 port, int seconds) {
    BrokerClient rooms;
    BrokerSettings settings;
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = port;
    settings.clientId = QStringLiteral("bench-rooms");
    rooms.start(settings);
    QTest::qWaitFor([&] { return rooms.isConnected(); }, 10000);
    const auto publish = [&](int room, int second) {
        rooms.publish(QStringLiteral("debaclock/%1/R%2/state")
                          .arg(kTournament)
                          .arg(room, 3, 10, QLatin1Char('0')),
                      RoomState(room, second), true);
    };
    for (int room = 0; room < count; ++room) {
        publish(room, 0);
    }
    QTimer ticks;
    int next = 0;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        publish(next % count, next / count);
        ++next;
    });
    ticks.start(std::max(1, 1000 / count));
    QTest::qWait(seconds * 1000);
    return 0;
}

// A phone: a WebSocket read at `bytesPerSecond`, its pings answered; counts what it got.
class SlowViewer : public QObject {
  public:
    SlowViewer(quint16 port, int bytesPerSecond) : perRead_(std::max(1, bytesPerSecond / 10)) {
        // A small receive buffer, as a phone's: what it does not read stays with the server.
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const int buffer = 32 * 1024;
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to);
        socket_.setSocketDescriptor(fd);
        socket_.setReadBufferSize(perRead_);
        socket_.write(
            QStringLiteral("GET /ws HTTP/1.1\r\nHost: 127.0.0.1:%1\r\nUpgrade: websocket\r\n"
                           "Connection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                           "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n\r\n")
                .arg(port)
                .toLatin1());
        connect(&socket_, &QTcpSocket::disconnected, this, [this] { dropped_ = true; });
        connect(&pace_, &QTimer::timeout, this, &SlowViewer::readSome);
        pace_.start(100);
    }
    void startCounting() {
        counted_ = 0;
        messages_ = 0;
    }
    qint64 counted() const { return counted_; }
    int messages() const { return messages_; }
    qint64 firstMessage() const { return first_; }
    bool dropped() const { return dropped_; }

  private:
    void readSome() {
        const QByteArray got = socket_.read(perRead_);
        counted_ += got.size();
        pending_ += got;
        if (!upgraded_) {
            const qsizetype end = pending_.indexOf("\r\n\r\n");
            if (end < 0) {
                return;
            }
            pending_.remove(0, end + 4);
            upgraded_ = true;
        }
        // Server frames are unmasked: a header, a 7, 16 or 64-bit length, the payload.
        while (pending_.size() >= 2) {
            const int opcode = quint8(pending_[0]) & 0x0F;
            qint64 length = quint8(pending_[1]) & 0x7F;
            int header = 2;
            if (length == 126) {
                header = 4;
                length =
                    pending_.size() >= 4 ? (quint8(pending_[2]) << 8 | quint8(pending_[3])) : -1;
            } else if (length == 127) {
                header = 10;
                length = 0;
                for (int i = 0; i < 8 && pending_.size() >= 10; ++i) {
                    length = length << 8 | quint8(pending_[2 + i]);
                }
                length = pending_.size() >= 10 ? length : -1;
            }
            if (length < 0 || pending_.size() < header + length) {
                return;
            }
            const QByteArray payload = pending_.mid(header, length);
            pending_.remove(0, header + length);
            if (opcode == 0x1) {
                first_ = first_ == 0 ? length : first_;
                ++messages_;
            } else if (opcode == 0x9) {
                pong(payload);
            }
        }
    }
    void pong(const QByteArray& payload) {
        QByteArray frame;
        frame.append(char(0x8A)).append(char(0x80 | payload.size())).append(4, '\0');
        frame.append(payload);  // masked with zeros
        socket_.write(frame);
    }

    QTcpSocket socket_;
    QTimer pace_;
    const int perRead_;
    QByteArray pending_;
    bool upgraded_ = false;
    qint64 counted_ = 0;
    int messages_ = 0;
    qint64 first_ = 0;
    bool dropped_ = false;
};

// The child of the viewers: each viewer's bytes a second, messages a second, first message and
// whether it was dropped, one viewer a line.
int Viewers(int count, quint16 port, int kbps, int seconds) {
    std::vector<std::unique_ptr<SlowViewer>> viewers;
    for (int i = 0; i < count; ++i) {
        viewers.push_back(std::make_unique<SlowViewer>(port, kbps * 1024));
    }
    QTest::qWait(3000);  // the whole board read
    for (auto& viewer : viewers) {
        viewer->startCounting();
    }
    QTest::qWait(seconds * 1000);
    for (const auto& viewer : viewers) {
        std::printf("%.0f %.1f %lld %d\n", double(viewer->counted()) / seconds,
                    double(viewer->messages()) / seconds, viewer->firstMessage(),
                    viewer->dropped() ? 1 : 0);
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = ArgumentsOf(argc, argv);
    if (arguments.value(1) == QLatin1String("--be-rooms")) {
        return Rooms(arguments.value(2).toInt(), quint16(arguments.value(3).toUInt()),
                     arguments.value(4).toInt());
    }
    if (arguments.value(1) == QLatin1String("--be-viewers")) {
        return Viewers(arguments.value(2).toInt(), quint16(arguments.value(3).toUInt()),
                       arguments.value(4).toInt(), arguments.value(5).toInt());
    }
    const int rooms = int(NumberAfter(arguments, "--rooms", 200));
    const int viewers = int(NumberAfter(arguments, "--viewers", 50));
    const int kbps = int(NumberAfter(arguments, "--kbps", 100));
    const int seconds = int(NumberAfter(arguments, "--seconds", 20));

    const quint16 port = FreeLoopbackPort();
    Broker broker;
    broker.start(port, "max_queued_messages 10000\n");
    QTest::qWait(500);
    BoardService board;
    BrokerSettings settings;
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = port;
    settings.clientId = QStringLiteral("bench-board");
    QString problem;
    if (!board.start(kTournament, settings, 0, QStringLiteral("bench-token"), &problem)) {
        std::printf("the board did not start: %s\n", qPrintable(problem));
        return 1;
    }
    const auto child = [](const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(QCoreApplication::applicationFilePath(), arguments);
        return process;
    };
    auto roomsChild = child({"--be-rooms", QString::number(rooms), QString::number(port),
                             QString::number(seconds + 10)});
    QTest::qWaitFor([&] { return board.board().count("\"room\":") >= rooms; }, 15000);
    const qsizetype whole = board.board().toUtf8().size();

    auto viewersChild =
        child({"--be-viewers", QString::number(viewers), QString::number(board.server().port()),
               QString::number(kbps), QString::number(seconds)});
    StallMeter connecting, steady;
    connecting.start();
    double cpuStart = 0;
    QTimer::singleShot(3000, [&] {  // once every viewer has read the whole board
        cpuStart = ProcessCpuMs();
        steady.start();
    });
    // The board serves from this event loop: it runs while the viewers read.
    QTest::qWaitFor([&] { return viewersChild->state() == QProcess::NotRunning; },
                    (seconds + 30) * 1000);
    const double cpu = ProcessCpuMs() - cpuStart;
    const double worstConnecting = connecting.worstMs();
    const double worstSteady = steady.worstMs();

    std::vector<double> bytes, messages;
    int dropped = 0;
    qint64 first = 0;
    for (const QByteArray& line : viewersChild->readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 4) {
            bytes.push_back(fields[0].toDouble() / 1024);
            messages.push_back(fields[1].toDouble());
            first = std::max(first, fields[2].toLongLong());
            dropped += fields[3].toInt();
        }
    }
    roomsChild->kill();
    roomsChild->waitForFinished();
    std::printf("%d rooms, %d viewers reading %d KB/s each, %d s\n", rooms, viewers, kbps, seconds);
    std::printf("%-44s %8.1f KB\n", "the whole board, on connecting", double(whole) / 1024);
    std::printf("%-44s %8.1f KB/s\n", "  sent whole 4 times a second would be",
                4 * double(whole) / 1024);
    const auto print = [](const char* what, const std::vector<double>& values, const char* unit) {
        std::printf("%-44s median %7.1f  max %7.1f %s\n", what, Percentile(values, 0.5),
                    Percentile(values, 1.0), unit);
    };
    print("what a viewer reads", bytes, "KB/s");
    print("messages a viewer gets", messages, "a second");
    std::printf("%-44s %d of %zu\n", "viewers dropped by the board", dropped, bytes.size());
    std::printf("%-44s %8.1f ms a second\n", "the board's CPU", cpu / seconds);
    std::printf("%-44s %8.1f ms\n", "the board's longest stall, all along", worstConnecting);
    std::printf("%-44s %8.1f ms\n", "  once every viewer had the whole board", worstSteady);
    return 0;
}

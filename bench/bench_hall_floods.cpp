// The hall's network under the floods of a hostile phone, each for 30 s against the two-side
// clock on the projector:
//   - pings sent as fast as the network takes them, pongs never read, the clock still;
//   - the same while the clock ticks;
//   - 40 kept-open connections asking for /hall.js without reading the replies, as fast as the
//     network takes the requests, then one request every 3 ms each; the clock ticking.
// Figures: how much the program's resident memory grew, and the longest gap between two ticks
// that a well-behaved mirror client received. The attacker and the mirror run in a child process
// (this program with --attack), so their memory is not the program's.

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/startup.h"
#include "bench_support.h"
#include "foundation/foundation.h"
#include "foundation/widgets/fonts.h"
#include "hall/hall_server.h"
#include "hall/screen_snapshot.h"
#include "projected_clock.h"
#include "tools/dev_support/web_socket_client.h"

using namespace bench;

namespace {

constexpr int kFloodSeconds = 30;

QByteArray PingFrame() {
    QByteArray frame("\x89\xFD\x00\x00\x00\x00", 6);  // masked with zeros: the payload as it is
    return frame + QByteArray(125, 'p');
}

// One hostile connection that sends `unit` over and over, reads nothing and comes back whenever
// it is dropped: every `everyMs` one unit, or with 0 as fast as the network takes them.
class Flooder : public QObject {
  public:
    Flooder(quint16 port, QByteArray opening, QByteArray unit, int everyMs = 0)
        : port_(port),
          opening_(std::move(opening)),
          batch_(everyMs > 0 ? unit : unit.repeated(256 * 1024 / unit.size())) {
        if (everyMs > 0) {
            pace_.setInterval(everyMs);
            connect(&pace_, &QTimer::timeout, this, [this] {
                if (socket_->state() == QAbstractSocket::ConnectedState) {
                    socket_->write(batch_);
                }
            });
            pace_.start();
        }
        connectAgain();
    }
    int drops() const { return drops_; }

  private:
    void connectAgain() {
        socket_ = std::make_unique<QTcpSocket>();
        socket_->setReadBufferSize(1);
        connect(socket_.get(), &QTcpSocket::connected, this, [this] {
            socket_->write(opening_);
            feed();
        });
        connect(socket_.get(), &QTcpSocket::bytesWritten, this, [this] { feed(); });
        connect(socket_.get(), &QTcpSocket::disconnected, this, [this] {
            ++drops_;
            QTimer::singleShot(0, this, [this] { connectAgain(); });
        });
        socket_->connectToHost(QHostAddress::LocalHost, port_);
    }
    void feed() {
        while (!pace_.isActive() && socket_->state() == QAbstractSocket::ConnectedState &&
               socket_->bytesToWrite() < 1024 * 1024) {
            socket_->write(batch_);
        }
    }

    quint16 port_;
    QByteArray opening_;
    QByteArray batch_;
    std::unique_ptr<QTcpSocket> socket_;
    QTimer pace_;
    int drops_ = 0;
};

// The child: the flood `kind` and one mirror; prints the mirror's longest gap between states.
int Attack(quint16 port, const QString& kind) {
    const QByteArray handshake =
        "GET /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
    std::vector<std::unique_ptr<Flooder>> flooders;
    if (kind == QLatin1String("pings")) {
        flooders.push_back(std::make_unique<Flooder>(port, handshake, PingFrame()));
    } else {
        for (int i = 0; i < 40; ++i) {
            flooders.push_back(std::make_unique<Flooder>(
                port, QByteArray(), "GET /hall.js HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n",
                kind == QLatin1String("paced") ? 3 : 0));
        }
    }
    WebSocketClient mirror;
    qint64 lastNs = 0;
    qint64 worstNs = 0;
    int states = 0;
    mirror.onText = [&](const QString&) {
        const qint64 now = NowNs();
        if (lastNs > 0) {
            worstNs = std::max(worstNs, now - lastNs);
        }
        lastNs = now;
        ++states;
    };
    mirror.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
    Wait(kFloodSeconds * 1000);
    int drops = 0;
    for (const auto& flooder : flooders) {
        drops += flooder->drops();
    }
    std::printf("%d %.1f %d\n", states, double(worstNs) / 1e6, drops);
    return 0;
}

void Flood(const char* what, const QString& kind, quint16 port) {
    const qint64 before = RssKb("VmRSS:");
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {"--attack", kind, "--port", QString::number(port)});
    child.waitForStarted();
    qint64 peak = before;
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] { peak = std::max(peak, RssKb("VmRSS:")); });
    sample.start(250);
    QEventLoop done;
    QObject::connect(&child, &QProcess::finished, &done, &QEventLoop::quit);
    done.exec();
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    std::printf(
        "%-36s memory +%5.1f MB (peak)   mirror: %s states, longest gap %s ms   "
        "flooder dropped %s times\n",
        what, double(peak - before) / 1024.0, figures.value(0).constData(),
        figures.value(1).constData(), figures.value(2).constData());
}

}  // namespace

int main(int argc, char* argv[]) {
    const QStringList arguments = ArgumentsOf(argc, argv);
    if (arguments.contains("--attack")) {
        QCoreApplication app(argc, argv);
        return Attack(quint16(ArgumentAfter(arguments, "--port").toInt()),
                      ArgumentAfter(arguments, "--attack"));
    }
    QApplication app(argc, argv);
    ServedClock served;
    if (!served.open()) {
        return 1;
    }
    FullScreenWindow* clock = served.clock;
    HallServer& server = served.server;
    Wait(1000);
    Flood("pings, pongs unread, clock still", "pings", server.port());
    clock->findChild<QAction*>(QStringLiteral("Left"))->trigger();
    Flood("pings, pongs unread, clock ticking", "pings", server.port());
    Flood("40 pipeliners, replies unread", "pipeline", server.port());
    Flood("40 askers, one every 3 ms, unread", "paced", server.port());
    return 0;
}

#pragma once
// A WebSocket client for the tests and benchmarks, on the caller's event loop over a plain
// QTcpSocket: the handshake (its answer checked), masked frames out, whole messages in, pings
// answered and the close handshake as RFC 6455 has them. It needs no WebSocket library, so it
// runs wherever the hall server does.

#include <QByteArray>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QUrl>
#include <functional>

class WebSocketClient {
  public:
    // Close codes the hall server sends.
    static constexpr int kGoingAway = 1001;
    static constexpr int kPolicyViolated = 1008;
    static constexpr int kTooBig = 1009;

    WebSocketClient() {
        QObject::connect(&tcp, &QTcpSocket::connected, [this] { handshake(); });
        QObject::connect(&tcp, &QTcpSocket::readyRead, [this] { readAvailable(); });
    }
    ~WebSocketClient() {
        tcp.disconnect();
        tcp.abort();
    }
    WebSocketClient(const WebSocketClient&) = delete;
    WebSocketClient& operator=(const WebSocketClient&) = delete;

    // Connects to `url` ("ws://127.0.0.1:8640/ws?token=…", the query as it is encoded).
    void open(const QUrl& url) {
        url_ = url;
        open_ = false;
        closeSent_ = false;
        closeCode_ = 0;
        received_.clear();
        tcp.connectToHost(url.host(), quint16(url.port(80)));
    }
    // Connected once the server has taken the handshake; connecting until then.
    QAbstractSocket::SocketState state() const {
        const auto tcpState = tcp.state();
        return tcpState == QAbstractSocket::ConnectedState && !open_
                   ? QAbstractSocket::ConnectingState
                   : tcpState;
    }
    void sendTextMessage(const QString& text) { sendFrame(0x1, text.toUtf8()); }
    void sendBinaryMessage(const QByteArray& bytes) { sendFrame(0x2, bytes); }
    // The code of the server's close frame; 0 while none came.
    int closeCode() const { return closeCode_; }
    void abort() { tcp.abort(); }

    // Each text message as it comes.
    std::function<void(const QString&)> onText;
    // Its `disconnected` says the connection has ended.
    QTcpSocket tcp;

  private:
    void handshake() {
        QByteArray nonce(16, '\0');
        for (char& byte : nonce) {
            byte = char(QRandomGenerator::global()->bounded(256));
        }
        key_ = nonce.toBase64();
        const QByteArray target =
            url_.path(QUrl::FullyEncoded).toLatin1() +
            (url_.hasQuery() ? "?" + url_.query(QUrl::FullyEncoded).toLatin1() : QByteArray());
        tcp.write("GET " + target + " HTTP/1.1\r\nHost: " + url_.host().toLatin1() + ':' +
                  QByteArray::number(url_.port(80)) +
                  "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: " + key_ +
                  "\r\nSec-WebSocket-Version: 13\r\n\r\n");
    }

    void readAvailable() {
        received_ += tcp.readAll();
        if (!open_) {
            const qsizetype end = received_.indexOf("\r\n\r\n");
            if (end < 0) {
                return;
            }
            const QByteArray answer = received_.left(end);
            received_.remove(0, end + 4);
            const QByteArray accept =
                QCryptographicHash::hash(key_ + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11",
                                         QCryptographicHash::Sha1)
                    .toBase64();
            if (!answer.startsWith("HTTP/1.1 101") ||
                !answer.toLower().contains("sec-websocket-accept: " + accept.toLower())) {
                tcp.abort();
                return;
            }
            open_ = true;
        }
        while (takeFrame()) {
        }
    }

    // One whole frame off what has come, if there is one.
    bool takeFrame() {
        if (received_.size() < 2) {
            return false;
        }
        const auto byte = [this](qsizetype i) { return quint64(quint8(received_[i])); };
        const bool final = byte(0) & 0x80;
        const int opcode = int(byte(0) & 0x0F);
        const bool masked = byte(1) & 0x80;
        quint64 length = byte(1) & 0x7F;
        qsizetype header = 2;
        if (length == 126) {
            header = 4;
            if (received_.size() < header) {
                return false;
            }
            length = byte(2) << 8 | byte(3);
        } else if (length == 127) {
            header = 10;
            if (received_.size() < header) {
                return false;
            }
            length = 0;
            for (int i = 2; i < 10; ++i) {
                length = length << 8 | byte(i);
            }
        }
        const qsizetype maskAt = header;
        header += masked ? 4 : 0;
        if (quint64(received_.size()) < quint64(header) + length) {
            return false;
        }
        QByteArray payload = received_.mid(header, qsizetype(length));
        for (qsizetype i = 0; masked && i < payload.size(); ++i) {
            payload[i] = char(payload[i] ^ received_[maskAt + i % 4]);
        }
        received_.remove(0, header + qsizetype(length));
        take(opcode, final, payload);
        return true;
    }

    void take(int opcode, bool final, const QByteArray& payload) {
        switch (opcode) {
            case 0x0:  // the rest of a message
                message_ += payload;
                break;
            case 0x1:
            case 0x2:
                message_ = payload;
                messageOpcode_ = opcode;
                break;
            case 0x8:
                closeCode_ = payload.size() >= 2
                                 ? int(quint8(payload[0])) << 8 | int(quint8(payload[1]))
                                 : 1005;
                if (!closeSent_) {
                    sendFrame(0x8, payload.left(2));
                    closeSent_ = true;
                }
                tcp.disconnectFromHost();
                return;
            case 0x9:
                sendFrame(0xA, payload);
                return;
            default:
                return;
        }
        if (final && messageOpcode_ == 0x1 && onText) {
            onText(QString::fromUtf8(message_));
        }
    }

    void sendFrame(int opcode, const QByteArray& payload) {
        if (!open_ || closeSent_ || tcp.state() != QAbstractSocket::ConnectedState) {
            return;
        }
        QByteArray frame;
        frame.append(char(0x80 | opcode));
        const qsizetype size = payload.size();
        if (size < 126) {
            frame.append(char(0x80 | size));
        } else if (size < 65536) {
            frame.append(char(0x80 | 126)).append(char(size >> 8)).append(char(size & 0xFF));
        } else {
            frame.append(char(0x80 | 127));
            for (int shift = 56; shift >= 0; shift -= 8) {
                frame.append(char((quint64(size) >> shift) & 0xFF));
            }
        }
        const quint32 mask = QRandomGenerator::global()->generate();
        const char key[4] = {char(mask >> 24), char(mask >> 16), char(mask >> 8), char(mask)};
        frame.append(key, 4);
        for (qsizetype i = 0; i < size; ++i) {
            frame.append(char(payload[i] ^ key[i % 4]));
        }
        tcp.write(frame);
    }

    QUrl url_;
    QByteArray key_;
    QByteArray received_;
    QByteArray message_;
    int messageOpcode_ = 0;
    bool open_ = false;
    bool closeSent_ = false;
    int closeCode_ = 0;
};

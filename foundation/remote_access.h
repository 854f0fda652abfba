#pragma once
// Who may drive the timer from the hall's network: "\config\remote.ini" holds whether the server
// runs, its port and the remote-control token; a wrong token is refused, and an address that
// keeps guessing is refused for a while without its guesses being looked at.

#include <QHash>
#include <QList>
#include <QString>

inline const QString kRemoteProfile = QStringLiteral("\\config\\remote.ini");
namespace RemoteKey {
inline const QString Enabled = QStringLiteral("启用");  // "1" or "0"
inline const QString Port = QStringLiteral("端口");
inline const QString Token = QStringLiteral("遥控口令");
}  // namespace RemoteKey
inline constexpr quint16 kDefaultRemotePort = 8640;

// A fresh token: 128 bits from the system's random source, as URL-safe base64 without padding,
// so it fits in an address as it is.
QString NewRemoteToken();

// Whether `given` is the stored token, compared in a time that does not depend on where they
// differ. No token stored lets nobody in.
bool SameToken(const QString& given, const QString& stored);

// Wrong tokens, counted per address over a sliding window.
class WrongTokenLimit {
  public:
    explicit WrongTokenLimit(int allowed = 5, qint64 windowMs = 60000)
        : allowed_(allowed), windowMs_(windowMs) {}

    // Whether `address` may try a token at `nowMs` (any monotonic milliseconds).
    bool mayTry(const QString& address, qint64 nowMs);
    void noteWrong(const QString& address, qint64 nowMs);
    // How long `address` must wait from `nowMs` before it may try again; 0 when it may now.
    qint64 waitMs(const QString& address, qint64 nowMs);

  private:
    void forgetOld(QList<qint64>& times, qint64 nowMs) const;

    int allowed_;
    qint64 windowMs_;
    QHash<QString, QList<qint64>> wrong_;
};

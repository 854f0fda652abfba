#include "foundation/remote_access.h"

#include <QByteArray>
#include <QRandomGenerator>

QString NewRemoteToken() {
    QByteArray bytes(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes.data()),
                                          bytes.size() / int(sizeof(quint32)));
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

bool SameToken(const QString& given, const QString& stored) {
    if (stored.isEmpty()) {
        return false;
    }
    const QByteArray a = given.toUtf8();
    const QByteArray b = stored.toUtf8();
    // Every byte of the longer one is looked at, whatever matched before.
    unsigned difference = unsigned(a.size() ^ b.size());
    const qsizetype length = std::max(a.size(), b.size());
    for (qsizetype i = 0; i < length; ++i) {
        const char x = i < a.size() ? a[i] : 0;
        const char y = i < b.size() ? b[i] : 0;
        difference |= unsigned(x ^ y);
    }
    return difference == 0;
}

void WrongTokenLimit::forgetOld(QList<qint64>& times, qint64 nowMs) const {
    times.removeIf([&](qint64 at) { return nowMs - at >= windowMs_; });
}

bool WrongTokenLimit::mayTry(const QString& address, qint64 nowMs) {
    const auto it = wrong_.find(address);
    if (it == wrong_.end()) {
        return true;
    }
    forgetOld(*it, nowMs);
    if (it->isEmpty()) {
        wrong_.erase(it);
        return true;
    }
    return it->size() < allowed_;
}

void WrongTokenLimit::noteWrong(const QString& address, qint64 nowMs) {
    QList<qint64>& times = wrong_[address];
    forgetOld(times, nowMs);
    times.append(nowMs);
}

qint64 WrongTokenLimit::waitMs(const QString& address, qint64 nowMs) {
    if (mayTry(address, nowMs)) {
        return 0;
    }
    // Once the oldest wrong try that still counts leaves the window, there is room for one more.
    const QList<qint64>& times = wrong_[address];
    return times[times.size() - allowed_] + windowMs_ - nowMs;
}

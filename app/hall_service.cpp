#include "app/hall_service.h"

#include <QUrl>

#include "app/screen_navigator.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/remote_access.h"
#include "hall/lan_address.h"
#include "hall/screen_snapshot.h"

HallService::HallService(QString appDir, ScreenNavigator& navigator, QObject* parent)
    : QObject(parent), appDir_(std::move(appDir)), navigator_(navigator) {
    connect(&navigator_, &ScreenNavigator::audienceScreenChanged, this, &HallService::showOnServer);
    connect(&server_, &HallServer::clientsChanged, this, &HallService::changed);
}

void HallService::startIfEnabled() {
    if (setting(RemoteKey::Enabled) == QLatin1String("1")) {
        start();
        emit changed();
    }
}

bool HallService::setEnabled(bool on) {
    keep(RemoteKey::Enabled, on ? QStringLiteral("1") : QStringLiteral("0"));
    problem_.clear();
    bool started = true;
    if (on) {
        started = start();
    } else {
        server_.stop();
    }
    emit changed();
    return started;
}

void HallService::newToken() {
    token_ = NewRemoteToken();
    keep(RemoteKey::Token, token_);
    server_.setToken(token_);
    emit changed();
}

QString HallService::mirrorAddress() const {
    return QStringLiteral("http://%1:%2/").arg(hallAddress_).arg(server_.port());
}

QString HallService::remoteAddress() const {
    // Whatever a token holds ("+", "&", "#", "%"), the address carries it as it is.
    return mirrorAddress() + QStringLiteral("remote?token=") +
           QString::fromLatin1(QUrl::toPercentEncoding(token_));
}

QString HallService::setting(const QString& key) const {
    return ReadProfileString(AppPath(appDir_, kRemoteProfile), kConfigSection, key).trimmed();
}

void HallService::keep(const QString& key, const QString& value) const {
    WriteProfileString(AppPath(appDir_, kRemoteProfile), kConfigSection, key, value);
}

// A missing or unusable port is the default one.
quint16 HallService::port() const {
    bool number = false;
    const int port = setting(RemoteKey::Port).toInt(&number);
    return number && port > 0 && port <= 65535 ? quint16(port) : kDefaultRemotePort;
}

bool HallService::start() {
    token_ = setting(RemoteKey::Token);
    if (token_.isEmpty()) {
        token_ = NewRemoteToken();
        keep(RemoteKey::Token, token_);
    }
    server_.setToken(token_);
    showOnServer(navigator_.audienceScreen());
    hallAddress_ = HallAddress().toString();
    if (!server_.start(port(), &problem_)) {
        return false;
    }
    problem_.clear();
    return true;
}

void HallService::showOnServer(FullScreenWindow* screen) {
    server_.show(screen, SegmentOnScreen(appDir_, screen));
}

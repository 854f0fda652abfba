#pragma once
// What the tournament tests share: the users of their broker, someone on the broker who keeps
// what it hears, the board's settings, and the board page as headless Chromium renders it.

#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "tournament/broker_client.h"

namespace fixture {

inline const QList<QPair<QString, QString>> kUsers = {
    {"A101", "pass-a"}, {"B202", "pass-b"},      {"C303", "pass-c"}, {"D404", "pass-d"},
    {"E505", "pass-e"}, {"board", "pass-board"}, {"c", "pass-c"},    {"b-c", "pass-bc"}};

inline BrokerSettings Login(quint16 port, const QString& user, const QString& password,
                            const QStringList& subscriptions = {}) {
    BrokerSettings settings;
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = port;
    settings.user = user;
    settings.password = password;
    settings.clientId = QStringLiteral("test-") + user;
    settings.subscriptions = subscriptions;
    return settings;
}

// Someone on the broker as `user`, keeping the last message of every topic it reads, and how
// often each topic said `"online": true`.
struct Listener {
    BrokerClient client;
    QMap<QString, QByteArray> last;
    QMap<QString, int> online;
    Listener(quint16 port, const QString& user, const QString& password,
             const QStringList& subscriptions = {}) {
        QObject::connect(&client, &BrokerClient::message,
                         [this](const QString& topic, const QByteArray& payload) {
                             last.insert(topic, payload);
                             online[topic] += json(topic).value("online").toBool() ? 1 : 0;
                         });
        BrokerSettings settings = Login(port, user, password, subscriptions);
        settings.keptPerTopic = 100;  // every message counted
        client.start(settings);
    }
    QJsonObject json(const QString& topic) const {
        return QJsonDocument::fromJson(last.value(topic)).object();
    }
};

// The page at `url` once headless Chromium has run it for a few seconds of its own time; empty
// where there is no Chromium or it did not finish. The page's server answers from the
// calling test's event loop, which runs while the browser loads.
inline QString RenderedPage(const QString& url) {
    const QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (browser.isEmpty()) {
        return {};
    }
    QTemporaryDir profile;
    QProcess chromium;
    chromium.start(browser, {"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                             "--disable-background-networking", "--user-data-dir=" + profile.path(),
                             "--virtual-time-budget=5000", "--dump-dom", url});
    if (!QTest::qWaitFor([&] { return chromium.state() == QProcess::NotRunning; }, 60000)) {
        return {};
    }
    return QString::fromUtf8(chromium.readAllStandardOutput());
}

}  // namespace fixture

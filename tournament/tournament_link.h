#pragma once
// This room in a tournament: what the projector shows goes to the tournament's MQTT broker as
// the room's retained state, at most ten times a second, with the room's presence (and a last
// will that marks it offline); notices from the tab room come back for the operator's console.
// Nothing from the broker drives the room: it subscribes to notices only.
//
// Topics under "debaclock/<赛事>/":
//   <赛场>/state   retained, QoS 1: the hall protocol's snapshot plus "room", "debate", "updated"
//   <赛场>/status  retained: {"online": true, "version": …}; the last will {"online": false}
//   notice, <赛场>/notice: {"text": …} (or plain text) for every room, or this one

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "tournament/broker_client.h"

class FullScreenWindow;

struct TournamentNotice {
    QString text;
    QDateTime received;
    bool forThisRoomOnly = false;
};

class TournamentLink : public QObject {
    Q_OBJECT
  public:
    explicit TournamentLink(QString appDir, QObject* parent = nullptr);
    // Says goodbye: the room's status turns offline at once, not only when the broker notices.
    ~TournamentLink() override;

    // Reads "\config\tournament.ini" and connects when "启用" is 1, else stays off. Call again
    // after the settings changed.
    void applySettings();
    // "已连接 mqtt.example.org:8883", "正在连接 …", "未连接：…" or "未启用".
    QString status() const;
    bool isConnected() const { return client_.isConnected(); }
    // Whether the status is a fault the operator should see in red.
    bool statusIsProblem() const;

    // Ten state messages a second at most: a change within this of the last one waits.
    static constexpr int kStateIntervalMs = 100;

  public slots:
    // The audience screen now up, whose state the room publishes.
    void follow(FullScreenWindow* screen);

  signals:
    void statusChanged();
    void noticeReceived(const TournamentNotice& notice);

  private:
    void scheduleState();
    void publishState();
    void onMessage(const QString& topic, const QByteArray& payload);
    QString topic(const QString& leaf) const;

    QString appDir_;
    BrokerClient client_;
    QPointer<FullScreenWindow> screen_;
    QMetaObject::Connection screenChanges_;
    QString segment_;
    QString debate_;
    QTimer stateTimer_;
    QElapsedTimer sincePublished_;
    bool enabled_ = false;
    QString configProblem_;
    QString tournament_, room_, host_;
    quint16 port_ = 0;
};

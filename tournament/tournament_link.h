#pragma once
// This room in a tournament: what the projector shows goes to the tournament's MQTT broker as
// the room's retained state, at most ten times a second, with the room's presence (and a last
// will that marks it offline); notices from the tab room come back for the operator's console.
// Nothing from the broker drives the room: it subscribes to notices and its own presence only.
//
// Topics under "debaclock/<赛事>/":
//   <赛场>/state   retained, QoS 1: the hall protocol's snapshot plus "room", "debate", "updated"
//   <赛场>/status  retained: {"online": true, "version", "instance", "updated"}; the goodbye
//                 {"online": false, "instance", "updated"}; the last will {"online": false, …}
//   notice, <赛场>/notice: {"text": …} (or plain text) for every room, or this one
//
// Each run connects as a client of its own ("debaclock/<赛事>/<赛场>/<instance>"), so no two
// rooms and no two runs share a client id. Two computers set to the same room both stay
// connected until one hears the other's presence come after its own: that one, the earlier,
// gives way and says so, instead of the two taking the room from each other in turn.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include "tournament/broker_client.h"
#include "tournament/notice_list.h"
#include "tournament/paced_call.h"

class FullScreenWindow;

class TournamentLink : public QObject {
    Q_OBJECT
  public:
    explicit TournamentLink(QString appDir, QObject* parent = nullptr);
    // Says goodbye: the room's status turns offline at once, not only when the broker notices.
    ~TournamentLink() override;

    // Reads "\config\tournament.ini" and connects when "启用" is 1, else stays off. Call again
    // after the settings changed.
    void applySettings();
    // "已连接 mqtt.example.org:8883", "正在连接 …", "未连接：…", "未启用", or the broker's
    // refusal of what the room sends.
    QString status() const;
    bool isConnected() const { return client_.isConnected(); }
    // Whether the status is a fault the operator should see in red.
    bool statusIsProblem() const;

    // The tab room's notices, the last few of them.
    const NoticeList& notices() const { return notices_; }
    void closeNotice(quint64 id);
    void clearFolded();

    // Ten state messages a second at most: a change within this of the last one waits.
    static constexpr int kStateIntervalMs = 100;
    // Notices of one topic that may wait for the UI thread between two deliveries; beyond it
    // they are folded away unseen (a flood).
    static constexpr int kNoticesWaiting = 2 * NoticeList::kShown;

  public slots:
    // The audience screen now up, whose state the room publishes.
    void follow(FullScreenWindow* screen);

  signals:
    void statusChanged();
    void noticesChanged();

  private:
    void onConnected();
    void publishState();
    void publishStatus();
    void send(const QString& leaf, const QByteArray& payload);
    void onPublished(int id, int reason);
    void onMessage(const QString& topic, const QByteArray& payload);
    void onOwnStatus(const QByteArray& payload);
    void noticesMoved();
    QString topic(const QString& leaf) const;
    QByteArray presence(bool online, bool withTime = true) const;

    QString appDir_;
    BrokerClient client_;
    QPointer<FullScreenWindow> screen_;
    QMetaObject::Connection screenChanges_;
    QString segment_;
    QString debate_;
    // A tick goes out at once; a burst of changes after it waits for the rest of the interval.
    PacedCall statePace_;
    bool enabled_ = false;
    QString configProblem_;
    QString tournament_, room_, host_;
    quint16 port_ = 0;
    QString instance_;          // this run, in its presence
    bool echoed_ = false;       // the broker has sent this run's presence back since it connected
    bool gaveWay_ = false;      // another computer came in as this room
    QHash<int, QString> sent_;  // what each unanswered message was ("state", "status")
    QSet<QString> refused_;     // what the broker refused last time
    NoticeList notices_;
    QTimer noticesMoved_;
};

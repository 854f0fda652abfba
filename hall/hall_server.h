#pragma once
// The hall's network as the window's thread sees it: the mirror page, the remote page and the
// WebSocket that carries the projected screen's state out and the remote's commands in. The
// network itself runs on a thread of its own (HallNetwork); this side writes each state once,
// hands it over, and runs the commands that come back as the click would, on this thread.

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>

#include "hall/hall_limits.h"
#include "hall/hall_pages.h"

class FullScreenWindow;
class HallNetwork;

class HallServer : public QObject {
    Q_OBJECT
  public:
    using Limits = HallLimits;
    using Pages = HallPageList;

    explicit HallServer(Limits limits, QObject* parent = nullptr);
    explicit HallServer(QObject* parent = nullptr) : HallServer(Limits{}, parent) {}
    ~HallServer() override;

    // Listens on every address at `port` (0: any free one); false, with the system's reason in
    // `problem`, when it cannot.
    bool start(quint16 port, QString* problem = nullptr);
    // Closes every client and waits for the network's thread to end.
    void stop();
    bool isRunning() const { return network_ != nullptr; }
    quint16 port() const;
    int clientCount() const { return clients_; }

    // The token of the remote; the remotes that came with another one are closed.
    void setToken(const QString& token);
    // The audience screen now projected (none: null), and the segment it times.
    void show(FullScreenWindow* screen, const QString& segment);
    // Serves `pages` from the next start on.
    void setPages(const Pages& pages) { pages_ = pages; }
    // Sends `state`, one JSON object, to every client, for a server that shows no screen (the
    // tournament's board).
    void publishState(const QString& state);
    // What a newcomer and GET /state get from now on, sent to nobody now: for a server that
    // sends changes rather than its whole state (the board).
    void keepState(const QString& state);
    // One message to every client; a client that has left too much unread is dropped instead.
    void sendToAll(const QString& message);
    // What the client that asked for a notice is told about it, once.
    using NoticeReply = std::function<void(const QString& answer)>;
    // Whether clients with the token may send notices (`noticeRequested`); refused otherwise.
    // Taken at the next start.
    void acceptNotices(bool accept) { acceptsNotices_ = accept; }
    // The state as sent to the clients, one JSON object.
    QString state() const { return state_; }

  signals:
    void clientsChanged();
    // A client with the token asks for a notice to `room` (empty: every room); `reply` tells it
    // what became of it (nothing when it has gone).
    void noticeRequested(const QString& text, const QString& room,
                         const HallServer::NoticeReply& reply);

  private:
    void sendState();
    // Runs `action` of the screen `screen` as a click would, if that screen is still the one
    // projected and can take it; else `client` is told it is unavailable.
    void runCommand(std::uint64_t client, std::uint64_t screen, const QString& action);
    void askForNotice(std::uint64_t client, const QString& text, const QString& room);
    void sendTo(std::uint64_t client, const QString& message);
    // `call` on this object's thread, unless the network it came from has stopped since.
    void fromNetwork(std::uint64_t run, std::function<void()> call);

    Limits limits_;
    Pages pages_;
    bool acceptsNotices_ = false;
    std::unique_ptr<HallNetwork> network_;
    std::uint64_t run_ = 0;  // counts the starts and stops
    int clients_ = 0;
    QString token_;
    QPointer<FullScreenWindow> screen_;
    QString segment_;
    QMetaObject::Connection screenChanges_;
    std::uint64_t screenShown_ = 0;      // counts the screens shown
    std::uint64_t screenPublished_ = 0;  // the one the network knows of
    QString state_;
};

#pragma once
// The hall's network on a thread of its own: one event loop that listens, reads every request
// and message within its limits and sends every state, so that neither a crowd of phones nor a
// hostile one costs the window a moment. The window's thread hands it each state written once
// (shared by every connection) and hears from it only through `Events`, which run on the
// network's thread and are expected to pass on to the window's.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "hall/hall_limits.h"
#include "hall/hall_pages.h"

namespace hallnet {
class Hub;
}

class HallNetwork {
  public:
    using ClientId = std::uint64_t;

    // What the network says, from its own thread.
    struct Events {
        // How many WebSocket clients are connected now.
        std::function<void(int clients)> clients;
        // A client with the token asks to trigger `action` on the screen whose state it was
        // last sent (`screen`, as handed to `publish`).
        std::function<void(ClientId client, std::uint64_t screen, const QString& action)> trigger;
        // A client with the token asks for a notice to `room` (empty: every room).
        std::function<void(ClientId client, const QString& text, const QString& room)> notice;
    };

    struct Setup {
        HallLimits limits;
        HallPageList pages;
        bool acceptsNotices = false;
        QString token;
        SharedText state;
        std::uint64_t screen = 0;
    };

    // Listens on every address at `port` (0: any free one) and serves from a thread of its own;
    // null, with the system's reason in `problem`, when it cannot listen.
    static std::unique_ptr<HallNetwork> Listen(quint16 port, const Setup& setup, Events events,
                                               QString* problem);
    // Closes every connection, telling each WebSocket the server goes away, and waits for the
    // network's thread to end.
    ~HallNetwork();

    quint16 port() const { return port_; }

    // Each of these is carried out on the network's thread, in the order they were called.
    // The remotes that came with another token are told and closed.
    void setToken(const QString& token);
    // The state from now on, and the screen it shows; `state` goes to every client unless null
    // (the screen changed, what it shows did not).
    void publish(SharedText state, std::uint64_t screen);
    // What newcomers and GET /state get from now on, sent to nobody now.
    void keep(SharedText state);
    // One message to every client; a client that has left too much unread is dropped instead.
    void sendToAll(SharedText message);
    // One message to `client`, if it is still there.
    void sendTo(ClientId client, SharedText message);

  private:
    HallNetwork(std::unique_ptr<hallnet::Hub> hub, quint16 port);

    std::unique_ptr<hallnet::Hub> hub_;
    quint16 port_ = 0;
    std::thread thread_;
};

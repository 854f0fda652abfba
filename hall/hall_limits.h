#pragma once
// What the hall's network lets one client take: every number here is a parser's, a stream's or
// the server's own bound, and a client that goes past one is refused or closed.

#include <cstdint>

struct HallLimits {
    struct Connections {
        int connections = 512;  // in all, not counting those kept
        int kept = 16;          // room beyond `connections` for the connections kept (remotes)
        int connectionsPerAddress = 160;
        std::int64_t requestBytes = 64 * 1024;  // one request's line and headers
        int requestMs = 10000;                  // to send a request, or to finish a handshake
        std::int64_t unsentBytes = 64 * 1024;   // what a connection may leave unread
    };

    int messageBytes = 4096;     // a bigger message closes its client
    int messagesPerSecond = 20;  // more are refused
    int pingMs = 10000;          // a client that answers no ping for three is gone
    Connections connections;
};

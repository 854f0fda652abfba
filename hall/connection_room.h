#pragma once
// Who may hold one of the hall server's connections. A flood of connections is refused; when all
// room is taken, a newcomer from a quieter address takes the place of the oldest connection of
// the busiest one, so a few addresses cannot lock out the rest (the operator's remote among
// them). A kept connection (a remote with the token) has places of its own and is never made
// room from.

#include <cstdint>
#include <string>
#include <vector>

#include "hall/hall_limits.h"

class ConnectionRoom {
  public:
    using Id = std::uint64_t;
    struct Admission {
        bool admitted = false;
        Id evicted = 0;  // the connection that gives up its place for the newcomer; 0: none
    };

    explicit ConnectionRoom(HallLimits::Connections limits) : limits_(limits) {}

    // Whether connection `id` from `address` may come in; when it may, it holds a place from
    // now on and `evicted` (if any) no longer does.
    Admission admit(Id id, const std::string& address);
    // Connection `id` is kept from now on: it has a place of its own.
    void keep(Id id);
    void leave(Id id);
    int size() const { return int(present_.size()); }

  private:
    struct Present {
        Id id;
        std::string address;
        bool kept = false;
    };

    // The oldest connection of the busiest address, when `address` is quieter; 0 otherwise.
    Id roomFor(const std::string& address) const;

    HallLimits::Connections limits_;
    std::vector<Present> present_;  // in the order they came
};

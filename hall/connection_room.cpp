#include "hall/connection_room.h"

#include <algorithm>
#include <map>

ConnectionRoom::Admission ConnectionRoom::admit(Id id, const std::string& address) {
    const auto fromThere = std::count_if(present_.cbegin(), present_.cend(),
                                         [&](const Present& p) { return p.address == address; });
    const auto kept =
        std::count_if(present_.cbegin(), present_.cend(), [](const Present& p) { return p.kept; });
    const auto all = std::int64_t(present_.size());
    const bool full =
        all - kept >= limits_.connections || all >= limits_.connections + limits_.kept;
    if (fromThere >= limits_.connectionsPerAddress) {
        return {};
    }
    Admission admission{true, 0};
    if (full) {
        admission.evicted = roomFor(address);
        if (admission.evicted == 0) {
            return {};
        }
        leave(admission.evicted);
    }
    present_.push_back({id, address, false});
    return admission;
}

ConnectionRoom::Id ConnectionRoom::roomFor(const std::string& address) const {
    std::map<std::string, int> perAddress;
    for (const Present& p : present_) {
        if (!p.kept) {
            ++perAddress[p.address];
        }
    }
    const auto busiest =
        std::max_element(perAddress.cbegin(), perAddress.cend(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    const auto own = perAddress.find(address);
    const int fromThere = own == perAddress.cend() ? 0 : own->second;
    if (busiest == perAddress.cend() || fromThere + 1 >= busiest->second) {
        return 0;  // the newcomer's address would be as busy: it waits like the others
    }
    for (const Present& p : present_) {
        if (!p.kept && p.address == busiest->first) {
            return p.id;
        }
    }
    return 0;
}

void ConnectionRoom::keep(Id id) {
    for (Present& p : present_) {
        if (p.id == id) {
            p.kept = true;
        }
    }
}

void ConnectionRoom::leave(Id id) {
    std::erase_if(present_, [id](const Present& p) { return p.id == id; });
}

#include "model/core/StateRegistry.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <string>

#include "model/core/Floors.h"

namespace kestrion::state {

namespace {

// Where a folder stands: its floor, and its sub-floor within the floor (0 lowest); the floor's own
// files stand above its sub-floors.
struct Rank {
    std::ptrdiff_t floor;
    int sub;
};
constexpr int kFloorOwnFiles = std::numeric_limits<int>::max();

struct Entry {
    Rank rank;
    std::string_view folder;
    ResetFunction reset;
};

// The part of text before the first separator, taken off text.
std::string_view takeUntil(std::string_view& text, char separator) {
    const std::size_t end = text.find(separator);
    const std::string_view part = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    return part;
}

// The rank of sub in the order of floor's sub-floors, -1 when the order does not name it.
int subFloorRank(std::string_view floor, std::string_view sub) {
    for (std::string_view order : kSubFloors) {
        if (takeUntil(order, ':') != floor) continue;
        for (int rank = 0; !order.empty(); ++rank) {
            std::string_view members = takeUntil(order, ',');
            while (!members.empty())
                if (takeUntil(members, '|') == sub) return rank;
        }
        return -1;
    }
    return -1;
}

Rank rankOf(std::string_view folder) {
    std::string_view sub = folder;
    const std::string_view floorName = takeUntil(sub, '/');
    const auto floor = std::find(std::begin(kFloors), std::end(kFloors), floorName);
    if (floor == std::end(kFloors))
        throw std::logic_error("state registry: no floor named " + std::string(folder));
    if (folder.find('/') == std::string_view::npos) return {floor - std::begin(kFloors), kFloorOwnFiles};
    const int rank = subFloorRank(floorName, sub);
    if (rank < 0) throw std::logic_error("state registry: no sub-floor named " + std::string(folder));
    return {floor - std::begin(kFloors), rank};
}

bool higher(const Rank& a, const Rank& b) {
    return a.floor != b.floor ? a.floor > b.floor : a.sub > b.sub;
}

// Built on first use: registrations run while statics of other files are initialised.
std::vector<Entry>& entries() {
    static std::vector<Entry> registered;
    return registered;
}

}  // namespace

bool registerReset(std::string_view folder, ResetFunction reset) {
    const Rank rank = rankOf(folder);
    if (reset == nullptr) throw std::logic_error("state registry: no reset for " + std::string(folder));
    auto& list = entries();
    if (std::any_of(list.begin(), list.end(), [&](const Entry& e) { return e.folder == folder; }))
        throw std::logic_error("state registry: " + std::string(folder) + " registered twice");
    // Kept highest first.
    const auto place =
        std::find_if(list.begin(), list.end(), [&](const Entry& e) { return higher(rank, e.rank); });
    list.insert(place, Entry{rank, folder, reset});
    return true;
}

void resetAll() {
    for (const Entry& entry : entries()) entry.reset();
}

std::vector<std::string_view> registeredFolders() {
    std::vector<std::string_view> folders;
    for (const Entry& entry : entries()) folders.push_back(entry.folder);
    return folders;
}

}  // namespace kestrion::state

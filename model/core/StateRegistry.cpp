#include "model/core/StateRegistry.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>

#include "model/core/Floors.h"

namespace kestrion::state {

namespace {

struct Entry {
    std::ptrdiff_t floor;
    std::string_view folder;
    ResetFunction reset;
};

// Built on first use: registrations run while statics of other files are initialised.
std::vector<Entry>& entries() {
    static std::vector<Entry> registered;
    return registered;
}

}  // namespace

bool registerReset(std::string_view folder, ResetFunction reset) {
    const auto floor = std::find(std::begin(kFloors), std::end(kFloors), folder);
    if (floor == std::end(kFloors) || reset == nullptr)
        throw std::logic_error("state registry: no floor named " + std::string(folder));
    auto& list = entries();
    if (std::any_of(list.begin(), list.end(), [&](const Entry& e) { return e.folder == folder; }))
        throw std::logic_error("state registry: " + std::string(folder) + " registered twice");
    const Entry entry{floor - std::begin(kFloors), *floor, reset};
    // Kept highest floor first.
    const auto place =
        std::find_if(list.begin(), list.end(), [&](const Entry& e) { return e.floor < entry.floor; });
    list.insert(place, entry);
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

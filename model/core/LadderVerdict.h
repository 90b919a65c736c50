// What Convert, or the instruction box's trial of it, says of a ladder: it converts as drawn; it
// still has wire left open (a rung being built); it is refused; or it would be written as other
// logic than the picture shows. A verdict that names a place frames it (ladder pixels, zoom 100 %),
// and its reason is what the status bar tells the user.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace kestrion {

struct LadderVerdict {
    enum class Kind { Converts, Open, Refused, OtherLogic };
    Kind kind = Kind::Converts;
    bool placed = false;
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::string reason;

    bool converts() const { return kind == Kind::Converts; }
    static LadderVerdict at(Kind kind, std::uint32_t x, std::uint32_t y, std::string reason) {
        return {kind, true, x, y, std::move(reason)};
    }
};

}  // namespace kestrion

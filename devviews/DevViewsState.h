// The state of the developer views in one place: the relay bit images they show and whether the
// developer menus are out.
#pragma once

#include <array>
#include <cstdint>

namespace kestrion {

constexpr std::size_t kRelayImageSize = 32;  // bytes: 256 relays, bit n of byte k the relay 8k + n

struct DevViewsState {
    // X000 and X004 on.
    std::array<std::uint8_t, kRelayImageSize> xRelayImage{0x11};
    // M8000 and M8002 on, M8001 and M8003 off.
    std::array<std::uint8_t, kRelayImageSize> m8000RelayImage{0x05};
    bool developerMenusShown = false;  // xRS and xTHIS
};

extern DevViewsState devViewsState;

}  // namespace kestrion

// What the terminals keep between their uses: the texts of the last any-command Send and the
// counters of the data intercept terminal, which run on for the life of the process. The texts'
// names (anyCommandTxText, anyCommandRxText) are references into terminalState.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrion {

// The sent and reply texts of the any-command terminal hold at most this many characters.
constexpr std::size_t kTerminalTextLimit = 255;

struct TerminalState {
    std::string anyCommandTxText;  // the frame as shown, control characters by name
    std::string anyCommandRxText;  // the reply as shown
    std::uint32_t interceptSends = 0;
    std::uint32_t interceptTicks = 0;
    std::uint32_t interceptReceives = 0;
    std::uint64_t interceptBytes = 0;  // every byte found waiting at a tick, read or dropped
};

extern TerminalState terminalState;

}  // namespace kestrion

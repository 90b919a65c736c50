// The reference lists of a module's buffer memory (BFM) that the link-setup menu shows in the
// main window's parameter list: the RS-485 link module's 100 words and the CC-Link gateway
// module's 128 bytes, one row each with its description, and a closing row.
#pragma once

#include <string>
#include <vector>

namespace kestrion {

// A row of the parameter list: the caption in the "Device" column and the texts of the columns
// after it.
struct ParameterRow {
    std::string caption;
    std::vector<std::string> subItems;
    bool operator==(const ParameterRow&) const = default;
};

// bfmDescriptions of the RS-485 link module (100 entries), in English or Traditional Chinese.
std::vector<std::string> rs485BfmDescriptions(bool traditionalChinese);
// bfmDescriptions of the gateway module (128 entries, English only).
std::vector<std::string> gatewayBfmDescriptions();

// The rows of each list: D0 .. D98 with BFM#0 .. BFM#98, and D0L .. D63H with BFM#00h .. BFM#7Fh,
// each followed by the closing row "..." / "#".
std::vector<ParameterRow> rs485BfmRows(const std::vector<std::string>& descriptions);
std::vector<ParameterRow> gatewayBfmRows(const std::vector<std::string>& descriptions);

}  // namespace kestrion

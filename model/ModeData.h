// The settings record: 512 bytes that are, byte for byte, the file "ModeData.DAT".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kestrion {

constexpr std::size_t kModeDataSize = 512;
constexpr std::size_t kRecentFileSlotSize = 96;
constexpr int kRecentFileSlots = 4;

// In memory the fields are plain members; the file image is made and read field by field at the
// offsets given beside each one.
struct ModeDataRecord {
    std::uint16_t instanceCount = 0;     // 8
    std::uint16_t clipboardState = 0;    // 10
    std::uint32_t clipboardAddr = 0;     // 12
    std::uint32_t languageNo = 0;        // 16
    std::uint32_t fontSize = 0;          // 20
    std::uint8_t viewFlags = 0;          // 24
    std::uint32_t comPortNo = 0;         // 32: COM port number minus 1 (0..18)
    std::uint32_t baudRate = 0;          // 36: baud index of the port dialog (0..5)
    std::uint16_t cowMonitorOffset = 0;  // 44
    std::uint16_t monitorDeviceCount = 0;  // 46
    std::uint16_t cowNameOffset = 0;     // 48
    std::uint16_t cowCommentOffset = 0;  // 50
    std::uint16_t cowBlockOffset = 0;    // 52
    std::uint16_t cowCoilOffset = 0;     // 54
    std::uint16_t deviceNameCount = 0;   // 56
    std::uint16_t deviceCommentCount = 0;  // 58
    std::uint16_t blockCommentCount = 0;   // 60
    std::uint16_t coilCommentCount = 0;    // 62
    std::uint32_t xSizeSymble = 0;       // 64
    std::uint32_t ySizeSymble = 0;       // 68
    std::array<std::array<char, kRecentFileSlotSize>, kRecentFileSlots> recentFiles{};  // 128, 224, 320, 416
    // The bytes of the file that no field names, carried through unchanged.
    std::array<std::uint8_t, kModeDataSize> reserved{};
};

extern ModeDataRecord ModeData;

}  // namespace kestrion

// The settings record: 512 bytes that are, byte for byte, the file "ModeData.DAT". It is read once
// at start-up and written whole at start-up, File > Close, exit and the main window's destruction.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Services.h"

namespace kestrion {

constexpr const char* kModeDataFileName = "ModeData.DAT";  // in the installation folder
constexpr std::size_t kModeDataSize = 512;
constexpr std::size_t kRecentFileSlotSize = 96;
constexpr int kRecentFileSlots = 4;

// Where each field lies in the file. Every byte not named here is reserved: created as 0 and
// carried through unchanged.
namespace modeDataOffset {
constexpr std::size_t instanceCount = 8;
constexpr std::size_t clipboardState = 10;
constexpr std::size_t clipboardAddr = 12;
constexpr std::size_t languageNo = 16;
constexpr std::size_t fontSize = 20;
constexpr std::size_t viewFlags = 24;
constexpr std::size_t comPortNo = 32;
constexpr std::size_t baudRate = 36;
constexpr std::size_t cowMonitorOffset = 44;
constexpr std::size_t monitorDeviceCount = 46;
constexpr std::size_t cowNameOffset = 48;
constexpr std::size_t cowCommentOffset = 50;
constexpr std::size_t cowBlockOffset = 52;
constexpr std::size_t cowCoilOffset = 54;
constexpr std::size_t deviceNameCount = 56;
constexpr std::size_t deviceCommentCount = 58;
constexpr std::size_t blockCommentCount = 60;
constexpr std::size_t coilCommentCount = 62;
constexpr std::size_t xSizeSymble = 64;
constexpr std::size_t ySizeSymble = 68;
constexpr std::size_t recentFiles = 128;  // four slots of 96 bytes, newest first
}  // namespace modeDataOffset

// viewFlags bits.
constexpr std::uint8_t kViewTemplateDisclaimerOff = 0x04;
constexpr std::uint8_t kViewDeviceComments = 0x20;
constexpr std::uint8_t kViewBlockComments = 0x40;
constexpr std::uint8_t kViewCoilComments = 0x80;

// Ranges of the fields that are used as indices; a file holding anything else loads the default.
constexpr std::uint32_t kComPortCount = 19;  // COM1..COM19
constexpr std::uint32_t kBaudChoiceCount = 6;
constexpr std::uint32_t kLanguageCount = 6;
constexpr std::uint32_t kDefaultFontSize = 10;
constexpr std::uint32_t kStartCellWidth = 80;
constexpr std::uint32_t kStartCellHeight = 64;

// In memory the fields are plain members; the file image is made and read field by field at the
// offsets of modeDataOffset.
struct ModeDataRecord {
    std::uint16_t instanceCount = 0;
    std::uint16_t clipboardState = 0;
    std::uint32_t clipboardAddr = 0;
    std::uint32_t languageNo = 0;
    std::uint32_t fontSize = 0;
    std::uint8_t viewFlags = 0;
    std::uint32_t comPortNo = 0;  // COM port number minus 1 (0..18)
    std::uint32_t baudRate = 0;   // baud choice of the port dialog (0..5)
    std::uint16_t cowMonitorOffset = 0;
    std::uint16_t monitorDeviceCount = 0;
    std::uint16_t cowNameOffset = 0;
    std::uint16_t cowCommentOffset = 0;
    std::uint16_t cowBlockOffset = 0;
    std::uint16_t cowCoilOffset = 0;
    std::uint16_t deviceNameCount = 0;
    std::uint16_t deviceCommentCount = 0;
    std::uint16_t blockCommentCount = 0;
    std::uint16_t coilCommentCount = 0;
    std::uint32_t xSizeSymble = 0;
    std::uint32_t ySizeSymble = 0;
    // NUL-terminated and NUL-padded; index 0 is the newest (File11).
    std::array<std::array<char, kRecentFileSlotSize>, kRecentFileSlots> recentFiles{};
    // The bytes of the file that no field names, carried through unchanged (the named ranges
    // are kept at 0 here).
    std::array<std::uint8_t, kModeDataSize> reserved{};
};

using ModeDataImage = std::array<std::uint8_t, kModeDataSize>;

extern ModeDataRecord& ModeData;
// False after a start-up that found the settings file but could not read it: the file is then the
// user's and no write of this session replaces it. A member of modelState.
extern bool& modeDataFileOurs;

// The file image of a record, and a record from a file's bytes (0xFF past a short file's end, as
// the byte reader gives). Parsing takes the bytes as they are; loadModeDat checks the ranges.
ModeDataImage modeDataToImage(const ModeDataRecord& record);
ModeDataRecord modeDataFromBytes(const platform::ByteReader& bytes);

// Replaces each field used as an index (port, baud rate, language, font size, cell size) that lies
// outside its range by its default.
void repairModeDataRanges(ModeDataRecord& record);

// Reads the settings file into ModeData. A missing file is created as 512 zero bytes and leaves
// the record as it was but for fontSize := 10. A short or damaged file loads with its index fields
// checked; of a longer file only the first 512 bytes are read. A file that exists but cannot be
// read (no permission, not a plain file) is reported in a warning box and left as it is; the
// record is then set as for a missing file, and the writes of this session leave the file alone.
void loadModeDat(const std::string& path);

// Writes ModeData whole. When the file cannot be written it says so in a message box and returns
// false; the program goes on. After a start-up that could not read the file it writes nothing and
// returns false.
bool SaveModeDat(const std::string& path);
bool saveModeDatToDisk(const std::string& path);

// Copies text into a recent-file slot, NUL-padded. A text of 96 characters or more does not fit:
// the slot holds "*" and the result is false.
bool storeRecentFileSlot(int slot, std::string_view text);
// The text of a slot up to its NUL; empty when the slot holds no NUL (more than 95 characters).
std::string recentFileSlotText(int slot);

}  // namespace kestrion

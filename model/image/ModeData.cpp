#include "model/image/ModeData.h"

#include <algorithm>
#include <vector>

#include "model/core/ByteImage.h"
#include "model/core/CommandTransaction.h"
#include "platform/Box.h"

namespace kestrion {

namespace {

// ---- The layout -------------------------------------------------------------------------------

struct FieldSpan {
    std::size_t offset;
    std::size_t width;
};

namespace at = modeDataOffset;
using namespace byteimage;

// Every named range of the file, in file order.
constexpr std::array<FieldSpan, 24> kNamedFields = {{
    {at::instanceCount, 2},
    {at::clipboardState, 2},
    {at::clipboardAddr, 4},
    {at::languageNo, 4},
    {at::fontSize, 4},
    {at::viewFlags, 1},
    {at::comPortNo, 4},
    {at::baudRate, 4},
    {at::cowMonitorOffset, 2},
    {at::monitorDeviceCount, 2},
    {at::cowNameOffset, 2},
    {at::cowCommentOffset, 2},
    {at::cowBlockOffset, 2},
    {at::cowCoilOffset, 2},
    {at::deviceNameCount, 2},
    {at::deviceCommentCount, 2},
    {at::blockCommentCount, 2},
    {at::coilCommentCount, 2},
    {at::xSizeSymble, 4},
    {at::ySizeSymble, 4},
    {at::recentFiles, kRecentFileSlotSize},
    {at::recentFiles + kRecentFileSlotSize, kRecentFileSlotSize},
    {at::recentFiles + 2 * kRecentFileSlotSize, kRecentFileSlotSize},
    {at::recentFiles + 3 * kRecentFileSlotSize, kRecentFileSlotSize},
}};

constexpr bool fieldsAreOrderedAndInside() {
    for (std::size_t i = 0; i + 1 < kNamedFields.size(); ++i) {
        const FieldSpan& a = kNamedFields[i];
        const FieldSpan& b = kNamedFields[i + 1];
        if (a.offset + a.width > b.offset) return false;
        // Numbers lie at their natural alignment in the file.
        if (a.width <= 4 && a.offset % a.width != 0) return false;
    }
    const FieldSpan& last = kNamedFields.back();
    return last.offset + last.width <= kModeDataSize;
}

static_assert(kModeDataSize == 512);
static_assert(fieldsAreOrderedAndInside(), "settings fields overlap or run past the record");
static_assert(at::instanceCount == 8 && at::clipboardState == 10 && at::clipboardAddr == 12);
static_assert(at::languageNo == 16 && at::fontSize == 20 && at::viewFlags == 24);
static_assert(at::comPortNo == 32 && at::baudRate == 36);
static_assert(at::cowMonitorOffset == 44 && at::monitorDeviceCount == 46 && at::cowNameOffset == 48);
static_assert(at::cowCommentOffset == 50 && at::cowBlockOffset == 52 && at::cowCoilOffset == 54);
static_assert(at::deviceNameCount == 56 && at::deviceCommentCount == 58);
static_assert(at::blockCommentCount == 60 && at::coilCommentCount == 62);
static_assert(at::xSizeSymble == 64 && at::ySizeSymble == 68);
static_assert(at::recentFiles == 128 && kRecentFileSlotSize == 96);
static_assert(at::recentFiles + kRecentFileSlots * kRecentFileSlotSize == kModeDataSize,
              "the last recent-file slot ends the record");

// A failed command leaves the settings as they were: the comment counts, the cell size, the fonts.
transaction::Restore snapshotSettings() {
    return [saved = ModeData] { ModeData = saved; };
}
[[maybe_unused]] const bool settingsPart = transaction::registerPart("settings", snapshotSettings);

std::size_t slotOffset(int slot) {
    return at::recentFiles + static_cast<std::size_t>(slot) * kRecentFileSlotSize;
}

bool validSlot(int slot) {
    return slot >= 0 && slot < kRecentFileSlots;
}

// ---- Ranges -----------------------------------------------------------------------------------

bool isFontSize(std::uint32_t size) {
    return size == 8 || size == 10 || size == 12 || size == 14;
}

// The widths the View menu offers, and the start width.
bool isCellWidth(std::uint32_t width) {
    return width == 56 || width == 60 || width == 64 || width == 68 || width == kStartCellWidth;
}

// The heights the View menu offers: 56 to 72 in steps of 4.
bool isCellHeight(std::uint32_t height) {
    return height >= 56 && height <= 72 && height % 4 == 0;
}

void replaceUnless(std::uint32_t& field, bool valid, std::uint32_t fallback) {
    if (!valid) field = fallback;
}

const std::string kSaveErrorText = "Error2014121612...";
const std::string kSaveErrorCaption = "*SaveModeDat ToDisk(";

}  // namespace

ModeDataImage modeDataToImage(const ModeDataRecord& record) {
    ModeDataImage image = record.reserved;
    putU16(image, at::instanceCount, record.instanceCount);
    putU16(image, at::clipboardState, record.clipboardState);
    putU32(image, at::clipboardAddr, record.clipboardAddr);
    putU32(image, at::languageNo, record.languageNo);
    putU32(image, at::fontSize, record.fontSize);
    putU8(image, at::viewFlags, record.viewFlags);
    putU32(image, at::comPortNo, record.comPortNo);
    putU32(image, at::baudRate, record.baudRate);
    putU16(image, at::cowMonitorOffset, record.cowMonitorOffset);
    putU16(image, at::monitorDeviceCount, record.monitorDeviceCount);
    putU16(image, at::cowNameOffset, record.cowNameOffset);
    putU16(image, at::cowCommentOffset, record.cowCommentOffset);
    putU16(image, at::cowBlockOffset, record.cowBlockOffset);
    putU16(image, at::cowCoilOffset, record.cowCoilOffset);
    putU16(image, at::deviceNameCount, record.deviceNameCount);
    putU16(image, at::deviceCommentCount, record.deviceCommentCount);
    putU16(image, at::blockCommentCount, record.blockCommentCount);
    putU16(image, at::coilCommentCount, record.coilCommentCount);
    putU32(image, at::xSizeSymble, record.xSizeSymble);
    putU32(image, at::ySizeSymble, record.ySizeSymble);
    for (int slot = 0; slot < kRecentFileSlots; ++slot) {
        putField(image, slotOffset(slot), record.recentFiles[static_cast<std::size_t>(slot)]);
    }
    return image;
}

ModeDataRecord modeDataFromBytes(const platform::ByteReader& bytes) {
    ModeDataImage image{};
    bytes.copyTo(0, image.data(), image.size());

    ModeDataRecord record;
    record.instanceCount = getU16(image, at::instanceCount);
    record.clipboardState = getU16(image, at::clipboardState);
    record.clipboardAddr = getU32(image, at::clipboardAddr);
    record.languageNo = getU32(image, at::languageNo);
    record.fontSize = getU32(image, at::fontSize);
    record.viewFlags = getU8(image, at::viewFlags);
    record.comPortNo = getU32(image, at::comPortNo);
    record.baudRate = getU32(image, at::baudRate);
    record.cowMonitorOffset = getU16(image, at::cowMonitorOffset);
    record.monitorDeviceCount = getU16(image, at::monitorDeviceCount);
    record.cowNameOffset = getU16(image, at::cowNameOffset);
    record.cowCommentOffset = getU16(image, at::cowCommentOffset);
    record.cowBlockOffset = getU16(image, at::cowBlockOffset);
    record.cowCoilOffset = getU16(image, at::cowCoilOffset);
    record.deviceNameCount = getU16(image, at::deviceNameCount);
    record.deviceCommentCount = getU16(image, at::deviceCommentCount);
    record.blockCommentCount = getU16(image, at::blockCommentCount);
    record.coilCommentCount = getU16(image, at::coilCommentCount);
    record.xSizeSymble = getU32(image, at::xSizeSymble);
    record.ySizeSymble = getU32(image, at::ySizeSymble);
    for (int slot = 0; slot < kRecentFileSlots; ++slot) {
        getField(image, slotOffset(slot), record.recentFiles[static_cast<std::size_t>(slot)]);
    }

    record.reserved = image;
    for (const FieldSpan& field : kNamedFields)
        putField(record.reserved, field.offset, std::vector<std::uint8_t>(field.width, 0));
    return record;
}

void repairModeDataRanges(ModeDataRecord& record) {
    replaceUnless(record.comPortNo, record.comPortNo < kComPortCount, 0);
    replaceUnless(record.baudRate, record.baudRate < kBaudChoiceCount, 0);
    replaceUnless(record.languageNo, record.languageNo < kLanguageCount, 0);
    replaceUnless(record.fontSize, isFontSize(record.fontSize), kDefaultFontSize);
    replaceUnless(record.xSizeSymble, isCellWidth(record.xSizeSymble), kStartCellWidth);
    replaceUnless(record.ySizeSymble, isCellHeight(record.ySizeSymble), kStartCellHeight);
}

void loadModeDat(const std::string& path) {
    const platform::ReadResult file = platform::files().readStart(path, kModeDataSize);
    if (file.ok()) {
        ModeData = modeDataFromBytes(file.data);
        repairModeDataRanges(ModeData);
        return;
    }
    ModeData.fontSize = kDefaultFontSize;
    if (file.status == platform::FileStatus::NotFound) {
        // First start: an empty settings file. A file that cannot be made here is made by the next
        // save, which reports it.
        const ModeDataImage zeros{};
        platform::files().writeWhole(path, zeros.data(), zeros.size());
        return;
    }
    // A file that is there but cannot be read still holds the user's settings: it is left alone.
    modeDataFileOurs = false;
    platform::say({"The settings file " + path +
                       " cannot be read. The program runs with the default settings and"
                       " leaves the file as it is.",
                   kModeDataFileName, platform::MsgIcon::Warning});
}

bool SaveModeDat(const std::string& path) {
    if (!modeDataFileOurs) return false;
    const ModeDataImage image = modeDataToImage(ModeData);
    if (platform::files().writeWhole(path, image.data(), image.size()) == platform::FileStatus::Ok)
        return true;
    // The settings are lost for this write only; the program and its work go on.
    platform::say({kSaveErrorText, kSaveErrorCaption, platform::MsgIcon::Error});
    return false;
}

bool saveModeDatToDisk(const std::string& path) {
    return SaveModeDat(path);
}

bool storeRecentFileSlot(int slot, std::string_view text) {
    if (!validSlot(slot)) return false;
    auto& target = ModeData.recentFiles[static_cast<std::size_t>(slot)];
    target.fill('\0');
    if (text.size() >= kRecentFileSlotSize) {
        target[0] = '*';
        return false;
    }
    std::copy(text.begin(), text.end(), target.begin());
    return true;
}

std::string recentFileSlotText(int slot) {
    if (!validSlot(slot)) return {};
    const auto& source = ModeData.recentFiles[static_cast<std::size_t>(slot)];
    const auto end = std::find(source.begin(), source.end(), '\0');
    if (end == source.end()) return {};
    return std::string(source.begin(), end);
}

}  // namespace kestrion

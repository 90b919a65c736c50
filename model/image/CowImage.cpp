#include "model/image/CowImage.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "model/core/ByteImage.h"
#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "model/image/MonitorLists.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::string_view kMakerMarker = "Tovel";
// Five empty sections and the two bytes the file holds after them.
constexpr std::uint16_t kNewCowDataLength = 12;

struct SectionLimit {
    std::uint16_t maximum;
    const char* text;
    const char* caption;
};
constexpr SectionLimit kNameLimit{kMaxDeviceNames, "DeviceNameNoTooMuch", "Msg19050310"};
constexpr SectionLimit kDeviceCommentLimit{kMaxDeviceComments, "DeviceCommentNoTooMuch", "Msg19050312"};
constexpr SectionLimit kBlockLimit{kMaxBlockComments, "BlockCommentNumberTooMuch", "Msg19050314"};
constexpr SectionLimit kCoilLimit{kMaxCoilComments, "CoilCommentNumberTooMuch", "Msg19050316"};

void showStatus(const std::string& text) {
    platform::statusBar().setPanelText(13, text);
}

template <std::size_t N>
std::string_view textView(const std::array<char, N>& field) {
    return std::string_view(
        field.data(), static_cast<std::size_t>(std::find(field.begin(), field.end(), '\0') - field.begin()));
}

template <class Node>
std::size_t lengthOf(const OwnedList<Node>& list) {
    return static_cast<std::size_t>(links::countNodes(list));
}

// ---- Packing --------------------------------------------------------------------------------------

class Packer {
public:
    explicit Packer(CowImage& image) : image_(image) {}

    std::size_t position() const { return pos_; }

    // Room for size more bytes, or the refusal of the whole pack.
    bool fits(std::size_t size) const { return size <= kCowPackLimit - pos_; }

    void u8(std::uint8_t value) { image_[pos_++] = value; }
    void u16(std::uint16_t value) {
        byteimage::putU16(image_, pos_, value);
        pos_ += 2;
    }
    void text(std::string_view text) {
        byteimage::putBytes(image_, pos_, std::span<const char>(text.data(), text.size()));
        pos_ += text.size();
    }

private:
    CowImage& image_;
    std::size_t pos_ = cowOffset::data;
};

void refuseFull() {
    platform::say(
        {"CommentBufferFull...comments not saved", "saveCommentToCowBuffer(", platform::MsgIcon::Warning});
}

// The count word of a section. The number of entries the list holds is written, so that the
// image always reads back as it was packed.
bool packCount(Packer& packer, std::size_t count, const SectionLimit& limit) {
    if (count > limit.maximum) {
        platform::say({limit.text, limit.caption, platform::MsgIcon::Information});
        return false;
    }
    if (!packer.fits(2)) {
        refuseFull();
        return false;
    }
    packer.u16(static_cast<std::uint16_t>(count));
    return true;
}

// Sections 1 and 2; comments store an X or Y number as written and pack its linear index.
bool packDeviceSection(Packer& packer, const DeviceCommentList& list, const SectionLimit& limit,
                       bool numbersAsWritten) {
    if (!packCount(packer, lengthOf(list), limit)) return false;
    for (const deviceCommentNode* node = list.head; node != nullptr; node = node->next) {
        const std::string_view text = textView(node->text);
        if (!packer.fits(4 + text.size() + 1)) {
            refuseFull();
            return false;
        }
        std::uint16_t number = node->deviceNo;
        if (numbersAsWritten && isOctalDevice(node->deviceLetter))
            number = static_cast<std::uint16_t>(octalNoToIndex(node->deviceNo));
        packer.u8(node->deviceLetter);
        packer.u8(0);
        packer.u16(number);
        packer.text(text);
        packer.u8(0);
    }
    return true;
}

template <std::size_t TextSize>
bool packStepSection(Packer& packer, const OwnedList<stepCommentNode<TextSize>>& list,
                     const SectionLimit& limit) {
    if (!packCount(packer, lengthOf(list), limit)) return false;
    for (const auto* node = list.head; node != nullptr; node = node->next) {
        const std::string_view text = textView(node->text);
        if (!packer.fits(2 + text.size() + 1)) {
            refuseFull();
            return false;
        }
        packer.u16(node->stepNo);
        packer.text(text);
        packer.u8(0);
    }
    return true;
}

// Section 5; gives the text length of each entry as written, to be stored once the pack stands.
bool packMonitorSection(Packer& packer, std::vector<std::uint32_t>& textLengths) {
    if (!packer.fits(2)) {
        refuseFull();
        return false;
    }
    packer.u16(static_cast<std::uint16_t>(lengthOf(deviceMonitorList)));
    for (const deviceMonitorNode* node = deviceMonitorList.head; node != nullptr; node = node->next) {
        const std::string_view text = textView(node->deviceText);
        if (!packer.fits(node->deviceCode.size() + text.size() + 1)) {
            refuseFull();
            return false;
        }
        for (std::uint8_t byte : node->deviceCode) packer.u8(byte);
        packer.text(text);
        packer.u8(',');
        textLengths.push_back(static_cast<std::uint32_t>(text.size()));
    }
    return true;
}

// ---- Parsing --------------------------------------------------------------------------------------

// Reads the image from byte 256 on; any read that would pass the image's end marks it damaged and
// reads nothing.
class Parser {
public:
    explicit Parser(const CowImage& image) : image_(image) {}

    std::size_t position() const { return pos_; }
    bool damaged() const { return damaged_; }
    // An entry that no list can hold as it stands marks the image damaged where it was read.
    void refuse() { damaged_ = true; }

    bool u16(std::uint16_t& value) {
        if (!available(2)) return false;
        value = byteimage::getU16(image_, pos_);
        pos_ += 2;
        return true;
    }
    bool u8(std::uint8_t& value) {
        if (!available(1)) return false;
        value = image_[pos_++];
        return true;
    }
    // The text up to its NUL, at most N - 1 of its characters kept; the read goes on after the NUL.
    template <std::size_t N>
    bool text(std::array<char, N>& field) {
        return textUpTo('\0', field);
    }
    // The same, up to a terminator byte.
    template <std::size_t N>
    bool textUpTo(char terminator, std::array<char, N>& field) {
        field.fill('\0');
        const auto first = image_.begin() + static_cast<std::ptrdiff_t>(pos_);
        const auto end = std::find(first, image_.end(), static_cast<std::uint8_t>(terminator));
        if (end == image_.end()) {
            pos_ = image_.size();
            damaged_ = true;
            return false;
        }
        const std::size_t length = static_cast<std::size_t>(end - first);
        std::transform(first, first + static_cast<std::ptrdiff_t>(std::min(length, N - 1)), field.begin(),
                       [](std::uint8_t byte) { return static_cast<char>(byte); });
        pos_ += length + 1;
        return true;
    }

private:
    bool available(std::size_t size) {
        if (size <= image_.size() - pos_) return true;
        pos_ = image_.size();
        damaged_ = true;
        return false;
    }

    const CowImage& image_;
    std::size_t pos_ = cowOffset::data;
    bool damaged_ = false;
};

template <std::size_t N>
void setField(std::array<char, N>& field, std::string_view text) {
    field.fill('\0');
    std::copy_n(text.begin(), std::min(text.size(), N - 1), field.begin());
}

std::string octalText(std::uint8_t letter, std::uint16_t index) {
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%c%03o", static_cast<char>(letter),
                  static_cast<unsigned>(index));
    return buffer.data();
}

// The count word of a section, checked against its limit (the status panel then shows it).
bool readCount(Parser& parser, std::uint16_t& count, const SectionLimit& limit, bool hexStatus) {
    if (!parser.u16(count)) return false;
    if (count <= limit.maximum) return true;
    showStatus(hexStatus ? "deviceNameNo=" + hexText(count, 4) : std::to_string(count));
    platform::say({limit.text, limit.caption, platform::MsgIcon::Information});
    return false;
}

bool readDeviceSection(Parser& parser, DeviceCommentList& list, bool numbersAsWritten) {
    std::uint16_t count = 0;
    if (numbersAsWritten) {
        ModeData.cowCommentOffset = static_cast<std::uint16_t>(parser.position());
        if (!readCount(parser, count, kDeviceCommentLimit, false)) return false;
        ModeData.deviceCommentCount = count;
    } else {
        ModeData.cowNameOffset = static_cast<std::uint16_t>(parser.position());
        if (!readCount(parser, count, kNameLimit, true)) return false;
        ModeData.deviceNameCount = count;
    }
    for (std::uint16_t i = 0; i < count; ++i) {
        std::uint8_t letter = 0;
        std::uint8_t zero = 0;
        std::uint16_t number = 0;
        if (!parser.u8(letter) || !parser.u8(zero) || !parser.u16(number)) return false;
        // A comment keeps an input's or output's number as written, in 16 bits: from X65536 on (an
        // index past any PLC's inputs, from a damaged or foreign file) the number would be cut and
        // the next Save would put the comment on another device.
        const bool writtenNumber = numbersAsWritten && isOctalDevice(letter);
        if (writtenNumber && indexToOctalNo(number) > 0xFFFF) {
            parser.refuse();
            return false;
        }
        if (numbersAsWritten) {
            addDeviceComment();
        } else {
            addDeviceName(static_cast<std::uint16_t>(letter | zero << 8), number);
        }
        deviceCommentNode& node = *list.newest;
        node.deviceLetter = letter;
        node.letterHigh = zero;
        const std::string device = isOctalDevice(letter) ? octalText(letter, number)
                                                         : deviceTextFor(static_cast<char>(letter), number);
        setField(node.deviceText, device);
        node.textLength = static_cast<std::uint16_t>(textView(node.deviceText).size());
        node.deviceNo = writtenNumber ? static_cast<std::uint16_t>(indexToOctalNo(number)) : number;
        node.cowOffset = static_cast<std::uint16_t>(parser.position());
        if (!parser.text(node.text)) return false;
    }
    return true;
}

template <std::size_t TextSize>
bool readStepSection(Parser& parser, OwnedList<stepCommentNode<TextSize>>& list, bool block) {
    std::uint16_t count = 0;
    (block ? ModeData.cowBlockOffset : ModeData.cowCoilOffset) =
        static_cast<std::uint16_t>(parser.position());
    if (!readCount(parser, count, block ? kBlockLimit : kCoilLimit, false)) return false;
    (block ? ModeData.blockCommentCount : ModeData.coilCommentCount) = count;
    for (std::uint16_t i = 0; i < count; ++i) {
        std::uint16_t stepNo = 0;
        if (!parser.u16(stepNo)) return false;
        if (block) {
            addBlockComment(0, stepNo);
        } else {
            addCoilComment(stepNo, 0);
        }
        auto& node = *list.newest;
        if (block) {
            updateLadderBlockCommentId(stepNo, node.commentId);
        } else {
            updateLadderCoilCommentId(stepNo, node.commentId);
        }
        node.cowOffset = static_cast<std::uint16_t>(parser.position());
        if (!parser.text(node.text)) return false;
    }
    return true;
}

std::uint32_t digitsValue(std::string_view text) {
    std::uint32_t value = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

// Section 5: the registered monitor devices come back as they were registered.
bool readMonitorSection(Parser& parser) {
    ModeData.cowMonitorOffset = static_cast<std::uint16_t>(parser.position());
    const std::size_t countOffset = parser.position();
    std::uint16_t count = 0;
    if (!parser.u16(count)) return false;
    ModeData.monitorDeviceCount = count;
    if (count == 0) return true;
    if (count == kEmptyMonitorSection || count > kMaxRegisteredMonitorDevices) {
        if (count != kEmptyMonitorSection) showStatus("monDeviceNo=" + hexText(count, 4));
        byteimage::putU16(CowBuffer, countOffset, 0);
        ModeData.monitorDeviceCount = 0;
        return true;
    }
    for (std::uint16_t i = 0; i < count; ++i) {
        std::array<std::uint8_t, 4> code{};
        for (std::uint8_t& byte : code) {
            if (!parser.u8(byte)) return false;
        }
        addDeviceMonitorNode();
        deviceMonitorNode& node = *deviceMonitorList.newest;
        node.deviceCode = code;
        if (!parser.textUpTo(',', node.deviceText)) return false;
        const std::string_view text = textView(node.deviceText);
        node.textLength = static_cast<std::uint32_t>(text.size());
        node.deviceNo = digitsValue(text);
        node.deviceIndex = static_cast<std::uint32_t>(i) + 1;
    }
    ModeData.monitorDeviceCount = count;
    return true;
}

}  // namespace

bool saveCommentToCowBuffer() {
    auto scratch = std::make_unique<CowImage>(CowBuffer);
    Packer packer(*scratch);
    byteimage::putBytes(*scratch, cowOffset::makerMarker,
                        std::span<const char>(kMakerMarker.data(), kMakerMarker.size()));
    byteimage::putU16(*scratch, cowOffset::section1, static_cast<std::uint16_t>(cowOffset::data));

    activityText = "*saveCommentToCowBuffer 1.deviceName";
    showStatus(std::to_string(lengthOf(deviceNameList)));
    if (!packDeviceSection(packer, deviceNameList, kNameLimit, false)) return false;

    byteimage::putU16(*scratch, cowOffset::section2, static_cast<std::uint16_t>(packer.position()));
    activityText = "*saveCommentToCowBuffer 2.deviceComment";
    showStatus(std::to_string(lengthOf(deviceCommentList)));
    if (!packDeviceSection(packer, deviceCommentList, kDeviceCommentLimit, true)) return false;

    byteimage::putU16(*scratch, cowOffset::section3, static_cast<std::uint16_t>(packer.position()));
    activityText = "*saveCommentToCowBuffer 3.blockComment";
    showStatus(std::to_string(lengthOf(blockCommentList)));
    if (!packStepSection(packer, blockCommentList, kBlockLimit)) return false;

    byteimage::putU16(*scratch, cowOffset::section4, static_cast<std::uint16_t>(packer.position()));
    activityText = "*saveCommentToCowBuffer 4.coilComment";
    showStatus(std::to_string(lengthOf(coilCommentList)));
    if (!packStepSection(packer, coilCommentList, kCoilLimit)) return false;

    activityText = "*saveCommentToCowBuffer 5.monitorDevice";
    std::vector<std::uint32_t> textLengths;
    if (!packMonitorSection(packer, textLengths)) return false;

    std::fill(scratch->begin() + static_cast<std::ptrdiff_t>(packer.position()), scratch->end(),
              std::uint8_t{0});
    CowBuffer = *scratch;
    if (ModeData.monitorDeviceCount == kEmptyMonitorSection) ModeData.monitorDeviceCount = 0;
    cowDataLength = static_cast<std::uint16_t>(packer.position() - cowOffset::data);
    auto length = textLengths.begin();
    for (deviceMonitorNode* node = deviceMonitorList.head; node != nullptr; node = node->next)
        node->textLength = *length++;
    return true;
}

bool loadCommentFromCowBuffer() {
    for (int kind = kCommentListNames; kind <= kCommentListMonitor; ++kind) freeCommentList(kind);
    Parser parser(CowBuffer);
    const bool read = readDeviceSection(parser, deviceNameList, false) &&
                      readDeviceSection(parser, deviceCommentList, true) &&
                      readStepSection(parser, blockCommentList, true) &&
                      readStepSection(parser, coilCommentList, false) && readMonitorSection(parser);
    if (parser.damaged()) {
        showStatus(std::to_string(parser.position()));
        platform::say({"FileCommentError...system clear all comment", "Error2018030210",
                       platform::MsgIcon::Information});
        return false;
    }
    return read;
}

std::string cowDescription() {
    const auto first = CowBuffer.begin() + cowOffset::description;
    const auto last = first + cowOffset::descriptionSize - 1;
    return std::string(first, std::find(first, last, std::uint8_t{0}));
}

std::optional<std::vector<std::uint8_t>> cowFileBytes() {
    if (!saveCommentToCowBuffer()) return std::nullopt;
    byteimage::putU16(CowBuffer, cowOffset::dataLength, cowDataLength);
    const std::size_t size = cowOffset::data + cowDataLength + kCowFileExtra;
    return std::vector<std::uint8_t>(CowBuffer.begin(),
                                     CowBuffer.begin() + static_cast<std::ptrdiff_t>(size));
}

void newCowImage() {
    CowBuffer.fill(0);
    std::fill(CowBuffer.begin() + 11, CowBuffer.begin() + 70, std::uint8_t{' '});
    const auto header = pmwPreTemplate(1);
    std::copy(header.begin() + 70, header.begin() + 114, CowBuffer.begin() + 70);
    byteimage::putU16(CowBuffer, cowOffset::dataLength, kNewCowDataLength);
    byteimage::putU16(CowBuffer, 254, 4);
    cowDataLength = kNewCowDataLength;
}

bool readCowFile(const std::string& path) {
    const platform::ReadResult file = platform::files().readStart(path, CowBuffer.size());
    if (!file.ok()) return false;
    file.data.copyTo(0, CowBuffer.data(), CowBuffer.size());
    cowDataLength = byteimage::getU16(CowBuffer, cowOffset::dataLength);
    return true;
}

}  // namespace kestrion

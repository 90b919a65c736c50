#include "model/image/ClipboardBlock.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>
#include <vector>

#include "model/MainState.h"
#include "model/ModelState.h"
#include "model/core/ByteImage.h"
#include "model/image/ModeData.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

std::vector<std::uint8_t>& block = modelState.clipboardBlock;
std::size_t& blockRecordSize = modelState.clipboardRecordSize;

// No request larger than this is tried: it could not be a ladder object record, and asking the
// allocator for it would fail anyway.
constexpr std::size_t kLargestRecordSize = 1u << 20;

[[noreturn]] void clipboardMemoryNotEnough() {
    platform::messages().show("*Clipboard Memory not enough", "Error2014121611", platform::MsgIcon::Error,
                              platform::MsgButtons::Ok);
    std::exit(1);
}

}  // namespace

void initClipboardMemory(std::size_t recordSize) {
    if (recordSize > kLargestRecordSize) clipboardMemoryNotEnough();
    const std::size_t size = recordSize * kClipboardObjectSlots + kClipboardHeadSize;
    std::vector<std::uint8_t> fresh;
    try {
        fresh.assign(size, 0);
    } catch (const std::bad_alloc&) {
        clipboardMemoryNotEnough();
    }
    block = std::move(fresh);
    blockRecordSize = recordSize;

    ModeData.clipboardState = 0;
    ModeData.clipboardAddr = clipboardBlockToken();
    saveModeDatToDisk(installDir + "/" + kModeDataFileName);

    byteimage::putBytes(block, kClipboardSignatureOffset, std::span<const char>(kClipboardSignature));
    std::fill(block.begin() + static_cast<std::ptrdiff_t>(kClipboardHeadSize), block.end(), 0);
}

bool isClipboardMemoryValid() {
    if (block.size() < kClipboardHeadSize) return false;
    return std::equal(kClipboardSignature.begin(), kClipboardSignature.end(),
                      block.begin() + static_cast<std::ptrdiff_t>(kClipboardSignatureOffset));
}

std::span<std::uint8_t> clipboardMemory() {
    return block;
}

std::span<std::uint8_t> clipboardObjectSlot(std::size_t index) {
    if (index >= kClipboardObjectSlots || block.empty()) return {};
    return std::span<std::uint8_t>(block).subspan(kClipboardHeadSize + index * blockRecordSize,
                                                  blockRecordSize);
}

void releaseClipboardMemory() {
    block.clear();
    block.shrink_to_fit();
    blockRecordSize = 0;
}

std::uint32_t clipboardBlockToken() {
    // The process id: never 0, and it names the process that holds the block.
    return static_cast<std::uint32_t>(getpid());
}

}  // namespace kestrion

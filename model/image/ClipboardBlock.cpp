#include "model/image/ClipboardBlock.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>
#include <vector>

#include "model/core/ByteImage.h"
#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

// No request larger than this is tried: it could not be a ladder object record, and asking the
// allocator for it would fail anyway.
constexpr std::size_t kLargestRecordSize = 1u << 20;

[[noreturn]] void clipboardMemoryNotEnough() {
    platform::say({"*Clipboard Memory not enough", "Error2014121611", platform::MsgIcon::Error});
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
    clipboardBlock = std::move(fresh);
    clipboardRecordSize = recordSize;

    ModeData.clipboardState = 0;
    ModeData.clipboardAddr = clipboardBlockToken();
    saveModeDatToDisk(installDir + "/" + kModeDataFileName);

    byteimage::putBytes(clipboardBlock, kClipboardSignatureOffset,
                        std::span<const char>(kClipboardSignature));
    std::fill(clipboardBlock.begin() + static_cast<std::ptrdiff_t>(kClipboardHeadSize), clipboardBlock.end(),
              0);
}

bool isClipboardMemoryValid() {
    if (clipboardBlock.size() < kClipboardHeadSize) return false;
    return std::equal(kClipboardSignature.begin(), kClipboardSignature.end(),
                      clipboardBlock.begin() + static_cast<std::ptrdiff_t>(kClipboardSignatureOffset));
}

std::span<std::uint8_t> clipboardMemory() {
    return clipboardBlock;
}

std::span<std::uint8_t> clipboardObjectSlot(std::size_t index) {
    if (index >= kClipboardObjectSlots || clipboardBlock.empty()) return {};
    return std::span<std::uint8_t>(clipboardBlock)
        .subspan(kClipboardHeadSize + index * clipboardRecordSize, clipboardRecordSize);
}

void releaseClipboardMemory() {
    clipboardBlock.clear();
    clipboardBlock.shrink_to_fit();
    clipboardRecordSize = 0;
}

std::uint32_t clipboardBlockToken() {
    // The process id: never 0, and it names the process that holds the block.
    return static_cast<std::uint32_t>(getpid());
}

}  // namespace kestrion

// The clipboard block: one block per process, allocated at start-up, into which Copy and Cut put
// up to 32 ladder objects. A 32-byte head carries a fixed signature by which the block is known.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kestrion {

constexpr std::size_t kClipboardObjectSlots = 32;
constexpr std::size_t kClipboardHeadSize = 32;
constexpr std::size_t kClipboardSignatureOffset = 16;
constexpr std::string_view kClipboardSignature = "Kestrion48172093";  // no NUL in the block
constexpr std::size_t kLadderObjectRecordSize = 288;
static_assert(kClipboardSignatureOffset + kClipboardSignature.size() == kClipboardHeadSize);

// The block (empty before the allocation) and the size of its object records; members of
// modelState.
extern std::vector<std::uint8_t>& clipboardBlock;
extern std::size_t& clipboardRecordSize;

// Allocates a new block for 32 records of recordSize bytes after the head, records it in ModeData
// (clipboardState 0, clipboardAddr the block's token), writes "ModeData.DAT", then sets the
// signature and zeroes the object slots. A block that cannot be allocated ends the program with
// exit code 1 after its message.
void initClipboardMemory(std::size_t recordSize);

// True when a block exists and its head holds the signature.
[[nodiscard]] bool isClipboardMemoryValid();

// The whole block (empty before the allocation) and its object slots.
std::span<std::uint8_t> clipboardMemory();
std::span<std::uint8_t> clipboardObjectSlot(std::size_t index);

// Drops the block (start-up does this before allocating a new one).
void releaseClipboardMemory();

// The value kept in clipboardAddr while this process holds the block: never 0, and not an address
// cut to 32 bits (addresses do not fit, and mean nothing to another process).
std::uint32_t clipboardBlockToken();

}  // namespace kestrion

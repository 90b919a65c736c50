// The COW image's packer and parser, and the comment file (.COW) that holds the image's used part.
//
// Layout from byte 256, sections back to back, each a u16 count and its entries:
//   1 device names       letter, 0, number (u16; X and Y as linear index), text, NUL
//   2 device comments    the same
//   3 block comments     step (u16), text, NUL
//   4 coil comments      step (u16), at most 45 characters, NUL
//   5 registered monitor devices   device code (4 bytes), device text, ','
// The header holds the offsets of sections 1 to 4 at 240..246 and the data length at 250; zeros
// follow section 5. Texts are kept as the bytes they are, in the interface language's code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/image/CommentLists.h"

namespace kestrion {

// The file holds the image up to the end of section 5 and two more bytes.
constexpr std::size_t kCowFileExtra = 2;
// Where the packer must stop, so that the file never reaches past the image.
constexpr std::size_t kCowPackLimit = kCowImageSize - kCowFileExtra;

// Packs the lists into CowBuffer and leaves the data length in cowDataLength. The
// image is built aside and replaces CowBuffer only when every entry fits: a section with more
// entries than a reader takes, or lists that do not fit in the image, are refused with a message,
// and the lists and CowBuffer stay as they were. False then.
[[nodiscard]] bool saveCommentToCowBuffer();

// Rebuilds the lists (and the registered monitor list) from CowBuffer. False when the image is
// refused: a count above its section's limit or a section that runs past the image's end (its
// message shown); the lists then hold what was read so far and the caller clears all comments.
// Texts longer than their entries hold are cut (37, 77, 45 characters).
[[nodiscard]] bool loadCommentFromCowBuffer();

// The description text of the image (byte 128 up to its NUL, at most 95 bytes).
std::string cowDescription();

// The comment file: the lists packed into the image (saveCommentToCowBuffer), the data length put
// at 250, and the image up to the end of section 5 and two more bytes. Nothing, with the message
// shown, when the comments do not fit.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> cowFileBytes();

// The image of a program that has no comment file yet: the template header (no description, the
// words of the type-1 program header at 70..113, data length 12 at 250, 4 at 254), zeros after
// it; cowDataLength 12.
void newCowImage();

// Reads a comment file into CowBuffer (its missing bytes as 0xFF) and its data length into
// cowDataLength. False, CowBuffer unchanged, when there is no such file.
bool readCowFile(const std::string& path);

}  // namespace kestrion

// The files beside a program file, same path and name: .DMW (registers), .COW (comments), .EDM (the
// registered monitor list, written only), and two older ones that are only consumed: .DCN (its
// description goes into the COW image, then the file is deleted) and .PTW (deleted unread).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kestrion {

constexpr std::size_t kEdmFileSize = 8256;
constexpr std::size_t kEdmHeadSize = 256;  // 0x01 each
constexpr std::size_t kDcnDescriptionOffset = 256;
constexpr std::size_t kDcnDescriptionSize = 94;

using EdmImage = std::array<std::uint8_t, kEdmFileSize>;

// 256 bytes 0x01, then the registered monitor list's entries as 64-byte records with their link
// words zero and 0x00 after them, or 8000 bytes 0x02 when the list is empty.
EdmImage edmFileBytes();
// Writes the EDM file; when it cannot be created: the box "Error2014122008" / "*EDM" and false.
[[nodiscard]] bool writeEdmFile(const std::string& path);

// Reads a DCN file into DcnTables (missing bytes as 0xFF); false when there is none.
bool readDcnFile(const std::string& path);
// The description of the DCN tables into the COW image: bytes 128..221, NUL at 222.
void importDcnDescription();

// The companions of a program, written after its PMW file in the order DMW, COW, EDM. The first
// that fails has shown its message and stops the save: false.
[[nodiscard]] bool writeCompanionFiles(const std::string& pmwPath, std::int32_t plcType);

struct CompanionReadResult {
    bool dcnRead = false;  // a DCN file was read (and deleted)
    bool cowRead = false;
    // The description to show: set when a DCN or COW file was read.
    std::optional<std::string> description;
};

// Reads the companions of a program at Open in the order DMW, DCN (imported, then deleted), COW,
// PTW (deleted). Missing files are no error. Without a COW file the image holds no comments of
// an earlier program: its sections are emptied. The lists are rebuilt from the image afterwards
// (loadCommentFromCowBuffer).
CompanionReadResult readCompanionFiles(const std::string& pmwPath, std::int32_t plcType);

}  // namespace kestrion

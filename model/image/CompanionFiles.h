// The files beside a program file, same path and name: .DMW (registers), .COW (comments), .EDM (the
// registered monitor list, written only), and two older ones that are only consumed: .DCN (its
// description goes into the COW image, and the file goes once a save has written the description
// into the COW file beside it) and .PTW (deleted unread); and the save that writes the program
// file with its companions, all or none.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/image/ProgramImage.h"

namespace kestrion {

constexpr std::size_t kEdmFileSize = 8256;
constexpr std::size_t kEdmHeadSize = 256;  // 0x01 each
constexpr std::size_t kDcnDescriptionOffset = 256;
constexpr std::size_t kDcnDescriptionSize = 94;

using EdmImage = std::array<std::uint8_t, kEdmFileSize>;

// 256 bytes 0x01, then the registered monitor list's entries as 64-byte records with their link
// words zero and 0x00 after them, or 8000 bytes 0x02 when the list is empty.
EdmImage edmFileBytes();

// Reads a DCN file into DcnTables (missing bytes as 0xFF); false when there is none.
bool readDcnFile(const std::string& path);
// The description of the DCN tables into the COW image: bytes 128..221, NUL at 222.
void importDcnDescription();

// One file of a save: where it goes, what it holds, and the caption of its failure box.
struct SavedFile {
    std::string path;
    std::vector<std::uint8_t> bytes;
    const char* caption;  // "PMW", "*DMW", "*COW", "*EDM"
};
using ProgramFileSet = std::array<SavedFile, 4>;

// The four files of a save, made in memory before any is written: the program file, then DMW
// (the type's header loaded into DmwImage first), COW (the comments packed) and EDM. Nothing,
// with the message shown, when the comments do not fit or the image's capacity is not one a
// file may have.
[[nodiscard]] std::optional<ProgramFileSet> programFileSet(const std::string& pmwPath, const PmwImage& image);

// Writes the files all or none: each beside its target under a temporary name, then each renamed
// over its target once every one is written. A file that cannot be written shows its box ("Save
// File Error" / "PMW" with the name on status panel 0; "Error2014122008" / "*DMW", "*COW" or
// "*EDM" with "Save File Error...system halt" on panel 13), every target keeps what it held, and
// the result is false.
[[nodiscard]] bool writeProgramFiles(const ProgramFileSet& files);

struct CompanionReadResult {
    bool dcnRead = false;  // a DCN file was read (it stays on disk)
    bool cowRead = false;
    // The description to show: set when a DCN or COW file was read.
    std::optional<std::string> description;
};

// Reads the companions of a program at Open in the order DMW, DCN (imported), COW, PTW (deleted).
// Missing files are no error. The comment image starts as a new program's, so that without a COW
// file it holds no comment and no description of an earlier program (but the DCN description); a
// COW file's description replaces the DCN's. The DCN file is left where it is: its description is
// nowhere else until a save has written it. The lists are rebuilt from the image afterwards
// (loadCommentFromCowBuffer).
CompanionReadResult readCompanionFiles(const std::string& pmwPath, std::int32_t plcType);

}  // namespace kestrion

// The register image DmwImage and its file (.DMW). The image is a 256-byte header (a template per
// PLC type), D0 to D7999 from byte 256 and D8000 to D8255 from byte 16256, one little-endian word
// each. The file holds the header, D0 to D999, D8000 to D8255 and, for every type but 1 and 6,
// D1000 to D7999 after them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrion {

constexpr std::size_t kDmwHeaderSize = 256;
constexpr std::size_t kDmwImageSize = 16768;
constexpr std::size_t kDmwSpecialOffset = 16256;  // D8000
constexpr std::uint32_t kDmwRegisterCount = 8000;
constexpr std::uint32_t kDmwSpecialFirst = 8000;
constexpr std::uint32_t kDmwSpecialLast = 8255;
constexpr std::size_t kDmwShortBodySize = 2512;  // types 1 and 6
constexpr std::size_t kDmwFullBodySize = 16512;  // every other type

using RegisterImage = std::array<std::uint8_t, kDmwImageSize>;

// The DCN file's two 256-byte tables.
using DcnTableSet = std::array<std::array<std::uint8_t, 256>, 2>;

// Members of ModelState.
extern RegisterImage& DmwImage;
extern DcnTableSet& DcnTables;

// Where register Dk lies in the image; nothing for a register the image does not hold.
std::optional<std::size_t> dmwRegisterOffset(std::uint32_t k);
std::uint16_t dmwRegister(std::uint32_t k);                 // 0 for a register the image does not hold
void setDmwRegister(std::uint32_t k, std::uint16_t value);  // ignores a register it does not hold

// The header template of a PLC type: types 1, 6, 7 and 4 have their own, 2 and 5 share one.
std::optional<std::array<std::uint8_t, kDmwHeaderSize>> dmwHeaderTemplate(std::int32_t plcType);
// Copies the template of the type into the image's header; any other type leaves it as it is.
void loadDmwHeaderByPlcType(std::int32_t plcType);

// The body length of the file of a PLC type: 2512 bytes for types 1 and 6, else 16512.
std::size_t dmwBodySize(std::int32_t plcType);
// The file's bytes of the image for a PLC type (the image's header as it stands).
std::vector<std::uint8_t> dmwFileBytes(const RegisterImage& image, std::int32_t plcType);

// The registers that hold a value but that the file of this PLC type does not keep: D1000 to
// D7999 for types 1 and 6, whose file holds D0 to D999 and D8000 to D8255 only.
std::vector<std::uint32_t> registersTheFileDrops(std::int32_t plcType);
// Before a save: names those registers in a box ("*DMW", warning); nothing when there are none.
void warnRegistersNotKept(std::int32_t plcType);

// Reads the file into DmwImage: the header and the body of the type's length, missing bytes as
// 0xFF. False, with the image as it was, when there is no such file.
bool readDmwFile(const std::string& path, std::int32_t plcType);

}  // namespace kestrion

// The program file (.PMW): the header, the parameter block, the 1000 × N program words of the
// image's capacity N, and the 68-byte tail of the program's PLC type; 2000 × N + 416 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/image/ProgramImage.h"
#include "platform/Services.h"

namespace kestrion {

// The file length for capacity n.
std::size_t pmwFileLength(std::int32_t n);

// The bytes of the program file of an image. The tail is always the template of the image's type
// word, not the image's own tail. Empty when the image's capacity is not one a file may have.
[[nodiscard]] std::vector<std::uint8_t> pmwFileBytes(const PmwImage& image);
// Writes the program file; Failed without touching the file when the capacity is not valid.
[[nodiscard]] platform::FileStatus writePmwFile(const std::string& path, const PmwImage& image);

enum class PmwReadResult { Ok, OpenFailed, BadVersion, Truncated };

// Reads a program file into the image given, which may be a scratch image so that the program in
// use changes only when the caller goes on. Failures show their box: "Open File Error" when the
// file cannot be read, or (with its name and lengths) when it is shorter than the 348 + 2000 × N
// bytes its program needs; "File Version Error" when its capacity or PLC type word is not one of
// ours, or (with its name) when it is empty. After a failure the image holds what was read and is
// not to be used as a program. Once the caller takes a read image as the program in use it runs
// backupPmwImage.
[[nodiscard]] PmwReadResult readPmwFile(const std::string& path, PmwImage& image);

}  // namespace kestrion

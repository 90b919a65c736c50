#include "model/PmwFile.h"

#include <algorithm>

namespace kestrion {

namespace {

void showFileError(const char* text, const char* caption) {
    platform::messages().show(text, caption, platform::MsgIcon::Error, platform::MsgButtons::Ok);
}

}  // namespace

std::size_t pmwFileLength(std::int32_t n) {
    return kProgramAreaOffset + 2 * programWordsFor(n) + kPmwTailSize;
}

std::vector<std::uint8_t> pmwFileBytes(const PmwImage& image) {
    const std::int32_t n = image.memSizeCode();
    if (!isValidMemSizeCode(n)) return {};
    std::vector<std::uint8_t> bytes;
    bytes.reserve(pmwFileLength(n));
    bytes.insert(bytes.end(), image.pmwPre.begin(), image.pmwPre.end());
    bytes.insert(bytes.end(), image.parameterBlock.begin(), image.parameterBlock.end());
    const std::size_t words = programWordsFor(n);
    for (std::size_t i = 0; i < words; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(image.program[i] & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(image.program[i] >> 8));
    }
    const auto tail = pmwTailTemplate(image.plcType());
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

platform::FileStatus writePmwFile(const std::string& path, const PmwImage& image) {
    const std::vector<std::uint8_t> bytes = pmwFileBytes(image);
    if (bytes.empty()) return platform::FileStatus::Failed;
    return platform::files().writeWhole(path, bytes);
}

PmwReadResult readPmwFile(const std::string& path, PmwImage& image) {
    const platform::ReadResult file = platform::files().readWhole(path, kPmwImageSize);
    if (!file.ok()) {
        showFileError("Open File Error", "Error2018030211");
        return PmwReadResult::OpenFailed;
    }
    const platform::ByteReader& data = file.data;
    data.copyTo(0, image.pmwPre.data(), kPmwPreSize);
    data.copyTo(kParameterBlockOffset, image.parameterBlock.data(), kParameterBlockSize);

    // The capacity decides how much is read: only the capacities a program may have are taken, so
    // the read stays inside the program area whatever the file says.
    const std::int32_t n = image.memSizeCode();
    const std::size_t words = isValidMemSizeCode(n) ? programWordsFor(n) : 0;
    for (std::size_t i = 0; i < words; ++i) {
        const std::size_t offset = kProgramAreaOffset + 2 * i;
        image.program[i] = static_cast<std::uint16_t>(data.at(offset) | (data.at(offset + 1) << 8));
    }
    std::fill(image.program.begin() + static_cast<std::ptrdiff_t>(words), image.program.end(), kEmptyWord);
    image.pmwTail = pmwTailTemplate(image.plcType());

    if (!isValidMemSizeCode(n) || !isAcceptedPlcType(image.plcType())) {
        showFileError("File Version Error", "Error2018062240");
        return PmwReadResult::BadVersion;
    }
    return PmwReadResult::Ok;
}

}  // namespace kestrion

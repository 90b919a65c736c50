#include "model/image/PmwFile.h"

#include <algorithm>
#include <string>

#include "model/core/ByteImage.h"
#include "platform/Box.h"

namespace kestrion {

namespace {}  // namespace

std::size_t pmwFileLength(std::int32_t n) {
    return kProgramAreaOffset + 2 * programWordsFor(n) + kPmwTailSize;
}

std::vector<std::uint8_t> pmwFileBytes(const PmwImage& image) {
    const std::int32_t n = image.memSizeCode();
    if (!isValidMemSizeCode(n)) return {};
    std::vector<std::uint8_t> bytes(pmwFileLength(n));
    const std::size_t words = programWordsFor(n);
    byteimage::putField(bytes, 0, image.pmwPre);
    byteimage::putField(bytes, kParameterBlockOffset, image.parameterBlock);
    for (std::size_t i = 0; i < words; ++i)
        byteimage::putU16(bytes, kProgramAreaOffset + 2 * i, image.program[i]);
    byteimage::putField(bytes, kProgramAreaOffset + 2 * words, pmwTailTemplate(image.plcType()));
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
        platform::say({"Open File Error", "Error2018030211", platform::MsgIcon::Error});
        return PmwReadResult::OpenFailed;
    }
    if (file.data.length() == 0) {
        platform::say({"File Version Error\n" + path + "\nThe file is empty.", "Error2018062240",
                       platform::MsgIcon::Error});
        return PmwReadResult::BadVersion;
    }
    // The header and parameter block first: they tell how long the program is.
    std::vector<std::uint8_t> bytes(kProgramAreaOffset);
    file.data.copyTo(0, bytes.data(), bytes.size());
    byteimage::getField(bytes, 0, image.pmwPre);
    byteimage::getField(bytes, kParameterBlockOffset, image.parameterBlock);

    // The capacity decides how much is read: only the capacities a program may have are taken, so
    // the read stays inside the program area whatever the file says.
    const std::int32_t n = image.memSizeCode();
    const std::size_t words = isValidMemSizeCode(n) ? programWordsFor(n) : 0;
    bytes.resize(kProgramAreaOffset + 2 * words);
    file.data.copyTo(0, bytes.data(), bytes.size());
    for (std::size_t i = 0; i < words; ++i)
        image.program[i] = byteimage::getU16(bytes, kProgramAreaOffset + 2 * i);
    std::fill(image.program.begin() + static_cast<std::ptrdiff_t>(words), image.program.end(), kEmptyWord);
    image.pmwTail = pmwTailTemplate(image.plcType());

    if (!isValidMemSizeCode(n) || !isAcceptedPlcType(image.plcType())) {
        platform::say({"File Version Error", "Error2018062240", platform::MsgIcon::Error});
        return PmwReadResult::BadVersion;
    }
    // A cut file would open with its missing words read as empty: the program would lose them
    // without a word. The tail after the program is not read, so it may be missing.
    if (file.data.length() < bytes.size()) {
        platform::say({"Open File Error\n" + path + "\nThe file holds " + std::to_string(file.data.length()) +
                           " bytes; its program needs " + std::to_string(bytes.size()) + ".",
                       "Error2018030211", platform::MsgIcon::Error});
        return PmwReadResult::Truncated;
    }
    return PmwReadResult::Ok;
}

}  // namespace kestrion

#include "model/image/DmwImage.h"

#include <algorithm>
#include <string>

#include "model/core/ByteImage.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

// The file's body in three runs of the image: D0..D999, D8000..D8255, D1000..D7999.
struct BodyRun {
    std::size_t imageOffset;
    std::size_t size;
};
constexpr std::array<BodyRun, 3> kBodyRuns{{
    {kDmwHeaderSize, 2000},
    {kDmwSpecialOffset, 512},
    {kDmwHeaderSize + 2000, 14000},
}};
static_assert(kBodyRuns[0].size + kBodyRuns[1].size == kDmwShortBodySize);
static_assert(kBodyRuns[0].size + kBodyRuns[1].size + kBodyRuns[2].size == kDmwFullBodySize);
static_assert(kBodyRuns[2].imageOffset + kBodyRuns[2].size == kDmwSpecialOffset);

struct TemplateWords {
    std::uint16_t model;
    std::uint16_t size98;
    std::uint16_t blocks102;
    std::uint16_t size250;
    std::uint16_t type;
};

std::optional<TemplateWords> templateWords(std::int32_t plcType) {
    switch (plcType) {
        case 1: return TemplateWords{10100, 4000, 12, 6512, 1};
        case 6: return TemplateWords{10200, 4000, 12, 6512, 6};
        case 4: return TemplateWords{10100, 4000, 12, 6512, 4};
        case 7: return TemplateWords{10200, 14000, 16, 16512, 7};
        case 2:
        case 5: return TemplateWords{10100, 14000, 16, 16512, 5};
        default: return std::nullopt;
    }
}

bool isShortBodyType(std::int32_t plcType) {
    return plcType == 1 || plcType == 6;
}
// D0 to D999: the registers below D8000 that a short file keeps.
constexpr std::uint32_t kShortFileRegisters = 1000;
// The box names this many runs of registers at most.
constexpr int kNamedRuns = 8;

}  // namespace

std::optional<std::size_t> dmwRegisterOffset(std::uint32_t k) {
    if (k < kDmwRegisterCount) return kDmwHeaderSize + 2 * std::size_t{k};
    if (k >= kDmwSpecialFirst && k <= kDmwSpecialLast)
        return kDmwSpecialOffset + 2 * std::size_t{k - kDmwSpecialFirst};
    return std::nullopt;
}

std::uint16_t dmwRegister(std::uint32_t k) {
    const auto offset = dmwRegisterOffset(k);
    return offset ? byteimage::getU16(DmwImage, *offset) : std::uint16_t{0};
}

void setDmwRegister(std::uint32_t k, std::uint16_t value) {
    if (const auto offset = dmwRegisterOffset(k)) byteimage::putU16(DmwImage, *offset, value);
}

std::optional<std::array<std::uint8_t, kDmwHeaderSize>> dmwHeaderTemplate(std::int32_t plcType) {
    const auto words = templateWords(plcType);
    if (!words) return std::nullopt;
    std::array<std::uint8_t, kDmwHeaderSize> header{};
    std::fill(header.begin() + 11, header.begin() + 70, std::uint8_t{' '});
    using byteimage::putU16;
    putU16(header, 70, words->model);
    putU16(header, 72, 3);
    putU16(header, 78, 2000);
    putU16(header, 82, 10);
    putU16(header, 84, 2000);
    putU16(header, 88, 512);
    putU16(header, 92, 11);
    putU16(header, 94, 2512);
    putU16(header, 98, words->size98);
    putU16(header, 102, words->blocks102);
    putU16(header, 250, words->size250);
    putU16(header, 254, words->type);
    return header;
}

void loadDmwHeaderByPlcType(std::int32_t plcType) {
    if (const auto header = dmwHeaderTemplate(plcType))
        std::copy(header->begin(), header->end(), DmwImage.begin());
}

std::size_t dmwBodySize(std::int32_t plcType) {
    return isShortBodyType(plcType) ? kDmwShortBodySize : kDmwFullBodySize;
}

std::vector<std::uint8_t> dmwFileBytes(const RegisterImage& image, std::int32_t plcType) {
    const std::size_t fileSize = kDmwHeaderSize + dmwBodySize(plcType);
    std::vector<std::uint8_t> bytes(image.begin(), image.begin() + kDmwHeaderSize);
    for (const BodyRun& run : kBodyRuns) {
        if (bytes.size() >= fileSize) break;
        bytes.insert(bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(run.imageOffset),
                     image.begin() + static_cast<std::ptrdiff_t>(run.imageOffset + run.size));
    }
    return bytes;
}

std::vector<std::uint32_t> registersTheFileDrops(std::int32_t plcType) {
    std::vector<std::uint32_t> dropped;
    if (!isShortBodyType(plcType)) return dropped;
    for (std::uint32_t k = kShortFileRegisters; k < kDmwRegisterCount; ++k)
        if (dmwRegister(k) != 0) dropped.push_back(k);
    return dropped;
}

void warnRegistersNotKept(std::int32_t plcType) {
    const std::vector<std::uint32_t> dropped = registersTheFileDrops(plcType);
    if (dropped.empty()) return;
    std::string names;
    int runs = 0;
    for (std::size_t i = 0; i < dropped.size(); ++i) {
        std::size_t last = i;
        while (last + 1 < dropped.size() && dropped[last + 1] == dropped[last] + 1) ++last;
        if (++runs > kNamedRuns) {
            names += ", ...";
            break;
        }
        names += (runs > 1 ? ", D" : "D") + std::to_string(dropped[i]);
        if (last > i) names += "-D" + std::to_string(dropped[last]);
        i = last;
    }
    platform::say(
        {"The register file of this PLC type keeps D0 to D999 and D8000 to D8255 only. "
         "These registers are not saved: " +
             names,
         "*DMW", platform::MsgIcon::Warning});
}

bool readDmwFile(const std::string& path, std::int32_t plcType) {
    // Only the header and the runs are taken: the rest of a longer file is not read.
    std::size_t fileBytes = kDmwHeaderSize;
    for (const BodyRun& run : kBodyRuns) fileBytes += run.size;
    const platform::ReadResult file = platform::files().readStart(path, fileBytes);
    if (!file.ok()) return false;
    file.data.copyTo(0, DmwImage.data(), kDmwHeaderSize);
    const std::size_t bodyEnd = kDmwHeaderSize + dmwBodySize(plcType);
    std::size_t filePos = kDmwHeaderSize;
    for (const BodyRun& run : kBodyRuns) {
        if (filePos >= bodyEnd) break;
        file.data.copyTo(filePos, DmwImage.data() + run.imageOffset, run.size);
        filePos += run.size;
    }
    return true;
}

}  // namespace kestrion

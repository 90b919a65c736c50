#include "model/image/CompanionFiles.h"

#include <algorithm>
#include <string_view>
#include <tuple>

#include "model/core/ByteImage.h"
#include "model/image/CommentLists.h"
#include "model/image/CowImage.h"
#include "model/image/DmwImage.h"
#include "model/image/FileExtensions.h"
#include "model/image/MonitorLists.h"
#include "model/image/PmwFile.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr const char* kPmwCaption = "PMW";

// A save's file stands here until every file of the save is written.
std::string temporaryPath(const std::string& path) {
    return path + ".kestrion-save";
}

void showWriteFailure(const SavedFile& file) {
    if (std::string_view(file.caption) == kPmwCaption) {
        platform::statusBar().setPanelText(0, file.path);
        platform::say({"Save File Error", kPmwCaption, platform::MsgIcon::Error});
        return;
    }
    platform::statusBar().setPanelText(13, "Save File Error...system halt");
    platform::say({"Error2014122008", file.caption, platform::MsgIcon::Error});
}

// A copy of a target's old file, kept until every new file is in place.
std::string heldPath(const std::string& path) {
    return path + ".kestrion-old";
}
// More than any file of a save holds: a target larger than this is no file of ours to keep a copy of.
constexpr std::size_t kHeldFileLimit = 1 << 20;

}  // namespace

EdmImage edmFileBytes() {
    EdmImage image{};
    std::fill_n(image.begin(), kEdmHeadSize, std::uint8_t{0x01});
    if (deviceMonitorList.head == nullptr) {
        std::fill(image.begin() + kEdmHeadSize, image.end(), std::uint8_t{0x02});
        return image;
    }
    std::size_t pos = kEdmHeadSize;
    for (const deviceMonitorNode* node = deviceMonitorList.head;
         node != nullptr && kEdmFileSize - pos >= kMonitorNodeImageSize; node = node->next) {
        byteimage::putField(image, pos, deviceMonitorNodeImage(*node));
        pos += kMonitorNodeImageSize;
    }
    return image;
}

bool readDcnFile(const std::string& path) {
    const platform::ReadResult file =
        platform::files().readStart(path, DcnTables[0].size() + DcnTables[1].size());
    if (!file.ok()) return false;
    file.data.copyTo(0, DcnTables[0].data(), DcnTables[0].size());
    file.data.copyTo(DcnTables[0].size(), DcnTables[1].data(), DcnTables[1].size());
    return true;
}

void importDcnDescription() {
    const auto& description = DcnTables[1];
    std::copy_n(description.begin(), kDcnDescriptionSize, CowBuffer.begin() + cowOffset::description);
    CowBuffer[cowOffset::description + kDcnDescriptionSize] = 0;
}

std::optional<ProgramFileSet> programFileSet(const std::string& pmwPath, const PmwImage& image) {
    ProgramFileSet files{{
        {pmwPath, pmwFileBytes(image), kPmwCaption},
        {withFileExt(pmwPath, "DMW"), {}, "*DMW"},
        {withFileExt(pmwPath, "COW"), {}, "*COW"},
        {withFileExt(pmwPath, "EDM"), {}, "*EDM"},
    }};
    if (files[0].bytes.empty()) {
        showWriteFailure(files[0]);
        return std::nullopt;
    }
    loadDmwHeaderByPlcType(image.plcType());
    files[1].bytes = dmwFileBytes(DmwImage, image.plcType());
    auto comments = cowFileBytes();
    if (!comments) return std::nullopt;
    files[2].bytes = std::move(*comments);
    const EdmImage edm = edmFileBytes();
    files[3].bytes.assign(edm.begin(), edm.end());
    return files;
}

bool writeProgramFiles(const ProgramFileSet& files) {
    platform::Files& disk = platform::files();
    // held: a copy of the target's old file stands beside it, so that a rename failing half-way
    // can put the earlier targets back.
    std::array<bool, std::tuple_size_v<ProgramFileSet>> held{};
    const auto fail = [&](const SavedFile& file) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            disk.remove(temporaryPath(files[i].path));
            if (held[i]) disk.remove(heldPath(files[i].path));
        }
        showWriteFailure(file);
        return false;
    };
    for (const SavedFile& file : files)
        if (disk.writeWhole(temporaryPath(file.path), file.bytes) != platform::FileStatus::Ok)
            return fail(file);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!disk.exists(files[i].path)) continue;
        const platform::ReadResult old = disk.readWhole(files[i].path, kHeldFileLimit);
        if (!old.ok() ||
            disk.writeWhole(heldPath(files[i].path), old.data.bytes()) != platform::FileStatus::Ok)
            return fail(files[i]);
        held[i] = true;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (disk.rename(temporaryPath(files[i].path), files[i].path) == platform::FileStatus::Ok) continue;
        for (std::size_t j = 0; j < i; ++j) {
            if (!held[j])
                disk.remove(files[j].path);
            else if (disk.rename(heldPath(files[j].path), files[j].path) != platform::FileStatus::Ok)
                held[j] = false;  // the copy stays where it is rather than be lost too
        }
        return fail(files[i]);
    }
    for (std::size_t i = 0; i < files.size(); ++i)
        if (held[i]) disk.remove(heldPath(files[i].path));
    return true;
}

CompanionReadResult readCompanionFiles(const std::string& pmwPath, std::int32_t plcType) {
    CompanionReadResult result;
    readDmwFile(withFileExt(pmwPath, "DMW"), plcType);
    newCowImage();

    if (readDcnFile(withFileExt(pmwPath, "DCN"))) {
        result.dcnRead = true;
        importDcnDescription();
    }

    result.cowRead = readCowFile(withFileExt(pmwPath, "COW"));
    if (result.dcnRead || result.cowRead) result.description = cowDescription();

    const std::string ptwPath = withFileExt(pmwPath, "PTW");
    if (platform::files().exists(ptwPath)) platform::files().remove(ptwPath);
    return result;
}

}  // namespace kestrion

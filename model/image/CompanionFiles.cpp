#include "model/image/CompanionFiles.h"

#include <algorithm>

#include "model/core/ByteImage.h"
#include "model/image/CommentLists.h"
#include "model/image/CowImage.h"
#include "model/image/DmwImage.h"
#include "model/image/FileExtensions.h"
#include "model/image/MonitorLists.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

void showCreateFailure(const char* caption) {
    platform::statusBar().setPanelText(13, "Save File Error...system halt");
    platform::messages().show("Error2014122008", caption, platform::MsgIcon::Error, platform::MsgButtons::Ok);
}

// The sections of an image without comments: five zero counts.
void emptyCowSections() {
    std::fill_n(CowBuffer.begin() + cowOffset::data, 32, std::uint8_t{0});
}

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

bool writeEdmFile(const std::string& path) {
    const EdmImage image = edmFileBytes();
    if (platform::files().writeWhole(path, image.data(), image.size()) != platform::FileStatus::Ok) {
        showCreateFailure("*EDM");
        return false;
    }
    return true;
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

bool writeCompanionFiles(const std::string& pmwPath, std::int32_t plcType) {
    return writeDmwFile(withFileExt(pmwPath, "DMW"), plcType) && writeCowFile(withFileExt(pmwPath, "COW")) &&
           writeEdmFile(withFileExt(pmwPath, "EDM"));
}

CompanionReadResult readCompanionFiles(const std::string& pmwPath, std::int32_t plcType) {
    CompanionReadResult result;
    readDmwFile(withFileExt(pmwPath, "DMW"), plcType);

    const std::string dcnPath = withFileExt(pmwPath, "DCN");
    if (readDcnFile(dcnPath)) {
        result.dcnRead = true;
        importDcnDescription();
        platform::files().remove(dcnPath);
    }

    result.cowRead = readCowFile(withFileExt(pmwPath, "COW"));
    if (!result.cowRead) emptyCowSections();
    if (result.dcnRead || result.cowRead) result.description = cowDescription();

    const std::string ptwPath = withFileExt(pmwPath, "PTW");
    if (platform::files().exists(ptwPath)) platform::files().remove(ptwPath);
    return result;
}

}  // namespace kestrion

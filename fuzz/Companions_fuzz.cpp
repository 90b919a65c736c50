// Any bytes as a program's files: the program file itself, and the same bytes as its DMW, DCN and
// COW companions, read as Open reads them and the comment lists rebuilt from the image: no crash,
// no read past a buffer, and nothing taken from a file beyond its length.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzSupport.h"
#include "bench/QuietServices.h"
#include "model/image/CommentLists.h"
#include "model/image/CompanionFiles.h"
#include "model/image/CowImage.h"
#include "model/image/PmwFile.h"
#include "model/image/ProgramImage.h"

using namespace kestrion;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::startEditor();
    const std::vector<std::uint8_t> bytes(data, data + size);
    auto& files = quiet::services().files;
    files.clear();
    for (const char* extension : {"PMW", "DMW", "DCN", "COW"})
        files[std::string("/quiet/User/Fuzz.") + extension] = bytes;
    PmwImage image;
    static_cast<void>(readPmwFile("/quiet/User/Fuzz.PMW", image));
    const CompanionReadResult read = readCompanionFiles("/quiet/User/Fuzz.PMW", pmw.plcType());
    if (loadCommentFromCowBuffer()) static_cast<void>(saveCommentToCowBuffer());
    static_cast<void>(read);
    return 0;
}

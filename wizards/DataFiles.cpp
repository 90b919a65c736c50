#include "wizards/DataFiles.h"

#include <algorithm>

#include "model/core/MainState.h"
#include "platform/Desktop.h"
#include "platform/Services.h"

namespace kestrion {

std::string relativeDataPath(std::string_view tablePath) {
    std::string path(tablePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    const std::size_t start = path.find_first_not_of('/');
    return start == std::string::npos ? std::string() : path.substr(start);
}

std::string dataFilePath(std::string_view tablePath) {
    const std::string relative = relativeDataPath(tablePath);
    const std::string shipped = platform::files().dataDirectory() + "/" + relative;
    if (platform::files().exists(shipped)) return shipped;
    return installDir + "/" + relative;
}

bool openWithDesktop(const std::string& path) {
    if (!platform::files().exists(path)) {
        platform::messages().show(path + "\nFile not found", "Open File Error", platform::MsgIcon::Warning,
                                  platform::MsgButtons::Ok);
        return false;
    }
    return platform::desktop().openWithHandler(path);
}

}  // namespace kestrion

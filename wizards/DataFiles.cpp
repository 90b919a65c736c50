#include "wizards/DataFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "model/core/MainState.h"
#include "platform/Box.h"
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

bool isInDataFolder(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::weakly_canonical(platform::files().dataDirectory(), error);
    if (error || folder.empty()) return false;
    const fs::path file = fs::weakly_canonical(path, error);
    if (error) return false;
    // Whole names compared: "/opt/data2/x" is not in "/opt/data".
    auto at = file.begin();
    for (const fs::path& part : folder) {
        if (part.empty()) continue;
        if (at == file.end() || *at != part) return false;
        ++at;
    }
    return at != file.end();
}

bool openWithDesktop(const std::string& path) {
    if (!platform::files().exists(path)) {
        platform::say({path + "\nFile not found", "Open File Error", platform::MsgIcon::Warning});
        return false;
    }
    return platform::desktop().openWithHandler(path);
}

}  // namespace kestrion

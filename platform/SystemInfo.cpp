#include "platform/SystemInfo.h"

#include <sys/statvfs.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace kestrion::platform {

namespace {

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        if (end > at) fields.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return fields;
}

// The octal escapes of the mount table (\040 a blank, \011 a tab, \134 a backslash).
std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\\' && text.size() - at >= 4 && text[at + 1] >= '0' && text[at + 1] <= '3' &&
            text[at + 2] >= '0' && text[at + 2] <= '7' && text[at + 3] >= '0' && text[at + 3] <= '7') {
            out += static_cast<char>((text[at + 1] - '0') * 64 + (text[at + 2] - '0') * 8 +
                                     (text[at + 3] - '0'));
            at += 3;
        } else {
            out += text[at];
        }
    }
    return out;
}

bool holds(std::string_view mountPoint, std::string_view path) {
    if (mountPoint == "/") return !path.empty() && path.front() == '/';
    return path.starts_with(mountPoint) &&
           (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

// The path itself when it exists, else its nearest parent that does, made absolute and free of
// links; the path as given when nothing can be found.
std::string existingPath(const std::string& path) {
    std::error_code error;
    std::filesystem::path at = std::filesystem::absolute(path, error);
    if (error) return path;
    while (!at.empty() && !std::filesystem::exists(at, error)) {
        if (at == at.parent_path()) break;
        at = at.parent_path();
    }
    const std::filesystem::path real = std::filesystem::canonical(at, error);
    return error ? at.string() : real.string();
}

}  // namespace

LocalTime machineLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
            local.tm_min,         local.tm_sec,     local.tm_wday};
}

std::optional<MountEntry> mountHolding(std::string_view path, std::string_view mountinfo) {
    std::optional<MountEntry> best;
    std::size_t at = 0;
    while (at < mountinfo.size()) {
        const std::size_t end = std::min(mountinfo.find('\n', at), mountinfo.size());
        const std::vector<std::string_view> fields = fieldsOf(mountinfo.substr(at, end - at));
        at = end + 1;
        // ID, parent, major:minor, root, mount point, options, optional fields..., "-", type, source.
        std::size_t dash = 6;
        while (dash < fields.size() && fields[dash] != "-") ++dash;
        if (fields.size() < 5 || dash + 1 >= fields.size()) continue;
        const std::string mountPoint = unescaped(fields[4]);
        if (!holds(mountPoint, path)) continue;
        if (best && best->mountPoint.size() > mountPoint.size()) continue;
        // A later line of the same mount point is mounted over the earlier.
        best = MountEntry{mountPoint, std::string(fields[dash + 1])};
    }
    return best;
}

DiskSpace machineDiskSpace(const std::string& path) {
    DiskSpace space;
    const std::string folder = existingPath(path);
    std::ifstream table("/proc/self/mountinfo");
    std::stringstream text;
    text << table.rdbuf();
    if (const std::optional<MountEntry> mount = mountHolding(folder, text.str())) {
        space.mountPoint = mount->mountPoint;
        space.fileSystem = mount->fileSystem;
    }
    struct statvfs sizes {};
    if (statvfs(folder.c_str(), &sizes) != 0) return space;
    space.known = true;
    space.totalBytes = std::uint64_t{sizes.f_blocks} * sizes.f_frsize;
    space.freeBytes = std::uint64_t{sizes.f_bavail} * sizes.f_frsize;
    return space;
}

LocalTime System::localTime() const {
    return machineLocalTime();
}

DiskSpace System::diskSpaceOf(const std::string& path) const {
    return machineDiskSpace(path);
}

}  // namespace kestrion::platform

// What the machine tells about its clock and its file systems: the local time, and the file system
// that holds a folder (the mount table of /proc/self/mountinfo and statvfs).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Services.h"

namespace kestrion::platform {

LocalTime machineLocalTime();
DiskSpace machineDiskSpace(const std::string& path);

// One line of the mount table.
struct MountEntry {
    std::string mountPoint;
    std::string fileSystem;
};
// The mount whose mount point is the longest that holds the absolute path, read from the text of
// /proc/self/mountinfo (mount points with their blanks written as \040); none when no line does.
std::optional<MountEntry> mountHolding(std::string_view path, std::string_view mountinfo);

}  // namespace kestrion::platform

#include "platform/SystemInfo.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kestrion::platform {
namespace {

// Mount points with a blank written \040; /home mounted twice (the later over the earlier).
constexpr const char* kMountInfo =
    "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw,errors=remount-ro\n"
    "35 22 0:31 / /home rw,relatime shared:2 - btrfs /dev/sda2 rw\n"
    "40 35 8:17 / /home/tester/My\\040Disk rw,nosuid master:3 shared:4 - vfat /dev/sdb1 rw\n"
    "41 22 0:41 / /homework rw - tmpfs tmpfs rw\n"
    "42 22 0:42 / /data2017 rw - ext3 /dev/sdd1 rw\n"
    "43 22 0:43 / /mnt/a\\100b rw - iso9660 /dev/sr0 ro\n"
    "50 22 8:33 / /home rw - xfs /dev/sdc1 rw\n"
    "garbage line\n"
    "51 22 0:51 / /broken rw no-dash-here\n";

TEST(SystemInfo, TheMountOfAFolderIsTheLongestMountPointThatHoldsIt) {
    const std::pair<std::string, std::string> cases[] = {
        {"/home/tester/Tovel/Kestrion", "/home xfs"},
        {"/home", "/home xfs"},
        {"/homework/x", "/homework tmpfs"},
        {"/data2017/Kestrion", "/data2017 ext3"},  // digits that are no escape
        {"/mnt/a@b/K", "/mnt/a@b iso9660"},        // \100 is @
        {"/home/tester/My Disk/Kestrion", "/home/tester/My Disk vfat"},
        {"/home/tester/My Disks", "/home xfs"},
        {"/usr/share", "/ ext4"},
        {"/broken/x", "/ ext4"},
        {"/", "/ ext4"},
        {"relative/path", "none"},
        {"", "none"},
    };
    for (const auto& [path, expected] : cases) {
        const auto mount = mountHolding(path, kMountInfo);
        EXPECT_EQ(mount ? mount->mountPoint + " " + mount->fileSystem : "none", expected) << path;
    }
    EXPECT_FALSE(mountHolding("/home", ""));
}

// The machine's own: a folder that does not exist yet is measured at its nearest parent.
TEST(SystemInfo, TheMachineAnswersForAFolderAndItsMissingChildren) {
    const std::string folder = std::filesystem::temp_directory_path().string();
    const DiskSpace here = machineDiskSpace(folder);
    const DiskSpace missing = machineDiskSpace(folder + "/no/such/folder/here");
    ASSERT_TRUE(here.known);
    EXPECT_GT(here.totalBytes, 0u);
    EXPECT_LE(here.freeBytes, here.totalBytes);
    EXPECT_FALSE(here.mountPoint.empty());
    EXPECT_FALSE(here.fileSystem.empty());
    EXPECT_EQ(std::tie(missing.known, missing.mountPoint, missing.fileSystem, missing.totalBytes),
              std::tie(here.known, here.mountPoint, here.fileSystem, here.totalBytes));
    const LocalTime now = machineLocalTime();
    EXPECT_GE(now.year, 2024);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12 && now.weekday >= 0 && now.weekday <= 6);
}

}  // namespace
}  // namespace kestrion::platform

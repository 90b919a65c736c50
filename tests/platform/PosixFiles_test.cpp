#include "platform/PosixFiles.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace kestrion::platform {
namespace {

namespace fs = std::filesystem;

class PosixFilesTest : public ::testing::Test {
protected:
    PosixFilesTest() {
        root = fs::temp_directory_path() / ("kestrion-files-" + std::to_string(getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    ~PosixFilesTest() override { fs::remove_all(root); }
    std::string path(const std::string& name) const { return (root / name).string(); }
    void writeRaw(const std::string& name, const std::string& bytes) const {
        std::ofstream(root / name, std::ios::binary) << bytes;
    }
    fs::path root;
    PosixFiles files{"/unused", "/unused/data"};
};

TEST_F(PosixFilesTest, ByteReaderYieldsFfPastTheEndAndKnowsTheRealLength) {
    writeRaw("short.PMW", std::string("\x01\x02\x03", 3));
    const ReadResult result = files.readWhole(path("short.PMW"), 1 << 20);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.data.length(), 3u);
    EXPECT_EQ(std::make_tuple(result.data.at(2), result.data.at(3), result.data.at(128415)),
              std::make_tuple(0x03, 0xFF, 0xFF));
    std::uint8_t window[5] = {};
    result.data.copyTo(1, window, 5);
    const std::uint8_t expected[5] = {0x02, 0x03, 0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(window, window + 5, expected));
}

TEST_F(PosixFilesTest, AMissingFileIsNotFound) {
    const ReadResult result = files.readWhole(path("missing.PMW"), 1 << 20);
    EXPECT_EQ(result.status, FileStatus::NotFound);
    EXPECT_EQ(result.data.length(), 0u);
    EXPECT_FALSE(files.exists(path("missing.PMW")));
    EXPECT_FALSE(files.remove(path("missing.PMW")));
}

TEST_F(PosixFilesTest, OnlyPlainFilesWithinTheLimitAreReadAndTheRestIsRefusedAtOnce) {
    writeRaw("limit.PMW", std::string(128416, 'p'));
    const std::string huge = path("huge.PMW");  // a gigabyte that takes no room on the disk
    const int fd = open(huge.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_TRUE(fd >= 0 && ftruncate(fd, off_t{1} << 30) == 0);
    close(fd);
    ASSERT_EQ(mkfifo(path("pipe.PMW").c_str(), 0644), 0);  // no writer: an open that waited would hang
    using enum FileStatus;
    // read whole up to 128416 bytes; the first 512 bytes
    const std::tuple<std::string, FileStatus, FileStatus> cases[] = {
        {path("limit.PMW"), Ok, Ok},
        {huge, TooLarge, Ok},
        {path("pipe.PMW"), NotRegular, NotRegular},
        {root.string(), NotRegular, NotRegular}};
    for (const auto& [name, whole, start] : cases) {
        const auto begin = std::chrono::steady_clock::now();
        const ReadResult read = files.readWhole(name, 128416);
        EXPECT_EQ(read.status, whole) << name;
        EXPECT_EQ(read.data.bytes().capacity(), whole == Ok ? 128416u : 0u) << name;
        EXPECT_EQ(files.readStart(name, 512).status, start) << name;
        EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(1)) << name;
    }
    // A file whose size is not known in advance is read no further than one byte past the limit.
    EXPECT_EQ(files.readWhole("/proc/self/maps", 16).status, FileStatus::TooLarge);
    EXPECT_EQ(files.readStart("/proc/self/maps", 16).data.length(), 16u);
}

TEST_F(PosixFilesTest, WriteThenReadGivesTheSameBytesAndLeavesNoTemporaryFile) {
    std::vector<std::uint8_t> bytes(128416);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    ASSERT_EQ(files.writeWhole(path("prog.PMW"), bytes), FileStatus::Ok);
    EXPECT_EQ(files.readWhole(path("prog.PMW"), 1 << 20).data.bytes(), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
    ASSERT_EQ(files.writeWhole(path("prog.PMW"), std::vector<std::uint8_t>{9}), FileStatus::Ok);
    EXPECT_EQ(files.readWhole(path("prog.PMW"), 1 << 20).data.length(), 1u);
    EXPECT_EQ(files.writeWhole(path("no/such/folder/x.PMW"), std::vector<std::uint8_t>{1}),
              FileStatus::NotFound);
    EXPECT_NE(files.writeWhole("/proc/kestrion-cannot-write", std::vector<std::uint8_t>{1}), FileStatus::Ok);
}

TEST_F(PosixFilesTest, NamesDifferingOnlyInCaseAreFound) {
    writeRaw("Prog1.pmw", "A");
    const std::pair<const char*, const char*> cases[] = {
        {"PROG1.PMW", "Prog1.pmw"}, {"Prog2.pmw", "Prog2.pmw"},  // no such file: the name stays as asked
    };
    for (const auto& [asked, found] : cases)
        EXPECT_EQ(findCaseInsensitive(path(asked)), path(found)) << asked;
    EXPECT_EQ(files.readWhole(path("PROG1.PMW"), 1 << 20).data.length(), 1u);
    // A write to another spelling replaces the file that is there instead of adding a second one.
    ASSERT_EQ(files.writeWhole(path("PROG1.PMW"), std::vector<std::uint8_t>{1, 2}), FileStatus::Ok);
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
    EXPECT_EQ(files.readWhole(path("Prog1.pmw"), 1 << 20).data.length(), 2u);
    EXPECT_TRUE(files.remove(path("pRoG1.PmW")));
    EXPECT_FALSE(fs::exists(root / "Prog1.pmw"));
}

TEST_F(PosixFilesTest, MakeDirectoryCreatesParentsAndAcceptsAnExistingOne) {
    EXPECT_TRUE(files.makeDirectory(path("a/b/User")));
    EXPECT_TRUE(fs::is_directory(root / "a/b/User"));
    EXPECT_TRUE(files.makeDirectory(path("a/b/User")));
    writeRaw("plain", "x");
    EXPECT_FALSE(files.makeDirectory(path("plain")));
}

TEST(InstallDirectory, FollowsKestrionHomeElseTheHomeFolder) {
    EXPECT_EQ(resolveInstallDirectory("/srv/plc/", "/home/ann"), "/srv/plc");
    EXPECT_EQ(resolveInstallDirectory("", "/home/ann"), "/home/ann/Tovel/Kestrion");
    EXPECT_EQ(resolveInstallDirectory(nullptr, "/home/ann/"), "/home/ann/Tovel/Kestrion");
    // Without HOME the account's home folder is used.
    EXPECT_NE(resolveInstallDirectory(nullptr, nullptr).find("/Tovel/Kestrion"), std::string::npos);
}

}  // namespace
}  // namespace kestrion::platform

#include "model/image/PmwFile.h"

#include <cstring>

#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

using platform::FileStatus;

constexpr const char* kPath = "/home/tester/Tovel/Kestrion/User/Prog1.PMW";

class PmwFileTest : public test::CoreTest {};

std::vector<std::uint8_t> handMadeFile(std::uint16_t type, std::int16_t n, std::size_t programBytes) {
    std::vector<std::uint8_t> bytes(348 + programBytes + 68, 0xFF);
    std::fill(bytes.begin(), bytes.begin() + 348, 0);
    const auto put = [&](std::size_t offset, std::uint16_t value) {
        if (offset + 1 >= bytes.size()) return;
        bytes[offset] = static_cast<std::uint8_t>(value);
        bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    };
    std::memcpy(&bytes[10], "Hand made", 10);
    put(70, 10200);
    put(254, type);
    put(256, static_cast<std::uint16_t>(n));
    put(258, static_cast<std::uint16_t>(63536 + 0x2401 + 0xC501 + 16));
    std::memcpy(&bytes[264], "ABCDEFGH", 8);
    if (programBytes >= 6) {
        put(348, 0x2400);
        put(350, 0xC500);
        put(352, 0x000F);
    }
    std::fill(bytes.end() - 68, bytes.end(), 0xA5);
    return bytes;
}

TEST_F(PmwFileTest, TheFileIsHeaderParametersTheWordsOfTheCapacityAndTheTailOfTheType) {
    initPmwImageByType(7);
    pmw.program[0] = 0x2400;
    pmw.program[1] = 0xC500;
    pmw.program[2] = 0x000F;
    pmw.program[8000] = 0x1234;  // beyond the capacity: not written
    pmw.pmwTail.fill(0x5A);      // the image's own tail is not written
    ASSERT_EQ(writePmwFile(kPath, pmw), FileStatus::Ok);
    const auto bytes = fakes.files.content(kPath);
    ASSERT_EQ(bytes.size(), 16416u);
    std::vector<std::uint8_t> expected(16416, 0xFF);
    std::copy(pmw.pmwPre.begin(), pmw.pmwPre.end(), expected.begin());
    std::copy(pmw.parameterBlock.begin(), pmw.parameterBlock.end(), expected.begin() + 256);
    const std::uint8_t words[] = {0x00, 0x24, 0x00, 0xC5, 0x0F, 0x00};
    std::copy(std::begin(words), std::end(words), expected.begin() + 348);
    const auto tail = pmwTailTemplate(7);
    std::copy(tail.begin(), tail.end(), expected.begin() + 16348);
    EXPECT_EQ(bytes, expected);
    initPmwImageByType(1);
    pmw.setPlcType(2);  // the tail is always that of the type word
    const auto typeTail = pmwTailTemplate(2);
    const auto small = pmwFileBytes(pmw);
    EXPECT_TRUE(std::equal(typeTail.begin(), typeTail.end(), small.end() - 68));
}

TEST_F(PmwFileTest, AnImageWithoutAValidCapacityOrAnUnwritableFileIsNotWritten) {
    initPmwImageByType(5);
    for (std::int16_t n : {0, -2, 3, 65}) {
        pmw.setMemSizeCode(n);
        EXPECT_EQ(writePmwFile(kPath, pmw), FileStatus::Failed) << n;
    }
    EXPECT_FALSE(fakes.files.exists(kPath));
    pmw.setMemSizeCode(8);
    fakes.files.unwritable.insert(kPath);
    EXPECT_EQ(writePmwFile(kPath, pmw), FileStatus::AccessDenied);
}

TEST_F(PmwFileTest, WriteThenReadGivesTheSameImage) {
    for (std::int32_t type : {1, 6, 7, 5, 2, 4}) {
        for (std::int32_t n : {2, 4, 8, 16, 32, 64}) {
            initPmwImageByType(type);
            const std::size_t words = static_cast<std::size_t>(n) * 1000;
            for (std::size_t i = 0; i + 1 < words; ++i)
                pmw.program[i] = static_cast<std::uint16_t>(i * 7 + 1);
            pmw.program[words - 1] = 0x000F;
            ASSERT_TRUE(initPmwImageForTypeAndSize(type, n));
            std::memcpy(&pmw.pmwPre[10], "Title", 6);
            std::memcpy(&pmw.parameterBlock[8], "PASSWORD", 8);
            ASSERT_EQ(writePmwFile(kPath, pmw), FileStatus::Ok);
            PmwImage scratch;
            scratch.program.fill(0x4242);
            ASSERT_EQ(readPmwFile(kPath, scratch), PmwReadResult::Ok);
            EXPECT_TRUE(scratch == pmw) << type << " " << n;
        }
    }
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(PmwFileTest, AHandMadeFileReadsIntoTheImageGivenAndAShortOneReadsAsFF) {
    fakes.files.put(kPath, handMadeFile(6, 2, 4000));
    const PmwImage programInUse = pmw;
    PmwImage scratch;
    ASSERT_EQ(readPmwFile(kPath, scratch), PmwReadResult::Ok);
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(std::make_tuple(scratch.plcType(), scratch.memSizeCode(), scratch.sumCheck()),
              std::make_tuple(6, std::int16_t{2}, static_cast<std::uint16_t>(63536 + 0x2401 + 0xC501 + 16)));
    EXPECT_STREQ(reinterpret_cast<const char*>(&scratch.pmwPre[10]), "Hand made");
    EXPECT_EQ(std::string(scratch.parameterBlock.begin() + 8, scratch.parameterBlock.begin() + 16),
              "ABCDEFGH");
    EXPECT_EQ(std::tie(scratch.program[0], scratch.program[2], scratch.program[3], scratch.program[63999]),
              std::make_tuple(0x2400, 0x000F, 0xFFFF, 0xFFFF));
    EXPECT_EQ(scratch.pmwTail, pmwTailTemplate(6));  // the file's own tail is not read
    EXPECT_TRUE(pmw == programInUse);
    auto noTail = handMadeFile(5, 8, 16000);
    noTail.resize(16348);  // the tail is not read: a file without it loses nothing
    fakes.files.put(kPath, noTail);
    EXPECT_EQ(readPmwFile(kPath, scratch), PmwReadResult::Ok);
}

TEST_F(PmwFileTest, AFileShorterThanItsProgramOrEmptyIsRefusedByName) {
    auto cut = handMadeFile(5, 16, 32000);  // 32416 bytes, cut at 20000
    cut.resize(20000);
    fakes.files.put(kPath, cut);
    PmwImage scratch;
    EXPECT_EQ(readPmwFile(kPath, scratch), PmwReadResult::Truncated);
    cut.resize(32347);  // one byte short of the last program word
    fakes.files.put("/p/Cut.PMW", cut);
    EXPECT_EQ(readPmwFile("/p/Cut.PMW", scratch), PmwReadResult::Truncated);
    fakes.files.put("/p/Empty.PMW", {});
    EXPECT_EQ(readPmwFile("/p/Empty.PMW", scratch), PmwReadResult::BadVersion);
    EXPECT_EQ(
        test::shownBoxes(fakes.messages),
        (test::Boxes{"Open File Error\n" + std::string(kPath) +
                         "\nThe file holds 20000 bytes; its program needs 32348. | Error2018030211 | error",
                     "Open File Error\n/p/Cut.PMW\nThe file holds 32347 bytes; its program needs 32348. | "
                     "Error2018030211 | error",
                     "File Version Error\n/p/Empty.PMW\nThe file is empty. | Error2018062240 | error"}));
}

TEST_F(PmwFileTest, BadFilesAreRefusedWithTheirBox) {
    const std::tuple<std::uint16_t, std::int16_t, std::size_t> bad[] = {
        {3, 8, 16000}, {0xFF, 2, 4000}, {5, 0, 0}, {5, -1, 0}, {5, 3, 6000}, {5, 128, 128000}};
    for (const auto& [type, n, programBytes] : bad) {
        fakes.messages.shown.clear();
        fakes.files.put(kPath, handMadeFile(type, n, programBytes));
        PmwImage scratch;
        EXPECT_EQ(readPmwFile(kPath, scratch), PmwReadResult::BadVersion) << type << " " << n;
        EXPECT_EQ(test::shownBoxes(fakes.messages),
                  test::Boxes{"File Version Error | Error2018062240 | error"});
        if (type == 5) {  // a capacity that is not ours reads no program word
            for (std::uint16_t w : scratch.program) ASSERT_EQ(w, 0xFFFF);
        }
    }
    auto header = handMadeFile(5, 8, 16000);  // a header cut short reads as 0xFF and is refused
    header.resize(100);
    fakes.files.put(kPath, header);
    PmwImage scratch;
    EXPECT_EQ(readPmwFile(kPath, scratch), PmwReadResult::BadVersion);
    EXPECT_EQ(std::make_tuple(scratch.plcType(), scratch.memSizeCode()),
              std::make_tuple(0xFFFF, std::int16_t{-1}));
    fakes.messages.shown.clear();
    auto largest = handMadeFile(2, 64, 128000);  // 128416 bytes, the largest program file, is read
    fakes.files.put(kPath, largest);
    ASSERT_EQ(readPmwFile(kPath, scratch), PmwReadResult::Ok);
    largest.push_back(0);  // one byte more is not
    fakes.files.put(kPath, largest);
    scratch.setPlcType(6);
    const PmwImage before = scratch;
    EXPECT_EQ(readPmwFile(kPath, scratch), PmwReadResult::OpenFailed);
    EXPECT_EQ(readPmwFile("/home/tester/missing.PMW", scratch), PmwReadResult::OpenFailed);
    EXPECT_EQ(test::shownBoxes(fakes.messages), test::Boxes(2, "Open File Error | Error2018030211 | error"));
    EXPECT_TRUE(scratch == before);
}

}  // namespace
}  // namespace kestrion

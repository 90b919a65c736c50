#include "model/PmwFile.h"

#include <cstring>

#include "support/Fixture.h"

namespace kestrion {
namespace {

using platform::FileStatus;
using platform::MsgIcon;

constexpr const char* kPath = "/home/tester/Tovel/Kestrion/User/Prog1.PMW";

class PmwFileTest : public testing::CoreTest {
protected:
    void expectOneBox(const std::string& text, const std::string& caption) {
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].text, text);
        EXPECT_EQ(fakes.messages.shown[0].caption, caption);
        EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Error);
    }
};

// A program file put together from the layout, byte by byte, without the writer.
struct HandMadeFile {
    std::vector<std::uint8_t> bytes;

    HandMadeFile(std::uint16_t type, std::int16_t n, std::size_t programBytes)
        : bytes(348 + programBytes + 68, 0) {
        const char title[] = "Hand made";
        std::memcpy(&bytes[10], title, sizeof title);
        put(70, 10200);
        put(254, type);
        put(256, static_cast<std::uint16_t>(n));
        std::memcpy(&bytes[256 + 8], "ABCDEFGH", 8);
        for (std::size_t i = 348; i < 348 + programBytes; ++i) bytes[i] = 0xFF;
        for (std::size_t i = 0; i < 68; ++i) bytes[348 + programBytes + i] = 0xA5;  // not the template
    }
    void put(std::size_t offset, std::uint16_t value) {
        bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
        bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    }
};

// ---- Writing -------------------------------------------------------------------------------------

TEST_F(PmwFileTest, FileLengthsOfTheSixCapacities) {
    const std::pair<std::int16_t, std::size_t> cases[] = {{2, 4416},   {4, 8416},   {8, 16416},
                                                          {16, 32416}, {32, 64416}, {64, 128416}};
    for (const auto& [n, length] : cases) {
        SCOPED_TRACE(n);
        initPmwImageByType(5);
        ASSERT_TRUE(initPmwImageForTypeAndSize(5, n));
        EXPECT_EQ(pmwFileLength(n), length);
        ASSERT_EQ(writePmwFile(kPath, pmw), FileStatus::Ok);
        EXPECT_EQ(fakes.files.content(kPath).size(), length);
    }
}

TEST_F(PmwFileTest, NewProgramOfType2IsSavedWithItsCapacityOf32) {
    initPmwImageByType(2);
    ASSERT_EQ(writePmwFile(kPath, pmw), FileStatus::Ok);
    const auto bytes = fakes.files.content(kPath);
    EXPECT_EQ(bytes.size(), 64416u);
    EXPECT_EQ(byteimage::getU16(bytes, 256), 32);
    EXPECT_EQ(byteimage::getU16(bytes, 258), 0x8310);
}

TEST_F(PmwFileTest, WrittenBytesFollowTheLayout) {
    initPmwImageByType(7);
    ASSERT_TRUE(initPmwImageForTypeAndSize(7, 8));
    pmw.program[0] = 0x2400;
    pmw.program[1] = 0xC500;
    pmw.program[2] = kEndCode;
    pmw.program[8000] = 0x1234;  // beyond the capacity: not written
    pmw.pmwTail.fill(0x5A);      // the image's own tail is not written
    ASSERT_EQ(writePmwFile(kPath, pmw), FileStatus::Ok);
    const auto bytes = fakes.files.content(kPath);
    ASSERT_EQ(bytes.size(), 16416u);
    EXPECT_TRUE(std::equal(pmw.pmwPre.begin(), pmw.pmwPre.end(), bytes.begin()));
    EXPECT_TRUE(std::equal(pmw.parameterBlock.begin(), pmw.parameterBlock.end(), bytes.begin() + 256));
    const std::uint8_t program[] = {0x00, 0x24, 0x00, 0xC5, 0x0F, 0x00, 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(std::begin(program), std::end(program), bytes.begin() + 348));
    EXPECT_EQ(bytes[348 + 15998], 0xFF);
    EXPECT_EQ(bytes[348 + 15999], 0xFF);
    const auto tail = pmwTailTemplate(7);
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.begin() + 16348));
}

TEST_F(PmwFileTest, HeaderSizeWordsInTheFile) {
    initPmwImageByType(1);
    ASSERT_TRUE(initPmwImageForTypeAndSize(2, 64));
    ASSERT_EQ(writePmwFile(kPath, pmw), FileStatus::Ok);
    auto bytes = fakes.files.content(kPath);
    EXPECT_EQ(byteimage::getU16(bytes, 78), 62560);
    EXPECT_EQ(byteimage::getU16(bytes, 250), 62624);

    initPmwImageByType(7);  // after New, with the template's sizes
    ASSERT_EQ(writePmwFile(kPath, pmw), FileStatus::Ok);
    bytes = fakes.files.content(kPath);
    EXPECT_EQ(byteimage::getU16(bytes, 78), 16096);
    EXPECT_EQ(byteimage::getU16(bytes, 250), 16160);
}

TEST_F(PmwFileTest, TheTailIsAlwaysThatOfTheTypeWord) {
    for (std::uint16_t type : {1, 6, 7, 5, 2, 4}) {
        SCOPED_TRACE(type);
        initPmwImageByType(1);
        pmw.setPlcType(type);
        pmw.pmwTail.fill(0);
        const auto bytes = pmwFileBytes(pmw);
        ASSERT_EQ(bytes.size(), 4416u);
        const auto tail = pmwTailTemplate(type);
        EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - 68));
    }
}

TEST_F(PmwFileTest, AnImageWithoutAValidCapacityIsNotWritten) {
    initPmwImageByType(5);
    for (std::int16_t n : {0, -2, 3, 65, 200}) {
        pmw.setMemSizeCode(n);
        EXPECT_TRUE(pmwFileBytes(pmw).empty()) << n;
        EXPECT_EQ(writePmwFile(kPath, pmw), FileStatus::Failed) << n;
    }
    EXPECT_FALSE(fakes.files.exists(kPath));
}

TEST_F(PmwFileTest, AFailedWriteSaysSo) {
    initPmwImageByType(5);
    fakes.files.unwritable.insert(kPath);
    EXPECT_EQ(writePmwFile(kPath, pmw), FileStatus::AccessDenied);
}

// ---- Reading -------------------------------------------------------------------------------------

TEST_F(PmwFileTest, WriteThenReadGivesTheSameImage) {
    for (std::int32_t type : {1, 6, 7, 5, 2, 4}) {
        for (std::int32_t n : {2, 4, 8, 16, 32, 64}) {
            SCOPED_TRACE(::testing::Message() << "type " << type << " N " << n);
            initPmwImageByType(type);
            const std::size_t words = static_cast<std::size_t>(n) * 1000;
            for (std::size_t i = 0; i + 1 < words; ++i)
                pmw.program[i] = static_cast<std::uint16_t>(i * 7 + 1);
            pmw.program[words - 1] = kEndCode;
            ASSERT_TRUE(initPmwImageForTypeAndSize(type, n));
            std::memcpy(&pmw.pmwPre[10], "Title", 6);
            std::memcpy(&pmw.parameterBlock[8], "PASSWORD", 8);
            ASSERT_EQ(writePmwFile(kPath, pmw), FileStatus::Ok);

            PmwImage scratch;
            scratch.program.fill(0x4242);
            ASSERT_EQ(readPmwFile(kPath, scratch), PmwReadResult::Ok);
            EXPECT_TRUE(scratch == pmw);
        }
    }
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(PmwFileTest, HandMadeFileReadsCorrectly) {
    HandMadeFile file(6, 2, 4000);
    file.put(348, 0x2400);
    file.put(350, 0xC500);
    file.put(352, 0x000F);
    file.put(258, static_cast<std::uint16_t>(63536 + 0x2401 + 0xC501 + 16));
    fakes.files.put(kPath, file.bytes);

    const PmwImage programInUse = pmw;
    PmwImage scratch;
    ASSERT_EQ(readPmwFile(kPath, scratch), PmwReadResult::Ok);
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(scratch.plcType(), 6);
    EXPECT_EQ(scratch.memSizeCode(), 2);
    EXPECT_EQ(scratch.sumCheck(), programCheckCode(scratch.program, 2));
    EXPECT_STREQ(reinterpret_cast<const char*>(&scratch.pmwPre[10]), "Hand made");
    EXPECT_EQ(byteimage::getU16(scratch.pmwPre, 70), 10200);
    EXPECT_EQ(std::string(scratch.parameterBlock.begin() + 8, scratch.parameterBlock.begin() + 16),
              "ABCDEFGH");
    EXPECT_EQ(scratch.program[0], 0x2400);
    EXPECT_EQ(scratch.program[1], 0xC500);
    EXPECT_EQ(scratch.program[2], kEndCode);
    for (std::size_t i = 3; i < kProgramWordCount; ++i) ASSERT_EQ(scratch.program[i], kEmptyWord) << i;
    // The file's own tail is not read.
    EXPECT_EQ(scratch.pmwTail, pmwTailTemplate(6));
    // The program in use is not touched by a read into another image.
    EXPECT_TRUE(pmw == programInUse);
}

TEST_F(PmwFileTest, ShortFileReadsAsFF) {
    HandMadeFile file(5, 8, 16000);
    file.put(348, 0x2400);
    file.put(350, 0x1234);
    file.bytes.resize(351);  // ends half-way through word 1
    fakes.files.put(kPath, file.bytes);

    PmwImage scratch;
    scratch.program.fill(0);
    ASSERT_EQ(readPmwFile(kPath, scratch), PmwReadResult::Ok);
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(scratch.program[0], 0x2400);
    EXPECT_EQ(scratch.program[1], 0xFF34);
    for (std::size_t i = 2; i < kProgramWordCount; ++i) ASSERT_EQ(scratch.program[i], kEmptyWord) << i;
}

TEST_F(PmwFileTest, BadFilesAreRefusedWithFileVersionError) {
    struct Case {
        const char* name;
        std::uint16_t type;
        std::int16_t n;
        std::size_t programBytes;
    } cases[] = {
        {"type word 3", 3, 8, 16000}, {"type word 0", 0, 8, 16000}, {"type word 0xFF", 0xFF, 2, 4000},
        {"N = 0", 5, 0, 0},           {"N = 200", 5, 200, 128000},  {"N = -1", 5, -1, 0},
        {"N = 3", 5, 3, 6000},        {"N = 128", 5, 128, 128000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes.messages.shown.clear();
        HandMadeFile file(c.type, c.n, c.programBytes);
        if (c.programBytes >= 2) file.put(348, 0x2400);
        fakes.files.put(kPath, file.bytes);
        PmwImage scratch;
        EXPECT_EQ(readPmwFile(kPath, scratch), PmwReadResult::BadVersion);
        expectOneBox("File Version Error", "Error2018062240");
    }
}

TEST_F(PmwFileTest, ACapacityThatIsNotOursReadsNoProgramWords) {
    HandMadeFile file(5, 200, 128000);
    for (std::size_t i = 348; i < 348 + 128000; i += 2) file.put(i, 0x1111);
    fakes.files.put(kPath, file.bytes);
    PmwImage scratch;
    EXPECT_EQ(readPmwFile(kPath, scratch), PmwReadResult::BadVersion);
    for (std::uint16_t w : scratch.program) ASSERT_EQ(w, kEmptyWord);
}

TEST_F(PmwFileTest, TruncatedHeaderReadsAsFFAndIsRefused) {
    HandMadeFile file(5, 8, 16000);
    file.bytes.resize(100);
    fakes.files.put(kPath, file.bytes);
    PmwImage scratch;
    EXPECT_EQ(readPmwFile(kPath, scratch), PmwReadResult::BadVersion);
    EXPECT_EQ(scratch.plcType(), 0xFFFF);
    EXPECT_EQ(scratch.memSizeCode(), -1);
    expectOneBox("File Version Error", "Error2018062240");
}

TEST_F(PmwFileTest, EmptyFileIsRefused) {
    fakes.files.put(kPath, {});
    PmwImage scratch;
    EXPECT_EQ(readPmwFile(kPath, scratch), PmwReadResult::BadVersion);
    expectOneBox("File Version Error", "Error2018062240");
}

TEST_F(PmwFileTest, MissingOrUnreadableFileGivesOpenFileError) {
    PmwImage scratch;
    scratch.setPlcType(6);
    const PmwImage before = scratch;
    EXPECT_EQ(readPmwFile(kPath, scratch), PmwReadResult::OpenFailed);
    expectOneBox("Open File Error", "Error2018030211");
    EXPECT_TRUE(scratch == before);

    fakes.messages.shown.clear();
    fakes.files.put(kPath, std::vector<std::uint8_t>(4416, 0));
    fakes.files.unreadable.insert(kPath);
    EXPECT_EQ(readPmwFile(kPath, scratch), PmwReadResult::OpenFailed);
    expectOneBox("Open File Error", "Error2018030211");
    EXPECT_TRUE(scratch == before);
}

TEST_F(PmwFileTest, AFileOfAnotherSystemIsFoundWhateverTheCaseOfItsName) {
    initPmwImageByType(1);
    ASSERT_EQ(writePmwFile("/home/tester/Tovel/Kestrion/User/PROG1.pmw", pmw), FileStatus::Ok);
    PmwImage scratch;
    EXPECT_EQ(readPmwFile(kPath, scratch), PmwReadResult::Ok);
    EXPECT_TRUE(scratch == pmw);
}

}  // namespace
}  // namespace kestrion

#include "model/ModeData.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "support/Fixture.h"

namespace kestrion {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kPath = "/home/tester/Tovel/Kestrion/ModeData.DAT";

void put(Bytes& bytes, std::size_t offset, std::initializer_list<std::uint8_t> values) {
    std::copy(values.begin(), values.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

void putText(Bytes& bytes, std::size_t offset, const std::string& text) {
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

void setSlot(int slot, const std::string& text) {
    auto& target = ModeData.recentFiles[static_cast<std::size_t>(slot)];
    target.fill('\0');
    std::copy(text.begin(), text.end(), target.begin());
}

class ModeDataTest : public testing::CoreTest {};

// ---- The file layout ----------------------------------------------------------------------------

TEST_F(ModeDataTest, WrittenFileMatchesTheLayoutByteForByte) {
    ModeData.instanceCount = 3;
    ModeData.clipboardState = 0x0102;
    ModeData.clipboardAddr = 0x11223344;
    ModeData.languageNo = 4;
    ModeData.fontSize = 12;
    ModeData.viewFlags = 0xE4;
    ModeData.comPortNo = 18;
    ModeData.baudRate = 5;
    ModeData.cowMonitorOffset = 264;
    ModeData.monitorDeviceCount = 0x0A0B;
    ModeData.cowNameOffset = 256;
    ModeData.cowCommentOffset = 258;
    ModeData.cowBlockOffset = 260;
    ModeData.cowCoilOffset = 262;
    ModeData.deviceNameCount = 0x1234;
    ModeData.deviceCommentCount = 7;
    ModeData.blockCommentCount = 0x0100;
    ModeData.coilCommentCount = 0xFFFF;
    ModeData.xSizeSymble = 80;
    ModeData.ySizeSymble = 64;
    setSlot(0, "/home/tester/Tovel/Kestrion/User/Line A.PMW");
    setSlot(1, "/tmp/b.PMW");
    setSlot(3, std::string(95, 'x'));

    ASSERT_TRUE(SaveModeDat(kPath));

    Bytes expected(512, 0);
    put(expected, 8, {0x03, 0x00});
    put(expected, 10, {0x02, 0x01});
    put(expected, 12, {0x44, 0x33, 0x22, 0x11});
    put(expected, 16, {0x04, 0x00, 0x00, 0x00});
    put(expected, 20, {0x0C, 0x00, 0x00, 0x00});
    put(expected, 24, {0xE4});
    put(expected, 32, {0x12, 0x00, 0x00, 0x00});
    put(expected, 36, {0x05, 0x00, 0x00, 0x00});
    put(expected, 44, {0x08, 0x01, 0x0B, 0x0A, 0x00, 0x01, 0x02, 0x01, 0x04, 0x01, 0x06, 0x01});
    put(expected, 56, {0x34, 0x12, 0x07, 0x00, 0x00, 0x01, 0xFF, 0xFF});
    put(expected, 64, {0x50, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00});
    putText(expected, 128, "/home/tester/Tovel/Kestrion/User/Line A.PMW");
    putText(expected, 224, "/tmp/b.PMW");
    putText(expected, 416, std::string(95, 'x'));

    const Bytes written = fakes.files.content(kPath);
    ASSERT_EQ(written.size(), 512u);
    for (std::size_t i = 0; i < 512; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(written[i], expected[i]);
    }
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ModeDataTest, ReadingTheLayoutGivesEveryField) {
    Bytes file(512, 0);
    put(file, 8, {0x05, 0x00, 0x01, 0x00, 0x78, 0x56, 0x34, 0x12});
    put(file, 16, {0x02, 0, 0, 0, 0x0E, 0, 0, 0, 0x60});
    put(file, 32, {0x03, 0, 0, 0, 0x02, 0, 0, 0});
    put(file, 44, {0x08, 0x01, 0x03, 0x00, 0x00, 0x01, 0x02, 0x01, 0x04, 0x01, 0x06, 0x01});
    put(file, 56, {0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00});
    put(file, 64, {0x38, 0, 0, 0, 0x48, 0, 0, 0});
    putText(file, 128, "/a.PMW");
    putText(file, 320, "/c d.PMW");
    fakes.files.put(kPath, file);

    loadModeDat(kPath);

    EXPECT_EQ(ModeData.instanceCount, 5);
    EXPECT_EQ(ModeData.clipboardState, 1);
    EXPECT_EQ(ModeData.clipboardAddr, 0x12345678u);
    EXPECT_EQ(ModeData.languageNo, 2u);
    EXPECT_EQ(ModeData.fontSize, 14u);
    EXPECT_EQ(ModeData.viewFlags, 0x60);
    EXPECT_EQ(ModeData.comPortNo, 3u);
    EXPECT_EQ(ModeData.baudRate, 2u);
    EXPECT_EQ(ModeData.cowMonitorOffset, 264);
    EXPECT_EQ(ModeData.monitorDeviceCount, 3);
    EXPECT_EQ(ModeData.cowNameOffset, 256);
    EXPECT_EQ(ModeData.cowCommentOffset, 258);
    EXPECT_EQ(ModeData.cowBlockOffset, 260);
    EXPECT_EQ(ModeData.cowCoilOffset, 262);
    EXPECT_EQ(ModeData.deviceNameCount, 1);
    EXPECT_EQ(ModeData.deviceCommentCount, 2);
    EXPECT_EQ(ModeData.blockCommentCount, 3);
    EXPECT_EQ(ModeData.coilCommentCount, 4);
    EXPECT_EQ(ModeData.xSizeSymble, 56u);
    EXPECT_EQ(ModeData.ySizeSymble, 72u);
    EXPECT_EQ(recentFileSlotText(0), "/a.PMW");
    EXPECT_EQ(recentFileSlotText(1), "");
    EXPECT_EQ(recentFileSlotText(2), "/c d.PMW");
    EXPECT_EQ(recentFileSlotText(3), "");
}

TEST_F(ModeDataTest, ReservedBytesAreCarriedThroughUnchanged) {
    Bytes file(512, 0);
    const std::pair<std::size_t, std::size_t> reserved[] = {{0, 8}, {25, 7}, {40, 4}, {72, 56}};
    for (const auto& [offset, width] : reserved)
        for (std::size_t i = 0; i < width; ++i) file[offset + i] = static_cast<std::uint8_t>(0xA0 + i % 16);
    put(file, 20, {10, 0, 0, 0});
    fakes.files.put(kPath, file);

    loadModeDat(kPath);
    ModeData.languageNo = 1;
    ASSERT_TRUE(SaveModeDat(kPath));

    Bytes expected = file;
    put(expected, 16, {1, 0, 0, 0});
    put(expected, 64, {80, 0, 0, 0, 64, 0, 0, 0});  // the zero cell size loads as the start size
    EXPECT_EQ(fakes.files.content(kPath), expected);
}

// ---- First start, damaged files -----------------------------------------------------------------

TEST_F(ModeDataTest, FirstStartCreatesAFileOfZerosAndKeepsFontSizeTenInMemory) {
    loadModeDat(kPath);

    EXPECT_EQ(fakes.files.content(kPath), Bytes(512, 0));
    EXPECT_EQ(ModeData.fontSize, 10u);
    EXPECT_EQ(ModeData.languageNo, 0u);
    EXPECT_EQ(ModeData.comPortNo, 0u);
    EXPECT_EQ(ModeData.viewFlags, 0);
    EXPECT_EQ(modeDataToImage(ModeData)[20], 10);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ModeDataTest, AFileThatCannotBeCreatedIsNotReported) {
    fakes.files.unwritable.insert(kPath);
    loadModeDat(kPath);
    EXPECT_EQ(ModeData.fontSize, 10u);
    EXPECT_FALSE(fakes.files.exists(kPath));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ModeDataTest, ATruncatedFileLoadsWithItsIndicesAtTheirDefaults) {
    // 26 bytes: the fields up to viewFlags are there, everything after reads as 0xFF.
    Bytes file(26, 0);
    put(file, 8, {0x02, 0x00});
    put(file, 16, {0x01, 0, 0, 0, 0x0C, 0, 0, 0, 0x20});
    fakes.files.put(kPath, file);

    loadModeDat(kPath);

    EXPECT_EQ(ModeData.instanceCount, 2);
    EXPECT_EQ(ModeData.languageNo, 1u);
    EXPECT_EQ(ModeData.fontSize, 12u);
    EXPECT_EQ(ModeData.viewFlags, 0x20);
    EXPECT_EQ(ModeData.comPortNo, 0u);
    EXPECT_EQ(ModeData.baudRate, 0u);
    EXPECT_EQ(ModeData.xSizeSymble, 80u);
    EXPECT_EQ(ModeData.ySizeSymble, 64u);
    EXPECT_EQ(ModeData.deviceNameCount, 0xFFFF);  // counts are checked by their readers
    for (int slot = 0; slot < kRecentFileSlots; ++slot) EXPECT_EQ(recentFileSlotText(slot), "");
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ModeDataTest, AnEmptyFileLoadsAsDefaults) {
    fakes.files.put(kPath, {});
    loadModeDat(kPath);
    EXPECT_EQ(ModeData.languageNo, 0u);
    EXPECT_EQ(ModeData.fontSize, 10u);
    EXPECT_EQ(ModeData.comPortNo, 0u);
    EXPECT_EQ(ModeData.instanceCount, 0xFFFF);
}

TEST_F(ModeDataTest, AFileLongerThanTheRecordLoadsItsFirst512BytesAndIsWrittenBackAs512) {
    Bytes file(600, 0x33);
    put(file, 16, {4, 0, 0, 0, 8, 0, 0, 0});
    put(file, 32, {1, 0, 0, 0, 2, 0, 0, 0});
    put(file, 64, {80, 0, 0, 0, 64, 0, 0, 0});
    putText(file, 416, std::string(95, 'w') + '\0');
    fakes.files.put(kPath, file);

    loadModeDat(kPath);
    EXPECT_EQ(ModeData.languageNo, 4u);
    EXPECT_EQ(ModeData.fontSize, 8u);
    EXPECT_EQ(recentFileSlotText(3), std::string(95, 'w'));
    ASSERT_TRUE(SaveModeDat(kPath));
    EXPECT_EQ(fakes.files.content(kPath), Bytes(file.begin(), file.begin() + 512));
}

TEST_F(ModeDataTest, IndexFieldsOutsideTheirRangesTakeTheirDefaults) {
    struct Case {
        const char* name;
        std::size_t offset;
        std::uint32_t stored;
        std::uint32_t loaded;
        std::uint32_t ModeDataRecord::*field;
    } cases[] = {
        {"last COM port", 32, 18, 18, &ModeDataRecord::comPortNo},
        {"COM20", 32, 19, 0, &ModeDataRecord::comPortNo},
        {"huge COM port", 32, 0x80000000u, 0, &ModeDataRecord::comPortNo},
        {"last baud choice", 36, 5, 5, &ModeDataRecord::baudRate},
        {"baud choice 6", 36, 6, 0, &ModeDataRecord::baudRate},
        {"Turkish", 16, 5, 5, &ModeDataRecord::languageNo},
        {"language 6", 16, 6, 0, &ModeDataRecord::languageNo},
        {"font 8", 20, 8, 8, &ModeDataRecord::fontSize},
        {"font 14", 20, 14, 14, &ModeDataRecord::fontSize},
        {"font 9", 20, 9, 10, &ModeDataRecord::fontSize},
        {"font 0", 20, 0, 10, &ModeDataRecord::fontSize},
        {"width 56", 64, 56, 56, &ModeDataRecord::xSizeSymble},
        {"width 1000", 64, 1000, 80, &ModeDataRecord::xSizeSymble},
        {"height 72", 68, 72, 72, &ModeDataRecord::ySizeSymble},
        {"height 62", 68, 62, 64, &ModeDataRecord::ySizeSymble},
        {"height 76", 68, 76, 64, &ModeDataRecord::ySizeSymble},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModeData = {};
        Bytes file(512, 0);
        put(file, 20, {10, 0, 0, 0});
        put(file, 64, {80, 0, 0, 0, 64, 0, 0, 0});
        put(file, c.offset,
            {static_cast<std::uint8_t>(c.stored), static_cast<std::uint8_t>(c.stored >> 8),
             static_cast<std::uint8_t>(c.stored >> 16), static_cast<std::uint8_t>(c.stored >> 24)});
        fakes.files.put(kPath, file);
        loadModeDat(kPath);
        EXPECT_EQ(ModeData.*c.field, c.loaded);
    }
}

// ---- Writing ------------------------------------------------------------------------------------

TEST_F(ModeDataTest, AFailedWriteIsReportedAndTheProgramGoesOn) {
    fakes.files.unwritable.insert(kPath);
    EXPECT_FALSE(saveModeDatToDisk(kPath));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Error2014121612...");
    EXPECT_EQ(fakes.messages.shown[0].caption, "*SaveModeDat ToDisk(");
    EXPECT_EQ(fakes.messages.shown[0].icon, platform::MsgIcon::Error);

    fakes.files.unwritable.clear();
    EXPECT_TRUE(saveModeDatToDisk(kPath));
    EXPECT_EQ(fakes.files.content(kPath).size(), 512u);
}

TEST_F(ModeDataTest, WriteThenReadGivesTheSameRecord) {
    ModeData.languageNo = 3;
    ModeData.fontSize = 8;
    ModeData.viewFlags = 0x84;
    ModeData.comPortNo = 7;
    ModeData.baudRate = 4;
    ModeData.xSizeSymble = 60;
    ModeData.ySizeSymble = 68;
    ModeData.coilCommentCount = 9;
    setSlot(2, "/srv/plc/ä.PMW");
    ModeData.reserved[100] = 0x5A;
    const ModeDataImage written = modeDataToImage(ModeData);
    ASSERT_TRUE(SaveModeDat(kPath));

    ModeData = {};
    loadModeDat(kPath);
    EXPECT_EQ(modeDataToImage(ModeData), written);
    EXPECT_EQ(recentFileSlotText(2), "/srv/plc/ä.PMW");
}

// ---- Recent-file slots --------------------------------------------------------------------------

TEST_F(ModeDataTest, ASlotHoldsNinetyFiveCharactersAndRefusesNinetySix) {
    const std::string fits(95, 'n');
    EXPECT_TRUE(storeRecentFileSlot(1, fits));
    EXPECT_EQ(recentFileSlotText(1), fits);
    EXPECT_EQ(ModeData.recentFiles[1][95], '\0');

    EXPECT_FALSE(storeRecentFileSlot(1, std::string(96, 'n')));
    EXPECT_EQ(recentFileSlotText(1), "*");
    EXPECT_TRUE(std::all_of(ModeData.recentFiles[1].begin() + 1, ModeData.recentFiles[1].end(),
                            [](char c) { return c == '\0'; }));
    // The neighbours are untouched.
    EXPECT_EQ(recentFileSlotText(0), "");
    EXPECT_EQ(recentFileSlotText(2), "");
}

TEST_F(ModeDataTest, SlotNumbersOutsideTheFourAreRefused) {
    EXPECT_FALSE(storeRecentFileSlot(-1, "a"));
    EXPECT_FALSE(storeRecentFileSlot(4, "a"));
    EXPECT_EQ(recentFileSlotText(4), "");
    EXPECT_EQ(modeDataToImage(ModeData), ModeDataImage{});
}

TEST_F(ModeDataTest, ASlotWithoutANulReadsAsEmpty) {
    ModeData.recentFiles[0].fill('q');
    EXPECT_EQ(recentFileSlotText(0), "");
}

}  // namespace
}  // namespace kestrion

#include "model/image/ModeData.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "model/core/ByteImage.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

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

class ModeDataTest : public test::CoreTest {};

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
    EXPECT_EQ(fakes.files.content(kPath), expected);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ModeDataTest, FirstStartCreatesAFileOfZerosAndKeepsFontSizeTenInMemory) {
    loadModeDat(kPath);
    EXPECT_EQ(fakes.files.content(kPath), Bytes(512, 0));
    EXPECT_EQ(std::make_tuple(ModeData.fontSize, modeDataToImage(ModeData)[20]), std::make_tuple(10u, 10));
    ModeData = {};
    fakes.files.files.clear();
    fakes.files.unwritable.insert(kPath);  // a file that cannot be created is not reported
    loadModeDat(kPath);
    EXPECT_EQ(ModeData.fontSize, 10u);
    EXPECT_TRUE(!fakes.files.exists(kPath) && fakes.messages.shown.empty());
}

TEST_F(ModeDataTest, ATruncatedFileLoadsWithItsIndicesAtTheirDefaults) {
    Bytes file(26, 0);
    put(file, 8, {0x02, 0x00});
    put(file, 16, {0x01, 0, 0, 0, 0x0C, 0, 0, 0, 0x20});
    fakes.files.put(kPath, file);
    loadModeDat(kPath);
    EXPECT_EQ(std::tie(ModeData.instanceCount, ModeData.viewFlags),
              std::make_tuple(std::uint16_t{2}, std::uint8_t{0x20}));
    EXPECT_EQ(std::tie(ModeData.languageNo, ModeData.fontSize, ModeData.comPortNo, ModeData.baudRate,
                       ModeData.xSizeSymble, ModeData.ySizeSymble),
              std::make_tuple(1u, 12u, 0u, 0u, 80u, 64u));
    EXPECT_EQ(ModeData.deviceNameCount, 0xFFFF);  // counts are checked by their readers
    for (int slot = 0; slot < kRecentFileSlots; ++slot) EXPECT_EQ(recentFileSlotText(slot), "");
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ModeDataTest, IndexFieldsOutsideTheirRangesTakeTheirDefaults) {
    using R = ModeDataRecord;
    const std::tuple<std::size_t, std::uint32_t, std::uint32_t, std::uint32_t R::*> cases[] = {
        {32, 18, 18, &R::comPortNo},   {32, 19, 0, &R::comPortNo},      {36, 6, 0, &R::baudRate},
        {16, 6, 0, &R::languageNo},    {20, 14, 14, &R::fontSize},      {20, 9, 10, &R::fontSize},
        {64, 56, 56, &R::xSizeSymble}, {64, 1000, 80, &R::xSizeSymble}, {68, 62, 64, &R::ySizeSymble},
        {68, 76, 64, &R::ySizeSymble}};
    for (const auto& [offset, stored, loaded, field] : cases) {
        ModeData = {};
        Bytes file(512, 0);
        put(file, 20, {10, 0, 0, 0});
        put(file, 64, {80, 0, 0, 0, 64, 0, 0, 0});
        byteimage::putU32(file, offset, stored);
        fakes.files.put(kPath, file);
        loadModeDat(kPath);
        EXPECT_EQ(ModeData.*field, loaded) << offset << ": " << stored;
    }
}

TEST_F(ModeDataTest, AFailedWriteIsReportedAndTheProgramGoesOn) {
    fakes.files.unwritable.insert(kPath);
    EXPECT_FALSE(saveModeDatToDisk(kPath));
    EXPECT_EQ(test::shownBoxes(fakes.messages),
              test::Boxes{"Error2014121612... | *SaveModeDat ToDisk( | error"});
    fakes.files.unwritable.clear();
    EXPECT_TRUE(saveModeDatToDisk(kPath));
    EXPECT_EQ(fakes.files.content(kPath).size(), 512u);
}

TEST_F(ModeDataTest, WriteThenReadGivesTheSameRecord) {
    ModeData.languageNo = 3;
    ModeData.fontSize = 8;
    ModeData.xSizeSymble = 60;
    ModeData.viewFlags = 0x84;
    ModeData.comPortNo = 7;
    ModeData.ySizeSymble = 68;
    setSlot(2, "/srv/plc/ä.PMW");
    for (std::size_t offset : {0u, 7u, 25u, 31u, 40u, 43u, 72u, 127u}) ModeData.reserved[offset] = 0xA5;
    const ModeDataImage written = modeDataToImage(ModeData);
    ASSERT_TRUE(SaveModeDat(kPath));
    ModeData = {};
    loadModeDat(kPath);
    EXPECT_EQ(modeDataToImage(ModeData), written);
    EXPECT_EQ(recentFileSlotText(2), "/srv/plc/ä.PMW");
}

TEST_F(ModeDataTest, ASlotHoldsNinetyFiveCharactersAndRefusesNinetySixOrABadSlot) {
    const std::string fits(95, 'n');
    EXPECT_TRUE(storeRecentFileSlot(1, fits) && recentFileSlotText(1) == fits &&
                ModeData.recentFiles[1][95] == '\0');
    EXPECT_FALSE(storeRecentFileSlot(1, std::string(96, 'n')));
    EXPECT_EQ(recentFileSlotText(1) + recentFileSlotText(0) + recentFileSlotText(2), "*");
    EXPECT_TRUE(std::all_of(ModeData.recentFiles[1].begin() + 1, ModeData.recentFiles[1].end(),
                            [](char c) { return c == '\0'; }));
    EXPECT_FALSE(storeRecentFileSlot(-1, "a") || storeRecentFileSlot(4, "a"));
    EXPECT_EQ(recentFileSlotText(4), "");
    ModeData.recentFiles[0].fill('q');  // no NUL: reads as empty
    EXPECT_EQ(recentFileSlotText(0), "");
}

}  // namespace
}  // namespace kestrion

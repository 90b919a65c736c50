#include "model/image/DmwImage.h"

#include <algorithm>
#include <map>
#include <vector>

#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint16_t wordAt(const Bytes& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

class DmwImageTest : public test::CoreTest {
protected:
    static void numberRegisters() {
        for (std::uint32_t k = 0; k <= 8255; ++k) setDmwRegister(k, static_cast<std::uint16_t>(k + 1));
    }
    // The file a save makes of the register image for a type: its header loaded first.
    static Bytes fileOf(std::int32_t type) {
        loadDmwHeaderByPlcType(type);
        return dmwFileBytes(DmwImage, type);
    }
};

TEST_F(DmwImageTest, EachTypeHasItsHeaderWords) {
    // model, size at 98, blocks at 102, size at 250, type word; the words at 72..94 are the same
    // in every template: 3, 2000, 10, 2000, 512, 11, 2512.
    const std::map<std::int32_t, std::vector<int>> expected = {
        {1, {10100, 4000, 12, 6512, 1}},   {6, {10200, 4000, 12, 6512, 6}},
        {4, {10100, 4000, 12, 6512, 4}},   {7, {10200, 14000, 16, 16512, 7}},
        {2, {10100, 14000, 16, 16512, 5}}, {5, {10100, 14000, 16, 16512, 5}},
    };
    for (const auto& [type, words] : expected) {
        const Bytes file = fileOf(type);
        const Bytes header(file.begin(), file.begin() + 256);
        std::map<std::size_t, int> nonZero;
        for (std::size_t at = 0; at < 256; at += 2)
            if (wordAt(header, at) != 0) nonZero[at] = wordAt(header, at);
        std::map<std::size_t, int> want = {{72, 3},        {78, 2000},      {82, 10},        {84, 2000},
                                           {88, 512},      {92, 11},        {94, 2512},      {70, words[0]},
                                           {98, words[1]}, {102, words[2]}, {250, words[3]}, {254, words[4]}};
        for (std::size_t at = 10; at < 70; at += 2)
            want[at] = at == 10 ? 0x2000 : 0x2020;  // NUL, then blanks
        EXPECT_EQ(nonZero, want) << type;
    }
    DmwImage.fill(0xAB);
    loadDmwHeaderByPlcType(3);  // no template: the header stays
    EXPECT_EQ(DmwImage[0], 0xAB);
}

TEST_F(DmwImageTest, TheFileHoldsLowRegistersSpecialRegistersThenTheRest) {
    for (const auto& [type, size] : {std::pair<std::int32_t, std::size_t>{6, 2768}, {1, 2768}, {2, 16768}}) {
        numberRegisters();
        const Bytes file = fileOf(type);
        ASSERT_EQ(file.size(), size);
        const bool full = size > 2768;
        const std::size_t at[] = {256, 2254, 2256, 2766, 2768, 16766};
        const int want[] = {1, 1000, 8001, 8256, 1001, 8000};
        for (std::size_t i = 0; i < (full ? 6u : 4u); ++i) EXPECT_EQ(wordAt(file, at[i]), want[i]) << at[i];
        fakes.files.put("/p/A.DMW", file);
        DmwImage.fill(0xAA);
        ASSERT_TRUE(readDmwFile("/p/A.DMW", type));
        const std::vector<int> back = {dmwRegister(0),    dmwRegister(999),  dmwRegister(8000),
                                       dmwRegister(8255), dmwRegister(1000), dmwRegister(7999)};
        EXPECT_EQ(back, (std::vector<int>{1, 1000, 8001, 8256, full ? 1001 : 0xAAAA, full ? 8000 : 0xAAAA}))
            << type;
        EXPECT_EQ(DmwImage[254], type == 2 ? 5 : type);
    }
    EXPECT_FALSE(readDmwFile("/p/None.DMW", 7));
}

TEST_F(DmwImageTest, AShortFileReadsItsMissingBytesAs0xFF) {
    numberRegisters();
    Bytes file = fileOf(7);
    file.resize(2257);  // cut in the middle of D8000
    fakes.files.put("/p/B.DMW", file);
    DmwImage.fill(0);
    ASSERT_TRUE(readDmwFile("/p/B.DMW", 7));
    const std::vector<int> back = {dmwRegister(999), dmwRegister(8000), dmwRegister(8255), dmwRegister(1000)};
    EXPECT_EQ(back, (std::vector<int>{1000, 0xFF41, 0xFFFF, 0xFFFF}));
    EXPECT_FALSE(dmwRegisterOffset(8256).has_value());
    EXPECT_EQ(dmwRegister(8256), 0);
}

TEST_F(DmwImageTest, ASaveNamesTheRegistersAShortFileDoesNotKeep) {
    for (std::uint32_t k : {999u, 1000u, 1002u, 1003u, 1004u, 3999u, 8000u}) setDmwRegister(k, 7);
    EXPECT_EQ(registersTheFileDrops(6), (std::vector<std::uint32_t>{1000, 1002, 1003, 1004, 3999}));
    EXPECT_TRUE(registersTheFileDrops(7).empty());  // its file keeps D0 to D7999
    warnRegistersNotKept(7);
    warnRegistersNotKept(6);
    for (std::uint32_t k = 2000; k < 2020; k += 2) setDmwRegister(k, 1);  // ten more runs
    warnRegistersNotKept(1);
    const std::string kept =
        "The register file of this PLC type keeps D0 to D999 and D8000 to D8255 only. "
        "These registers are not saved: ";
    EXPECT_EQ(
        test::shownBoxes(fakes.messages),
        (test::Boxes{kept + "D1000, D1002-D1004, D3999 | *DMW | warning",
                     kept + "D1000, D1002-D1004, D2000, D2002, D2004, D2006, D2008, D2010, ... | *DMW | "
                            "warning"}));
}

}  // namespace
}  // namespace kestrion

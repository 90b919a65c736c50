#include "link/plc/ParameterDialog.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"
#include "wizards/SettingCommands.h"

namespace kestrion::test {
namespace {

using Texts = std::vector<std::string>;

class ParameterSettingTest : public CoreTest {
protected:
    void project(int type, std::int32_t n) {
        initPmwImageByType(type);
        pmw.setMemSizeCode(static_cast<std::int16_t>(n));
        pmw.parameterBlock[46] = 0;  // latchFlags
        convStepNo = 1;
    }
    // Opens the dialog, runs the script in it, and tells what it showed.
    ParameterDialog shown(std::function<void(ParameterDialog&)> script = {}) {
        ParameterDialog seen;
        linkDialogs.parameterScript = [&](ParameterDialog& dialog) {
            if (script) script(dialog);
            seen = dialog;
        };
        parameterSetting1Click();
        return seen;
    }
    static Texts ranges(const ParameterDialog& dialog) {
        Texts texts;
        for (const auto& latch : dialog.latch) texts.push_back(latch.firstText + "-" + latch.lastText);
        return texts;
    }
    static std::uint16_t word(std::size_t offset) { return byteimage::getU16(pmw.parameterBlock, offset); }
};

TEST_F(ParameterSettingTest, TheTypeSetsTheCapacitiesAndTheDefaultRanges) {
    // The block holds no ranges of its own (bit 7 clear): the defaults; S and the buttons by type.
    const std::tuple<int, std::size_t, std::string, std::string> cases[] = {{1, 1, "0-127", "S(000~127)"},
                                                                            {6, 1, "0-499", "S(000~999)"},
                                                                            {7, 3, "0-499", "S(000~999)"},
                                                                            {5, 4, "0-499", "S(000~999)"}};
    for (const auto& [type, buttons, sRange, sLabel] : cases) {
        project(type, 2);
        const ParameterDialog dialog = shown();
        for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(dialog.capacityEnabled[i], i < buttons) << type;
        EXPECT_EQ(ranges(dialog), (Texts{"0-499", sRange, "0-255", "0-31", "216-255"})) << type;
        EXPECT_EQ(dialog.latch[kLatchS].label, sLabel) << type;
        EXPECT_FALSE(dialog.deviceLatchEnabled);
    }
    // Type 2 may change its ranges: every device in use.
    project(2, 8);
    const ParameterDialog dialog = shown();
    EXPECT_EQ(dialog.capacityEnabled, (std::array<bool, 6>{true, true, true, true, true, true}));
    EXPECT_EQ(dialog.deviceLatchCaption, "Device latch range can change");
    EXPECT_EQ(dialog.latchFlags(), 0x9F);
}

TEST_F(ParameterSettingTest, ACapacityBelowTheProgramIsRefused) {
    project(2, 8);
    convStepNo = 5000;
    shown([](ParameterDialog& d) {
        d.capacityButtonClick(1);
        EXPECT_EQ(d.capacityItem, 2);
        d.capacityButtonClick(3);
        EXPECT_EQ(d.capacityItem, 3);
        d.btnOkClick();
    });
    EXPECT_EQ(shownBoxes(fakes.messages),
              Boxes{"Program step > 4K, Memory capacity can't change | Parameter | information"});
    EXPECT_EQ(pmw.memSizeCode(), 16);
}

TEST_F(ParameterSettingTest, EachRangeIsCheckedOnBothSidesOfItsLimits) {
    // Per device: ranges accepted, ranges refused, and the refusal.
    const std::tuple<LatchDevice, Texts, Texts, std::string> cases[] = {
        {kLatchM, {"0-527", "500-1023"}, {"0-528", "500-1024", "10-9"}, "M Range Error | Error2019042020"},
        {kLatchS, {"0-511", "999-999"}, {"0-512", "999-1000", "10-9"}, "S Range Error | Error2019042021"},
        {kLatchD, {"0-511"}, {"0-512", "5-4"}, "D Range Error | Error2019042022"},
        {kLatchC16, {"0-31", "199-199"}, {"0-32", "199-200", "10-9"}, "C Range Error | Error2019042023"},
        {kLatchC32,
         {"200-235", "220-255"},
         {"200-236", "199-210", "255-256"},
         "HSC Range Error | Error2019042024"},
    };
    for (const auto& [device, accepted, refused, box] : cases) {
        for (const Texts* ranges : {&accepted, &refused}) {
            for (const std::string& range : *ranges) {
                project(2, 8);
                fakes.messages.shown.clear();
                bool ok = false;
                shown([&, device = device](ParameterDialog& d) {
                    d.latchEditChange(device, false, range.substr(0, range.find('-')));
                    d.latchEditChange(device, true, range.substr(range.find('-') + 1));
                    ok = d.btnOkClick();
                });
                const Boxes boxes = ranges == &accepted ? Boxes{} : Boxes{box + " | warning"};
                EXPECT_EQ(shownBoxes(fakes.messages), boxes) << range;
                EXPECT_EQ(ok, boxes.empty()) << range;
            }
        }
    }
}

TEST_F(ParameterSettingTest, ChangeableRangesComeBackAsTheyWereStoredAndABadTextKeepsItsValue) {
    project(2, 8);
    // M 10-20, S 30-40, C16 50-60, C32 230-240, D 70-80 as the block encodes them: ten words from byte 48.
    const std::uint16_t stored[] = {0x80A, 0x814, 30, 40, 0xE32, 0xE3C, 0xEE6, 0xEF0, 140, 160};
    for (std::size_t i = 0; i < 10; ++i) byteimage::putU16(pmw.parameterBlock, 48 + 2 * i, stored[i]);
    const ParameterDialog dialog = shown([](ParameterDialog& d) {
        d.latchEditChange(kLatchC32, false, "2x");
        d.latchEditChange(kLatchC32, true, "65776");  // 240 + 65536
        d.btnOkClick();
    });
    EXPECT_EQ(ranges(dialog), (Texts{"10-20", "30-40", "70-80", "50-60", "2x-65776"}));
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(word(48 + 2 * i), stored[i]) << i;
}

TEST_F(ParameterSettingTest, WithoutChangeableRangesOkWritesTheFormValuesAndEmptyCounters) {
    project(5, 8);
    pmw.parameterBlock[46] = 0x1F;
    shown([](ParameterDialog& d) { d.btnOkClick(); });
    const std::pair<std::size_t, std::uint16_t> words[] = {
        {48, 0x800}, {50, 0x800 + 499}, {52, 0},     {54, 499}, {56, 0xE00},
        {58, 0xE00}, {60, 0xE00},       {62, 0xE00}, {64, 0},   {66, 510}};
    for (const auto& [offset, value] : words) EXPECT_EQ(word(offset), value) << offset;
    EXPECT_EQ(pmw.parameterBlock[46], 0x1F);
}

TEST_F(ParameterSettingTest, CancelLeavesTheBlockAndProgramAsTheyWere) {
    project(2, 8);
    const PmwImage before = pmw;
    shown([](ParameterDialog& d) {
        d.latchEditChange(kLatchM, true, "100");
        d.capacityButtonClick(5);
        d.btnCancelClick();
    });
    EXPECT_TRUE(pmw == before);
}

TEST_F(ParameterSettingTest, TheCapacityTakesItsCheckCodeAndEmptiesTheWordsItAdds) {
    const std::tuple<std::int32_t, int, std::uint16_t, std::uint16_t> cases[] = {
        {2, 2, 0xFFFF, 0xE0C0 + 0x10},  // to 8K: words 2000 on read as empty
        {8, 0, 0x1234, 0xF830 + 0x10},  // to 2K: words 2000 on keep their values, uncounted
        {2, 3, 0xFFFF, 0xC180 + 0x10},  // to 16K
    };
    for (const auto& [from, item, word2000, sumCheck] : cases) {
        project(2, from);
        std::fill(pmw.program.begin(), pmw.program.end(), 0x1234);
        std::fill(pmw.program.begin() + 1, pmw.program.begin() + 2000, kEmptyWord);
        pmw.program[0] = kEndCode;
        shown([item = item](ParameterDialog& d) {
            d.capacityButtonClick(item);
            d.btnOkClick();
        });
        EXPECT_EQ(pmw.memSizeCode(), capacityOfButton(item));
        EXPECT_EQ(pmw.program[2000], word2000) << from;
        EXPECT_EQ(pmw.sumCheck(), sumCheck) << from;
    }
}

}  // namespace
}  // namespace kestrion::test

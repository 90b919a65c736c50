#include "wizards/SettingCommands.h"

#include "model/core/MainState.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/PlcTypeDialog.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

class PlcTypeChangeTest : public test::CoreTest {
protected:
    PlcTypeChangeTest() {
        initPmwImageByType(5);  // N = 16
        for (std::size_t i = 0; i < 3000; ++i) pmw.program[i] = static_cast<std::uint16_t>(0x2000 + i);
        pmw.program[3000] = kEndCode;
        pmw.setSumCheck(programCheckCode(pmw.program, 16));
        std::copy_n("SECRET12", 8, pmw.parameterBlock.begin() + 8);
        convStepNo = 3001;
        fileStateFlags = kFileLastChoiceWentThrough;
    }
    // The user clicks the given items of the dialog, then OK.
    void answerWithClicks(std::initializer_list<int> items) {
        std::vector<int> clicks(items);
        modelDialogs.plcTypeAnswer = [clicks](std::int32_t type, std::int32_t n) {
            PlcTypeDialog dialog;
            dialog.plcType = type;
            dialog.memSizeCode = n;
            dialog.FormShow();
            for (int item : clicks) dialog.FennuRadioGroupClick(item);
            dialog.btnOkClick();
            return dialog.result();
        };
    }
};

TEST_F(PlcTypeChangeTest, CancelOrAnUnknownTypeChangesNothing) {
    const PmwImage before = pmw;
    fileStateFlags = kFileLastChoiceWentThrough | kFileNoName;
    plcTypeChange1Click();  // cancelled: only the go-ahead bit is cleared
    EXPECT_TRUE(fileStateFlags == kFileNoName && fakes.messages.shown.empty());
    modelDialogs.plcTypeAnswer = [](std::int32_t, std::int32_t) { return PlcTypeFormResult{1, 16, 3}; };
    plcTypeChange1Click();
    EXPECT_TRUE(pmw == before && connectedPlcType == kNoPlcDetected);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].caption, "Parameter Error");
}

// q0: type 1, N 2; q4: type 4, N 8; q3: type 5, N 8. The program has 3001 steps.
TEST_F(PlcTypeChangeTest, ACapacityBelowTheProgramLengthIsRefusedAndOneThatJustFitsAccepted) {
    const PmwImage before = pmw;
    fakes.statusBar.setPanelText(0, "Type=q3 MemorySize=16k");
    answerWithClicks({0});
    plcTypeChange1Click();
    EXPECT_EQ(fakes.statusBar.panelText(0), "Type=q3 MemorySize=16k");
    EXPECT_EQ(test::shownBoxes(fakes.messages),
              test::Boxes{"Program step error, Type can't change | Error2105120211 | information"});
    EXPECT_TRUE(pmw == before && connectedPlcType == kNoPlcDetected &&
                fileStateFlags == kFileLastChoiceWentThrough);
    fakes.messages.shown.clear();
    convStepNo = 4000;
    answerWithClicks({1});
    plcTypeChange1Click();
    EXPECT_EQ(pmw.plcType(), 4);
    convStepNo = 8000;
    answerWithClicks({4});
    plcTypeChange1Click();
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(std::make_tuple(pmw.plcType(), pmw.memSizeCode()), std::make_tuple(5, std::int16_t{8}));
    convStepNo = 8001;
    plcTypeChange1Click();
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
}

TEST_F(PlcTypeChangeTest, TheNewTypeAndCapacityTakeOverAndTheWordsStay) {
    answerWithClicks({3});  // q2: type 7, N 16 becomes 8
    fileStateFlags = 0;
    plcTypeChange1Click();
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(std::make_tuple(pmw.plcType(), pmw.memSizeCode(), connectedPlcType),
              std::make_tuple(7, std::int16_t{8}, 7));
    EXPECT_EQ(pmw.pmwPre, pmwPreTemplate(7));  // capacity 8 is the one type 7's header is made for
    for (std::size_t i = 0; i < 3000; ++i) ASSERT_EQ(pmw.program[i], 0x2000 + i);
    EXPECT_EQ(pmw.sumCheck(), programCheckCode(pmw.program, 8));
    // The keyword and latch settings return to the template of the type.
    EXPECT_EQ(std::string(pmw.parameterBlock.begin() + 8, pmw.parameterBlock.begin() + 16), "        ");
    EXPECT_EQ(pmw.pmwTail, pmwTailTemplate(7));
    EXPECT_EQ(fileStateFlags, 0);  // the go-ahead bit is left as it was
    // The program's title (bytes 10..63) survives the header template of another type.
    const std::string title = "Mixer line 2" + std::string(41, 'T') + '\0';
    std::copy(title.begin(), title.end(), pmw.pmwPre.begin() + 10);
    answerWithClicks({5});  // W3: type 2 with capacity 64
    plcTypeChange1Click();
    EXPECT_EQ(std::string(pmw.pmwPre.begin() + 10, pmw.pmwPre.begin() + 64), title);
    EXPECT_EQ(std::make_tuple(pmw.plcType(), pmw.memSizeCode(), connectedPlcType),
              std::make_tuple(2, std::int16_t{64}, 2));
    EXPECT_EQ(byteimage::getU16(pmw.pmwPre, 250), 62624);
}

}  // namespace
}  // namespace kestrion

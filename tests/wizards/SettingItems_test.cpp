#include "wizards/SettingItems.h"

#include "model/ConnectedPlc.h"
#include "model/MainState.h"
#include "model/PlcTypeDialog.h"
#include "model/ProgramImage.h"
#include "model/StepCount.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using platform::MsgIcon;
using platform::PlcTypeFormResult;

class PlcTypeChangeTest : public testing::CoreTest {
protected:
    PlcTypeChangeTest() {
        initPmwImageByType(5);  // N = 16
        for (std::size_t i = 0; i < 3000; ++i) pmw.program[i] = static_cast<std::uint16_t>(0x2000 + i);
        pmw.program[3000] = kEndCode;
        pmw.setSumCheck(programCheckCode(pmw.program, 16));
        std::copy_n("SECRET12", 8, pmw.parameterBlock.begin() + kParamKeywordOffset);
        convStepNo = 3001;
        fileStateFlags = kFileLastChoiceWentThrough;
    }

    // The user clicks the given items of the dialog, then OK.
    void answerWithClicks(std::initializer_list<int> items) {
        std::vector<int> clicks(items);
        fakes.dialogs.plcTypeAnswer = [clicks](std::int32_t type, std::int32_t n) {
            PlcTypeDialog dialog;
            dialog.plcType = type;
            dialog.memSizeCode = n;
            dialog.FormShow();
            for (int item : clicks) dialog.FennuRadioGroupClick(item);
            dialog.btnOkClick();
            return PlcTypeFormResult{dialog.okFlag, dialog.memSizeCode, dialog.plcType};
        };
    }
};

TEST_F(PlcTypeChangeTest, TheDialogIsPresetFromTheProgram) {
    pmw.setMemSizeCode(-2);  // sign-extended
    pmw.setPlcType(0xFFFF);  // zero-extended
    plcTypeChange1Click();
    ASSERT_EQ(fakes.dialogs.plcTypeRequests.size(), 1u);
    EXPECT_EQ(fakes.dialogs.plcTypeRequests[0].plcType, 0xFFFF);
    EXPECT_EQ(fakes.dialogs.plcTypeRequests[0].memSizeCode, -2);
}

TEST_F(PlcTypeChangeTest, CancelClearsTheGoAheadBitAndChangesNothingElse) {
    const PmwImage before = pmw;
    fileStateFlags = kFileLastChoiceWentThrough | kFileNoName;
    plcTypeChange1Click();
    EXPECT_EQ(fileStateFlags, kFileNoName);
    EXPECT_TRUE(pmw == before);
    EXPECT_EQ(connectedPlcType, kNoPlcDetected);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(PlcTypeChangeTest, CancelAfterChangingTheSelectionChangesNothing) {
    const PmwImage before = pmw;
    fakes.dialogs.plcTypeAnswer = [](std::int32_t type, std::int32_t n) {
        PlcTypeDialog dialog;
        dialog.plcType = type;
        dialog.memSizeCode = n;
        dialog.FormShow();
        dialog.FennuRadioGroupClick(5);
        dialog.btnCancelClick();
        return PlcTypeFormResult{dialog.okFlag, dialog.memSizeCode, dialog.plcType};
    };
    plcTypeChange1Click();
    EXPECT_TRUE(pmw == before);
    EXPECT_EQ(fileStateFlags & kFileLastChoiceWentThrough, 0);
}

TEST_F(PlcTypeChangeTest, ACapacityBelowTheProgramLengthIsRefusedAndNothingChanges) {
    const PmwImage before = pmw;
    fakes.statusBar.setPanelText(0, "Type=q3 MemorySize=16k");
    answerWithClicks({0});  // q0: type 1, N 2, room for 2000 steps of the 3001
    plcTypeChange1Click();
    EXPECT_EQ(fakes.statusBar.panelText(0), "Type=q3 MemorySize=16k");
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Program step error, Type can't change");
    EXPECT_EQ(fakes.messages.shown[0].caption, "Error2105120211");
    EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(fakes.messages.shown[0].buttons, platform::MsgButtons::Ok);
    EXPECT_TRUE(pmw == before);
    EXPECT_EQ(pmw.plcType(), 5);
    EXPECT_EQ(pmw.memSizeCode(), 16);
    EXPECT_EQ(connectedPlcType, kNoPlcDetected);
    EXPECT_EQ(fileStateFlags, kFileLastChoiceWentThrough);
}

TEST_F(PlcTypeChangeTest, TheNewTypeAndCapacityTakeOverAndTheWordsStay) {
    answerWithClicks({3});  // q2: type 7, N 16 becomes 8
    fileStateFlags = 0;
    plcTypeChange1Click();
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(pmw.plcType(), 7);
    EXPECT_EQ(pmw.memSizeCode(), 8);
    EXPECT_EQ(connectedPlcType, 7);
    // Capacity 8 is the one type 7's header template is made for.
    EXPECT_EQ(pmw.pmwPre, pmwPreTemplate(7));
    for (std::size_t i = 0; i < 3000; ++i) ASSERT_EQ(pmw.program[i], 0x2000 + i);
    EXPECT_EQ(pmw.program[3000], kEndCode);
    EXPECT_EQ(pmw.sumCheck(), programCheckCode(pmw.program, 8));
    // The keyword and latch settings return to the template of the type.
    EXPECT_EQ(std::string(pmw.parameterBlock.begin() + 8, pmw.parameterBlock.begin() + 16), "        ");
    EXPECT_EQ(pmw.pmwTail, pmwTailTemplate(7));
    // The go-ahead bit is left as it was.
    EXPECT_EQ(fileStateFlags, 0);
}

TEST_F(PlcTypeChangeTest, AProgramThatJustFitsIsAccepted) {
    convStepNo = 4000;
    answerWithClicks({1});  // q4: type 4, N 16 becomes 8
    plcTypeChange1Click();
    EXPECT_EQ(pmw.plcType(), 4);
    convStepNo = 8000;
    answerWithClicks({4});  // q3: type 5, N stays 8
    plcTypeChange1Click();
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(pmw.plcType(), 5);
    EXPECT_EQ(pmw.memSizeCode(), 8);
    convStepNo = 8001;
    answerWithClicks({4});
    plcTypeChange1Click();
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
}

TEST_F(PlcTypeChangeTest, ChangingToW3GivesCapacity64) {
    answerWithClicks({5});
    plcTypeChange1Click();
    EXPECT_EQ(pmw.plcType(), 2);
    EXPECT_EQ(pmw.memSizeCode(), 64);
    for (std::size_t offset : {78, 84, 94, 104}) EXPECT_EQ(byteimage::getU16(pmw.pmwPre, offset), 62560);
    EXPECT_EQ(byteimage::getU16(pmw.pmwPre, 250), 62624);
    EXPECT_EQ(pmw.parameterBlock[46], 0);
    EXPECT_EQ(connectedPlcType, 2);
}

TEST_F(PlcTypeChangeTest, AnAnswerWithAnUnknownTypeChangesNothing) {
    const PmwImage before = pmw;
    fakes.dialogs.plcTypeAnswer = [](std::int32_t, std::int32_t) { return PlcTypeFormResult{1, 16, 3}; };
    plcTypeChange1Click();
    EXPECT_TRUE(pmw == before);
    EXPECT_EQ(connectedPlcType, kNoPlcDetected);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].caption, "Parameter Error");
}

}  // namespace
}  // namespace kestrion

#include "diagnostics/ErrMsg1Dialog.h"
#include "model/image/ProgramImage.h"
#include "support/PlcSimLine.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

TEST_F(SerialLineTest, ThePlcsErrorsAndHistoryFillTheDiagnosticsDialog) {
    PlcSimProcess plc({"--type", "1", "--error", "8061=6103,0,125"});
    attachTo(plc, 0);
    pmw.setPlcType(1);
    ErrMsg1Dialog dialog;
    dialog.btnErrorCheck1Click();
    EXPECT_EQ(dialog.msgMemo, (Lines{" D8004=8061", " D8061=6103 ...System Program Code Error ...",
                                     " ErrorStepNo D8069=125"}));
    dialog.btnMachineStatus1Click();
    ASSERT_EQ(dialog.msgMemo.size(), 14u);
    EXPECT_EQ(dialog.msgMemo[2], " ErrorCount= [0001h], 1");
    EXPECT_EQ(dialog.msgMemo[4], " ErrorRecord01= [17D7h], 6103 ...System Program Code Error ...");
    EXPECT_EQ(dialog.msgMemo[13], " D8004=8061 current status with error");
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(SerialLineTest, ASilentPlcLeavesTheDiagnosticsDialogAsItWas) {
    PlcSimProcess plc({"--fault", "silence"});
    attachTo(plc, 0);
    ErrMsg1Dialog dialog;
    dialog.FormShow();
    dialog.btnErrorCheck1Click();
    EXPECT_EQ(dialog.msgMemo, Lines{"*** Push Button ***"});
    EXPECT_EQ(fakes.messages.shown.size(), 1u);  // the connection test's own
}

}  // namespace
}  // namespace kestrion::test

#include "support/PlcSimLine.h"
#include "wizards/gateway/CcLinkDialog.h"

namespace kestrion::test {
namespace {

TEST_F(SerialLineTest, SetupWritesD8110AndCheckReadsItBack) {
    PlcSimProcess plc({});
    attachTo(plc, 0);
    CcLinkDialog dialog;
    dialog.create();
    EXPECT_EQ(dialog.msgMemo.at(1), " D8110= [0000h]");
    dialog.userPick("OccupiedStationsComboBox", "4");
    dialog.userPick("BaudRateComboBox", "2.5Mbps");
    dialog.userText("StationNoCSpinEdit", "12");
    dialog.btnSetupClick();
    dialog.btnCheckClick();
    EXPECT_EQ(dialog.msgMemo, (std::vector<std::string>{
                                  "", " D8110= [320Ch]", "", " D8110.[m]=3 *Occupy[4]station", "",
                                  " D8110.[S]=2 *Baudrate=2.5Mbps", "", " D8110.[nn]=0Ch *StationNo=12"}));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

}  // namespace
}  // namespace kestrion::test

#include "monitor/access/AnyAddressOpeners.h"

#include "link/line/CommRecord.h"
#include "link/line/LinkCommand.h"
#include "model/core/MainState.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/EditorState.h"
#include "monitor/MonitorMode.h"
#include "monitor/access/AccessDialogs.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

// What each item enables and fills; the rest of the state is the same for all three.
struct SetUp {
    const char* caption;
    bool data;    // DataLabel, DataEdit
    bool byteNo;  // ByteNoLabel, ByteNoEdit
    bool read;
    bool write;
    bool force;  // btnForceOn, btnForceOff
    int iData;
    int iByteNo;
};

void openAnyAddress(const SetUp& setUp) {
    // The buttons keep the port open for one another; it is closed when the window has closed.
    runLinkCommand(PortAfter::Close, [&setUp] {
        AnyAddressDialog dialog;
        const platform::ScreenSize screen = platform::system().screenSize();
        dialog.caption = setUp.caption;
        dialog.width = screen.width * 8 / 10;
        dialog.height = screen.height * 8 / 10;
        dialog.dataEnabled = setUp.data;
        dialog.byteNoEnabled = setUp.byteNo;
        dialog.readEnabled = setUp.read;
        dialog.writeEnabled = setUp.write;
        dialog.forceOnEnabled = dialog.forceOffEnabled = setUp.force;
        dialog.iCommand = 2;
        dialog.iAddress = 0x09E0;
        dialog.iData = setUp.iData;
        dialog.iByteNo = setUp.iByteNo;
        dialog.iPageNo = 0;
        dialog.iDataType = 2;
        dialog.iDataLength = 16;
        accessDialogs().anyAddress(dialog);
    });
}

std::string line(const char* name, long long value) {
    return std::string(name) + "=" + std::to_string(value);
}

}  // namespace

void WriteAnyAddress1Click() {
    openAnyAddress({"Write any address", true, true, false, true, false, 1, 2});
}

void ReadAnyAddress1Click() {
    openAnyAddress({"Read any address", false, true, true, false, false, 0, 64});
}

void BitWrAnyAddress1Click() {
    openAnyAddress({"Force On/Off any bit address", false, false, false, false, true, 1, 2});
}

void SoftwareVariable1Click() {
    const platform::ScreenSize screen = platform::system().screenSize();
    accessDialogs().softwareVariables("顯示軟體Kestrion變數", screen.width * 40 / 50,
                                      screen.height * 60 / 100);
}

std::vector<std::string> softwareVariableLines() {
    return {"titleText=" + titleText,
            "installDir=" + installDir,
            line("plcType", pmw.plcType()),
            line("memSizeCode", pmw.memSizeCode()),
            line("connectedPlcType", connectedPlcType),
            line("editModeFlags", editModeFlags),
            line("monitorMode", monitorMode),
            line("commProtocol", commProtocol),
            "comPort=" + comPortName(),
            "baudText=" + baudText,
            line("comState", comState),
            line("rs.timeOut", rs.timeOut),
            line("rs.retryCount", rs.retryCount),
            line("rs.frameCount", rs.frameCount)};
}

}  // namespace kestrion

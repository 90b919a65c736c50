#include "link/line/LineCommands.h"

#include <algorithm>
#include <iterator>

namespace kestrion {

namespace {

// By the object names of their menu rows and buttons. The program and register transfers are not
// here: they refuse while a monitor runs, before any request.
constexpr std::string_view kClicksOnLine[] = {
    // PLC menu
    "TryToConnection1", "RemoteRunStop1", "ChangeCurrentValue1", "ChangeCurrentValue2", "MemoryClear1",
    "KeywordSetup1", "SetupUserId1", "Keyword2Setup1", "SetRTC1", "Version1", "ControllerStatus1",
    "InitialControllerMemory1", "PcbFRAMPid1", "PCB1", "FRAM1", "ProductId1", "Keyword2Delete1",
    "parameterRead1", "ParameterWrite1", "ParameterVerify1", "PlcProtocol1", "cLink1", "ModAsc1", "ModRtu1",
    "FreeUser1",
    // Monitor menu
    "TryToConnection2", "ForceBitOnOff1", "AxisMonitor1",
    // Option menu
    "ChangeComPort1", "ConnectionTest1", "Programcheck1", "KoSeries1", "Wseries2", "Diagnostics1",
    "MachineStatus1",
    // the developer menu xRS and the gateway setup
    "WriteAnyAddress1", "ReadAnyAddress1", "BitWrAnyAddress1", "ReadProgEndStepNo1", "WriteDregEnd2",
    "ccLinkProtocol1", "ccLinkProtocol2",
    // tool buttons
    "spbtnChangeComPort", "spbtnTryToConnection", "spbtnChangeValue", "spbtnErrorCheck", "spbtnMachineStatus",
    "spbtnRemoteRun1", "spbtnRemoteStop1", "spbtnForceOnOff"};

}  // namespace

bool clickWaitsForLine(std::string_view objectName) {
    return std::find(std::begin(kClicksOnLine), std::end(kClicksOnLine), objectName) !=
           std::end(kClicksOnLine);
}

}  // namespace kestrion

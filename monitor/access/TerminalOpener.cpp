#include "monitor/access/TerminalOpener.h"

#include "lang/LinkMessages.h"
#include "link/line/CommRecord.h"
#include "link/line/LinkCommand.h"
#include "link/terminals/TerminalDialogs.h"
#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "monitor/MonitorMode.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

bool serviceRefusedWhileMonitoring(const std::string& caption) {
    return refusedWhileMonitoring({getMsgStopMonitorFirst(), caption, platform::MsgIcon::Warning});
}

void WriteAnyCommand1Click() {
    const char* caption = "Write any command";
    if (serviceRefusedWhileMonitoring(caption)) return;
    const platform::SerialFormat savedFormat = comDcb;
    const std::uint32_t savedPort = comPortIndex;
    const std::uint32_t savedBaud = baudIndex;
    bool opened = false;
    // The terminal owns the port while it is open; the session closes it when the window closes.
    runLinkCommand(PortAfter::Close, [&] {
        opened = true;
        AnyCommandTerminal terminal;
        const platform::ScreenSize screen = platform::system().screenSize();
        terminal.width = screen.width * 8 / 10;
        terminal.height = screen.height * 4 / 10;
        commProtocol = FreeUser;
        terminalDialogs().anyCommandTerminal(terminal, caption);
    });
    if (!opened) return;
    releasePort();
    comDcb.parity = savedFormat.parity;
    comDcb.dataBits = savedFormat.dataBits;
    comDcb.stopBits = savedFormat.stopBits;
    // The settings file keeps the port and rate last chosen in the terminal; the link gets its own back.
    ModeData.comPortNo = comPortIndex;
    ModeData.baudRate = baudIndex;
    comPortIndex = savedPort;
    baudIndex = savedBaud;
    setBaudRate(baudIndex);
    setBaudRateString(baudIndex);
    commProtocol = sysProtocol;
}

}  // namespace kestrion

// The monitor poll: the main window's Timer3 (100 ms while a monitor runs) makes one request a
// tick, alternating a word phase (D8001, D8010 and the word devices) and a bit phase (M8000 and the
// bit devices), and spreads the values over the special registers, the value tables, the status
// bar, the rows of the device list and the monitor fields of the ladder objects on screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/line/LineHold.h"
#include "model/image/MonitorLists.h"

namespace kestrion {

struct stLadderBlock;

void Timer3Timer();

// Timer3 on at 100 ms, off (back at 100 ms), and whether it runs.
void startTimer3();
void stopTimer3();
bool timer3Running();

// The text a device list row shows for a value read: value the 32-bit work value (the low 16 bits
// alone for 16-bit devices).
std::string monitorValueText(std::uint32_t value, std::uint16_t dataType, std::uint16_t displayFormat);

// The drawing marks of a contact or coil for the bit just polled.
void applyEdgeRules(stLadderBlock& object, bool bit);

// A click that needs the line, made while the poll's own request waits (its wait runs the message
// loop, so the click would find the line busy): true when the click has to wait for that request to
// end. The poll then makes no new request until releasePollHold(), or for a second at most.
bool holdPollForClick();
void releasePollHold();

// The poll's hold as the line's clicks ask for it, the link's own dialogs (the force dialog) as the
// monitor's: installed at start-up beside the dialogs.
class MonitorLineHold : public LineHold {
public:
    bool holdForClick() override { return holdPollForClick(); }
    void release() override { releasePollHold(); }
};

// MonitorValue, ByteMonitor and BitMonitor as they stand, 16 to a row under their names, as the
// machine-code view shows them.
std::vector<std::string> monitorTableRows();

// Monitor menu and PLC menu opening, and the monitor pop-up: a running poll slows to 2000 ms while
// the user chooses (Timer2 brings it back).
void mmPLCClick();
void mmMonitorClick();
void PopupMenu4Popup();

}  // namespace kestrion

// The connection test every PLC command begins with: the ENQ probes, the fall-back to 9600 baud
// and the rate negotiation, the special-register block read and the PLC type detection; and the
// user's connection test.
#pragma once

#include "link/line/Frames.h"
#include "model/image/ConnectedPlc.h"

namespace kestrion {

// 1 when the link is usable at the chosen rate, 0 otherwise. It also returns 1 when its last probe
// went unanswered: callers test comPortHandle and bit 7 of rs.status as well.
int TryToConnection(int showMsg);
// ENQ alone, awaited for 10 poller ticks.
LinkOutcome sendEnq(int showMsg);
// D8000..D8127 into D8Kreg in four reads; 1 when all four were answered with their data.
int readPlcSystemBlock(int showMsg, int detect);
void detectPlcType();
int isConnectedTypeSelected();

// Option > "Connection test": the test and its pop-up; the port stays open.
void ConnectionTest1Click();
// The same test from the PLC and Monitor menus and the buttons; they close the port afterwards.
void TryToConnection1Click();
void TryToConnection2Click();
void spbtnTryToConnectionClick();
void btnTryConnectionClick();

}  // namespace kestrion

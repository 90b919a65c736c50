#include "link/line/LinkCommand.h"

#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LineState.h"
#include "link/line/Receive.h"
#include "link/line/Requests.h"

namespace kestrion {

LinkSession::LinkSession(PortAfter after, IfBusy ifBusy, SessionOf of)
    : after_(after),
      refused_(ifBusy == IfBusy::Say ? refusedAsBusy() : linkBusy()),
      ownsInput_(!refused_ && of == SessionOf::Command) {
    // The outermost command shows the window busy until it ends, its waits for the line included.
    if (ownsInput_ && lineState.inputOwningSessions++ == 0) platform::system().showBusy(true);
}

LinkSession::~LinkSession() {
    if (!refused_ && after_ == PortAfter::Close) releasePort();
    if (ownsInput_ && --lineState.inputOwningSessions == 0) platform::system().showBusy(false);
}

bool linkCommandOwnsInput() {
    return lineState.inputOwningSessions > 0;
}

void releasePort() {
    closeComPort();
}

void abandonCommand() {
    throw LinkError("the PLC command was abandoned");
}

void failCommand(const platform::Box& box) {
    platform::say(box);
    abandonCommand();
}

void requireConnection() {
    if (TryToConnection(1) != 1 || comPortHandle == -1 || (rs.status & kRsWaiting) != 0) abandonCommand();
}

void requireSystemBlock(int detect) {
    if (readPlcSystemBlock(1, detect) != 1) abandonCommand();
}

void requireTypeMatch(const platform::Box& mismatch) {
    if (isConnectedTypeSelected() != 1) failCommand(mismatch);
}

void requireAnswered(LinkOutcome outcome, const platform::Box& timeOut, const platform::Box& nak) {
    if (outcome == LinkOutcome::Done) return;
    failCommand(outcome == LinkOutcome::Nak ? nak : timeOut);
}

}  // namespace kestrion

#include "link/LinkCommand.h"

#include <utility>

#include "editor/Progress.h"
#include "link/CommRecord.h"
#include "link/Connection.h"
#include "link/LinkState.h"
#include "link/Receive.h"
#include "link/RegisterReads.h"

namespace kestrion {

namespace {

LineHold installedLineHold;

}  // namespace

LinkSession::LinkSession(PortAfter after, IfBusy ifBusy)
    : after_(after), refused_(ifBusy == IfBusy::Say ? refusedAsBusy() : linkBusy()) {}

LinkSession::~LinkSession() {
    if (!refused_ && after_ == PortAfter::Close) closeComPort();
}

LineHold setLineHold(LineHold lineHold) {
    return std::exchange(installedLineHold, lineHold);
}

bool holdLineForClick() {
    return installedLineHold.hold != nullptr && installedLineHold.hold();
}

void releaseLineHold() {
    if (installedLineHold.release != nullptr) installedLineHold.release();
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

LinkProgress::LinkProgress(std::string caption, int maximum)
    : caption_(std::move(caption)), maximum_(maximum), outer_(linkState.progress) {
    linkState.progress = this;
    show();
}

LinkProgress::~LinkProgress() {
    linkState.progress = outer_;
    if (outer_ != nullptr)
        outer_->show();
    else
        platform::progress().hide();
}

void LinkProgress::setPosition(int position) {
    position_ = position;
    platform::progress().setPosition(position);
}

void LinkProgress::show() const {
    showProgress(nullptr, maximum_, caption_);
    if (position_ != 0) platform::progress().setPosition(position_);
}

}  // namespace kestrion

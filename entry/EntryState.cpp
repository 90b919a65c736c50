#include "entry/EntryState.h"

#include "model/core/StateRegistry.h"
#include "platform/Services.h"

namespace kestrion {

EntryState entryState;

std::uint8_t& editInstrFlags = entryState.editInstrFlags;
std::uint32_t& instrResultCode = entryState.instrResultCode;
std::array<char, kOperandCount>& operandIndexDigit = entryState.operandIndexDigit;
std::uint32_t& FncKeyDeviceCode = entryState.FncKeyDeviceCode;
std::uint8_t& iFncFlag = entryState.iFncFlag;
std::uint32_t& iconSymbleCode = entryState.iconSymbleCode;
std::uint8_t& editEntryFlags = entryState.editEntryFlags;
std::uint16_t& editedObjectCode = entryState.editedObjectCode;
std::uint32_t& xMouseCell = entryState.xMouseCell;
std::uint32_t& yMouseCell = entryState.yMouseCell;

void debugMemo6Add(const std::string& a, const std::string& b) {
    platform::TraceMemos& memos = platform::trace();
    if (!memos.visible(platform::Memo::Debug6)) return;
    memos.append(platform::Memo::Debug6, a + ", " + b);
}

void resetEntryState() {
    entryState = {};
}

namespace {

[[maybe_unused]] const bool registered = state::registerReset("entry", resetEntryState);

}  // namespace

}  // namespace kestrion

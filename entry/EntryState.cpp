#include "entry/EntryState.h"

#include "platform/Services.h"

namespace kestrion {

EntryState entryState;

void debugMemo6Add(const std::string& a, const std::string& b) {
    platform::TraceMemos& memos = platform::trace();
    if (!memos.visible(platform::Memo::Debug6)) return;
    memos.append(platform::Memo::Debug6, a + ", " + b);
}

void resetEntryState() {
    entryState = {};
}

}  // namespace kestrion

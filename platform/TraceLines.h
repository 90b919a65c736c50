// The trace lines of the developer memos. A routine writes its trace to its memo only while that
// memo is shown, so a hidden memo takes nothing and costs nothing.
#pragma once

#include <string>

#include "platform/Services.h"

namespace kestrion::platform {

// Appends the line "a, b" to the memo while it is visible.
void memoAdd(Memo memo, const std::string& a, const std::string& b);

// The canvas passes.
inline void debugMemo2Add(const std::string& a, const std::string& b) {
    memoAdd(Memo::Debug2, a, b);
}
// The object inserts.
inline void debugMemo3Add(const std::string& a, const std::string& b) {
    memoAdd(Memo::Debug3, a, b);
}
// The placements of the loader: the text alone.
void debugMemo4Add(const std::string& text);
// The layers of the MPS pass and the steps of the entry device monitor's start. The memo keeps
// about a hundred lines: holding more than 99, it is cleared before the line goes in.
void debugMemo9Add(const std::string& a, const std::string& b);

}  // namespace kestrion::platform

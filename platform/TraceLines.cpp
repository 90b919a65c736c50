#include "platform/TraceLines.h"

namespace kestrion::platform {

namespace {

constexpr int kMemo9MaxLines = 99;

}  // namespace

void memoAdd(Memo memo, const std::string& a, const std::string& b) {
    TraceMemos& memos = trace();
    if (memos.visible(memo)) memos.append(memo, a + ", " + b);
}

void debugMemo4Add(const std::string& text) {
    TraceMemos& memos = trace();
    if (memos.visible(Memo::Debug4)) memos.append(Memo::Debug4, text);
}

void debugMemo9Add(const std::string& a, const std::string& b) {
    TraceMemos& memos = trace();
    if (memos.visible(Memo::Debug9) && memos.lineCount(Memo::Debug9) > kMemo9MaxLines)
        memos.clear(Memo::Debug9);
    memoAdd(Memo::Debug9, a, b);
}

}  // namespace kestrion::platform

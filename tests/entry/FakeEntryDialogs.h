#pragma once

#include <deque>
#include <string>
#include <vector>

#include "entry/EntryDialogs.h"
#include "entry/EntryDriver.h"
#include "entry/EntryState.h"

namespace kestrion::test {

// Each key as the box's edit line takes it; a backspace erases the character before the caret
// (which stands after the text).
inline void playKeys(EditKeyBox& box, const std::string& keys) {
    for (char key : keys) {
        if (box.closed) return;
        if (!box.keyPress(key)) continue;
        if (key == '\b') {
            if (!box.line.empty()) box.line.pop_back();
        } else {
            box.type(key);
        }
    }
}

class FakeEntryDialogs : public EntryDialogs {
public:
    void editKey(EditKeyBox& box) override {
        box.FormPaint();
        opened.push_back(box.initialText);
        toolsAtOpen.push_back(iconSymbleCode);
        std::string keys = scripts.empty() ? std::string() : scripts.front();
        if (!scripts.empty()) scripts.pop_front();
        playKeys(box, keys);
        if (!box.closed) playKeys(box, "\x1b");
    }
    void inputDevice(InputDeviceDialog&) override {}
    void hideInstrMemoScreen() override { ++memoHidden; }
    void revealHiddenItems(HiddenItems items) override { revealed.push_back(items); }
    std::deque<std::string> scripts;
    std::vector<std::string> opened;         // initial texts of the boxes shown
    std::vector<std::uint32_t> toolsAtOpen;  // the tool symbol each box opened with
    int memoHidden = 0;
    std::vector<HiddenItems> revealed;

    // Drops the boxes and reveals recorded so far (the scripts still to be typed stay).
    void forgetRecords() {
        opened.clear();
        toolsAtOpen.clear();
        revealed.clear();
    }
};

}  // namespace kestrion::test

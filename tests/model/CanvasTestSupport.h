#pragma once

#include <string>
#include <vector>

#include "devviews/VirtualArrayDump.h"
#include "model/LadderTestSupport.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion::test {

using Picture = std::vector<std::string>;
using Texts = std::vector<std::string>;

constexpr std::uint16_t kLd = 0x2000, kAnd = 0x4000, kOr = 0x6000, kOut = 0xC000, kStl = 0xF000;
constexpr std::uint16_t kLabel = 0xB000;

class CanvasTest : public LadderTest {
protected:
    CanvasTest() { clearVirtualCanvas(); }
    void restart(std::uint32_t endY = 640) {
        resetAllState();
        fakes.messages.shown.clear();
        fakes.statusBar.setPanelText(13, "");
        ModeData.xSizeSymble = 80;
        ModeData.ySizeSymble = 64;
        setupDrawGeometry();
        clearVirtualCanvas();
        initLadderList(1040, endY);
    }
    static void paint(const Picture& picture) {
        for (std::size_t row = 0; row < picture.size(); ++row)
            for (std::size_t column = 0; column < picture[row].size(); ++column)
                if (picture[row][column] != ' ')
                    setCanvasCell(std::int64_t(column), std::int64_t(row), picture[row][column]);
    }
    static Picture dump(std::size_t rows = kCanvasRows) {
        Picture picture = virtualArrayDumpRows(kDumpVirtualArray);
        picture.resize(std::min(picture.size(), rows));
        while (!picture.empty() && picture.back().empty()) picture.pop_back();
        return picture;
    }
    static void startList(std::uint32_t endY = 640) { initLadderList(1040, endY); }
    static stLadderBlock* object(std::uint16_t code, std::uint32_t x, std::uint32_t y, std::uint32_t top = 0,
                                 std::uint32_t id = 1, const char* mnemonic = "") {
        stLadderBlock* o = addBeforeEnd(x, y, code, id);
        o->yTopPos = top;
        setText(o->mnemonic, mnemonic);
        return o;
    }
    static Texts objects() {
        Texts out;
        for (const stLadderBlock* o = ldrHead; o != ldrTail; o = o->next)
            out.push_back(std::to_string(o->xAddr) + "," + std::to_string(o->yAddr) + " " +
                          textOf(o->mnemonic));
        return out;
    }
    static std::vector<std::uint32_t> nops() {
        std::vector<std::uint32_t> out;
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
            if (o->iCode == kCodeNop) out.push_back(o->xAddr);
        return out;
    }
    Texts boxes() const {
        Texts out;
        for (const auto& box : fakes.messages.shown) out.push_back(box.text + " | " + box.caption);
        return out;
    }
};

struct RecordingView : LadderView {
    void drawVerticalLineSegment(int up, std::uint32_t x, std::uint32_t y, std::uint32_t dy,
                                 std::uint32_t zoom) override {
        segments.push_back(std::to_string(up) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                           std::to_string(dy) + " " + std::to_string(zoom));
    }
    void scrollTo(const ViewScroll&) override {}
    Texts segments;
};

}  // namespace kestrion::test

// Shared by the canvas tests: the start-up geometry (cells of 80 x 64, half cells of 40 x 32, 14
// cells a line), pictures painted into the canvas and read back through the grid dump, and small
// ladders built object by object.
#pragma once

#include <string>
#include <vector>

#include "devviews/VirtualArrayDump.h"
#include "model/CanvasState.h"
#include "model/LadderTestSupport.h"
#include "model/VirtualCanvas.h"

namespace kestrion::testing {

using Picture = std::vector<std::string>;

class CanvasTest : public LadderTest {
protected:
    CanvasTest() { clearVirtualCanvas(); }

    // Writes every non-blank character of the picture; row i of the picture is canvas row i.
    static void paint(const Picture& picture) {
        for (std::size_t row = 0; row < picture.size(); ++row)
            for (std::size_t column = 0; column < picture[row].size(); ++column)
                if (picture[row][column] != ' ')
                    setCanvasCell(static_cast<std::int64_t>(column), static_cast<std::int64_t>(row),
                                  picture[row][column]);
    }

    static Picture dump(int grid = kDumpVirtualArray) { return virtualArrayDumpRows(grid); }

    // The dump of the first rows only, without trailing blank rows.
    static Picture dumpAbove(std::size_t rows) {
        Picture picture = dump();
        picture.resize(std::min(picture.size(), rows));
        while (!picture.empty() && picture.back().empty()) picture.pop_back();
        return picture;
    }

    // A main list of END at (endX, endY) alone.
    static void startList(std::uint32_t endX = 1040, std::uint32_t endY = 640) { initLadderList(endX, endY); }

    // An object linked in front of END at cell k of line m.
    static stLadderBlock* object(std::uint16_t code, std::uint32_t x, std::uint32_t y, std::uint32_t top = 0,
                                 std::uint32_t id = 1) {
        stLadderBlock* o = addBeforeEnd(x, y, code, id);
        o->yTopPos = top;
        return o;
    }

    static std::vector<std::uint32_t> xs() {
        std::vector<std::uint32_t> out;
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) out.push_back(o->xAddr);
        return out;
    }

    static std::vector<std::string> mnemonics() {
        std::vector<std::string> out;
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) out.push_back(textOf(o->mnemonic));
        return out;
    }

    std::vector<std::string> boxes() const {
        std::vector<std::string> out;
        for (const auto& box : fakes.messages.shown) out.push_back(box.text + " | " + box.caption);
        return out;
    }
};

// Codes used by the pictures.
constexpr std::uint16_t kLd = 0x2000;
constexpr std::uint16_t kAnd = 0x4000;
constexpr std::uint16_t kOr = 0x6000;
constexpr std::uint16_t kOut = 0xC000;
constexpr std::uint16_t kStl = 0xF000;
constexpr std::uint16_t kLabel = 0xB000;

}  // namespace kestrion::testing

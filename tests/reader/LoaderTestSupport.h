// Loading programs made of instruction words in the tests of the loader: a fresh image of a
// memory size, the words from step 0, and the load sequence from the END-only list to the line
// cells, with the object list and the canvas read back as text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "devviews/ObjectListDump.h"
#include "devviews/VirtualArrayDump.h"
#include "model/core/CommandTransaction.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "reader/LoadState.h"
#include "reader/MachineCodeLoader.h"
#include "support/Fixture.h"

namespace kestrion::test {

using Words = std::vector<std::uint16_t>;

class LoaderTest : public CoreTest {
protected:
    LoaderTest() { prepare(); }
    // The geometry of start-up (80 x 64 cells, 14 columns) and an END-only program.
    void prepare() {
        ModeData.xSizeSymble = 80;
        ModeData.ySizeSymble = 64;
        deviceColumns = 14;
        setupDrawGeometry();
        readerState.placed.verify = true;  // every answer of the placement index is checked
        put({0x000F});
        startLadder();
    }
    void put(const Words& words, std::int16_t memSizeCode = 2) {
        pmw.setMemSizeCode(memSizeCode);
        pmw.program.fill(0xFFFF);
        std::copy(words.begin(), words.end(), pmw.program.begin());
    }
    static void startLadder() {
        initLadderList(draw.iBusLineEnd - ModeData.xSizeSymble, 0);
        setBlueFrameObject(draw.iBusLineStart, 0);
    }
    // The load sequence of a program read from a file, without its comments; false when the load
    // stopped (the model is then as it was before).
    bool load(const Words& words, std::int16_t memSizeCode = 2) {
        put(words, memSizeCode);
        return runCommand(loadSequence);
    }
    static void loadSequence() {
        startLadder();
        convMachineCodeToLadder("Test");
        followWidenedBus();
        finishLoadedLadder();
    }
    // One line per object: position, texts, code, kind, block id, then step, Xend, xBlockAddr,
    // yTopPos and xMaxi.
    static std::vector<std::string> objects() {
        std::vector<std::string> rows = objectListDetailRows();
        std::size_t i = 0;
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next, ++i)
            rows[i] += " step=" + std::to_string(o->stepNo) + " xe=" + std::to_string(o->Xend) +
                       " xb=" + std::to_string(o->xBlockAddr) + " top=" + std::to_string(o->yTopPos) +
                       " xm=" + std::to_string(o->xMaxi);
        return rows;
    }
    static std::vector<std::string> canvas() { return virtualArrayDumpRows(kDumpVirtualArray); }
};

}  // namespace kestrion::test

// Lines typed into the instruction box by a test: the fake box answers with the keys scripted for
// it, and the typing starts on a type-5 program of 8K steps that the test loads from its words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "entry/FakeEntryDialogs.h"
#include "entry/InstructionBox.h"
#include "grammar/ProgramGrammar.h"
#include "model/ladder/CanvasState.h"
#include "reader/LoaderTestSupport.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {

// The boxes of a line refused for the rung it leaves, and of an insert refused for its place.
inline const std::string kLineRefused = "Input Error...Can't write | Error2015031910 | warning";
inline const std::string kInsertRefused = "This position can't insert | Msg2015011911 | warning";
// The boxes with which the box refuses a line for its place.
inline const std::vector<std::string> kPlaceRefusals = {
    kLineRefused, kInsertRefused, "Edit symble position error | Address Error | warning"};
// Shown by Convert for a program whose first instruction is STL, which it converts all the same.
inline const std::string kFirstIsStl = "First Instruction is STL... | *Modify_xBlockAddr | error";

// A program from its instruction lines, END added.
inline Words programOf(const std::vector<std::string>& lines) {
    Words words;
    for (const std::string& line : lines) {
        const Words more = grammar::assemble(line);
        words.insert(words.end(), more.begin(), more.end());
    }
    words.push_back(0x000F);
    return words;
}

inline void placeCursor(std::uint32_t x, std::uint32_t y) {
    xOldCursor = x;
    yOldCursor = y;
    setBlueFrameObject(x, y);
}

// A line typed at the cursor (x, y), its first key opening the box.
inline void typeLineAt(FakeEntryDialogs& box, std::uint32_t x, std::uint32_t y, const std::string& line) {
    placeCursor(x, y);
    box.scripts.push_back(line.substr(1) + "\r");
    openInstructionBoxOnKey(line[0]);
}

class TypingTest : public LoaderTest {
protected:
    TypingTest() { fresh(); }
    void fresh() {
        resetAllState();
        prepare();
        initPmwImageByType(5);
        EXPECT_TRUE(initPmwImageForTypeAndSize(5, 8));
        fakes.messages.shown.clear();
    }
    bool loadProgram(const Words& words) {
        fresh();
        const bool loaded = load(words, 8);
        fakes.messages.shown.clear();
        return loaded;
    }
    // Every object as "x,y line", END included.
    static std::vector<std::string> ladder() {
        std::vector<std::string> rows;
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
            rows.push_back(std::to_string(o->xAddr) + "," + std::to_string(o->yAddr) + " " +
                           objectEntryText(*o));
        return rows;
    }
    static Words program(std::size_t count) {
        return Words(pmw.program.begin(), pmw.program.begin() + static_cast<std::ptrdiff_t>(count));
    }
    void type(std::uint32_t x, std::uint32_t y, const std::string& line) {
        typeLineAt(entryDialogs, x, y, line);
    }
    Boxes boxes() const { return shownBoxes(fakes.messages); }
    FakeEntryDialogs entryDialogs;
    InstalledDialogs<EntryDialogs> installed{entryDialogs};
};

}  // namespace kestrion::test

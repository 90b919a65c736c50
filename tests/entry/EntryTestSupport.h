// Ground of the entry tests: the canvas geometry of the model tests (cells of 80 x 64, right bus at
// 1120), a PLC type whose X and Y reach X017 / Y017, an empty program whose END stands at the end of
// the first line, and the fake instruction box.
#pragma once

#include "devviews/ObjectListDump.h"
#include "entry/EntryState.h"
#include "entry/FakeEntryDialogs.h"
#include "entry/InstructionBox.h"
#include "model/CanvasTestSupport.h"
#include "model/EditorState.h"
#include "model/ProgramImage.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {

class EntryTest : public CanvasTest {
protected:
    EntryTest() { freshProgram(); }

    void freshProgram() {
        restart(0);
        pmw.setPlcType(5);
        ldrNow = ldrTail;
        setNowObjectCell();
        xOldCursor = 80;
        yOldCursor = 0;
        BlueFrame = {80, 0, 159, 63};
    }

    // Each line typed into a box opened by its first character, then Enter; "@x,y" moves the cursor.
    void typeLines(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            if (line[0] == '@') {
                xOldCursor = static_cast<std::uint32_t>(std::stoul(line.substr(1)));
                yOldCursor = static_cast<std::uint32_t>(std::stoul(line.substr(line.find(',') + 1)));
                continue;
            }
            entryDialogs.scripts.push_back(line.substr(1) + "\r");
            BlueFrame.x1 = xOldCursor;
            BlueFrame.y1 = yOldCursor;
            openInstructionBoxOnKey(line[0]);
        }
    }

    // One Enter on a box holding text, typed or after a symbol; the box, to see how it ended.
    EditKeyBox enter(const std::string& text, std::uint32_t symbol = kFncKeyTyped) {
        EditKeyBox box;
        box.line = text;
        iconSymbleCode = symbol == kFncKeyTyped ? 0 : symbol;
        FncKeyDeviceCode = symbol;
        BlueFrame.x1 = xOldCursor;
        BlueFrame.y1 = yOldCursor;
        box.keyPress('\r');
        return box;
    }

    Boxes boxes() const { return shownBoxes(fakes.messages); }

    FakeEntryDialogs entryDialogs;

private:
    InstalledDialogs<EntryDialogs> installed_{entryDialogs};
};

}  // namespace kestrion::test

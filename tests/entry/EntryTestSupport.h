#pragma once

#include "devviews/ObjectListDump.h"
#include "entry/EntryState.h"
#include "entry/FakeEntryDialogs.h"
#include "entry/InstructionBox.h"
#include "model/CanvasTestSupport.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/EditorState.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {

class EntryTest : public CanvasTest {
protected:
    EntryTest() { freshProgram(); }
    void freshProgram() {
        restart(0);
        pmw.setPlcType(5);
        pmw.setMemSizeCode(8);
        ldrNow = ldrTail;
        setNowObjectCell();
        xOldCursor = 80;
        yOldCursor = 0;
        BlueFrame = {80, 0, 159, 63};
    }

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

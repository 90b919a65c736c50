// A loaded program for the find, go-to and replace tests, with its steps:
//   0 LD X000   1 OUT Y000            line 1
//   2 LD X010   3 MOV K10 D100        line 2
//   8 LD X001   9 MOVP K4M0 D0        line 3
//  14 LD X010  15 OUT Y001            line 4
//  16 LD M0    17 OUT M1              line 5
//  18 END                             line 6
#pragma once

#include <string>

#include "editor/FakeEditorDialogs.h"
#include "entry/InstructionBox.h"
#include "model/image/CommentLists.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/EditorState.h"
#include "reader/LoaderTestSupport.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {

inline const Words kFindProgram = {0x2400, 0xC500, 0x2408, 0x0028, 0x800A, 0x8000, 0x86C8,
                                   0x8600, 0x2401, 0x1028, 0x8400, 0x8808, 0x8600, 0x8600,
                                   0x2408, 0xC501, 0x2800, 0xC801, 0x000F};

class FindTest : public LoaderTest {
protected:
    FindTest() {
        initPmwImageByType(5);
        EXPECT_TRUE(initPmwImageForTypeAndSize(5, 8));
        EXPECT_TRUE(load(kFindProgram, 8));
        frameAt(80, 0);
        fakes.messages.shown.clear();
    }
    static void frameAt(std::uint32_t x, std::uint32_t y) {
        xOldCursor = x;
        yOldCursor = y;
        setBlueFrameObject(x, y);
    }
    // The instruction line of the framed object and its step, as "2 LD X010".
    static std::string framed() {
        const stLadderBlock* o = nullptr;
        for (const stLadderBlock* at = ldrHead; at != nullptr; at = at->next)
            if (at->xAddr == BlueFrame.x1 && at->yAddr == BlueFrame.y1 && at->iCode != 0xFFFF) o = at;
        if (o == nullptr)
            return "none at " + std::to_string(BlueFrame.x1) + "," + std::to_string(BlueFrame.y1);
        return std::to_string(o->stepNo) + " " + objectEntryText(*o);
    }
    // The first object whose instruction line reads so.
    static stLadderBlock* objectOf(const std::string& line) {
        for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
            if (objectEntryText(*o) == line) return o;
        return nullptr;
    }
    static void comment(char letter, std::uint16_t number, const std::string& text) {
        appendDeviceComment(letter, number, text);
    }
    Boxes boxes() const { return shownBoxes(fakes.messages); }
    FakeEditorDialogs editorDialogs;
    InstalledDialogs<EditorDialogs> installedEditorDialogs{editorDialogs};
};

}  // namespace kestrion::test

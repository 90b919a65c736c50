// The ladder as the view draws it, to compare what was on screen with what the load reads back
// after Convert: each instruction at its cell with its mnemonic, a contact by its symbol (its LD, AND
// and OR forms look alike; the links tell them apart), and the vertical links of the canvas. Wire
// fillers and the joints that Convert places anew are not drawn; the operands are left to the words
// Convert writes (the load writes Y004 where Y4 was typed).
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "devviews/VirtualArrayDump.h"
#include "entry/InstructionBox.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/ContactRenamers.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"

namespace kestrion::test {

inline bool drawnAsAnInstruction(std::uint16_t code) {
    return !isPlaceholderWord(code) && (code < 0xFFF8 || code > 0xFFFC);
}

inline std::vector<std::string> shownLadder() {
    std::vector<std::string> rows;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (!drawnAsAnInstruction(o->iCode)) continue;
        std::string text = objectEntryText(*o);
        text = text.substr(0, text.find(' '));
        if (renamedContactCode(o->iCode, ContactFamily::Ld)) {
            text = renamedContactMnemonic(text, ContactFamily::Ld);
        }
        rows.push_back(std::to_string(o->xAddr) + "," + std::to_string(o->yAddr) + " " + text);
    }
    std::sort(rows.begin(), rows.end());
    const std::vector<std::string> canvas = virtualArrayDumpRows(kDumpVirtualArray);
    for (std::size_t r = 0; r < canvas.size(); ++r) {
        std::string links = canvas[r];
        std::replace_if(
            links.begin(), links.end(), [](char c) { return c != '|'; }, ' ');
        links.erase(links.find_last_not_of(' ') + 1);
        if (!links.empty()) rows.push_back("links " + std::to_string(r) + " " + links);
    }
    return rows;
}

}  // namespace kestrion::test

#include "devviews/ObjectListDump.h"

#include "model/LadderObject.h"

namespace kestrion {

std::vector<std::string> objectListDumpRows() {
    std::vector<std::string> rows;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        std::string mnemonic = textOf(o->mnemonic);
        if (mnemonic.empty()) mnemonic = "?";
        rows.push_back(mnemonic + " " + std::to_string(o->xAddr) + "," + std::to_string(o->yAddr));
    }
    return rows;
}

}  // namespace kestrion

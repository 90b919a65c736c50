#include "devviews/ObjectListDump.h"

#include "model/instructions/Conversions.h"
#include "model/ladder/LadderObject.h"

namespace kestrion {

namespace {

std::string wordOf(const char* text, std::size_t size) {
    std::string word;
    for (std::size_t i = 0; i < size && text[i] != '\0' && text[i] != ' '; ++i) word.push_back(text[i]);
    return word;
}

}  // namespace

std::vector<std::string> objectListDumpRows() {
    std::vector<std::string> rows;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        std::string mnemonic = textOf(o->mnemonic);
        if (mnemonic.empty()) mnemonic = "?";
        rows.push_back(mnemonic + " " + std::to_string(o->xAddr) + "," + std::to_string(o->yAddr));
    }
    return rows;
}

std::vector<std::string> objectListDetailRows() {
    std::vector<std::string> rows;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        std::string row = std::to_string(o->xAddr) + "," + std::to_string(o->yAddr) + " " +
                          wordOf(o->mnemonic.data(), o->mnemonic.size());
        for (const auto& operand : o->operands) {
            const std::string word = wordOf(operand.data(), operand.size());
            if (!word.empty()) row += " " + word;
        }
        const std::string sixth = wordOf(o->operand6.data(), o->operand6.size());
        if (!sixth.empty()) row += " " + sixth;
        rows.push_back(row + " code=" + hexText(o->iCode, 4) + " end=" + std::to_string(o->end) +
                       " id=" + std::to_string(o->objLbc));
    }
    return rows;
}

}  // namespace kestrion

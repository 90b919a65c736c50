#include "model/ladder/NewObjectInit.h"

#include "model/core/MemoryNotEnough.h"
#include "model/ladder/LadderObject.h"

namespace kestrion {

// Without ldrNew the allocation before the call failed: the program cannot go on.
void initNewObjectText() {
    if (ldrNew == nullptr) haltMemoryNotEnough("Error2014121613...");
    ldrNew->mnemonic = {};
    ldrNew->operands = {};
    ldrNew->operand6 = {};
}

void initNewObjectFields() {
    if (ldrNew == nullptr) haltMemoryNotEnough("Error2014121614...");
    ldrNew->ItemNo = {};
    ldrNew->monValue = {};
    ldrNew->monMark = 0;
    ldrNew->monState = 0;
    ldrNew->unsettled276 = 0;
}

}  // namespace kestrion

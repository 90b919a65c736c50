#include "compiler/CommentStepCarry.h"

#include <cstdint>

#include "model/image/CommentLists.h"
#include "model/image/ModeData.h"
#include "model/ladder/LadderObject.h"

namespace kestrion {

namespace {

// Ids are compared as the unsigned 16-bit values both sides hold, so ids from 32768 up still match.
const stLadderBlock* objectWithId(std::uint16_t id, std::uint16_t stLadderBlock::*field) {
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->*field == id) return o;
    return nullptr;
}

template <class List>
void carrySteps(List& list, std::uint16_t stLadderBlock::*field, bool (*remove)(), std::uint16_t& count) {
    if (list.head == nullptr || ldrHead == nullptr) return;
    for (auto* node = list.head; node != nullptr;) {
        auto* next = node->next;
        if (node->commentId != 0) {
            if (const stLadderBlock* o = objectWithId(node->commentId, field)) {
                node->stepNo = static_cast<std::uint16_t>(o->stepNo);
            } else {
                list.walker = node;
                if (remove()) --count;
            }
        }
        node = next;
    }
}

}  // namespace

void updateBlockCommentSteps() {
    carrySteps(blockCommentList, &stLadderBlock::idBC, &deleteBlockComment, ModeData.blockCommentCount);
}

void updateCoilCommentSteps() {
    carrySteps(coilCommentList, &stLadderBlock::idCC, &deleteCoilComment, ModeData.coilCommentCount);
}

}  // namespace kestrion

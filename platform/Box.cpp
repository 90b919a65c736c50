#include "platform/Box.h"

#include <utility>

namespace kestrion::platform {

namespace {

std::vector<Box>* heldBoxes = nullptr;

}  // namespace

void say(const Box& box) {
    if (heldBoxes != nullptr) {
        heldBoxes->push_back(box);
        return;
    }
    messages().show(box.text, box.caption, box.icon, MsgButtons::Ok);
}

SaidAfterwards::SaidAfterwards() : outer_(std::exchange(heldBoxes, &held_)) {}

SaidAfterwards::~SaidAfterwards() {
    heldBoxes = outer_;
    for (const Box& box : held_) say(box);
}

SaidNow::SaidNow() : outer_(std::exchange(heldBoxes, nullptr)) {}

SaidNow::~SaidNow() {
    heldBoxes = outer_;
}

bool askYesNo(const Box& box, MsgButtons buttons) {
    return messages().show(box.text, box.caption, box.icon, buttons) == MsgAnswer::Yes;
}

MsgAnswer askYesNoCancel(const Box& box) {
    return messages().show(box.text, box.caption, box.icon, MsgButtons::YesNoCancel);
}

bool askOkCancel(const Box& box) {
    return messages().show(box.text, box.caption, box.icon, MsgButtons::OkCancel) == MsgAnswer::Ok;
}

}  // namespace kestrion::platform

#include "platform/Box.h"

namespace kestrion::platform {

void say(const Box& box) {
    messages().show(box.text, box.caption, box.icon, MsgButtons::Ok);
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

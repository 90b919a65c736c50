#include "platform/CapturedServices.h"

namespace kestrion::platform {

CapturedServices::CapturedServices() : before_(installedServices()) {
    Services captured = before_;
    captured.messages = this;
    captured.statusBar = this;
    captured.trace = this;
    captured.progress = this;
    captured.system = this;
    captured.timers = this;
    install(captured);
}

CapturedServices::~CapturedServices() {
    install(before_);
}

MsgAnswer CapturedServices::show(const std::string& text, const std::string& caption, MsgIcon icon,
                                 MsgButtons buttons) {
    boxes_.push_back({text, caption, icon});
    switch (buttons) {
        case MsgButtons::Ok:
        case MsgButtons::OkCancel: return MsgAnswer::Ok;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
        case MsgButtons::YesNoDefaultNo: return MsgAnswer::No;
    }
    return MsgAnswer::Ok;
}

}  // namespace kestrion::platform

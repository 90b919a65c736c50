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

void CapturedServices::setPanelText(int panel, const std::string& text) {
    if (panel >= 0 && panel < panelCount) panels_[static_cast<std::size_t>(panel)] = text;
}

std::string CapturedServices::panelText(int panel) const {
    return panel >= 0 && panel < panelCount ? panels_[static_cast<std::size_t>(panel)] : std::string{};
}

}  // namespace kestrion::platform

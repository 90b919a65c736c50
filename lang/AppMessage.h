// The application message pop-up (TAppMsgForm): a caption, two lines and the version text.
#pragma once

#include <string>

namespace kestrion {

struct AppMessage {
    std::string caption;
    std::string line1;
    std::string line2;
    std::string versionText;
};

}  // namespace kestrion

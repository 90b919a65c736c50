// What the stack-code developer view shows: a caption and two lines of text.
#pragma once

#include <string>

namespace kestrion {

struct StackCodeView {
    std::string caption;
    std::string text1;
    std::string text2;
};

}  // namespace kestrion

// The message boxes a test saw, one line each, so that a single comparison checks text, caption and icon.
#pragma once

#include <string>
#include <vector>

#include "support/FakePlatform.h"

namespace kestrion::test {

using Boxes = std::vector<std::string>;

// Each box as "text | caption | icon".
inline Boxes shownBoxes(const FakeMessages& messages) {
    static const char* const icons[] = {"none", "information", "warning", "error", "question"};
    Boxes boxes;
    for (const ShownMessage& box : messages.shown)
        boxes.push_back(box.text + " | " + box.caption + " | " + icons[static_cast<int>(box.icon)]);
    return boxes;
}

}  // namespace kestrion::test

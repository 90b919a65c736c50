// The language services' dialogs for tests: the pop-ups and about boxes shown, in order.
#pragma once

#include <vector>

#include "lang/LangDialogs.h"

namespace kestrion::test {

class FakeLangDialogs : public LangDialogs {
public:
    void appMessage(const AppMessage& message) override { appMessages.push_back(message); }
    void about(const AboutBox& box) override { aboutBoxes.push_back(box); }
    std::vector<AppMessage> appMessages;
    std::vector<AboutBox> aboutBoxes;
};

}  // namespace kestrion::test

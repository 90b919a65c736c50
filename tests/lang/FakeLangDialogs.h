// The language services' dialogs for tests: the pop-ups shown, in order.
#pragma once

#include <vector>

#include "lang/LangDialogs.h"

namespace kestrion::test {

class FakeLangDialogs : public LangDialogs {
public:
    void appMessage(const AppMessage& message) override { appMessages.push_back(message); }
    std::vector<AppMessage> appMessages;
};

}  // namespace kestrion::test

#pragma once

#include "editor/EditorDialogs.h"

namespace kestrion::test {

class FakeEditorDialogs : public EditorDialogs {
public:
    NumberEntryResult goToStep(const NumberEntryRequest& request) override {
        return lastRequest = request, answer;
    }
    NumberEntryResult answer;
    NumberEntryRequest lastRequest;
};

}  // namespace kestrion::test

#pragma once

#include <functional>

#include "editor/CommentEdit.h"
#include "editor/EditorDialogs.h"

namespace kestrion::test {

class FakeEditorDialogs : public EditorDialogs {
public:
    NumberEntryResult goToStep(const NumberEntryRequest& request) override {
        return lastRequest = request, answer;
    }
    // The comment dialog: the test's hand types into it and says whether OK was pressed (and
    // accepted by the dialog's rules).
    bool commentEdit(CommentEditDialog& dialog) override {
        shownComments = dialog;
        return commentHand ? commentHand(dialog) : false;
    }
    NumberEntryResult answer;
    NumberEntryRequest lastRequest;
    std::function<bool(CommentEditDialog&)> commentHand;
    CommentEditDialog shownComments;
};

}  // namespace kestrion::test

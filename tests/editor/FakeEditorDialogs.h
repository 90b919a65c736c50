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
    // The find dialog: the test's hand fills it and presses a button (Cancel without one).
    void find(FindDialog& dialog) override {
        ++findShown;
        shownFind = dialog;
        if (findHand) findHand(dialog);
    }
    void findList(FindListDialog& dialog) override {
        shownList = dialog;
        if (listHand) listHand(dialog);
    }
    bool replace(ReplaceDialog& dialog) override {
        shownReplace = dialog;
        return replaceHand ? replaceHand(dialog) : false;
    }
    NumberEntryResult answer;
    NumberEntryRequest lastRequest;
    std::function<bool(CommentEditDialog&)> commentHand;
    CommentEditDialog shownComments;
    std::function<void(FindDialog&)> findHand;
    int findShown = 0;
    FindDialog shownFind;
    std::function<void(FindListDialog&)> listHand;
    FindListDialog shownList;
    std::function<bool(ReplaceDialog&)> replaceHand;
    ReplaceDialog shownReplace;
};

}  // namespace kestrion::test

#include "editor/CommentCommands.h"

#include "editor/CommentEdit.h"
#include "editor/EditorViewState.h"
#include "lang/MenuState.h"
#include "model/ladder/LadderObject.h"

namespace kestrion {

namespace {

constexpr const char* kListItems[kCommentKinds] = {"msDeviceCommentList1", "msBlockCommentList1",
                                                   "msCoilCommentList1", "msDeviceNameList1"};

void showList(int list) {
    editorView.shownCommentList = list;
    for (int i = 0; i < kCommentKinds; ++i) menuItem(kListItems[i]).checked = list == i + 1;
}

void toggleList(CommentKind kind) {
    const int list = static_cast<int>(kind) + 1;
    showList(editorView.shownCommentList == list || ldrHead == nullptr ? kNoCommentList : list);
}

}  // namespace

void CommentEdit1Click() {
    editCommentsOnFrame();
}

void msDeviceCommentList1Click() {
    toggleList(CommentKind::Device);
}

void msBlockCommentList1Click() {
    toggleList(CommentKind::Block);
}

void msCoilCommentList1Click() {
    toggleList(CommentKind::Coil);
}

void msDeviceNameList1Click() {
    toggleList(CommentKind::Name);
}

void hideCommentList() {
    showList(kNoCommentList);
}

std::span<const char* const> commentListItems() {
    return kListItems;
}

}  // namespace kestrion

// The Comment menu's editing items: the comment dialog on the framed object and the comment and
// device-name lists beside the ladder (one at a time; choosing the list shown hides it).
#pragma once

#include <span>

namespace kestrion {

// Comment > Edit comments... (Ctrl+Enter on the ladder).
void CommentEdit1Click();
void msDeviceCommentList1Click();
void msBlockCommentList1Click();
void msCoilCommentList1Click();
void msDeviceNameList1Click();

// No list beside the ladder, its menu item unchecked: a closed program has none to show.
void hideCommentList();

// The menu items of the lists, in the order of CommentKind.
std::span<const char* const> commentListItems();

}  // namespace kestrion

// The Comment menu's editing items: the comment dialog on the framed object and the three comment
// lists beside the ladder (one at a time; choosing the list shown hides it).
#pragma once

namespace kestrion {

// Comment > Edit comments... (Ctrl+Enter on the ladder).
void CommentEdit1Click();
void msDeviceCommentList1Click();
void msBlockCommentList1Click();
void msCoilCommentList1Click();

}  // namespace kestrion

// The state of the ladder view: the range the last paint covered, the scroll position and size of
// the visible part, the mouse handlers' operand text and the drawing timer's Timer3 tick counter.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace kestrion {

struct stLadderBlock;
struct ReplacedComments;  // editor/DeviceReplace.cpp

constexpr std::size_t kClickedOperandTextSize = 16;

// shownCommentList: none, or the device, block or coil comments or the device names (CommentKind + 1).
constexpr int kNoCommentList = 0;

struct EditorViewState {
    const stLadderBlock* ldrDrawTail = nullptr;  // first object after the drawn range (null: up to END)
    std::uint32_t scrollY = 0;                   // vertical scroll position of the view, screen pixels
    std::uint32_t viewportHeight = 0;            // height of the visible part, screen pixels
    std::array<char, kClickedOperandTextSize> clickedOperandText{};
    std::uint32_t timer3Ticks = 0;          // Timer2 ticks counted while Timer3 runs at its slow interval
    int shownCommentList = kNoCommentList;  // the comment list beside the ladder
    bool monitorMarksShown = false;  // the ladder monitor runs: conducting symbols and values are drawn
    // The last find (FindKind, FindDirection), repeated by Find next and Find previous.
    bool findKept = false;
    int findKind = 0;
    std::string findText;
    int findDirection = 0;
    // The status bar's note of the last vertical link refused, while it shows.
    std::string linkReasonShown;
    // The device comments the last replace moved, for Undo.
    std::shared_ptr<ReplacedComments> replacedComments;
};

extern EditorViewState editorView;
extern const stLadderBlock*& ldrDrawTail;
extern std::array<char, kClickedOperandTextSize>& clickedOperandText;

}  // namespace kestrion

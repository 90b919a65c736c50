#include "devviews/DevViewsMenu.h"

#include "devviews/DevViews.h"
#include "devviews/MathTest.h"
#include "devviews/VirtualArrayDump.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr MenuRowKind kMenu = MenuRowKind::Menu;
constexpr MenuRowKind kItem = MenuRowKind::Item;

// Each trace item shows its memo, or hides it again.
template <platform::Memo memo>
void toggleMemo() {
    platform::TraceMemos& memos = platform::trace();
    memos.setVisible(memo, !memos.visible(memo));
}

template <int gridChoice>
void openGrid() {
    OpenVirtualArrayMemo(gridChoice);
}

using platform::Memo;

// clang-format off
constexpr MenuRow kRows[] = {
    {kItem, "MoreView1", "More view ...", "ToolsMenu", 90, MoreView1Click, {.hidden = true}},
    // The link's developer menu; its items come with the commands they run. A table that adds
    // the same menu again merges with this row (mainMenuRows keeps one row per object name).
    {kMenu, "xRS", "xRS", "", 125, nullptr, {.hidden = true}},
    {kMenu, "TraceMemos1", "Trace memos", "xTHIS", 30},
    {kItem, "ViewDebugMemo1", "debugMemo1", "TraceMemos1", 10, toggleMemo<Memo::Debug1>},
    {kItem, "ViewDebugMemo2", "debugMemo2", "TraceMemos1", 20, toggleMemo<Memo::Debug2>},
    {kItem, "ViewDebugMemo3", "debugMemo3", "TraceMemos1", 30, toggleMemo<Memo::Debug3>},
    {kItem, "ViewDebugMemo4", "debugMemo4", "TraceMemos1", 40, toggleMemo<Memo::Debug4>},
    {kItem, "ViewDebugMemo5", "debugMemo5", "TraceMemos1", 50, toggleMemo<Memo::Debug5>},
    {kItem, "ViewDebugMemo6", "debugMemo6", "TraceMemos1", 60, toggleMemo<Memo::Debug6>},
    {kItem, "ViewDebugMemo7", "debugMemo7", "TraceMemos1", 70, toggleMemo<Memo::Debug7>},
    {kItem, "ViewDebugMemo8", "debugMemo8", "TraceMemos1", 80, toggleMemo<Memo::Debug8>},
    {kItem, "ViewDebugMemo9", "debugMemo9", "TraceMemos1", 90, toggleMemo<Memo::Debug9>},
    {kItem, "ViewRxMemo", "RxMemo", "TraceMemos1", 100, toggleMemo<Memo::Rx>},
    {kItem, "ViewMsgMemo1", "MsgMemo1", "TraceMemos1", 110, toggleMemo<Memo::Msg1>},
    {kItem, "ViewVirtualArrayMemo", "VirtualArrayMemo", "TraceMemos1", 120, toggleMemo<Memo::VirtualArray>},
    {kMenu, "VirtualArrayMemo1", "VirtualArrayMemo", "xTHIS", 40},
    {kItem, "VirtualArray1", "VirtualArray", "VirtualArrayMemo1", 10, openGrid<kDumpVirtualArray>},
    {kItem, "BkVirtualArray1", "BkVirtualArray", "VirtualArrayMemo1", 20, openGrid<kDumpBkVirtualArray>},
    {kItem, "bCompileVirtualArray1", "bCompileVirtualArray", "VirtualArrayMemo1", 30,
     openGrid<kDumpCompileVirtualArray>},
    {kItem, "CopyVirtualArray1", "CopyVirtualArray", "VirtualArrayMemo1", 40,
     openGrid<kDumpCopyVirtualArray>},
    {kItem, "ObjLadder1", "ObjLadder", "xTHIS", 50, ObjLadder1Click},
    {kItem, "MathTest1", "Math test", "xTHIS", 60, MathTest1Click},
    {kItem, "RelayImage1", "RelayImage", "Memory1", 20, RelayImage1Click},
    {kItem, "comTempArray1", "comTempArray", "Memory1", 30, comTempArray1Click},
};
// clang-format on

}  // namespace

MenuTable devViewsMenuRows() {
    return kRows;
}

}  // namespace kestrion

#include "editor/DrawTimer.h"

#include "editor/EditorViewState.h"
#include "editor/LadderLayout.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint8_t kRedrawRequests = 0x01 | kRedrawLadder | kRedrawObjects | kRedrawFrame | kRedrawMarks;
constexpr std::uint32_t kTimer3SlowInterval = 2000;
constexpr std::uint32_t kTimer3FastInterval = 100;
constexpr std::uint32_t kTimer3SlowTicks = 20;

}  // namespace

bool ladderDrawTick() {
    if (ldrHead == nullptr) {
        ldrDrawHead = nullptr;
        ldrDrawTail = nullptr;
        return false;
    }
    if ((redrawFlags & kRedrawRequests) == 0) return false;
    redrawFlags &= static_cast<std::uint8_t>(~kRedrawRequests);
    if (auto* screen = dynamic_cast<LadderScreen*>(ladderView())) screen->repaint();
    return true;
}

void countTimer3Ticks() {
    platform::Timers& timers = platform::timers();
    if (!timers.enabled(platform::TimerId::Timer3) ||
        timers.interval(platform::TimerId::Timer3) != kTimer3SlowInterval)
        return;
    if (++editorView.timer3Ticks <= kTimer3SlowTicks) return;
    editorView.timer3Ticks = 0;
    timers.setInterval(platform::TimerId::Timer3, kTimer3FastInterval);
}

}  // namespace kestrion

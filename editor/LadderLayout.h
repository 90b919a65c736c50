// What the ladder view draws, as a list of primitives in screen pixels (the ladder's pixels scaled
// by the zoom): lines, rectangles, arcs and texts with a role each. The window paints the list; the
// decisions (which symbol an object is, where its strokes go, which part of the ladder is visible)
// are made here so that they can be tested without a window.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawnSymbols.h"

namespace kestrion {

struct stLadderBlock;

// Monitor: the inside of a conducting contact or coil; MonitorValue: a register's polled value.
enum class Ink : std::uint8_t {
    Wire,
    Text,
    Frame,
    EditedRow,
    InsertedRow,
    DeletedRow,
    Comment,
    Monitor,
    MonitorValue
};
enum class PrimitiveKind : std::uint8_t { Line, Rect, FilledRect, Arc, Text };
enum class TextAlign : std::uint8_t { Left, Center, Right };

struct Primitive {
    PrimitiveKind kind = PrimitiveKind::Line;
    Ink ink = Ink::Wire;
    // A line from (x1, y1) to (x2, y2); a rectangle, an arc's ellipse or a text box from the
    // corner (x1, y1) to the corner (x2, y2), exclusive.
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    int startAngle = 0;  // arcs: degrees counter-clockwise from three o'clock
    int spanAngle = 0;
    int pixelSize = 0;  // texts
    TextAlign align = TextAlign::Center;
    std::string text;
    // Texts: a device comment, broken into the lines its box takes, each line pixelSize high (the
    // lines set solid, so that two of them fit the comment area at 100 %), the end of what does
    // not fit elided, kept inside the box.
    bool wrap = false;

    bool operator==(const Primitive&) const = default;
};
using Primitives = std::vector<Primitive>;

// The smallest size a comment is drawn at: 8 points, the smallest font of the interface.
constexpr int kReadablePixelSize = 11;
// The lines of the comment size that the comment area holds where the readable size allows: at
// zoom 100 % in the start cell (80 x 64), two lines of 8 points.
constexpr int kCommentLines = 2;

// The comment area under a contact or coil: the part of its cell below the symbol, as high in
// every cell of the view (screen pixels at the current zoom and cell height).
int commentAreaHeight();
// The one size every device comment of the view is drawn at: the ladder's text size, smaller
// where two lines of it would not fit the comment area, never below kReadablePixelSize.
int commentPixelSize();

// Screen pixels of a ladder length at the current zoom.
int scaledToScreen(std::uint32_t ladderPixels);

// The strokes and texts of one object at the current zoom, cell size and font size; device
// comments are added below contacts and coils when showDeviceComments is set. While the ladder
// monitor runs, a conducting contact or coil is filled and each monitored register's value shows
// under it.
Primitives objectPrimitives(const stLadderBlock& object, bool showDeviceComments = false);

// The part of the ladder a view shows: ladder y (zoom 100 %) of its top and of its bottom, and the
// object range that covers it (head: first object on a visible row; tail: first object of the
// first block that lies wholly below, null when the range runs to the end of the list).
struct VisibleRange {
    std::uint32_t topY = 0;
    std::uint32_t bottomY = 0;
    const stLadderBlock* head = nullptr;
    const stLadderBlock* tail = nullptr;
};
VisibleRange visibleRange(std::uint32_t scrollY, std::uint32_t viewportHeight);

// The device comment of an operand text such as X17 or D100, for display; empty when it has none.
std::string deviceCommentText(const std::string& operand);

// The whole device comment of the contact or coil whose cells cover the ladder point (x, y) at
// zoom 100 %, as the ladder shows it under the symbol; empty when it has none or when the device
// comments are not shown. The tool tip and the status bar give it uncut.
std::string deviceCommentOfObjectAt(std::uint32_t x, std::uint32_t y);
// The same for the object the cursor frame stands on, shown in status panel kCommentPanel on each
// tick of the drawing timer.
std::string framedObjectComment();
constexpr int kCommentPanel = 1;
void showFramedObjectComment();

// Screen size the whole ladder needs at the current zoom.
int ladderScreenWidth();
int ladderScreenHeight();

// The painter the model's services draw through while a screen is laid out: vertical link
// segments go into the screen being built, and the scroll requests go to the window.
class LadderScreen : public LadderView {
public:
    std::function<void(const ViewScroll&)> onScroll;
    std::function<void()> onRepaint;

    // Everything the visible part shows: mark shading, bus lines, objects, links, comments and
    // the selection frame. Sets viewTopY, ldrDrawHead and ldrDrawTail.
    Primitives build(std::uint32_t scrollY, std::uint32_t viewportHeight);

    void drawVerticalLineSegment(int direction, std::uint32_t x, std::uint32_t y, std::uint32_t dy,
                                 std::uint32_t zoom) override;
    void scrollTo(const ViewScroll& scroll) override;
    void repaint();

private:
    Primitives* building_ = nullptr;
};

}  // namespace kestrion

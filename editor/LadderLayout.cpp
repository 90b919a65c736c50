#include "editor/LadderLayout.h"

#include <algorithm>
#include <string_view>

#include "editor/EditorViewState.h"
#include "lang/CodePage.h"
#include "model/image/CommentLists.h"
#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint32_t kDefaultFontSize = 10;
constexpr std::uint32_t kRowsBelowEnd = 12;  // room left under END for new lines

Primitive shape(PrimitiveKind kind, Ink ink, int x1, int y1, int x2, int y2) {
    Primitive p;
    p.kind = kind;
    p.ink = ink;
    p.x1 = x1;
    p.y1 = y1;
    p.x2 = x2;
    p.y2 = y2;
    return p;
}

int px(std::uint64_t ladderPixels) {
    return static_cast<int>(ladderPixels * zoomPercent / 100);
}

std::uint32_t cellWidth() {
    return ModeData.xSizeSymble;
}

std::uint32_t cellHeight() {
    return ModeData.ySizeSymble;
}

constexpr int kSmallestPixelSize = 5;

int textPixelSize() {
    const std::uint32_t points = ModeData.fontSize == 0 ? kDefaultFontSize : ModeData.fontSize;
    return std::max(kSmallestPixelSize, static_cast<int>(points * 4 * zoomPercent / 300));
}

// Half the height of a contact's bars (and of a coil and a box) in a cell of that screen height.
int barHalfHeight(int cellScreenHeight) {
    return std::max(3, cellScreenHeight / 6);
}

// The pixel size at which a text of upper-case letters and digits stays inside a width: the
// size of the ladder's font, smaller for a text too long for it.
int fittingPixelSize(const std::string& text, int width) {
    constexpr int kCharWidthPercent = 70;  // of the pixel size, for the widest digits and capitals
    const int normal = textPixelSize();
    if (text.empty()) return normal;
    const int fits = width * 100 / (static_cast<int>(text.size()) * kCharWidthPercent);
    return std::max(kSmallestPixelSize, std::min(normal, fits));
}

std::string trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::vector<std::string> presentOperands(const stLadderBlock& object) {
    std::vector<std::string> words;
    for (const auto& operand : object.operands) {
        const std::string word = trimmed(textOf(operand));
        if (!word.empty() && word[0] != ' ') words.push_back(word);
    }
    return words;
}

// The device comment of an operand such as X17 or D100; empty when it has none.
std::string deviceCommentOf(const std::string& operand) {
    if (operand.size() < 2 || operand[0] < 'A' || operand[0] > 'Z') return {};
    std::uint32_t number = 0;
    for (std::size_t i = 1; i < operand.size(); ++i) {
        if (operand[i] < '0' || operand[i] > '9' || number > 99999) return {};
        number = number * 10 + static_cast<std::uint32_t>(operand[i] - '0');
    }
    const std::string device = deviceTextFor(operand[0], number);
    for (const deviceCommentNode* node = deviceCommentList.head; node != nullptr; node = node->next)
        if (textOf(node->deviceText) == device) return textFromCodePage(textOf(node->text));
    return {};
}

template <class List>
std::string stepCommentOf(const List& list, std::uint16_t id) {
    if (id == 0) return {};
    for (const auto* node = list.head; node != nullptr; node = node->next)
        if (node->commentId == id) return textFromCodePage(textOf(node->text));
    return {};
}

// Builds the primitives of one object into a list, with the object's geometry at hand.
class SymbolPainter {
public:
    SymbolPainter(const stLadderBlock& object, Primitives& out) : object_(object), out_(out) {
        const std::uint32_t end = std::max(object.Xend, object.xAddr + cellWidth());
        x0_ = px(object.xAddr);
        xe_ = px(end);
        y0_ = px(object.yAddr);
        cw_ = px(cellWidth());
        ch_ = px(cellHeight());
        mid_ = px(object.yAddr + symbleHalfHeight);
        gap_ = std::max(2, cw_ / 8);
        barHalf_ = barHalfHeight(ch_);
    }

    void line(int x1, int y1, int x2, int y2, Ink ink = Ink::Wire) {
        out_.push_back(shape(PrimitiveKind::Line, ink, x1, y1, x2, y2));
    }
    void text(int x1, int y1, int x2, int y2, const std::string& words, Ink ink = Ink::Text,
              TextAlign align = TextAlign::Center) {
        if (words.empty()) return;
        Primitive p = shape(PrimitiveKind::Text, ink, x1, y1, x2, y2);
        p.pixelSize = textPixelSize();
        p.align = align;
        p.text = words;
        out_.push_back(std::move(p));
    }
    void fittedText(int x1, int y1, int x2, int y2, const std::string& words) {
        text(x1, y1, x2, y2, words);
        if (!words.empty()) out_.back().pixelSize = fittingPixelSize(words, x2 - x1);
    }
    void arc(int cx, int r, int start) {
        Primitive p = shape(PrimitiveKind::Arc, Ink::Wire, cx - r, mid_ - r, cx + r, mid_ + r);
        p.startAngle = start;
        p.spanAngle = 120;
        out_.push_back(p);
    }

    void wire() { line(x0_, mid_, xe_, mid_); }

    void contact(SymbolKind kind, bool comments) {
        const int cx = x0_ + cw_ / 2;
        const int left = cx - gap_, right = cx + gap_, top = mid_ - barHalf_, bottom = mid_ + barHalf_;
        line(x0_, mid_, left, mid_);
        line(left, top, left, bottom);
        line(right, top, right, bottom);
        line(right, mid_, xe_, mid_);
        if (kind == SymbolKind::NegatedContact) line(left, bottom, right, top);
        if (kind == SymbolKind::RisingContact || kind == SymbolKind::FallingContact) {
            const int tip = kind == SymbolKind::RisingContact ? top + 1 : bottom - 1;
            const int tail = kind == SymbolKind::RisingContact ? bottom - 1 : top + 1;
            const int back = kind == SymbolKind::RisingContact ? gap_ / 2 : -gap_ / 2;
            line(cx, tail, cx, tip);
            line(cx - gap_ / 2, tip + back, cx, tip);
            line(cx + gap_ / 2, tip + back, cx, tip);
        }
        const std::string operand = firstOperand();
        text(x0_, y0_, x0_ + cw_, top, operand);
        if (comments) cellNote(x0_, bottom, deviceCommentOf(operand));
    }

    // A device comment under its symbol, in the comment area of the symbol's cell, at the one
    // comment size of the view. The area is as high in every row (the symbol's middle may lie a
    // pixel lower on some rows at a zoom that does not divide the cell evenly).
    void cellNote(int x, int top, const std::string& words) {
        text(x, top, x + cw_, top + commentAreaHeight(), words, Ink::Comment);
        if (words.empty()) return;
        out_.back().wrap = true;
        out_.back().pixelSize = commentPixelSize();
    }

    void invert() {
        wire();
        const int cx = x0_ + cw_ / 2;
        line(cx - gap_, mid_ + barHalf_, cx + gap_, mid_ - barHalf_);
    }

    // One cell: the whole mnemonic between the bars, the first operand above them and the second
    // below, each made smaller where it would reach into the next cell.
    void compare() {
        const int cellEnd = x0_ + cw_;
        const int left = x0_ + gap_ / 2, right = cellEnd - gap_ / 2;
        line(x0_, mid_, left, mid_);
        line(left, mid_ - barHalf_, left, mid_ + barHalf_);
        line(right, mid_ - barHalf_, right, mid_ + barHalf_);
        line(right, mid_, xe_, mid_);
        fittedText(left + 1, mid_ - barHalf_, right, mid_ + barHalf_, trimmed(textOf(object_.mnemonic)));
        const std::vector<std::string> words = presentOperands(object_);
        if (!words.empty()) fittedText(x0_, y0_, cellEnd, mid_ - barHalf_, words[0]);
        if (words.size() > 1) fittedText(x0_, mid_ + barHalf_, cellEnd, y0_ + ch_, words[1]);
    }

    // The coil stands in the last cell of its span, next to the right bus.
    void coil(bool comments) {
        const int cell = std::max(x0_, xe_ - cw_);
        const int cx = cell + cw_ / 2;
        const int r = std::min(barHalf_, gap_ + gap_ / 2);
        line(x0_, mid_, cx - r, mid_);
        arc(cx, r, 120);
        arc(cx, r, -60);
        line(cx + r, mid_, xe_, mid_);
        const std::string operand = firstOperand();
        text(cell, y0_, cell + cw_, mid_ - barHalf_, operand);
        const std::vector<std::string> words = presentOperands(object_);
        const int below = mid_ + barHalf_, bottom = y0_ + ch_;
        if (words.size() > 1) {
            std::string setValue;
            for (std::size_t i = 1; i < words.size(); ++i) setValue += (i > 1 ? " " : "") + words[i];
            text(x0_, below, xe_, bottom, setValue, Ink::Text, TextAlign::Right);
        } else if (comments) {
            cellNote(cell, below, deviceCommentOf(operand));
        }
    }

    // A framed box divided into the mnemonic and one part per operand.
    void box(const std::vector<std::string>& words) {
        const int left = x0_ + gap_, right = xe_ - gap_;
        const int top = mid_ - barHalf_ - barHalf_ / 2, bottom = mid_ + barHalf_ + barHalf_ / 2;
        line(x0_, mid_, left, mid_);
        line(right, mid_, xe_, mid_);
        out_.push_back(shape(PrimitiveKind::Rect, Ink::Wire, left, top, right, bottom));
        const int parts = static_cast<int>(words.size());
        for (int i = 0; i < parts; ++i) {
            const int a = left + (right - left) * i / parts, b = left + (right - left) * (i + 1) / parts;
            if (i > 0) line(a, top, a, bottom);
            text(a, top, b, bottom, words[static_cast<std::size_t>(i)]);
        }
    }

    // What the ladder monitor shows of the object: the fill of a conducting contact or coil, and
    // the values of its timers, counters and registers below it.
    void monitorMarks(SymbolKind kind) {
        const bool lit = object_.monMark == kMonMarkConducting;
        const int cx = x0_ + cw_ / 2;
        if (lit && isContact(kind)) fill(cx - gap_ + 1, mid_ - barHalf_ + 1, cx + gap_, mid_ + barHalf_);
        if (lit && kind == SymbolKind::Coil) {
            const int coilX = std::max(x0_, xe_ - cw_) + cw_ / 2;
            const int r = std::max(1, std::min(barHalf_, gap_ + gap_ / 2) / 2);
            fill(coilX - r, mid_ - r, coilX + r + 1, mid_ + r + 1);
        }
        int part = 0;  // the operand's part of a box: the mnemonic is part 0
        const std::vector<std::string> words = presentOperands(object_);
        for (std::size_t p = 0; p < object_.operands.size(); ++p) {
            const std::string operand = trimmed(textOf(object_.operands[p]));
            if (operand.empty() || operand[0] == ' ') continue;
            ++part;
            if (object_.ItemNo[p + 1] == 0 ||
                std::string_view("TCD").find(operand[0]) == std::string_view::npos)
                continue;
            const std::uint64_t slot = object_.monValue[p];
            const std::string value = object_.dFlag()
                                          ? std::to_string(static_cast<std::int32_t>(slot & 0xFFFFFFFF))
                                          : std::to_string(static_cast<std::int16_t>(slot & 0xFFFF));
            const int below = mid_ + barHalf_ + barHalf_ / 2, bottom = y0_ + ch_;
            if (kind == SymbolKind::Box) {
                const int left = x0_ + gap_, right = xe_ - gap_;
                const int parts = static_cast<int>(words.size()) + 1;
                text(left + (right - left) * part / parts, below, left + (right - left) * (part + 1) / parts,
                     bottom, value, Ink::MonitorValue);
            } else {
                text(x0_, below, std::max(x0_ + cw_, xe_ - cw_), bottom, value, Ink::MonitorValue,
                     TextAlign::Left);
            }
        }
    }

    void label() {
        std::string words = trimmed(textOf(object_.mnemonic));
        for (const std::string& operand : presentOperands(object_)) words += operand;
        text(x0_, y0_, px(draw.iBusLineStart) - 2, mid_, words, Ink::Text, TextAlign::Left);
    }

private:
    std::string firstOperand() const { return trimmed(textOf(object_.operands[0])); }
    static bool isContact(SymbolKind kind) {
        return kind == SymbolKind::Contact || kind == SymbolKind::NegatedContact ||
               kind == SymbolKind::RisingContact || kind == SymbolKind::FallingContact;
    }
    void fill(int x1, int y1, int x2, int y2) {
        out_.push_back(shape(PrimitiveKind::FilledRect, Ink::Monitor, x1, y1, x2, y2));
    }

    const stLadderBlock& object_;
    Primitives& out_;
    int x0_ = 0, xe_ = 0, y0_ = 0, cw_ = 0, ch_ = 0, mid_ = 0, gap_ = 0, barHalf_ = 0;
};

void appendObject(const stLadderBlock& object, bool comments, Primitives& out) {
    SymbolPainter painter(object, out);
    const SymbolKind kind = symbolKindOf(object);
    switch (kind) {
        case SymbolKind::None: break;
        case SymbolKind::Wire: painter.wire(); break;
        case SymbolKind::Contact:
        case SymbolKind::NegatedContact:
        case SymbolKind::RisingContact:
        case SymbolKind::FallingContact: painter.contact(kind, comments); break;
        case SymbolKind::Invert: painter.invert(); break;
        case SymbolKind::CompareContact: painter.compare(); break;
        case SymbolKind::Coil: painter.coil(comments); break;
        case SymbolKind::Box: {
            std::vector<std::string> words{trimmed(textOf(object.mnemonic))};
            for (const std::string& operand : presentOperands(object)) words.push_back(operand);
            painter.box(words);
            break;
        }
        case SymbolKind::End: painter.box({"END"}); break;
        case SymbolKind::Label: painter.label(); break;
    }
    if (editorView.monitorMarksShown && kind != SymbolKind::None && kind != SymbolKind::Label)
        painter.monitorMarks(kind);
}

// Where a block comment goes on its row: above the wire between the last input element and the
// output, clear of the operands; from the left bus when that wire is shorter than two cells.
std::pair<std::uint32_t, std::uint32_t> blockCommentSpan(const std::vector<const stLadderBlock*>& row) {
    std::uint32_t from = draw.iBusLineStart, to = draw.iBusLineEnd;
    for (const stLadderBlock* o : row) {
        if (!drawsOnRow(*o) || symbolKindOf(*o) == SymbolKind::Wire) continue;
        if (o->end == kEndOutput)
            to = std::min(to, o->xAddr);
        else
            from = std::max(from, o->Xend);
    }
    if (to < from + 2 * cellWidth()) return {draw.iBusLineStart, draw.iBusLineEnd};
    return {from, to};
}

void appendMarks(const GrayMarkList& marks, Ink ink, const VisibleRange& range, Primitives& out) {
    for (const stGrayMark* mark = marks.head; mark != nullptr; mark = mark->next) {
        if (mark->Y + cellHeight() <= range.topY || mark->Y >= range.bottomY) continue;
        out.push_back(shape(PrimitiveKind::FilledRect, ink, 0, px(mark->Y),
                            px(draw.iBusLineEnd + cellWidth()), px(mark->Y + cellHeight())));
    }
}

}  // namespace

int scaledToScreen(std::uint32_t ladderPixels) {
    return px(ladderPixels);
}

int commentAreaHeight() {
    const int cell = px(cellHeight());
    return std::max(0, cell - px(symbleHalfHeight) - barHalfHeight(cell));
}

int commentPixelSize() {
    return std::max(kReadablePixelSize, std::min(textPixelSize(), commentAreaHeight() / kCommentLines));
}

Primitives objectPrimitives(const stLadderBlock& object, bool showDeviceComments) {
    Primitives out;
    appendObject(object, showDeviceComments, out);
    return out;
}

VisibleRange visibleRange(std::uint32_t scrollY, std::uint32_t viewportHeight) {
    VisibleRange range;
    const std::uint32_t zoom = zoomPercent == 0 ? 100 : zoomPercent;
    range.topY = static_cast<std::uint32_t>(std::uint64_t{scrollY} * 100 / zoom);
    range.bottomY = static_cast<std::uint32_t>((std::uint64_t{scrollY} + viewportHeight) * 100 / zoom);
    const std::uint32_t height = std::max<std::uint32_t>(cellHeight(), 1);
    const std::uint32_t firstRow = range.topY / height * height;
    const stLadderBlock* o = firstObjectFromRow(firstRow);
    range.head = o;
    // Blocks follow each other down the ladder, but inside a block a row may come back after a
    // lower one: the range ends only where a whole new block starts below the view.
    for (; o != nullptr; o = o->next) {
        if (o->yAddr < range.bottomY) continue;
        if (o->prev == nullptr || o->prev->objLbc != o->objLbc) {
            range.tail = o;
            break;
        }
    }
    return range;
}

int ladderScreenWidth() {
    return px(std::uint64_t{draw.iBusLineEnd} + 4 * std::uint64_t{cellWidth()});
}

int ladderScreenHeight() {
    const std::uint32_t endY = ldrTail != nullptr ? ldrTail->yAddr : 0;
    return px(std::uint64_t{std::max(endY, ladderBottomY)} + kRowsBelowEnd * std::uint64_t{cellHeight()});
}

Primitives LadderScreen::build(std::uint32_t scrollY, std::uint32_t viewportHeight) {
    Primitives out;
    editorView.scrollY = scrollY;
    editorView.viewportHeight = viewportHeight;
    const VisibleRange range = visibleRange(scrollY, viewportHeight);
    viewTopY = range.topY;
    ldrDrawHead = range.head;
    ldrDrawTail = range.tail;
    if (ldrHead == nullptr || cellHeight() == 0 || cellWidth() == 0) return out;

    appendMarks(grayMarks, Ink::EditedRow, range, out);
    appendMarks(insGrayMarks, Ink::InsertedRow, range, out);
    appendMarks(delGrayMarks, Ink::DeletedRow, range, out);

    const std::uint32_t busBottom = (ldrTail != nullptr ? ldrTail->yAddr : 0) + cellHeight();
    const int top = px(range.topY), bottom = px(std::min(range.bottomY, busBottom));
    for (const std::uint32_t x : {draw.iBusLineStart, draw.iBusLineEnd})
        out.push_back(shape(PrimitiveKind::Line, Ink::Wire, px(x), top, px(x), bottom));

    // The drawn range starts at the first object of the head's block, whose rows may reach down
    // into the view.
    const stLadderBlock* first = range.head;
    while (first != nullptr && first->prev != nullptr && first->prev->objLbc == first->objLbc)
        first = first->prev;
    const bool deviceComments = (ModeData.viewFlags & kViewDeviceComments) != 0;
    const bool blockComments = (ModeData.viewFlags & kViewBlockComments) != 0;
    const bool coilComments = (ModeData.viewFlags & kViewCoilComments) != 0;
    std::vector<const stLadderBlock*> visible;
    for (const stLadderBlock* o = first; o != nullptr && o != range.tail; o = o->next)
        if (o->yAddr + cellHeight() > range.topY && o->yAddr < range.bottomY) visible.push_back(o);
    std::stable_sort(visible.begin(), visible.end(),
                     [](const stLadderBlock* a, const stLadderBlock* b) { return a->yAddr < b->yAddr; });
    for (auto rowStart = visible.begin(); rowStart != visible.end();) {
        const auto rowEnd =
            std::find_if(rowStart, visible.end(),
                         [y = (*rowStart)->yAddr](const stLadderBlock* o) { return o->yAddr != y; });
        const std::vector<const stLadderBlock*> row(rowStart, rowEnd);
        for (const stLadderBlock* o : row) {
            if (isDrawnOutput(*o)) {
                const std::uint32_t start = outputWireStart(*o, row);
                if (start < o->xAddr)
                    out.push_back(shape(PrimitiveKind::Line, Ink::Wire, px(start),
                                        px(o->yAddr + symbleHalfHeight), px(o->xAddr),
                                        px(o->yAddr + symbleHalfHeight)));
            }
            appendObject(*o, deviceComments, out);
            SymbolPainter note(*o, out);
            const int rowTop = px(o->yAddr);
            if (blockComments) {
                const auto [from, to] = blockCommentSpan(row);
                note.text(px(from) + 2, rowTop, px(to), rowTop + px(cellHeight()) / 4,
                          stepCommentOf(blockCommentList, o->idBC), Ink::Comment, TextAlign::Left);
            }
            if (coilComments)
                note.text(px(draw.iBusLineEnd) + 4, rowTop, ladderScreenWidth(),
                          px(o->yAddr + symbleHalfHeight), stepCommentOf(coilCommentList, o->idCC),
                          Ink::Comment, TextAlign::Left);
        }
        rowStart = rowEnd;
    }

    // The links of the canvas, for every line the view shows.
    building_ = &out;
    const std::uint32_t zoom = zoomPercent == 0 ? 100 : zoomPercent;
    const std::uint32_t shown = (range.bottomY - range.topY) / cellHeight() + 2;
    drawVerticalLinesOfRows(std::max(symbleHalfHeight * 100 / zoom, 2 * shown));
    building_ = nullptr;

    out.push_back(shape(PrimitiveKind::Rect, Ink::Frame, px(BlueFrame.x1), px(BlueFrame.y1),
                        px(BlueFrame.x2 + 1), px(BlueFrame.y2 + 1)));
    return out;
}

void LadderScreen::drawVerticalLineSegment(int direction, std::uint32_t x, std::uint32_t y, std::uint32_t dy,
                                           std::uint32_t zoom) {
    if (building_ == nullptr) return;
    const auto scale = [zoom](std::uint64_t v) { return static_cast<int>(v * zoom / 100); };
    const std::uint64_t from = std::uint64_t{y} + dy;
    const std::uint64_t to =
        direction == 0 ? from + cellHeight() : (from >= cellHeight() ? from - cellHeight() : 0);
    building_->push_back(shape(PrimitiveKind::Line, Ink::Wire, scale(x), scale(from), scale(x), scale(to)));
}

void LadderScreen::scrollTo(const ViewScroll& scroll) {
    if (onScroll) onScroll(scroll);
}

void LadderScreen::repaint() {
    if (onRepaint) onRepaint();
}

std::string deviceCommentText(const std::string& operand) {
    return deviceCommentOf(operand);
}

std::string deviceCommentOfObjectAt(std::uint32_t x, std::uint32_t y) {
    if ((ModeData.viewFlags & kViewDeviceComments) == 0 || cellHeight() == 0) return {};
    const stLadderBlock* object = firstOnRow(
        y / cellHeight() * cellHeight(),
        [](const stLadderBlock& o, std::uint32_t at) {
            return o.xAddr <= at && at < std::max(o.Xend, o.xAddr + cellWidth()) && drawsOnRow(o);
        },
        x);
    if (object == nullptr) return {};
    switch (symbolKindOf(*object)) {
        case SymbolKind::Contact:
        case SymbolKind::NegatedContact:
        case SymbolKind::RisingContact:
        case SymbolKind::FallingContact:
        case SymbolKind::Coil: return deviceCommentOf(trimmed(textOf(object->operands[0])));
        default: return {};
    }
}

std::string framedObjectComment() {
    if (ldrHead == nullptr) return {};
    return deviceCommentOfObjectAt(BlueFrame.x1, BlueFrame.y1);
}

void showFramedObjectComment() {
    platform::statusBar().setPanelText(kCommentPanel, framedObjectComment());
}

}  // namespace kestrion

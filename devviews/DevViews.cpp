#include "devviews/DevViews.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <span>

#include "compiler/CompilerState.h"
#include "devviews/DevViewsDialogs.h"
#include "devviews/DevViewsState.h"
#include "devviews/ObjectListDump.h"
#include "lang/Language.h"
#include "link/line/CommRecord.h"
#include "link/line/LineState.h"
#include "link/plc/MonitorFrames.h"
#include "model/core/MainState.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/CanvasState.h"

namespace kestrion {

namespace {

constexpr std::size_t kBytesPerRow = 16;
constexpr const char* kMaskedText = "********";

std::string hexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t byte : bytes) {
        if (!text.empty()) text += ' ';
        text += hexText(byte, 2);
    }
    return text;
}

// A buffer in rows of 16 bytes, each led by its offset, up to the row of its last byte in use;
// an empty buffer shows its first row.
void addHexRows(std::vector<std::string>& lines, const std::string& name,
                std::span<const std::uint8_t> bytes) {
    const auto last = std::find_if(bytes.rbegin(), bytes.rend(), [](std::uint8_t b) { return b != 0; });
    const std::size_t used = static_cast<std::size_t>(bytes.rend() - last);
    for (std::size_t row = 0; row == 0 || row < used; row += kBytesPerRow) {
        char offset[24];
        std::snprintf(offset, sizeof offset, "%03zX", row);
        lines.push_back(name + " " + offset + ": " +
                        hexBytes(bytes.subspan(row, std::min(kBytesPerRow, bytes.size() - row))));
    }
}

// Control characters of a frame (STX, ETX, ACK) as <02>; the rest as it stands.
std::string printable(std::string_view text) {
    std::string shown;
    for (char c : text) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            shown += '<' + hexText(byte, 2) + '>';
        }
    }
    return shown;
}

std::string frameText(std::string_view text) {
    return lineState.maskedTraceDepth > 0 ? std::string(kMaskedText) : printable(text);
}

// The 256 relays of an image from first, named with the letter; X numbers are octal.
void addRelayRows(std::vector<std::string>& lines, const std::string& letter, unsigned first, bool octal,
                  std::span<const std::uint8_t> image) {
    const char* format = octal ? "%s%03o-%s%03o: " : "%s%u-%s%u: ";
    for (std::size_t row = 0; row < image.size(); row += kBytesPerRow) {
        const auto low = static_cast<unsigned>(first + 8 * row);
        const auto high = static_cast<unsigned>(low + 8 * kBytesPerRow - 1);
        char range[40];
        std::snprintf(range, sizeof range, format, letter.c_str(), low, letter.c_str(), high);
        lines.push_back(range + hexBytes(image.subspan(row, kBytesPerRow)));
    }
}

}  // namespace

std::vector<std::string> objLadderViewLines() {
    std::vector<std::string> lines = {
        "traceCaption: " + traceCaption,
        "activityText: " + activityText,
        "traceText: " + compileTraceText,
        "canvasTraceText: " + canvasState.canvasTraceText,
        "",
    };
    for (std::string& row : objectListDetailRows()) lines.push_back(std::move(row));
    return lines;
}

std::vector<std::string> relayImageLines() {
    std::vector<std::string> lines;
    addRelayRows(lines, "X", 0, true, devViewsState.xRelayImage);
    addRelayRows(lines, "M", 8000, false, devViewsState.m8000RelayImage);
    return lines;
}

std::vector<std::string> linkFrameLines() {
    std::vector<std::string> lines;
    addHexRows(lines, "bitTxBuf", rs.bitTxBuf);
    addHexRows(lines, "byteTxBuf", rs.byteTxBuf);
    lines.push_back("rsChHex: " + frameText(rsChHex));
    lines.push_back("txChars: " + frameText(rs.txChars.data()));
    lines.push_back("RxBkBuf: " + frameText(rs.RxBkBuf.data()));
    lines.push_back("comTempArray: " + frameText(comTempArray));
    lines.push_back("comTemp2Array: " + frameText(comTemp2Array));
    lines.push_back("comTemp3Array: " + frameText(comTemp3Array));
    return lines;
}

void ObjLadder1Click() {
    devViewsDialogs().showTextView({"ObjLadderForm", "ObjLadder", objLadderViewLines()});
}

void RelayImage1Click() {
    devViewsDialogs().showTextView({"RelayImageForm", "RelayImage", relayImageLines()});
}

void comTempArray1Click() {
    devViewsDialogs().showTextView({"ComTempArrayForm", "comTempArray", linkFrameLines()});
}

void MoreView1Click() {
    ViewMoreDialog dialog;
    dialog.developerMenus = devViewsState.developerMenusShown;
    dialog.developerViews = (optionFlags & kOptionDeveloperViews) != 0;
    devViewsDialogs().viewMore(dialog);
    if (!dialog.ok) return;
    devViewsState.developerMenusShown = dialog.developerMenus;
    if (dialog.developerViews)
        optionFlags |= kOptionDeveloperViews;
    else
        optionFlags &= static_cast<std::uint8_t>(~kOptionDeveloperViews);
    devViewsDialogs().showDeveloperMenus(dialog.developerMenus);
}

}  // namespace kestrion

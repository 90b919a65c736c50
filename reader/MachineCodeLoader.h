// The program load: from the program words of the image to the ladder object list and its
// canvas. Every way a program comes into the editor (New, Open, a read from the PLC, a template,
// the end of Convert) ends in convMachineCodeToLadder, then ModifyHLineToVirtualCanvas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "editor/LineCells.h"

namespace kestrion {

// x of the first object of a loaded line.
extern std::uint32_t& loaderStartX;

// True when only empty words (0xFFFF) follow from the byte offset up to END or the end of the
// program area.
[[nodiscard]] bool isOnlyNopUntilEnd(std::size_t byteOffset);

// Walks the program words from image byte 348 to END, places one object per instruction in
// front of the END object of a fresh main list (initLadderList), marks the canvas, completes END
// (its step number is the program's step count, also left in convStepNo) and stores the program
// check code in the image. The caption names the caller. A program without END leaves the
// END-only list after its message. A word no program may hold where it stands shows its message
// and throws ConversionError; the objects placed so far stay for the caller's transaction to
// take back.
void convMachineCodeToLadder(const std::string& caption);

// The steps around a load that New, Open and Convert share: a fresh list (END one cell left of the
// right bus, the frame on the first cell); the outputs moved out to a right bus the load widened;
// and the finished ladder (empty objects removed, END at the right edge, the finishing passes
// below, the Edit Cancel copies of the list and the canvas taken).
void startLadderLoad();
void followWidenedBus();
void finishLoadedLadder();

// The ladder of the program words in the image, as every way a program comes into the editor
// builds it: startLadderLoad, convMachineCodeToLadder(caption), followWidenedBus, then
// beforeFinish (what the caller adds to the loaded ladder: its comments, the cell height) and
// finishLoadedLadder. A refused word throws as convMachineCodeToLadder does.
void loadLadderFromImage(const std::string& caption, const std::function<void()>& beforeFinish = {});

// Where the frame stands when the view of a loaded ladder opens.
enum class FirstCellFrame {
    OnObject,  // on the object at the first cell (as a click there puts it)
    Bare       // on the bare first cell at the zoom in use (New: the ladder is END alone)
};

// The view of a loaded ladder opens on the program's first line: the cursor on its first cell,
// the view scrolled to the top and the frame there.
void showLoadedLadderFromTop(FirstCellFrame frame = FirstCellFrame::OnObject);

}  // namespace kestrion

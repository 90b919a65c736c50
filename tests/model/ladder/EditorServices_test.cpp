#include "model/ladder/EditorServices.h"

#include "model/CanvasTestSupport.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorState.h"

namespace kestrion::test {
namespace {

using EditorServices = CanvasTest;
using Frame = std::vector<std::uint32_t>;

TEST_F(EditorServices, TheFrameCoversTheObjectOverTheCellOrElseTheCell) {
    startList();
    stLadderBlock* output = object(kOut, 880, 128);
    output->Xend = 1200;                    // past the bus: the frame stops at the bus
    object(kCodeAnb, 400, 64)->Xend = 640;  // a joint covers no cell
    for (const auto& [x, y, found, expected] : {std::tuple{960U, 128U, output, Frame{880, 128, 1119, 191}},
                                                {480U, 64U, nullptr, Frame{480, 64, 559, 127}}}) {
        setBlueFrameObject(x, y);
        EXPECT_EQ(std::tuple(ldrSearch, Frame{BlueFrame.x1, BlueFrame.y1, BlueFrame.x2, BlueFrame.y2}),
                  std::tuple(found, expected));
    }
    EXPECT_EQ(redrawFlags, kRedrawFrame);
    addGrayMaskRow(64);
    setBlueFrameObject(160, 64);
    initBlueFrame(50);  // the first cell, scaled by the zoom
    EXPECT_EQ((Frame{BlueFrame.x1, BlueFrame.y1, BlueFrame.x2, BlueFrame.y2, redrawFlags}),
              (Frame{40, 0, 79, 31, kRedrawFrame | kRedrawMarks}));
}

TEST_F(EditorServices, BackupCopiesTheMainListAndNopOutRowRangeTurnsAStretchOfARowIntoNops) {
    startList();
    for (std::uint32_t x : {80U, 160U, 240U}) object(kAnd, x, 64, 0, 1, "AND");
    backupLadderDiagramMemory(1);
    backupLadderDiagramMemory(1);  // the previous copy is replaced
    setText(ldrHead->next->operand6, "K1");
    nopOutRowRange(160, 64, 240);
    EXPECT_EQ(codes(), (std::vector<std::uint16_t>{kAnd, kCodeNop, kAnd, kCodeEnd}));
    EXPECT_EQ(textOf(ldrHead->next->mnemonic) + textOf(ldrHead->next->operand6), "NOP");
    EXPECT_EQ(ldrSearch, ldrHead->next);
    backupLadderDiagramMemory(0);
    backupLadderDiagramMemory(2);  // no such copy
    std::vector<std::uint16_t> editCancelCodes;
    ldrBackup->forEach([&](const stLadderBlock& o) { editCancelCodes.push_back(o.iCode); });
    EXPECT_EQ(std::pair(codes(ldrUndoList), editCancelCodes),
              std::pair(std::vector<std::uint16_t>{kAnd, kAnd, kAnd, kCodeEnd}, codes(ldrList)));
    EXPECT_TRUE(!canvasState.undoMenuEnabled && canvasState.editCancelMenuEnabled);
}

}  // namespace
}  // namespace kestrion::test

#include "model/EditorServices.h"

#include "model/CanvasTestSupport.h"
#include "model/EditMarks.h"
#include "model/EditorState.h"

namespace kestrion::testing {
namespace {

using EditorServices = CanvasTest;

std::vector<std::uint32_t> frame() {
    return {BlueFrame.x1, BlueFrame.y1, BlueFrame.x2, BlueFrame.y2};
}

TEST_F(EditorServices, TheFrameCoversTheObjectAtOrOverTheCellOrElseTheCell) {
    startList();
    stLadderBlock* contact = object(kLd, 160, 64);
    stLadderBlock* output = object(kOut, 880, 128);
    output->Xend = 1200;  // past the bus: the frame stops at the bus
    object(kCodeAnb, 400, 64)->Xend = 640;
    const std::tuple<std::uint32_t, std::uint32_t, const stLadderBlock*, std::vector<std::uint32_t>> cases[] = {
        {160, 64, contact, {160, 64, 239, 127}},
        {960, 128, output, {880, 128, 1119, 191}},
        {480, 64, nullptr, {480, 64, 559, 127}},  // an ANB covers no cell
    };
    for (const auto& [x, y, found, expected] : cases) {
        redrawFlags = 0;
        setBlueFrameObject(x, y);
        EXPECT_EQ(ldrSearch, found) << x;
        EXPECT_EQ(frame(), expected) << x;
        EXPECT_EQ(redrawFlags, kRedrawFrame) << x;
    }
    addGrayMaskRow(64);
    redrawFlags = 0;
    setBlueFrameObject(160, 64);
    EXPECT_EQ(redrawFlags, kRedrawFrame | kRedrawMarks);
    initBlueFrame(50);  // the first cell, scaled by the zoom
    EXPECT_EQ(frame(), (std::vector<std::uint32_t>{40, 0, 79, 31}));
}

TEST_F(EditorServices, BackupCopiesTheMainListAndNopOutRowRangeTurnsAStretchOfARowIntoNops) {
    startList();
    for (std::uint32_t x : {80U, 160U, 240U}) object(kAnd, x, 64, 0, 1, "AND");
    backupLadderDiagramMemory(1);
    backupLadderDiagramMemory(1);  // the previous copy is replaced
    stLadderBlock* changed = ldrHead->next;
    setText(changed->operands[4], "X0");
    setText(changed->operand6, "K1");
    nopOutRowRange(160, 64, 240);
    EXPECT_EQ(codes(), (std::vector<std::uint16_t>{kAnd, kCodeNop, kAnd, kCodeEnd}));
    EXPECT_EQ(textOf(changed->mnemonic) + textOf(changed->operands[4]) + textOf(changed->operand6), "NOP");
    EXPECT_EQ(ldrSearch, changed);
    nopOutRowRange(400, 64, 800);  // nothing there: ldrSearch stays
    EXPECT_EQ(ldrSearch, changed);
    backupLadderDiagramMemory(0);
    backupLadderDiagramMemory(2);
    EXPECT_EQ(codes(ldrUndoList), (std::vector<std::uint16_t>{kAnd, kAnd, kAnd, kCodeEnd}));
    EXPECT_EQ(codes(ldrBackupList), codes(ldrList));
    EXPECT_TRUE(ldrBackupHead != ldrHead && canvasState.undoMenuEnabled && canvasState.editCancelMenuEnabled);
}

}  // namespace
}  // namespace kestrion::testing

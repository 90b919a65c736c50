#include "editor/EditCommands.h"

#include "app/MainView.h"
#include "devviews/ObjectListDump.h"
#include "model/CanvasTestSupport.h"
#include "model/image/ClipboardBlock.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorServices.h"
#include "monitor/MonitorMode.h"

namespace kestrion::test {
namespace {

// LD X0, AND X1, OUT Y0; LD X2, OUT Y1; END. The edit-cancel copy is taken as after Open.
const Texts kLadder = {"LD 80,0", "AND 160,0", "OUT 960,0", "LD 80,64", "OUT 960,64", "END 1040,128"};
const Picture kCanvas = {"  X X                   Y y", "", "  X                     Y y", "",
                         "                          X"};

class EditCommandsTest : public CanvasTest {
protected:
    EditCommandsTest() {
        startList(128);
        put(kLd, 80, 0, "LD");
        put(kAnd, 160, 0, "AND");
        put(kOut, 960, 0, "OUT");
        put(kLd, 80, 64, "LD");
        put(kOut, 960, 64, "OUT");
        ldrNow = ldrTail;
        setNowObjectCell();
        backupLadderDiagramMemory(0);
        backupVirtualCanvas(0);
        frameAt(0);
    }
    static void put(std::uint16_t code, std::uint32_t x, std::uint32_t y, const char* mnemonic) {
        ldrNow = object(code, x, y, y, 1 + y / 64, mnemonic);
        ldrNow->stepNo = x / 80 + y / 16;
        ldrNow->end = code == kOut ? kEndOutput : kEndContact;
        ldrNow->Xend = code == kOut ? 1120 : ldrNow->Xend;
        code == kOut ? setNowOutputCells() : setNowObjectCell();
    }
    static void frameAt(std::uint32_t y, std::uint32_t lines = 1) {
        BlueFrame = {80, y, 159, y + 64 * lines - 1};
    }
    static Texts ladder() { return objectListDumpRows(); }
};

TEST_F(EditCommandsTest, InsertAndDeleteOfALineMoveTheLinesBelowAndEnd) {
    setCanvasCell(5, 1, '|');  // a link from line 0 down to line 1
    frameAt(64);
    ladderBottomY = 128;
    InsertLine1Click();
    EXPECT_EQ(ladderBottomY, 192u);
    EXPECT_EQ(ladder(),
              (Texts{"LD 80,0", "AND 160,0", "OUT 960,0", "LD 80,128", "OUT 960,128", "END 1040,192"}));
    EXPECT_EQ(dump(), (Picture{kCanvas[0], "     |", "     |", "     |", kCanvas[2], "", kCanvas[4]}));
    EXPECT_EQ(std::pair(insGrayHead->Y, editModeFlags & 0x0C), std::pair(64U, 0x0C));
    DeleteLine1Click();
    EXPECT_EQ(ladder(), kLadder);
    EXPECT_EQ(ladderBottomY, 128u);
    EXPECT_EQ(dump(), (Picture{kCanvas[0], "     |", kCanvas[2], "", kCanvas[4]}));
    frameAt(128);  // END's line stays
    DeleteLine1Click();
    EXPECT_EQ(ladder(), kLadder);
}

TEST_F(EditCommandsTest, UndoPutsThePreviousLadderBackAndASecondUndoTheChange) {
    refreshEditItems();
    EXPECT_FALSE(menuItem("Undo1").enabled);
    DeleteLine1Click();
    const Texts edited = ladder();
    EXPECT_EQ(edited, (Texts{"LD 80,0", "OUT 960,0", "END 1040,64"}));
    std::string steps;  // size/step of each instruction taken out
    for (auto* r = deleteStepNoList.head; r != nullptr; r = r->next)
        steps += std::to_string(r->Size) + "/" + std::to_string(r->stepNo) + " ";
    EXPECT_EQ(steps, "1/1 10/2 7/12 ");
    EXPECT_TRUE(menuItem("Undo1").enabled && menuItem("EditCancel1").enabled);
    Undo1Click();
    EXPECT_EQ(std::pair(ladder(), dump()), std::pair(kLadder, kCanvas));
    Undo1Click();
    EXPECT_EQ(ladder(), edited);
}

TEST_F(EditCommandsTest, EditCancelReturnsToTheCopyAndDropsTheMarks) {
    DeleteLine1Click();
    DeleteLine1Click();
    EditCancel1Click();
    EXPECT_EQ(std::pair(ladder(), dump()), std::pair(kLadder, kCanvas));
    EXPECT_EQ(std::tuple(delHead, editModeFlags & 0x0C), std::tuple(nullptr, 0x08));
    Undo1Click();  // the cancel itself can be undone
    EXPECT_EQ(ladder(), (Texts{"END 1040,0"}));
}

TEST_F(EditCommandsTest, CutThenPasteAtAnotherLineGivesTheSameObjectsThere) {
    setCanvasCell(5, 1, '|');
    frameAt(0, 2);
    Cut1Click();
    EXPECT_EQ(std::pair(ladder(), dump()), std::pair(Texts{"END 1040,0"}, Picture{kCanvas[4]}));
    const std::span<const std::uint8_t> first = clipboardObjectSlot(0);
    EXPECT_EQ(std::vector<std::uint8_t>(first.begin() + 8, first.begin() + 16),
              (std::vector<std::uint8_t>{80, 0, 0, 0, 0, 0, 0, 0}));  // xAddr, yAddr
    EXPECT_EQ(std::vector<std::uint8_t>(first.begin() + 54, first.begin() + 67),
              (std::vector<std::uint8_t>{0x80, 0, 0, 0, 0, 0, 0x00, 0x20, 0, 0, 'L', 'D', 0}));
    const std::span<const std::uint8_t> sixth = clipboardObjectSlot(5);
    EXPECT_EQ(std::count(sixth.begin(), sixth.end(), 0), 288);
    InsertLine1Click();
    frameAt(64);
    Paste1Click();
    EXPECT_EQ(ladder(),
              (Texts{"LD 80,64", "AND 160,64", "OUT 960,64", "LD 80,128", "OUT 960,128", "END 1040,192"}));
    // The paste ends with the line cells of a loaded ladder: END's row as the load marks it.
    EXPECT_EQ(dump(), (Picture{"", "", kCanvas[0], "     |", kCanvas[2], "", "                          Y #",
                               "", "#"}));
    EXPECT_EQ(std::tuple(insGrayMarks.tail->Y, editModeFlags & 0x1C, BlueFrame.y1),
              std::tuple(128U, 0x0C, 64U));
}

TEST_F(EditCommandsTest, ACopyTakesAtMost32Objects) {
    restart(256);
    for (std::uint32_t y : {0U, 64U, 128U, 192U})
        for (std::uint32_t x = 80; x < (y == 192 ? 160U : y == 128 ? 880U : 960U); x += 80)
            put(kAnd, x, y, "AND");
    frameAt(0, 3);  // 11 + 11 + 10 objects
    Copy1Click();
    EXPECT_EQ(clipboardObjectSlot(31)[64], 'A');
    frameAt(0, 4);  // one more
    Copy1Click();
    EXPECT_EQ(boxes(), Texts{"Too many objects to copy: at most 32 fit the clipboard. | Copy"});
    EXPECT_EQ(clipboardObjectSlot(31)[8], 800 % 256);  // the previous copy stays
}

TEST_F(EditCommandsTest, EveryEditIsRefusedWhileAMonitorRuns) {
    backupLadderDiagramMemory(1);
    monitorMode = kMonitorEntryDevices;
    for (void (*command)() :
         {Undo1Click, EditCancel1Click, Cut1Click, Paste1Click, InsertLine1Click, DeleteLine1Click})
        command();
    EXPECT_EQ(boxes(), Texts(6, "In monitor mode...Can'tDoEdit... | Msg2015032002"));
    EXPECT_EQ(std::tuple(ladder(), dump(), editModeFlags), std::tuple(kLadder, kCanvas, std::uint8_t{0}));
}

TEST_F(EditCommandsTest, APasteThatDoesNotFitTheRightBusLeavesTheLadderAsItWas) {
    Copy1Click();
    deviceColumns = 12;  // the bus now ends at the copied output
    setupDrawGeometry();
    frameAt(128);
    Paste1Click();
    EXPECT_EQ(boxes().size(), 1U);
    EXPECT_EQ(std::tuple(ladder(), dump(), draw.iBusLineEnd, editModeFlags, insGrayHead),
              std::tuple(kLadder, kCanvas, 960U, std::uint8_t{0}, nullptr));
}

// A record whose contact carries an output's code cannot be drawn: the paste says so and is undone.
TEST_F(EditCommandsTest, APasteThatShowsAnErrorBoxLeavesTheLadderAsItWas) {
    Copy1Click();
    clipboardObjectSlot(0)[61] = 0xC0;  // LD's code 0x2000 becomes OUT's 0xC000
    frameAt(128);
    Paste1Click();
    EXPECT_EQ(boxes(), Texts{"Error20180320.. | *FncSymbleError(B)"});
    EXPECT_EQ(std::tuple(ladder(), dump(), editModeFlags, insGrayHead),
              std::tuple(kLadder, kCanvas, std::uint8_t{0}, nullptr));
}

}  // namespace
}  // namespace kestrion::test

#include "model/EditorServices.h"

#include "model/CanvasTestSupport.h"
#include "model/EditMarks.h"
#include "model/EditorState.h"

namespace kestrion::testing {
namespace {

class EditorServices : public CanvasTest {
protected:
    EditorServices() { startList(1040, 640); }
};

class ScrollCounter : public LadderView {
public:
    void drawVerticalLineSegment(int, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) override { ++draws; }
    void scrollToFrame() override { ++scrolls; }
    int draws = 0;
    int scrolls = 0;
};

TEST_F(EditorServices, TheFrameCoversTheObjectAtOrOverTheCellOrElseTheCell) {
    stLadderBlock* contact = object(kLd, 160, 64);
    stLadderBlock* output = object(kOut, 880, 128);
    output->Xend = 1200;  // past the bus: the frame stops at the bus
    object(kCodeAnb, 400, 64)->Xend = 640;
    struct Case {
        std::uint32_t x, y;
        const stLadderBlock* found;
        BlueFrameRect frame;
    };
    const Case cases[] = {
        {160, 64, contact, {160, 64, 239, 127}},
        {960, 128, output, {880, 128, 1119, 191}},
        {480, 64, nullptr, {480, 64, 559, 127}},  // the ANB covers no cell
        {240, 64, nullptr, {240, 64, 319, 127}},
    };
    ScrollCounter view;
    installLadderView(&view);
    for (const Case& c : cases) {
        redrawFlags = 0;
        setBlueFrameObject(c.x, c.y);
        EXPECT_EQ(ldrSearch, c.found) << c.x;
        EXPECT_EQ(std::vector<std::uint32_t>({BlueFrame.x1, BlueFrame.y1, BlueFrame.x2, BlueFrame.y2}),
                  std::vector<std::uint32_t>({c.frame.x1, c.frame.y1, c.frame.x2, c.frame.y2}))
            << c.x;
        EXPECT_EQ(redrawFlags, kRedrawFrame) << c.x;
    }
    installLadderView(nullptr);
    EXPECT_EQ(view.scrolls, 4);
    addGrayMaskRow(64);
    setBlueFrameObject(160, 64);
    EXPECT_EQ(redrawFlags & kRedrawMarks, kRedrawMarks);
}

TEST_F(EditorServices, TheStartFrameIsTheFirstCellScaledByTheZoom) {
    initBlueFrame(100);
    EXPECT_EQ(std::vector<std::uint32_t>({BlueFrame.x1, BlueFrame.y1, BlueFrame.x2, BlueFrame.y2}),
              std::vector<std::uint32_t>({80, 0, 159, 63}));
    initBlueFrame(50);
    EXPECT_EQ(std::vector<std::uint32_t>({BlueFrame.x1, BlueFrame.y1, BlueFrame.x2, BlueFrame.y2}),
              std::vector<std::uint32_t>({40, 0, 79, 31}));
    EXPECT_EQ(redrawFlags & kRedrawFrame, kRedrawFrame);
}

TEST_F(EditorServices, BackupCopiesTheMainListIntoTheSlotsCopy) {
    object(kLd, 80, 0);
    backupLadderDiagramMemory(1);
    object(kAnd, 160, 0);
    backupLadderDiagramMemory(0);
    backupLadderDiagramMemory(2);
    EXPECT_EQ(codes(ldrUndoList), (std::vector<std::uint16_t>{kLd, kCodeEnd}));
    EXPECT_EQ(codes(ldrBackupList), (std::vector<std::uint16_t>{kLd, kAnd, kCodeEnd}));
    EXPECT_NE(ldrBackupHead, ldrHead);
    expectConsistentLinks(ldrBackupList);
    backupLadderDiagramMemory(1);  // the previous copy is replaced
    EXPECT_EQ(codes(ldrUndoList), codes(ldrList));
    EXPECT_TRUE(canvasState.undoMenuEnabled);
    EXPECT_TRUE(canvasState.editCancelMenuEnabled);
}

TEST_F(EditorServices, NopOutRowRangeTurnsObjectsFromXFromUpToXToIntoNops) {
    stLadderBlock* a = object(kLd, 80, 64);
    stLadderBlock* b = object(kAnd, 160, 64);
    stLadderBlock* c = object(kAnd, 240, 64);
    stLadderBlock* other = object(kAnd, 160, 128);
    setText(b->mnemonic, "AND");
    setText(b->operands[0], "X0");
    setText(b->operand6, "K1");
    nopOutRowRange(160, 64, 240);
    EXPECT_EQ(codes(), (std::vector<std::uint16_t>{kLd, kCodeNop, kAnd, kAnd, kCodeEnd}));
    EXPECT_EQ(textOf(b->mnemonic), "NOP");
    EXPECT_EQ(textOf(b->operands[0]), "");
    EXPECT_EQ(textOf(b->operand6), "");
    EXPECT_EQ(ldrSearch, b);
    nopOutRowRange(400, 64, 800);  // nothing there: ldrSearch stays
    EXPECT_EQ(ldrSearch, b);
    (void)a;
    (void)c;
    (void)other;
}

TEST_F(EditorServices, VerticalWiresGoToTheInstalledViewOnly) {
    drawVerticalLineSegment(0, 1, 2, 3, 100);
    ScrollCounter view;
    installLadderView(&view);
    drawVerticalLineSegment(0, 1, 2, 3, 100);
    installLadderView(nullptr);
    EXPECT_EQ(view.draws, 1);
}

}  // namespace
}  // namespace kestrion::testing

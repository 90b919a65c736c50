#include "entry/EntryDriver.h"

#include <functional>

#include "entry/AccessCodes.h"
#include "entry/EntryTestSupport.h"
#include "entry/InstructionBox.h"
#include "lang/Language.h"
#include "model/core/MainState.h"
#include "model/ladder/EditMarks.h"

namespace kestrion {
namespace {

using test::Boxes;
using test::Texts;

class EntryDriverTest : public test::EntryTest {
protected:
    static Texts list() { return objectListDetailRows(); }
};

struct Sequence {
    const char* name;
    std::vector<std::string> lines;
    bool insert;
    test::Picture grid;
    Texts objects;
    std::pair<std::uint32_t, std::uint32_t> cursor;
};

// clang-format off
TEST_F(EntryDriverTest, TypedSequencesBuildTheirLadders) {
    const std::vector<Sequence> cases{
        {"contact and coil", {"LD X0", "OUT Y0"}, false,
         {"  X                       Y", "", "                          X"},
         {"80,0 LD X0 code=2000 end=10 id=1", "1040,0 OUT Y0 code=C000 end=11 id=1",
          "1040,64 END code=000F end=11 id=2"}, {80, 64}},
        {"parallel branch", {"LD X0", "OUT Y0", "@80,64", "OR X1"}, false,
         {"  X                       Y", " | |", "  X", "", "                          X"},
         {"80,0 LD X0 code=2000 end=10 id=1", "1040,0 OUT Y0 code=C000 end=11 id=1",
          "80,64 OR X1 code=6000 end=9 id=1", "1040,128 END code=000F end=11 id=2"}, {160, 64}},
        {"box to the right bus", {"LD X0", "MOV K10 D0"}, false,
         {"  X                   Y y y", "", "                          X"},
         {"80,0 LD X0 code=2000 end=10 id=1", "880,0 MOV K10 D0 code=0028 end=11 id=1",
          "1040,64 END code=000F end=11 id=2"}, {80, 64}},
        {"pulse box: MOV is FNC 12, the pulse form adds 0x1000", {"LD X0", "MOVP K10 D0"}, false,
         {"  X                   Y y y", "", "                          X"},
         {"80,0 LD X0 code=2000 end=10 id=1", "880,0 MOVP K10 D0 code=1028 end=11 id=1",
          "1040,64 END code=000F end=11 id=2"}, {80, 64}},
        {"timer and counter coils take their own codes", {"LD X0", "OUT T0 K10", "@80,64", "LD X1", "OUT C0 K10"},
         false, {"  X                     Y y", "", "  X                     Y y", "", "                          X"},
         {"80,0 LD X0 code=2000 end=10 id=1", "960,0 OUT T0 K10 code=0600 end=11 id=1",
          "80,64 LD X1 code=2000 end=10 id=2", "960,64 OUT C0 K10 code=0E00 end=11 id=2",
          "1040,128 END code=000F end=11 id=3"}, {80, 128}},
        {"overwrite", {"LD X0", "OUT Y0", "@80,0", "LDI X2"}, false,
         {"  X                       Y", "", "                          X"},
         {"80,0 LDI X2 code=3000 end=10 id=1", "1040,0 OUT Y0 code=C000 end=11 id=1",
          "1040,64 END code=000F end=11 id=2"}, {160, 0}},
        {"insert", {"LD X0", "AND X1", "OUT Y0", "@160,0", "ANI X3"}, true,
         {"  X X X                   Y", "", "                          X"},
         {"80,0 LD X0 code=2000 end=10 id=1", "160,0 ANI X3 code=5000 end=10 id=1",
          "240,0 AND X1 code=4000 end=10 id=1", "1040,0 OUT Y0 code=C000 end=11 id=1",
          "1040,64 END code=000F end=11 id=2"}, {240, 0}},
        {"output clearing its row", {"LD X0", "AND X1", "AND X2", "@160,0", "OUT Y0"}, false,
         {"  X X X                   Y", "", "                          X"},
         {"80,0 LD X0 code=2000 end=10 id=1", "1040,0 OUT Y0 code=C000 end=11 id=1",
          "1040,64 END code=000F end=11 id=2"}, {80, 64}},
    };
    for (const Sequence& c : cases) {
        freshProgram();
        fakes.messages.shown.clear();
        typeLines({c.lines.begin(), c.lines.end() - 1});
        if (c.insert) editModeFlags |= kEditInsertMode;
        typeLines({c.lines.back()});
        EXPECT_EQ(dump(), c.grid);
        EXPECT_EQ(list(), c.objects);
        EXPECT_EQ(std::make_pair(xOldCursor, yOldCursor), c.cursor);
        EXPECT_EQ(boxes(), Boxes{});
        EXPECT_EQ(editModeFlags & 0x0C, 0x0C);
    }
}
// clang-format on

// A refused line leaves the ladder with END alone, nothing being entered, no undo copy and the
// program unmarked.
TEST_F(EntryDriverTest, RefusedLinesShowTheirBoxAndChangeNothing) {
    const std::string fifteen(15, '1');
    struct Refusal {
        std::string line;
        std::uint32_t symbol, x;
        std::optional<bool> closed;
        std::string box;
    };
    const Refusal cases[] = {
        {"LDX X0", kFncKeyTyped, 80, false, "Input Error...Can't write | Error2015031910"},
        {"MOV D" + fifteen, kFncKeyTyped, 80, {}, "Instruction Error | Input Device1 Error"},
        {"MOV D0 D" + fifteen, kFncKeyTyped, 80, {}, "Instruction Error | Input Device2 Error"},
        {"ZRST A B C D E F123", kFncKeyTyped, 80, {}, "Instruction Error | Input Device6 Error"},
        {"ABCDEFGHIJKL X0", kFncKeyTyped, 80, {}, "Instruction Error | Instruction Error"},
        {"DMOV D0V1 D2", kFncKeyTyped, 80, true, "Error2019031711 | Edit V Error "},
        {"DMOV D0 D2V3", kFncKeyTyped, 80, true, "Error2019031712 | Edit V Error "},
        {"LD X0", kFncKeyTyped, 0, true, "Edit symble position error | Address Error"},
        {"Q9", 1, 80, false, "Error2015011601... Can't write | EditKey"},
        {"Q9", 16, 80, false, "Error2015011601... Can't write | EditKey"},
        {"Q9", 5, 80, false, "Error2015011601... Can't write | EditKey"},
    };
    for (const Refusal& c : cases) {
        freshProgram();
        fakes.messages.shown.clear();
        xOldCursor = c.x;
        const auto before = dump();
        EditKeyBox box = enter(c.line, c.symbol);
        EXPECT_EQ(box.closed, c.closed.value_or(box.closed)) << c.line;
        EXPECT_EQ(box.line, box.closed ? box.line : c.line) << c.line;
        EXPECT_EQ(boxes(), Boxes{c.box + " | warning"}) << c.line;
        EXPECT_EQ(dump(), before) << c.line;
        EXPECT_EQ(list(), Texts{"1040,0 END code=000F end=11 id=1"}) << c.line;
        EXPECT_EQ(editNew, nullptr) << c.line;
        EXPECT_EQ(editModeFlags & (kEditModifiedSinceSave | kEditLadderNotConverted), 0) << c.line;
        EXPECT_FALSE(hasUndoCopy()) << c.line;
    }
    // A refusal takes no undo copy, marks no line gray and leaves the program unmodified.
    freshProgram();
    enter("LDX X0");
    EXPECT_NE(editInstrFlags & kInstrEntryRefused, 0);
    EXPECT_FALSE(hasUndoCopy());
    EXPECT_EQ(grayMarks.head, nullptr);
    EXPECT_EQ(editModeFlags & (kEditModifiedSinceSave | kEditLadderNotConverted), 0);
    xOldCursor = 0;
    enter("LD X0");
    EXPECT_NE(editInstrFlags & kInstrEntryRefused, 0);
}

// Each operand field keeps its own bound: the split cuts nothing that fits.
TEST_F(EntryDriverTest, TheSplitFillsEachFieldUpToItsBound) {
    EditKeyBox box = enter("  LD   X000  ");
    EXPECT_TRUE(box.closed);
    ASSERT_EQ(list().front(), "80,0 LD X000 code=2000 end=10 id=1");
    EXPECT_EQ(std::string(ldrHead->mnemonic.data(), 4), std::string("LD \0", 4));
    freshProgram();
    fakes.messages.shown.clear();
    EXPECT_FALSE(splitEntryLine("X A"));  // nothing being entered
    EXPECT_EQ(boxes().back(), "Error2015030101 | *Edit | warning");
    ReallocLadderMemory(kLinkEditNew, 20);
    fakes.messages.shown.clear();
    EXPECT_TRUE(splitEntryLine("X " + std::string(15, 'D') + " A B C D F12 IGNORED"));
    EXPECT_EQ(textOf(editNew->operands[0]), std::string(15, 'D'));
    EXPECT_EQ(textOf(editNew->operand6), "F12");
    EXPECT_TRUE(splitEntryLine("ABCDEFGHIJK X0"));
    EXPECT_EQ(std::string(editNew->mnemonic.data(), 12), "ABCDEFGHIJK ");
    EXPECT_EQ(boxes(), Boxes{});
}

// Keys go on to the line; Enter is refused, and the box stays open with the line.
TEST_F(EntryDriverTest, InsertModeRefusesTheFirstObjectsCellAtEnter) {
    typeLines({"LD X0"});
    fakes.messages.shown.clear();
    editModeFlags |= kEditInsertMode;
    xOldCursor = 80;
    yOldCursor = 0;
    EditKeyBox box;
    box.line = "LD X1";
    EXPECT_TRUE(box.keyPress('A'));
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_FALSE(box.keyPress('\r'));
    EXPECT_FALSE(box.closed);
    EXPECT_FALSE(box.masked);
    EXPECT_EQ(box.line, "LD X1");
    EXPECT_EQ(boxes(), Boxes{"This position can't insert | Msg2015011911 | warning"});
    EXPECT_EQ(list().front(), "80,0 LD X0 code=2000 end=10 id=1");
}

TEST_F(EntryDriverTest, AnOutputInsertedOntoAnOutputIsRefused) {
    typeLines({"LD X0", "OUT Y0"});
    fakes.messages.shown.clear();
    const Texts before = list();
    editModeFlags |= kEditInsertMode;
    xOldCursor = 160;
    yOldCursor = 0;
    EditKeyBox box = enter("OUT Y1");
    EXPECT_FALSE(box.closed);
    EXPECT_EQ(box.line, "OUT Y1");
    EXPECT_EQ(boxes(), Boxes{"This position can't insert | Msg2015011911 | warning"});
    EXPECT_EQ(list(), before);
}

TEST_F(EntryDriverTest, AnOutputOverwritingAnOutputReplacesItAndTurnsTheCellsBetweenIntoNops) {
    typeLines({"LD X0", "AND X1", "AND X2", "OUT Y0"});
    fakes.messages.shown.clear();
    xOldCursor = 160;
    yOldCursor = 0;
    EditKeyBox box = enter("OUT Y7");
    EXPECT_TRUE(box.closed);
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_EQ(list(), (Texts{"80,0 LD X0 code=2000 end=10 id=1", "160,0 NOP code=FFFF end=10 id=1",
                             "240,0 NOP code=FFFF end=10 id=1", "1040,0 OUT Y7 code=C000 end=11 id=1",
                             "1040,64 END code=000F end=11 id=2"}));
    EXPECT_EQ(std::make_pair(xOldCursor, yOldCursor), std::make_pair(80u, 64u));
}

TEST_F(EntryDriverTest, MonitorModeRefusesEveryKey) {
    for (const int mode : {kMonitorLadder, kMonitorEntryDevices}) {
        monitorMode = mode;
        EditKeyBox box;
        box.line = "LD X0";
        EXPECT_FALSE(box.keyPress('\r'));
        EXPECT_FALSE(box.closed);
    }
    EXPECT_EQ(boxes(), Boxes(2, "In monitor mode...Can'tDoEdit... | Msg2015032002 | none"));
    monitorMode = kMonitorOff;
    EXPECT_TRUE(EditKeyBox{}.keyPress('L'));
    EXPECT_EQ(list(), Texts{"1040,0 END code=000F end=11 id=1"});
}

// While a monitor runs no box opens: the key (a letter, a function key's symbol, the output key,
// Enter on an object) is refused at once with the edit refusal. Escape closes an open box even then.
TEST_F(EntryDriverTest, MonitorModeOpensNoBoxAndEscapeStillClosesOne) {
    typeLines({"LD X0"});
    const std::function<void()> openers[] = {
        [] { openInstructionBoxOnKey('L'); },
        [] { openInstructionBoxOnSymbol(5); },
        [] { openInstructionBoxOnOutputKey(); },
        [] { openInstructionBoxOnObject(*ldrHead); },
    };
    for (const int mode : {kMonitorLadder, kMonitorEntryDevices}) {
        monitorMode = mode;
        const Texts before = list();
        fakes.messages.shown.clear();
        entryDialogs.opened.clear();
        for (const auto& open : openers) open();
        EXPECT_EQ(entryDialogs.opened, Texts{}) << mode;
        EXPECT_EQ(boxes(), Boxes(4, "In monitor mode...Can'tDoEdit... | Msg2015032002 | none")) << mode;
        EXPECT_EQ(list(), before) << mode;
        fakes.messages.shown.clear();
        EditKeyBox open;
        open.line = "LD X1";
        EXPECT_FALSE(open.keyPress(27));
        EXPECT_TRUE(open.closed) << mode;
        EXPECT_EQ(boxes(), Boxes{}) << mode;
    }
}

TEST_F(EntryDriverTest, AccessCodesRevealTheirItemsAndEnterNothing) {
    EditKeyBox box;
    box.line = std::string(access::kMoreViewCode);
    box.keyPress('\r');
    EXPECT_TRUE(box.closed);
    EXPECT_NE(langState.optionFlags & kOptionMoreView, 0);
    EXPECT_EQ(editModeFlags & kEditModifiedSinceSave, 0);
    editModeFlags |= kEditModifiedSinceSave;  // unsaved work stays unsaved work
    EditKeyBox second;
    second.line = std::string(access::kDemoKitCode);
    second.keyPress('\r');
    EXPECT_EQ(entryDialogs.revealed, (std::vector<HiddenItems>{HiddenItems::MoreView, HiddenItems::DemoKit}));
    EXPECT_NE(editInstrFlags & kInstrEntryRefused, 0);
    EXPECT_NE(editModeFlags & kEditModifiedSinceSave, 0);
    EXPECT_EQ(list(), Texts{"1040,0 END code=000F end=11 id=1"});
    // A code with a blank behind it is no code; the trace shows it masked, as the box did.
    fakes.trace.setVisible(platform::Memo::Debug6, true);
    EditKeyBox mistyped;
    mistyped.line = std::string(access::kMoreViewCode) + " ";
    mistyped.keyPress('\r');
    EXPECT_EQ(fakes.trace.lines(platform::Memo::Debug6).front(), "*EditKey, ********");
}

TEST_F(EntryDriverTest, TheProgramCountsAsEditedOnlyOnceTheBoxTookALine) {
    entryDialogs.scripts = {"D X0\r"};
    openInstructionBoxOnKey('L');
    EXPECT_EQ(entryDialogs.opened, Texts{"L"});
    EXPECT_EQ(editModeFlags & 0x0C, 0x0C);
    EXPECT_TRUE(canvasState.editCancelMenuEnabled);
    freshProgram();
    xOldCursor = 0;
    entryDialogs.scripts = {"D X0\r"};
    openInstructionBoxOnKey('L');  // left of the bus: refused, and the box closes
    EXPECT_EQ(editModeFlags & kEditLadderNotConverted, 0);
    // A box given up with Escape has entered nothing: the program is as it was.
    freshProgram();
    entryDialogs.scripts = {"D X0\x1b"};
    openInstructionBoxOnKey('L');
    EXPECT_EQ(editModeFlags & 0x0C, 0);
    EXPECT_FALSE(canvasState.editCancelMenuEnabled);
}

TEST_F(EntryDriverTest, ASymbolContactIsCheckedAsAndButStoredAsLd) {
    EditKeyBox box = enter("X000", 5);
    EXPECT_TRUE(box.closed);
    EXPECT_EQ(list().front(), "80,0 LD X000 code=2000 end=10 id=1");
    EXPECT_EQ(FncKeyDeviceCode, 5u);
}

// A key typed after a tool-button entry opens the box with no tool: the symbol of the button before
// stays behind, and the typed line is read as typed.
TEST_F(EntryDriverTest, AKeyTypedAfterASymbolEntryOpensTheBoxWithNoTool) {
    entryDialogs.scripts = {"X000\r"};
    openInstructionBoxOnSymbol(5);
    ASSERT_EQ(list().front(), "80,0 LD X000 code=2000 end=10 id=1");
    xOldCursor = 160;
    entryDialogs.scripts = {"UT Y000\r"};
    openInstructionBoxOnKey('O');
    EXPECT_EQ(entryDialogs.opened, (Texts{"", "O"}));
    EXPECT_EQ(entryDialogs.toolsAtOpen, (std::vector<std::uint32_t>{5, 0}));
    const Texts objects = list();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[1], "1040,0 OUT Y000 code=C000 end=11 id=1");
}

TEST_F(EntryDriverTest, SymbolCodesMapFromTheFinalCode) {
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> cases{{0xB800, 17}, {0x7000, 6}, {0x01CE, 2},
                                                                     {0x0202, 7},  {0x0003, 8}, {0x03FE, 8},
                                                                     {0x13FF, 8},  {0xFFFD, 15}};
    for (const auto& [code, symbol] : cases) EXPECT_EQ(_UpdateIconFnCode(code), symbol) << code;
    EXPECT_EQ(FncKeyDeviceCode, 15u);
    FncKeyDeviceCode = 7;
    for (std::uint32_t unknown : {0x0001u, 0x000Eu, 0x03FFu, 0x100Fu, 0x1400u, 0xFFFFu})
        EXPECT_EQ(_UpdateIconFnCode(unknown), 7u);
    EXPECT_EQ(boxes().size(), 6u);
    EXPECT_EQ(boxes().front(), "Error2019030280 | _UpdateIconFnCode | warning");
    EXPECT_EQ(_UpdateIconFnCode(0), 0u);
}

TEST_F(EntryDriverTest, TheBoxSymbolTakesInstructionsButNotAPlainContact) {
    xMouseCell = 160;
    enter("LD X0", 8);
    EXPECT_EQ(boxes(), Boxes{"Error2015011601... Can't write | EditKey | warning"});
    typeLines({"LD X0"});
    EXPECT_TRUE(enter("MOV K1 D0", 8).closed);
    EXPECT_EQ(list()[1], "880,0 MOV K1 D0 code=0028 end=11 id=1");
}

}  // namespace
}  // namespace kestrion

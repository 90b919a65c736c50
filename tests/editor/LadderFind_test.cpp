#include "editor/LadderFind.h"

#include "editor/EditorViewState.h"
#include "editor/FindTestSupport.h"
#include "lang/Language.h"
#include "lang/Texts.h"
#include "model/image/ConnectedPlc.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kWrappedDown =
    "The search reached the end of the program and went on from its start. | Find | information";
const std::string kWrappedUp =
    "The search reached the start of the program and went on from its end. | Find | information";

// Each search from the framed object, in turn: the place framed after it and the boxes it showed.
struct Step {
    FindDirection direction;
    std::string framed;
    Boxes boxes;
};

class LadderFindTest : public FindTest {
protected:
    void walk(FindKind kind, const std::string& text, const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            fakes.messages.shown.clear();
            findOnce({kind, text}, step.direction);
            EXPECT_EQ(framed(), step.framed) << text;
            EXPECT_EQ(boxes(), step.boxes) << text;
        }
    }
    static Lines listed(FindKind kind, const std::string& text) {
        Lines rows;
        const auto matcher = FindMatcher::prepare({kind, text});
        if (!matcher) return {"refused"};
        for (const FoundPlace& place : findAll(*matcher))
            rows.push_back(place.step + " | " + place.line + " | " + place.comment);
        return rows;
    }
};

constexpr FindDirection kDown = FindDirection::Down;
constexpr FindDirection kUp = FindDirection::Up;

TEST_F(LadderFindTest, ADeviceIsFoundDownAndUpAndRoundTheEnds) {
    walk(FindKind::Device, "X10",
         {{kDown, "2 LD X010", {}},
          {kDown, "14 LD X010", {}},
          {kDown, "2 LD X010", {kWrappedDown}},
          {kUp, "14 LD X010", {kWrappedUp}},
          {kUp, "2 LD X010", {}}});
    EXPECT_EQ(fakes.statusBar.panelText(0), "Found at step 2: LD X010");
}

// The instruction box reads X010, X10 and x10 as one device, and a digit group holds 4 k bits.
TEST_F(LadderFindTest, DevicesAreReadAsTheInstructionBoxReadsThem) {
    const std::pair<std::string, Lines> cases[] = {
        {"X010", {"2 | LD X010 | ", "14 | LD X010 | "}},
        {" x10 ", {"2 | LD X010 | ", "14 | LD X010 | "}},
        {"X0", {"0 | LD X000 | "}},
        {"D100", {"3 | MOV K10 D100 | "}},
        {"D0", {"9 | MOVP K4M0 D0 | "}},
        {"M0", {"9 | MOVP K4M0 D0 | ", "16 | LD M0 | "}},
        {"M15", {"9 | MOVP K4M0 D0 | "}},  // K4M0: M0 to M15
        {"M1", {"9 | MOVP K4M0 D0 | ", "17 | OUT M1 | "}},
        {"M16", {}},
        {"X100", {}},  // octal: not X010's neighbour
        {"Y1", {"15 | OUT Y001 | "}},
    };
    for (const auto& [text, rows] : cases) EXPECT_EQ(listed(FindKind::Device, text), rows) << text;
}

TEST_F(LadderFindTest, AnInstructionIsFoundByItsMnemonicOrATypedBeginningOfIt) {
    const std::pair<std::string, Lines> cases[] = {
        {"MOV", {"3 | MOV K10 D100 | ", "9 | MOVP K4M0 D0 | "}},
        {"movp", {"9 | MOVP K4M0 D0 | "}},
        {"  mov ", {"3 | MOV K10 D100 | ", "9 | MOVP K4M0 D0 | "}},
        {"OUT", {"1 | OUT Y000 | ", "15 | OUT Y001 | ", "17 | OUT M1 | "}},
        {"END", {"18 | END | "}},
        {"LDI", {}},
        {"DMOV", {}},
    };
    for (const auto& [text, rows] : cases) EXPECT_EQ(listed(FindKind::Instruction, text), rows) << text;
    walk(FindKind::Instruction, "MOV",
         {{kDown, "3 MOV K10 D100", {}},
          {kDown, "9 MOVP K4M0 D0", {}},
          {kDown, "3 MOV K10 D100", {kWrappedDown}}});
}

// Device comments name the objects whose operands use their devices (a digit group's bits
// included); block and coil comments name the objects that carry them.
TEST_F(LadderFindTest, ACommentTextFindsTheObjectsItBelongsTo) {
    comment('X', 10, "Start button");
    comment('M', 5, "Start latch");
    comment('M', 6, "Lamp");
    comment('Y', 1, "Pump");
    appendCoilComment(17, "Alarm output");
    const std::pair<std::string, Lines> cases[] = {
        {"start",
         {"2 | LD X010 | Start button", "9 | MOVP K4M0 D0 | Start latch", "14 | LD X010 | Start button"}},
        {"PUMP", {"15 | OUT Y001 | Pump"}},
        {"alarm", {"17 | OUT M1 | Alarm output"}},
        {" button  ", {"2 | LD X010 | Start button", "14 | LD X010 | Start button"}},
        {"motor", {}},
    };
    for (const auto& [text, rows] : cases) EXPECT_EQ(listed(FindKind::Comment, text), rows) << text;
    frameAt(80, 128);
    walk(FindKind::Comment, "start",
         {{kDown, "9 MOVP K4M0 D0", {}}, {kDown, "14 LD X010", {}}, {kUp, "9 MOVP K4M0 D0", {}}});
    // Device and instruction lists show the device comments of the operands.
    EXPECT_EQ(listed(FindKind::Instruction, "OUT"),
              (Lines{"1 | OUT Y000 | ", "15 | OUT Y001 | Pump", "17 | OUT M1 | "}));
}

// A device name is found as a device comment is: at the objects whose operands use its device;
// the find list shows the names and comments that hold the text.
TEST_F(LadderFindTest, ADeviceNameFindsTheObjectsOfItsDevice) {
    appendDeviceName('X', 10, "Start button");
    appendDeviceName('Y', 1, "Pump");
    appendDeviceName('Y', 0, "Lamp");
    comment('Y', 1, "Pump motor");
    comment('X', 10, "Green");
    const std::pair<std::string, Lines> cases[] = {
        {"start", {"2 | LD X010 | Start button", "14 | LD X010 | Start button"}},
        {"PUMP", {"15 | OUT Y001 | Pump  Pump motor"}},
        {"motor", {"15 | OUT Y001 | Pump motor"}},
        {"lamp", {"1 | OUT Y000 | Lamp"}},
        {"valve", {}},
    };
    for (const auto& [text, rows] : cases) EXPECT_EQ(listed(FindKind::Comment, text), rows) << text;
    walk(FindKind::Comment, "button",
         {{kDown, "2 LD X010", {}}, {kDown, "14 LD X010", {}}, {kDown, "2 LD X010", {kWrappedDown}}});
    // The device and instruction lists keep showing the device comments alone.
    EXPECT_EQ(listed(FindKind::Device, "X10"), (Lines{"2 | LD X010 | Green", "14 | LD X010 | Green"}));
}

// A device comment belongs to its own device only: the device just before it in the same family
// (X000 before X001, M0 before M1) is not found by it, whether in the list or by Find Next, and the
// list gives each object the comments of its own devices only.
TEST_F(LadderFindTest, ACommentDoesNotFindTheDeviceBeforeItsOwn) {
    comment('X', 0, "Start button");
    comment('X', 1, "Stop button");
    comment('M', 1, "Lamp relay");
    const std::pair<std::string, Lines> cases[] = {
        {"stop", {"8 | LD X001 | Stop button"}},
        {"button", {"0 | LD X000 | Start button", "8 | LD X001 | Stop button"}},
        {"relay", {"9 | MOVP K4M0 D0 | Lamp relay", "17 | OUT M1 | Lamp relay"}},
    };
    for (const auto& [text, rows] : cases) EXPECT_EQ(listed(FindKind::Comment, text), rows) << text;
    walk(FindKind::Comment, "stop", {{kDown, "8 LD X001", {}}, {kDown, "8 LD X001", {kWrappedDown}}});
    frameAt(80, 192);  // 14 LD X010: the next object, LD M0, is not the relay's
    walk(FindKind::Comment, "relay", {{kDown, "17 OUT M1", {}}});
}

// Block comments are found at the objects that carry them, the first one made as well as the later.
TEST_F(LadderFindTest, BlockCommentsFindTheObjectsThatCarryThem) {
    appendBlockComment(8, "Second rung");
    appendBlockComment(14, "Fourth rung");
    EXPECT_EQ(listed(FindKind::Comment, "rung"),
              (Lines{"8 | LD X001 | Second rung", "14 | LD X010 | Fourth rung"}));
    EXPECT_EQ(listed(FindKind::Comment, "second"), (Lines{"8 | LD X001 | Second rung"}));
    walk(FindKind::Comment, "rung", {{kDown, "8 LD X001", {}}, {kDown, "14 LD X010", {}}});
}

// A pointer label is a device of its own: Find Device stops at the jump and at the label, and the
// list gives both the label's comment.
TEST_F(LadderFindTest, APointerLabelIsFoundAsADeviceWithItsComment) {
    // 0 LD X000  1 CJ P10  4 P10  5 LD X001  6 OUT Y000  7 END
    ASSERT_TRUE(load({0x2400, 0x0010, 0x8814, 0x8000, 0xB00A, 0x2401, 0xC500, 0x000F}, 8));
    comment('P', 10, "Skip the fill");
    frameAt(80, 0);
    fakes.messages.shown.clear();
    EXPECT_EQ(listed(FindKind::Device, "P10"),
              (Lines{"1 | CJ P10 | Skip the fill", "4 | P10 | Skip the fill"}));
    EXPECT_EQ(listed(FindKind::Comment, "fill"),
              (Lines{"1 | CJ P10 | Skip the fill", "4 | P10 | Skip the fill"}));
    walk(FindKind::Device, "p10",
         {{kDown, "1 CJ P10", {}}, {kDown, "4 P10", {}}, {kDown, "1 CJ P10", {kWrappedDown}}});
}

TEST_F(LadderFindTest, NothingFoundOrNothingToFindSaysSoAndTheFrameStays) {
    struct Case {
        FindKind kind;
        std::string text;
        std::string box;
    };
    const Case cases[] = {
        {FindKind::Device, "X11", "\"X11\" was not found. | Find | information"},
        {FindKind::Device, "X8",
         "\"X8\" is not a device. Type a device such as X10, D100 or T0. | Find | warning"},
        {FindKind::Device, "K4M0",
         "\"K4M0\" is not a device. Type a device such as X10, D100 or T0. | Find | warning"},
        {FindKind::Instruction, "  ", "Type what to find. | Find | warning"},
        {FindKind::Comment, "motor", "\"motor\" was not found. | Find | information"},
    };
    for (const Case& c : cases) {
        fakes.messages.shown.clear();
        EXPECT_FALSE(findOnce({c.kind, c.text}, kDown));
        EXPECT_EQ(boxes(), Boxes{c.box}) << c.text;
        EXPECT_EQ(framed(), "0 LD X000");
    }
}

// From a cell without an object the search starts at the next object in reading order.
TEST_F(LadderFindTest, FromAnEmptyCellTheSearchStartsAtTheNextPlace) {
    frameAt(400, 64);
    walk(FindKind::Instruction, "LD", {{kDown, "8 LD X001", {}}});
    frameAt(400, 64);
    walk(FindKind::Instruction, "LD", {{kUp, "2 LD X010", {}}});
    frameAt(400, 640);  // below END
    walk(FindKind::Instruction, "END", {{kDown, "18 END", {kWrappedDown}}});
}

// Joints and wires are never found; an object not converted yet has no step to name.
TEST_F(LadderFindTest, AnObjectNotConvertedYetIsFoundWithoutAStep) {
    objectOf("LD X001")->stepNo = kStepNoUnassigned;
    findOnce({FindKind::Device, "X1"}, kDown);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Found (not converted yet): LD X001");
    EXPECT_EQ(listed(FindKind::Device, "X1"), Lines{"- | LD X001 | "});
}

TEST_F(LadderFindTest, TheDialogFindsTheNextPlaceOrListsThemAllAndKeepsTheQuery) {
    frameAt(880, 64);  // on MOV K10 D100: its first operand is no device, the field stays empty
    editorDialogs.findHand = [](FindDialog& dialog) {
        dialog.text = "X10";
        dialog.direction = kUp;
        dialog.action = FindAction::FindNext;
    };
    findWithDialog();
    EXPECT_EQ(editorDialogs.shownFind.text, "");
    EXPECT_EQ(framed(), "2 LD X010");
    // Find next and previous repeat the query without the dialog.
    findAgain(kDown);
    EXPECT_EQ(framed(), "14 LD X010");
    findAgain(kUp);
    EXPECT_EQ(framed(), "2 LD X010");
    EXPECT_EQ(editorDialogs.findShown, 1);
    // The dialog opens again on the kept query; the list frames a place on a double click.
    editorDialogs.findHand = [](FindDialog& dialog) { dialog.action = FindAction::FindList; };
    editorDialogs.listHand = [this](FindListDialog& list) {
        list.rowDoubleClick(1);
        EXPECT_EQ(framed(), "14 LD X010");
        list.rowDoubleClick(7);  // no such row: nothing moves
        EXPECT_EQ(framed(), "14 LD X010");
    };
    findWithDialog();
    EXPECT_EQ(std::tie(editorDialogs.shownFind.text, editorDialogs.shownFind.direction),
              std::tie("X10", kUp));
    EXPECT_EQ(editorDialogs.shownList.query, "X10");
    EXPECT_EQ(editorDialogs.shownList.places.size(), 2u);
    // Cancel changes nothing.
    editorDialogs.findHand = nullptr;
    findWithDialog();
    EXPECT_EQ(framed(), "14 LD X010");
}

TEST_F(LadderFindTest, WithoutAKeptQueryFindNextOpensTheDialogOnTheFramedDevice) {
    frameAt(80, 64);
    findAgain(kDown);
    EXPECT_EQ(editorDialogs.findShown, 1);
    EXPECT_EQ(editorDialogs.shownFind.text, "X10");
    EXPECT_EQ(framed(), "2 LD X010");  // cancelled
}

TEST_F(LadderFindTest, AnEmptyListIsNotShown) {
    editorDialogs.findHand = [](FindDialog& dialog) {
        dialog.text = "C0";
        dialog.action = FindAction::FindList;
    };
    editorDialogs.listHand = [](FindListDialog&) { ADD_FAILURE() << "an empty list was shown"; };
    findWithDialog();
    EXPECT_EQ(boxes(), Boxes{"\"C0\" was not found. | Find | information"});
}

// The go-to takes the drawn object at the step or the nearest before it.
TEST_F(LadderFindTest, GoToStepInsideAtAndPastEnd) {
    const std::pair<std::uint32_t, std::string> cases[] = {
        {0, "0 LD X000"},       {3, "3 MOV K10 D100"}, {5, "3 MOV K10 D100"}, {8, "8 LD X001"},
        {13, "9 MOVP K4M0 D0"}, {17, "17 OUT M1"},     {18, "18 END"},
    };
    for (const auto& [step, place] : cases) {
        EXPECT_EQ(goToStep(step), GoToOutcome::Moved) << step;
        EXPECT_EQ(framed(), place) << step;
        EXPECT_EQ(std::pair(xOldCursor, yOldCursor), std::pair(BlueFrame.x1, BlueFrame.y1));
    }
    EXPECT_EQ(fakes.statusBar.panelText(0), "At step 18: END");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(goToStep(19), GoToOutcome::PastEnd);
    EXPECT_EQ(goToStep(4000000000u), GoToOutcome::PastEnd);
    EXPECT_EQ(boxes(), (Boxes{"Step 19 lies past END (step 18). | Go to step | information",
                              "Step 4000000000 lies past END (step 18). | Go to step | information"}));
    EXPECT_EQ(framed(), "18 END");
}

TEST_F(LadderFindTest, GoToStepAsksTheNumberDialog) {
    editorDialogs.answer = {1, 9};
    goToStepWithDialog();
    EXPECT_EQ(framed(), "9 MOVP K4M0 D0");
    EXPECT_EQ(std::tie(editorDialogs.lastRequest.caption, editorDialogs.lastRequest.stepNoLabel,
                       editorDialogs.lastRequest.stringLabel),
              std::tie("Go to step", "Step No.", "0 - 18 (END)"));
    editorDialogs.answer = {0, 0};  // Cancel
    goToStepWithDialog();
    EXPECT_EQ(framed(), "9 MOVP K4M0 D0");
}

// The texts follow the interface language, the status bar's through its phrases.
TEST_F(LadderFindTest, TheBoxesSpeakTheInterfaceLanguage) {
    ModeData.languageNo = 1;
    selectLanguageFlags(1);
    findOnce({FindKind::Device, "X11"}, kDown);
    goToStep(30);
    EXPECT_EQ(boxes(), (Boxes{"找不到「X11」。 | 尋找 | information",
                              "步數 30 超出 END (步數 18)。 | 跳至步數 | information"}));
    EXPECT_EQ(statusText("Found at step 2: LD X010", Language::TraditionalChinese), "找到於步數 2: LD X010");
}

}  // namespace
}  // namespace kestrion::test

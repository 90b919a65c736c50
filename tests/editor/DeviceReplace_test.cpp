#include "editor/DeviceReplace.h"

#include "compiler/ConvertCommand.h"
#include "editor/CommentEdit.h"
#include "editor/EditCommands.h"
#include "editor/FindTestSupport.h"
#include "lang/Language.h"
#include "lang/Texts.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/EditMarks.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kDone = " | Replace | information";

class DeviceReplaceTest : public FindTest {
protected:
    // The instruction lines of the ladder, END left out.
    static Lines ladder() {
        Lines lines;
        for (const stLadderBlock* o = ldrHead; o != nullptr && o->next != nullptr; o = o->next)
            lines.push_back(objectEntryText(*o));
        return lines;
    }
    static Lines deviceComments() {
        Lines rows;
        for (const CommentListRow& row : commentListRows(CommentKind::Device))
            rows.push_back(row.key + " " + row.comment);
        return rows;
    }
    static Lines deviceNames() {
        Lines rows;
        for (const CommentListRow& row : commentListRows(CommentKind::Name))
            rows.push_back(row.key + " " + row.comment);
        return rows;
    }
    static std::optional<DeviceReplacement> read(const std::string& from, const std::string& to) {
        return readReplacement(from, to, true, "", "");
    }
    static ReplaceOutcome replace(const std::string& from, const std::string& to) {
        const auto replacement = read(from, to);
        return replacement ? replaceDevices(*replacement) : ReplaceOutcome{};
    }
    static std::vector<std::uint32_t> markedRows() {
        std::vector<std::uint32_t> rows;
        for (const stGrayMark* mark = grayMarks.head; mark != nullptr; mark = mark->next)
            rows.push_back(mark->Y);
        return rows;
    }
};

const Lines kLoaded = {"LD X000",      "OUT Y000", "LD X010",  "MOV K10 D100", "LD X001",
                       "MOVP K4M0 D0", "LD X010",  "OUT Y001", "LD M0",        "OUT M1"};

TEST_F(DeviceReplaceTest, TheFieldsAreReadIntoARangeAndItsTarget) {
    const std::string devices =
        "Type the devices to replace, one device or a range such as X0 or M0-M99, and the device that takes "
        "the "
        "place of the first, such as X20 or M100. | Replace | warning";
    const std::string order =
        "A range runs from a device to a later one of the same letter, such as M0-M99. | Replace | warning";
    const std::string steps =
        "Type the step range as two step numbers, the first not above the second. | Replace | warning";
    const std::string nesting =
        "Nesting levels (N) are not replaced here: change them in the instruction box. | Replace | warning";
    struct Case {
        std::string from, to;
        bool whole;
        std::string first, last;
        std::string read;  // "letter number count -> letter number, steps" or the box
    };
    const Case cases[] = {
        {"X0", "X20", true, "", "", "X0 x1 -> X20 all"},
        {"m0-m99", " M100 ", true, "", "", "M0 x100 -> M100 all"},
        {"X0-X17", "Y10", false, "4", "20", "X0 x16 -> Y10 4-20"},  // octal: X0..X17 are 16 inputs
        {"D5", "D5", true, "", "", "D5 would stay D5: nothing to replace. | Replace | warning"},
        {"M99-M0", "M100", true, "", "", order},
        {"M0-D99", "M100", true, "", "", order},
        {"X0", "", true, "", "", devices},
        {"K4M0", "M100", true, "", "", devices},
        {"M0-Q9", "M100", true, "", "", devices},
        {"M0-", "M100", true, "", "", devices},
        {"-M9", "M100", true, "", "", devices},
        {"X8", "X20", true, "", "", devices},
        {"M0-M99", "M999950", true, "", "", devices},  // the range would run past six digits
        {"P1", "P2", true, "", "",
         "Labels (P, I) are not replaced here: change them in the instruction box. | Replace | warning"},
        {"N0", "N1", true, "", "", nesting},
        {" n0-N7 ", "M100", true, "", "", nesting},
        {"M0", "N1", true, "", "", nesting},
        {"M0-N7", "M100", true, "", "", nesting},
        {"X0", "X20", false, "9", "3", steps},
        {"X0", "X20", false, "", "3", steps},
        {"X0", "X20", false, "1a", "3", steps},
        {"X0", "X20", false, "7", "7", "X0 x1 -> X20 7-7"},
    };
    for (const Case& c : cases) {
        fakes.messages.shown.clear();
        const auto r = readReplacement(c.from, c.to, c.whole, c.first, c.last);
        const std::string got =
            r ? r->first.text() + " x" + std::to_string(r->count) + " -> " + r->target.text() + " " +
                    (r->wholeProgram ? "all"
                                     : std::to_string(r->firstStep) + "-" + std::to_string(r->lastStep))
            : boxes().empty() ? "refused without a box"
                              : boxes()[0];
        EXPECT_EQ(got, c.read) << c.from << " " << c.to;
    }
}

TEST_F(DeviceReplaceTest, EachDeviceOfTheRangeBecomesTheOneAtTheSameOffset) {
    const auto octal = read("X0-X7", "X10");
    const auto decimal = read("M5-M9", "D100");
    ASSERT_TRUE(octal && decimal);
    const std::pair<DeviceName, std::string> cases[] = {
        {{'X', 0}, "X10"},
        {{'X', 7}, "X17"},
        {{'X', 10}, "none"},
        {{'Y', 0}, "none"},
    };
    for (const auto& [device, becomes] : cases) {
        const auto r = octal->replacementOf(device);
        EXPECT_EQ(r ? r->text() : "none", becomes) << device.text();
    }
    EXPECT_EQ(decimal->replacementOf({'M', 9})->text(), "D104");
    EXPECT_FALSE(decimal->replacementOf({'M', 10}));
    EXPECT_FALSE(decimal->replacementOf({'M', 4}));
}

TEST_F(DeviceReplaceTest, ADeviceIsReplacedEverywhereAsOneEditThatNeedsConvert) {
    editModeFlags = 0;
    const ReplaceOutcome outcome = replace("X10", "X20");
    EXPECT_TRUE(outcome.replaced);
    EXPECT_EQ(std::pair(outcome.operands, outcome.objects), std::pair(std::size_t{2}, std::size_t{2}));
    EXPECT_EQ(ladder(), (Lines{"LD X000", "OUT Y000", "LD X020", "MOV K10 D100", "LD X001", "MOVP K4M0 D0",
                               "LD X020", "OUT Y001", "LD M0", "OUT M1"}));
    EXPECT_EQ(boxes(), Boxes{"2 operands replaced in 2 instructions. Convert the ladder to write them into "
                             "the program." +
                             kDone});
    EXPECT_EQ(editModeFlags & (kEditLadderNotConverted | kEditModifiedSinceSave),
              kEditLadderNotConverted | kEditModifiedSinceSave);
    EXPECT_EQ(markedRows(), (std::vector<std::uint32_t>{64, 192}));
    // Convert writes the new device: LD X020 is 0x2410.
    ASSERT_TRUE(runCommand(LToM));
    EXPECT_EQ(std::pair(pmw.program[2], pmw.program[14]),
              std::pair(std::uint16_t{0x2410}, std::uint16_t{0x2410}));
}

// The closing box counts in the singular where a count is one, in the interface language.
TEST_F(DeviceReplaceTest, TheClosingBoxCountsOneOperandOrOneInstructionInTheSingular) {
    setText(objectOf("MOV K10 D100")->operands[0], "D100");  // MOV D100 D100: two operands, one line
    struct Case {
        int language;
        const char* from;
        const char* to;
        std::string box;
    };
    const Case cases[] = {
        {0, "X1", "X21",
         "1 operand replaced in 1 instruction. Convert the ladder to write it into the program."},
        {0, "D100", "D200",
         "2 operands replaced in 1 instruction. Convert the ladder to write them into the program."},
        {0, "X0-X10", "X30",
         "3 operands replaced in 3 instructions. Convert the ladder to write them into the program."},
        {4, "Y0", "Y10",
         "Se reemplazó 1 operando en 1 instrucción. Convierta el ladder para escribirlo en el programa."},
        {4, "D200", "D300",
         "Se reemplazaron 2 operandos en 1 instrucción. Convierta el ladder para escribirlos en el "
         "programa."},
        {5, "Y1", "Y11", "1 komutta 1 operand değiştirildi. Programa yazmak için ladder'ı dönüştürün."},
        {1, "M1", "M11", "已在 1 個指令中取代 1 個運算元。請轉換階梯圖以寫入程式。"},
    };
    for (const Case& c : cases) {
        selectLanguageFlags(c.language);
        fakes.messages.shown.clear();
        EXPECT_TRUE(replace(c.from, c.to).replaced) << c.from;
        EXPECT_EQ(boxes(), Boxes{c.box + " | " + textOf("ReplaceCaption") + " | information"}) << c.from;
    }
    selectLanguageFlags(0);
}

// The new device is drawn as the load writes it, so Convert leaves the line as it stands: a
// register or relay in its number alone, an input or output on its own in three digits.
TEST_F(DeviceReplaceTest, TheNewDeviceIsWrittenAsTheLoadWritesIt) {
    struct Case {
        const char* operand;  // the MOV's second operand before the replace
        const char* from;
        const char* to;
        std::size_t line;  // of the ladder
        std::string text;
    };
    const Case cases[] = {
        {"D5733", "D5000-D5999", "D0", 3, "MOV K10 D733"}, {"D100", "D100", "D5", 3, "MOV K10 D5"},
        {"D100Z1", "D100", "D12", 3, "MOV K10 D12Z1"},     {"D100", "X10", "X7", 2, "LD X007"},
        {"D100", "X0-X10", "X150", 2, "LD X160"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        resetAllState();
        prepare();
        initPmwImageByType(5);
        ASSERT_TRUE(initPmwImageForTypeAndSize(5, 8));
        ASSERT_TRUE(load(kFindProgram, 8));
        setText(objectOf("MOV K10 D100")->operands[1], c.operand);
        ASSERT_TRUE(replace(c.from, c.to).replaced);
        EXPECT_EQ(ladder().at(c.line), c.text);
        ASSERT_TRUE(runCommand(LToM));
        EXPECT_EQ(ladder().at(c.line), c.text);  // as the load writes it after Convert
    }
}

// A device that takes the place of another keeps its own comment and name; the replaced device's
// texts go only where the new device has none, and stay on the replaced device otherwise. The
// closing box says how many were kept.
TEST_F(DeviceReplaceTest, ADeviceKeepsItsOwnCommentAndNameAndTheBoxCountsThem) {
    const std::string done =
        "1 operand replaced in 1 instruction. Convert the ladder to write it into the program.";
    struct Case {
        const char* to;
        bool ownComment, ownName;
        const char* ownText;  // the new device's comment and name when it has them
        Lines comments, names;
        std::string kept;  // the line the box adds
    };
    const Case cases[] = {
        // X1 -> X3, X3 with a comment and a name of its own: both stay, and X1 keeps its own
        {"X3",
         true,
         true,
         "Stop",
         {"X001 Start", "X003 Stop"},
         {"X001 Start", "X003 Stop"},
         "\n2 device comments or names that the new devices already had were kept; the replaced devices "
         "keep theirs."},
        // X3 with a comment only: it keeps that, and takes X1's name
        {"X3",
         true,
         false,
         "Stop",
         {"X001 Start", "X003 Stop"},
         {"X003 Start"},
         "\n1 device comment or name that the new device already had was kept; the replaced device keeps "
         "its own."},
        // X4 has none: both go over, as before
        {"X4", false, false, "", {"X004 Start"}, {"X004 Start"}, ""},
        // X3's own texts are X1's texts: nothing to keep, X1's go over
        {"X3", true, true, "Start", {"X003 Start"}, {"X003 Start"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("X1 -> ") + c.to + (c.ownComment ? " comment" : "") +
                     (c.ownName ? " name" : ""));
        ClearAllComment1Click();
        comment('X', 1, "Start");
        appendDeviceName('X', 1, "Start");
        const auto own = static_cast<std::uint16_t>(std::stoi(c.to + 1));
        if (c.ownComment) comment('X', own, c.ownText);
        if (c.ownName) appendDeviceName('X', own, c.ownText);
        const Lines comments = deviceComments(), names = deviceNames();
        fakes.messages.shown.clear();
        const ReplaceOutcome outcome = replace("X1", c.to);
        ASSERT_TRUE(outcome.replaced);
        EXPECT_EQ(deviceComments(), c.comments);
        EXPECT_EQ(deviceNames(), c.names);
        EXPECT_EQ(std::size_t{ModeData.deviceCommentCount} + ModeData.deviceNameCount,
                  c.comments.size() + c.names.size());
        EXPECT_EQ(boxes(), Boxes{done + c.kept + kDone});
        // Undo brings back the texts as they were
        Undo1Click();
        EXPECT_EQ(deviceComments(), comments);
        EXPECT_EQ(deviceNames(), names);
        EXPECT_EQ(ladder(), kLoaded);
    }
}

// The line the box adds is in the interface language, with one and with more.
TEST_F(DeviceReplaceTest, TheKeptLineSpeaksTheInterfaceLanguage) {
    comment('X', 1, "Start");
    comment('X', 0, "Stop");
    comment('X', 20, "Spare");
    comment('X', 21, "Spare 2");
    comment('Y', 0, "Lamp");
    comment('Y', 1, "Pump");
    comment('Y', 10, "Spare lamp");
    comment('Y', 11, "Spare pump");
    struct Case {
        int language;
        const char* from;
        const char* to;
        std::string kept;
    };
    const Case cases[] = {
        {4, "X0-X1", "X20",
         "Se conservaron 2 comentarios o nombres que los dispositivos nuevos ya tenían; los dispositivos "
         "reemplazados conservan los suyos."},
        {4, "Y0", "Y10",
         "Se conservó 1 comentario o nombre que el dispositivo nuevo ya tenía; el dispositivo reemplazado "
         "conserva el suyo."},
        {1, "Y1", "Y11", "已保留新元件原有的 1 個元件註解或名稱，被取代的元件也保留其原有內容。"},
    };
    for (const Case& c : cases) {
        selectLanguageFlags(c.language);
        fakes.messages.shown.clear();
        ASSERT_TRUE(replace(c.from, c.to).replaced) << c.from;
        ASSERT_EQ(fakes.messages.shown.size(), 1u) << c.from;
        const std::string& text = fakes.messages.shown[0].text;
        EXPECT_EQ(text.substr(text.find('\n') + 1), c.kept) << c.from;
    }
    selectLanguageFlags(0);
}

TEST_F(DeviceReplaceTest, UndoTakesTheReplaceBackAndAnotherUndoBringsItAgain) {
    replace("X10", "X20");
    Undo1Click();
    EXPECT_EQ(ladder(), kLoaded);
    Undo1Click();
    EXPECT_EQ(ladder()[2], "LD X020");
}

TEST_F(DeviceReplaceTest, ALineThatDoesNotFitRefusesTheWholeReplace) {
    editModeFlags = 0;
    // X0 -> X170 and X1 -> X171 fit, X10 -> X200 does not (type 5 has X0 to X177).
    const ReplaceOutcome outcome = replace("X0-X10", "X170");
    EXPECT_FALSE(outcome.replaced);
    EXPECT_EQ(boxes(), Boxes{"Nothing was replaced: LD X200 at step 2, line 2 does not fit PLC type 5.\n"
                             "*PLcTypeError-q3 (Error2015112870...) | Replace | warning"});
    EXPECT_EQ(ladder(), kLoaded);
    EXPECT_EQ(editModeFlags, 0);
    EXPECT_EQ(ldrUndoHead, nullptr);
    EXPECT_EQ(grayMarks.head, nullptr);
}

// A line the ladder has not converted yet is named by its line alone.
TEST_F(DeviceReplaceTest, TheRefusalNamesTheLineOfAnObjectNotConvertedYet) {
    objectOf("OUT M1")->stepNo = kStepNoUnassigned;
    replace("M1", "M5000");
    EXPECT_EQ(boxes(), Boxes{"Nothing was replaced: OUT M5000 at line 5 (not converted yet) does not fit PLC "
                             "type 5.\n*mDeviceNoRange-q3 (Error2015112882...) | Replace | warning"});
    EXPECT_EQ(ladder(), kLoaded);
}

TEST_F(DeviceReplaceTest, AStepRangeReplacesOnlyTheLinesItHolds) {
    const auto range = readReplacement("X10", "X20", false, "10", "15");
    ASSERT_TRUE(range);
    EXPECT_TRUE(replaceDevices(*range).replaced);
    EXPECT_EQ(ladder()[2], "LD X010");
    EXPECT_EQ(ladder()[6], "LD X020");
}

TEST_F(DeviceReplaceTest, NothingToReplaceSaysSo) {
    EXPECT_FALSE(replace("C0", "C1").replaced);
    EXPECT_FALSE(replace("M2-M9", "M20").replaced);  // K4M0 names M0, its first device
    EXPECT_EQ(boxes(), (Boxes{"Nothing was replaced: no operand names C0. | Replace | information",
                              "Nothing was replaced: no operand names M2-M9. | Replace | information"}));
    EXPECT_EQ(ldrUndoHead, nullptr);
}

// A digit group moves with its first device; a contact whose device needs another form takes the
// box's code for it, so that Convert writes it and the load reads it back.
TEST_F(DeviceReplaceTest, GroupsAndExtendedDevicesAreWrittenAsTheBoxWritesThem) {
    EXPECT_TRUE(replace("M0-M1", "M100").replaced);
    EXPECT_EQ(ladder(), (Lines{"LD X000", "OUT Y000", "LD X010", "MOV K10 D100", "LD X001", "MOVP K4M100 D0",
                               "LD X010", "OUT Y001", "LD M100", "OUT M101"}));
    const std::uint16_t plain = objectOf("LD M100")->iCode;
    EXPECT_TRUE(replace("M100-M101", "M2000").replaced);
    const Lines extended = {"LD X000",         "OUT Y000", "LD X010",  "MOV K10 D100", "LD X001",
                            "MOVP K4M2000 D0", "LD X010",  "OUT Y001", "LD M2000",     "OUT M2001"};
    EXPECT_EQ(ladder(), extended);
    EXPECT_NE(objectOf("LD M2000")->iCode, plain);
    ASSERT_TRUE(runCommand(LToM));
    EXPECT_EQ(ladder(), extended);
}

// A changed line is judged at its own cell as the box judges it there: an instruction that stands
// alone on its line is replaced where the load drew it, and Convert writes the new device.
TEST_F(DeviceReplaceTest, InstructionsThatStandAloneOnTheirLineAreReplacedWhereTheyStand) {
    struct Case {
        Words words;
        std::string from, to;
        Lines replaced;
        Words written;
    };
    const Case cases[] = {
        // FOR D0, LD X0, OUT Y0, NEXT: FOR at the right of a line of its own
        {{0x0020, 0x8600, 0x8600, 0x2400, 0xC500, 0x0022, 0x000F},
         "D0",
         "D10",
         {"FOR D10", "LD X000", "OUT Y000", "NEXT"},
         {0x0020, 0x8614, 0x8600, 0x2400, 0xC500, 0x0022, 0x000F}},
        // the same loop on the line of a step's STL
        {{0xF000, 0x0020, 0x8600, 0x8600, 0x0022, 0xF7FF, 0x000F},
         "D0",
         "D1",
         {"STL S0", "FOR D1", "NEXT", "RET"},
         {0xF000, 0x0020, 0x8602, 0x8600, 0x0022, 0xF7FF, 0x000F}},
        // a loop count in a register past 127 (its high byte in the second word)
        {{0x0020, 0x8600, 0x8600, 0x2400, 0xC500, 0x0022, 0x000F},
         "D0",
         "D200",
         {"FOR D200", "LD X000", "OUT Y000", "NEXT"},
         {0x0020, 0x8690, 0x8601, 0x2400, 0xC500, 0x0022, 0x000F}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.replaced[0] + " from " + c.from);
        resetAllState();
        prepare();
        initPmwImageByType(5);
        ASSERT_TRUE(initPmwImageForTypeAndSize(5, 8));
        ASSERT_TRUE(load(c.words, 8));
        fakes.messages.shown.clear();
        const ReplaceOutcome outcome = replace(c.from, c.to);
        EXPECT_TRUE(outcome.replaced);
        EXPECT_EQ(
            boxes(),
            Boxes{"1 operand replaced in 1 instruction. Convert the ladder to write it into the program." +
                  kDone});
        EXPECT_EQ(ladder(), c.replaced);
        ASSERT_TRUE(runCommand(LToM));
        EXPECT_EQ(Words(pmw.program.begin(), pmw.program.begin() + c.written.size()), c.written);
        EXPECT_EQ(ladder(), c.replaced);
    }
}

TEST_F(DeviceReplaceTest, DeviceCommentsGoWithTheirDevices) {
    comment('X', 10, "Start button");
    comment('X', 0, "Stop");
    // A comment of a device the replace does not touch (a new device's own comment stays:
    // ADeviceKeepsItsOwnCommentAndNameAndTheBoxCountsThem).
    comment('X', 30, "Spare");
    // In steps 0 to 5 alone X010 stays in use at step 14: it keeps its comment, X020 takes a copy.
    ASSERT_TRUE(replaceDevices(*readReplacement("X10", "X20", false, "0", "5")).replaced);
    EXPECT_EQ(deviceComments(), (Lines{"X010 Start button", "X000 Stop", "X030 Spare", "X020 Start button"}));
    // Over the whole program X010 goes out of use and its comment goes with it.
    ASSERT_TRUE(replace("X10", "X20").replaced);
    EXPECT_EQ(deviceComments(), (Lines{"X000 Stop", "X030 Spare", "X020 Start button"}));
    EXPECT_EQ(ModeData.deviceCommentCount, 3);
}

// M0 -> M1 and M1 -> M2 at once: each comment moves once, from the comments before the replace.
TEST_F(DeviceReplaceTest, OverlappingRangesMoveEachCommentOnce) {
    comment('M', 0, "Run");
    comment('M', 1, "Lamp");
    comment('M', 15, "Last bit");
    ASSERT_TRUE(replace("M0-M1", "M1").replaced);
    EXPECT_EQ(ladder()[5], "MOVP K4M1 D0");
    // K4M0 -> K4M1 moves its sixteen bits: M16 takes M15's comment, which M15 keeps (K4M1 holds it);
    // M0 is used no more and loses its own.
    EXPECT_EQ(deviceComments(), (Lines{"M1 Run", "M15 Last bit", "M16 Last bit", "M2 Lamp"}));
}

// X0 -> X1 and X1 -> X2 where X2 has a comment of its own: X2 keeps it, so X1's stays on X1, whose
// place is then taken, and X0's stays on X0. Nothing is lost, and the box counts the two kept.
TEST_F(DeviceReplaceTest, ATextThatCannotGoOverKeepsThePlaceOfTheOneBeforeIt) {
    comment('X', 0, "Run");
    comment('X', 1, "Lamp");
    comment('X', 2, "Own");
    ASSERT_TRUE(replace("X0-X1", "X1").replaced);
    EXPECT_EQ(ladder()[0] + ", " + ladder()[4], "LD X001, LD X002");
    EXPECT_EQ(deviceComments(), (Lines{"X000 Run", "X001 Lamp", "X002 Own"}));
    EXPECT_EQ(boxes(), Boxes{"2 operands replaced in 2 instructions. Convert the ladder to write them into "
                             "the program.\n2 device comments or names that the new devices already had were "
                             "kept; the replaced devices keep theirs." +
                             kDone});
}

TEST_F(DeviceReplaceTest, UndoBringsTheCommentsBackWithTheLadder) {
    comment('X', 10, "Start button");
    const Lines before = deviceComments();
    replace("X10", "X20");
    const Lines after = deviceComments();
    Undo1Click();
    EXPECT_EQ(deviceComments(), before);
    EXPECT_EQ(ModeData.deviceCommentCount, 1);
    Undo1Click();
    EXPECT_EQ(deviceComments(), after);
    Undo1Click();
    EXPECT_EQ(deviceComments(), before);
}

// A device name goes with its input or output as a device comment does, to an input or output only;
// the comment file keeps the new device's linear index.
TEST_F(DeviceReplaceTest, DeviceNamesGoWithTheirInputsAndOutputs) {
    appendDeviceName('X', 10, "Start button");
    appendDeviceName('X', 0, "Stop");
    ASSERT_TRUE(replaceDevices(*readReplacement("X10", "X20", false, "0", "5")).replaced);
    EXPECT_EQ(deviceNames(), (Lines{"X010 Start button", "X000 Stop", "X020 Start button"}));
    ASSERT_TRUE(replace("X10", "X20").replaced);
    EXPECT_EQ(deviceNames(), (Lines{"X000 Stop", "X020 Start button"}));
    EXPECT_EQ(std::tie(deviceNameList.tail->deviceNo, ModeData.deviceNameCount), std::make_tuple(16, 2));
    EXPECT_EQ(deviceCommentList.head, nullptr);
    // M100 takes no name: X000's stays where it is, though no operand names X000 any more.
    ASSERT_TRUE(replace("X0", "M100").replaced);
    EXPECT_EQ(ladder()[0], "LD M100");
    EXPECT_EQ(deviceNames(), (Lines{"X000 Stop", "X020 Start button"}));
}

TEST_F(DeviceReplaceTest, UndoBringsTheNamesBackWithTheLadder) {
    appendDeviceName('Y', 1, "Pump");
    const Lines before = deviceNames();
    ASSERT_TRUE(replace("Y1", "Y10").replaced);
    const Lines after = deviceNames();
    EXPECT_EQ(after, Lines{"Y010 Pump"});
    Undo1Click();
    EXPECT_EQ(ladder()[7], "OUT Y001");
    EXPECT_EQ(deviceNames(), before);
    EXPECT_EQ(std::tie(deviceNameList.head->deviceNo, ModeData.deviceNameCount), std::make_tuple(1, 1));
    Undo1Click();
    EXPECT_EQ(deviceNames(), after);
    EXPECT_EQ(deviceNameList.head->deviceNo, 8);
    Undo1Click();
    EXPECT_EQ(deviceNames(), before);
}

// Once another edit took the undo copy, or the comments were changed by hand, Undo leaves them.
TEST_F(DeviceReplaceTest, UndoOfAnotherEditLeavesTheComments) {
    comment('X', 10, "Start button");
    replace("X10", "X20");
    const Lines after = deviceComments();
    frameAt(80, 320);
    InsertLine1Click();
    Undo1Click();
    EXPECT_EQ(deviceComments(), after);
    EXPECT_EQ(ladder()[2], "LD X020");

    replace("X20", "X30");
    ASSERT_TRUE(changeListedComment(CommentKind::Device, 0, "", "Start"));
    Undo1Click();
    EXPECT_EQ(ladder()[2], "LD X020");
    EXPECT_EQ(deviceComments(), Lines{"X030 Start"});
}

// A comment file without room for the moved comments refuses the replace with its own box.
TEST_F(DeviceReplaceTest, NoRoomForTheMovedCommentsRefusesTheReplace) {
    comment('X', 10, "Start button");
    ModeData.deviceCommentCount = kMaxDeviceComments;
    EXPECT_FALSE(replaceDevices(*readReplacement("X10", "X20", false, "0", "5")).replaced);
    EXPECT_EQ(ladder(), kLoaded);
    EXPECT_EQ(
        boxes().back(),
        "The comment file holds at most 16384 device comments: this one is not added. | Comment | warning");
}

TEST_F(DeviceReplaceTest, TheDialogStaysOpenUntilItReplaces) {
    int shown = 0;
    editorDialogs.replaceHand = [&shown, this](ReplaceDialog& dialog) {
        ++shown;
        dialog.to = "X200";
        EXPECT_FALSE(dialog.btnOkClick());  // nothing to replace typed yet
        dialog.from = "X10";
        EXPECT_FALSE(dialog.btnOkClick());  // X200 does not fit
        EXPECT_EQ(ladder(), kLoaded);
        dialog.to = "X20";
        return dialog.btnOkClick();
    };
    replaceWithDialog();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(ladder()[2], "LD X020");
    EXPECT_EQ(boxes().size(), 3u);
    // The last device found is offered.
    findOnce({FindKind::Device, "y1"}, FindDirection::Down);
    editorDialogs.replaceHand = [](ReplaceDialog&) { return false; };  // Cancel
    replaceWithDialog();
    EXPECT_EQ(editorDialogs.shownReplace.from, "y1");
    EXPECT_EQ(ladder()[2], "LD X020");
}

}  // namespace
}  // namespace kestrion::test

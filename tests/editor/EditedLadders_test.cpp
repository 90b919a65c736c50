// Edits of an opened program, then Convert: the words it writes compute what the ladder showed, or
// it refuses with a box and keeps the ladder.
#include <algorithm>
#include <cstdlib>

#include "compiler/ConvertCommand.h"
#include "devviews/ObjectListDump.h"
#include "devviews/VirtualArrayDump.h"
#include "editor/CursorMoves.h"
#include "editor/DeviceReplace.h"
#include "editor/EditCommands.h"
#include "editor/LineEditing.h"
#include "grammar/ConvertProperty.h"
#include "grammar/DrawnLogic.h"
#include "grammar/ProgramGrammar.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderSearch.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

using grammar::Words;

enum class Edit { Delete, DeleteLine, InsertLine, Cut, Copy, Paste, Undo, EditCancel, Replace };

// An edit with the frame at a cell (lines > 1: the frame reaches that many lines down).
struct EditAt {
    Edit edit;
    std::uint32_t x, y;
    std::uint32_t lines = 1;
};

// The replaces the sequences try: devices the programs use, to others.
const std::pair<const char*, const char*> kReplaces[] = {
    {"X0", "X20"}, {"X1", "X2"}, {"M0", "M10"}, {"Y0", "Y7"}};

void apply(const EditAt& at) {
    setBlueFrameObject(at.x, at.y);
    if (at.lines > 1) BlueFrame.y2 = at.y + at.lines * lineHeight() - 1;
    switch (at.edit) {
        case Edit::Delete: deleteFramedObject(); break;
        case Edit::DeleteLine: DeleteLine1Click(); break;
        case Edit::InsertLine: InsertLine1Click(); break;
        case Edit::Cut: Cut1Click(); break;
        case Edit::Copy: Copy1Click(); break;
        case Edit::Paste: Paste1Click(); break;
        case Edit::Undo: Undo1Click(); break;
        case Edit::EditCancel: EditCancel1Click(); break;
        case Edit::Replace: {
            const auto& [from, to] = kReplaces[at.x % std::size(kReplaces)];
            if (const auto replacement = readReplacement(from, to, true, "", ""))
                static_cast<void>(replaceDevices(*replacement));
            break;
        }
    }
}

Words wordsOf(const std::vector<std::string>& lines) {
    Words words;
    for (const std::string& line : lines) {
        const Words w = grammar::assemble(line);
        EXPECT_FALSE(w.empty()) << line;
        words.insert(words.end(), w.begin(), w.end());
    }
    words.push_back(0x000F);
    return words;
}

std::string canvas() {
    std::vector<std::string> rows = virtualArrayDumpRows(kDumpVirtualArray);
    while (!rows.empty() && rows.back().find_first_not_of(' ') == std::string::npos) rows.pop_back();
    std::string text;
    for (const std::string& row : rows) text += "|" + row + "\n";
    return text;
}

class EditedLadders : public CoreTest {};

// What one edit sequence must give: a box an edit shows (its caption; empty for none), and the words
// Convert writes after it (empty: Convert refuses with a box and changes nothing).
struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::vector<EditAt> edits;
    std::string editBox;
    Words written;
};

// clang-format off
const Case kCases[] = {
    // Wire in place of the only contact of a path: the path is always on, which Convert refuses.
    {"contact of a parallel pair deleted", {"LD X0", "OR X1", "OUT Y0"}, {{Edit::Delete, 80, 0}}, "", {}},
    {"lower contact under two outputs deleted", {"LD X0", "OR X1", "OUT Y0", "OUT Y1"}, {{Edit::Delete, 80, 64}},
     "", {}},
    {"contact of a second rung deleted", {"LD X0", "OUT Y0", "LD X1", "OUT Y1"}, {{Edit::Delete, 80, 64}}, "", {}},
    {"contact in series deleted", {"LD X0", "AND X1", "OUT Y0"},
     {{Edit::Delete, 160, 0}}, "", {0x2400, 0xC500, 0x000F}},
    // The line that moves up is not joined by the links that ended on the line taken out.
    {"line of a parallel group deleted", {"LD X0", "OR X1", "LD X2", "ANB", "LDP X4", "ORB", "OUT Y0"},
     {{Edit::DeleteLine, 80, 64}}, "", {0x2400, 0x4402, 0x01CE, 0x8404, 0xC500, 0x000F}},
    {"line of a parallel group cut", {"LD X0", "OR X1", "LD X2", "ANB", "LDP X4", "ORB", "OUT Y0"},
     {{Edit::Cut, 80, 64}}, "", {0x2400, 0x4402, 0x01CE, 0x8404, 0xC500, 0x000F}},
    {"step line deleted above the next step", {"STL S20", "OUT Y0", "OUT Y1", "STL S21", "LD X3", "ORI X4", "OUT Y2"},
     {{Edit::DeleteLine, 480, 64}}, "", {0xF014, 0xC500, 0xF015, 0x2403, 0x7404, 0xC502, 0x000F}},
    // Pasted between two joined lines the copy would join the rung: refused, the ladder as it was.
    {"paste inside a rung", {"LDI X0", "OR X2", "MPS", "LD M0", "ANB", "OUT M800", "OUT Y1", "MPP", "DADDP D136 K1 D136"},
     {{Edit::Copy, 0, 128}, {Edit::Paste, 80, 64}}, "Paste",
     {0x3400, 0x6402, 0xFFFA, 0x4800, 0xCB20, 0xC501, 0xFFFC, 0x1039, 0x8610, 0x8601, 0x8000, 0x8000, 0x8001,
      0x8000, 0x8000, 0x8000, 0x8610, 0x8601, 0x8000, 0x8000, 0x000F}},
    {"paste of a rung between rungs", {"LD X0", "OUT Y0", "LD X1", "OUT Y1"},
     {{Edit::Copy, 80, 0}, {Edit::Paste, 80, 64}}, "", {0x2400, 0xC500, 0x2400, 0xC500, 0x2401, 0xC501, 0x000F}},
    // The passes that finish a paste add no link to a line a Cut left without its rung: the contact
    // left there leads nowhere, which Convert refuses.
    {"rung's first line cut and pasted below", {"LD X0", "OUT Y0", "LD X1", "OR X2", "OUT Y1"},
     {{Edit::Cut, 80, 64}, {Edit::Paste, 80, 128}}, "", {}},
    // A label stays where the line taken out was above it.
    {"line above a label deleted", {"LD X0", "CJ P63", "LD X1", "OUT Y0", "P63"}, {{Edit::DeleteLine, 80, 64}},
     "", {0x2400, 0x0010, 0x887E, 0x8000, 0xB03F, 0x000F}},
    // The jump is pasted from the bus alone: always on, which Convert refuses; the label is there.
    {"jump cut above its label and pasted below", {"LD X0", "OUT Y0", "CJ P63", "P63"},
     {{Edit::Cut, 960, 64}, {Edit::Paste, 80, 128}}, "", {}},
    {"jump cut above its label", {"LD X0", "OUT Y0", "CJ P63", "P63"}, {{Edit::Cut, 960, 64}}, "",
     {0x2400, 0xC500, 0xB03F, 0x000F}},
    // A deleted label goes; no wire takes its cell.
    {"label deleted", {"P0", "LD X0", "MPS", "AND X1", "OUT Y0", "MPP", "AND X2", "OUT Y1"}, {{Edit::Delete, 0, 0}},
     "", {0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFC, 0x4402, 0xC501, 0x000F}},
};
// clang-format on

TEST_F(EditedLadders, ConvertWritesWhatTheEditsShowOrRefuses) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        grammar::startEditor();
        ASSERT_TRUE(grammar::openProgramWords(wordsOf(c.lines)));
        fakes.messages.shown.clear();
        std::string trace = canvas();
        for (const EditAt& e : c.edits) {
            apply(e);
            trace += "after an edit:\n" + canvas();
        }
        SCOPED_TRACE(trace);
        std::string editBox;
        for (const auto& box : fakes.messages.shown) editBox += box.caption;
        EXPECT_EQ(editBox, c.editBox);
        const Words before = grammar::imageProgramWords();
        const std::vector<std::string> ladder = objectListDetailRows();
        const std::string cells = canvas();
        const std::size_t shown = fakes.messages.shown.size();
        const bool converted = runCommand(LToM);
        if (c.written.empty()) {
            EXPECT_FALSE(converted) << grammar::hexWords(grammar::imageProgramWords());
            EXPECT_GT(fakes.messages.shown.size(), shown);
            EXPECT_EQ(std::tuple(grammar::imageProgramWords(), objectListDetailRows(), canvas()),
                      std::tuple(before, ladder, cells));
        } else {
            EXPECT_TRUE(converted) << (fakes.messages.shown.size() > shown ? fakes.messages.shown.back().text
                                                                           : "");
            EXPECT_EQ(grammar::hexWords(grammar::imageProgramWords()), grammar::hexWords(c.written));
        }
    }
}

// Random edit sequences on generated programs, then Convert: it refuses with a box and keeps the
// ladder, or the words it writes compute what the ladder drew before it (every output, label, step
// and jump). Programs from seed 1, 300 of them, 6 sequences each; KESTRION_EDITS_FIRST,
// KESTRION_EDITS_PROGRAMS and KESTRION_EDITS_SEQUENCES set a longer run by hand, KESTRION_EDITS_LISTED
// how many faults it lists, KESTRION_EDITS_TRACE the canvas after each edit with them.
using grammar::fromEnvironment;

std::vector<EditAt> randomEdits(grammar::RandomChoices& choices) {
    static constexpr Edit kEdits[] = {Edit::Delete, Edit::InsertLine, Edit::DeleteLine,
                                      Edit::Cut,    Edit::Copy,       Edit::Paste,
                                      Edit::Undo,   Edit::EditCancel, Edit::Replace};
    std::vector<EditAt> edits;
    const std::uint32_t count = 1 + choices.below(4);
    for (std::uint32_t n = 0; n < count; ++n) {
        const std::uint32_t lines = getEndObjectY() / lineHeight() + 1;
        const auto cell = [&] {
            return EditAt{Edit::Delete, 80 * choices.below(13), 64 * choices.below(lines),
                          1 + choices.below(2)};
        };
        EditAt at = cell();
        at.edit = kEdits[choices.below(std::size(kEdits))];
        // Copy and Cut are followed by a Paste half of the time, as the user does.
        edits.push_back(at);
        if ((at.edit == Edit::Copy || at.edit == Edit::Cut) && choices.percent(50)) {
            EditAt paste = cell();
            paste.edit = Edit::Paste;
            edits.push_back(paste);
        }
    }
    return edits;
}

std::string describe(const std::vector<EditAt>& edits) {
    static const char* const kNames[] = {"Delete", "Delete line", "Insert line", "Cut",    "Copy",
                                         "Paste",  "Undo",        "Edit cancel", "Replace"};
    std::string text;
    for (const EditAt& e : edits)
        text += std::string(kNames[static_cast<int>(e.edit)]) + " at " + std::to_string(e.x) + "," +
                std::to_string(e.y) + (e.lines > 1 ? " (2 lines)" : "") + "; ";
    return text;
}

// What the drawn ladder computes against the words Convert wrote: empty when the same.
std::string compareLogicOf(const grammar::CoilLogic& drawn, const grammar::CoilLogic& written) {
    if (!drawn.error.empty()) return "the ladder cannot be read: " + drawn.error;
    if (!written.error.empty()) return "the words do not run: " + written.error;
    for (std::size_t n = 0; n < std::min(drawn.steps.size(), written.steps.size()); ++n)
        if (drawn.steps[n] != written.steps[n])
            return "step " + std::to_string(n) + ": the ladder drew " + drawn.steps[n].text +
                   ", the words have " + written.steps[n].text +
                   (drawn.steps[n].text == written.steps[n].text ? " under another condition" : "");
    if (drawn.steps.size() != written.steps.size())
        return "the ladder drew " + std::to_string(drawn.steps.size()) +
               " outputs, labels and steps, the words have " + std::to_string(written.steps.size());
    return {};
}

// The edits, then Convert; empty when the property holds.
std::string editThenConvert(const std::vector<EditAt>& edits, FakePlatform& fakes, std::string& trace) {
    trace = canvas();
    for (const EditAt& e : edits) {
        apply(e);
        trace += describe({e}) + "\n" + canvas();
    }
    std::vector<std::string> names = grammar::drawnInputNames();
    std::sort(names.begin(), names.end());
    const grammar::Inputs inputs(names);
    const grammar::CoilLogic drawn = grammar::drawnLogic(inputs);
    const Words before = grammar::imageProgramWords();
    const std::vector<std::string> ladder = objectListDetailRows();
    const std::string cells = canvas();
    const std::size_t shown = fakes.messages.shown.size();
    if (!runCommand(LToM)) {
        if (fakes.messages.shown.size() == shown) return "Convert refused without a box";
        if (std::tuple(grammar::imageProgramWords(), objectListDetailRows(), canvas()) !=
            std::tuple(before, ladder, cells))
            return "a refused Convert changed the program or the ladder";
        return {};
    }
    const Words written = grammar::imageProgramWords();
    for (const std::string& name : grammar::inputNames(written))
        if (!std::binary_search(names.begin(), names.end(), name))
            return "Convert wrote " + name +
                   ", which the ladder does not show: " + grammar::hexWords(written);
    if (std::string difference = compareLogicOf(drawn, grammar::coilLogic(written, inputs));
        !difference.empty())
        return "Convert wrote other logic than the ladder drawn: " + difference + "; wrote " +
               grammar::hexWords(written);
    return {};
}

TEST_F(EditedLadders, ConvertAfterRandomEditsRefusesOrWritesTheLogicDrawn) {
    const std::uint32_t first = fromEnvironment("KESTRION_EDITS_FIRST", 1);
    const std::uint32_t programs = fromEnvironment("KESTRION_EDITS_PROGRAMS", 300);
    const std::uint32_t sequences = fromEnvironment("KESTRION_EDITS_SEQUENCES", 6);
    const std::uint32_t listed = fromEnvironment("KESTRION_EDITS_LISTED", 8);
    std::uint32_t tried = 0, broken = 0, misdrawn = 0;
    for (std::uint32_t seed = first; seed < first + programs; ++seed) {
        grammar::RandomChoices generator(seed);
        const grammar::Program program = grammar::generateProgram(generator);
        grammar::RandomChoices choices(seed * 7919u);
        for (std::uint32_t sequence = 0; sequence < sequences; ++sequence) {
            grammar::startEditor();
            forgetRecords();
            if (!grammar::openProgramWords(program.words())) break;
            // A program the load draws other than its words is the load's fault, not an edit's.
            if (!grammar::compareDrawnWithWords(grammar::imageProgramWords()).empty()) {
                ++misdrawn;
                break;
            }
            const std::vector<EditAt> edits = randomEdits(choices);
            ++tried;
            std::string trace;
            const std::string fault = editThenConvert(edits, fakes, trace);
            if (!fault.empty() && ++broken <= listed)
                ADD_FAILURE() << "seed " << seed << ", " << describe(edits) << fault
                              << (program.lines.size() <= 40 ? "\n" + program.listing() : std::string())
                              << (std::getenv("KESTRION_EDITS_TRACE") != nullptr ? trace : std::string());
        }
    }
    EXPECT_EQ(broken, 0u) << "of " << tried << " sequences (" << misdrawn
                          << " programs drawn otherwise on opening)";
}

}  // namespace
}  // namespace kestrion::test

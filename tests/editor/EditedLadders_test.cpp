// Edits of an opened program, then Convert: the words it writes compute what the ladder showed, or
// it refuses with a box and keeps the ladder.
#include "compiler/ConvertCommand.h"
#include "devviews/ObjectListDump.h"
#include "devviews/VirtualArrayDump.h"
#include "editor/CursorMoves.h"
#include "editor/EditCommands.h"
#include "grammar/ConvertProperty.h"
#include "grammar/ProgramGrammar.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

using grammar::Words;

enum class Edit { Delete, DeleteLine, InsertLine, Cut, Copy, Paste, Undo, EditCancel };

struct EditAt {
    Edit edit;
    std::uint32_t x, y;
};

void apply(const EditAt& at) {
    setBlueFrameObject(at.x, at.y);
    switch (at.edit) {
    case Edit::Delete: deleteFramedObject(); break;
    case Edit::DeleteLine: DeleteLine1Click(); break;
    case Edit::InsertLine: InsertLine1Click(); break;
    case Edit::Cut: Cut1Click(); break;
    case Edit::Copy: Copy1Click(); break;
    case Edit::Paste: Paste1Click(); break;
    case Edit::Undo: Undo1Click(); break;
    case Edit::EditCancel: EditCancel1Click(); break;
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
    {"contact before an output deleted and a contact typed after", {"LD X0", "AND X1", "OUT Y0"},
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
            EXPECT_TRUE(converted) << (fakes.messages.shown.size() > shown ? fakes.messages.shown.back().text : "");
            EXPECT_EQ(grammar::hexWords(grammar::imageProgramWords()), grammar::hexWords(c.written));
        }
    }
}

}  // namespace
}  // namespace kestrion::test

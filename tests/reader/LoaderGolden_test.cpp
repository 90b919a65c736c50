// The golden programs of the loader: each file under golden/ holds one program as instruction
// words and what loading it gives: the objects, the canvas, the step count and check code, and
// the boxes shown. KESTRION_UPDATE_GOLDEN=1 writes the expectations anew from the loader.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "reader/LoaderTestSupport.h"
#include "support/SourceTree.h"

namespace kestrion {
namespace {

namespace fs = std::filesystem;
constexpr const char* kResultMark = "--- objects";

struct Program {
    std::string head;  // the lines before the expectations
    test::Words words;
    std::int16_t memSizeCode = 2;
    std::string expected;
};

Program readProgram(const fs::path& file) {
    std::ifstream in(file);
    Program program;
    std::string line;
    while (std::getline(in, line) && line != kResultMark) {
        program.head += line + "\n";
        std::istringstream fields(line);
        std::string key, word;
        fields >> key;
        if (key == "size") fields >> program.memSizeCode;
        if (key == "words")
            while (fields >> word)
                program.words.push_back(static_cast<std::uint16_t>(std::stoul(word, nullptr, 16)));
    }
    if (!in) return program;
    program.expected = line + "\n";
    while (std::getline(in, line)) program.expected += line + "\n";
    return program;
}

class LoaderGolden : public test::LoaderTest {
protected:
    std::string describeLoad(const Program& program) {
        const bool loaded = load(program.words, program.memSizeCode);
        std::string text = std::string(kResultMark) + "\n";
        for (const std::string& row : objects()) text += row + "\n";
        text += "--- canvas\n";
        for (const std::string& row : canvas()) text += row + "\n";
        char result[128];
        std::snprintf(result, sizeof result,
                      "--- result\nloaded %d steps %u check %04X bus %u bottom %u\n--- boxes\n", loaded,
                      convStepNo, pmw.sumCheck(), draw.iBusLineEnd, ladderBottomY);
        text += result;
        for (const test::ShownMessage& box : fakes.messages.shown)
            text += box.text + " | " + box.caption + "\n";
        return text;
    }
};

TEST_F(LoaderGolden, EveryProgramLoadsAsItsFileSays) {
    const fs::path folder = test::testSource("tests/reader/golden");
    const bool update = std::getenv("KESTRION_UPDATE_GOLDEN") != nullptr;
    int programs = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".txt") continue;
        ++programs;
        const Program program = readProgram(entry.path());
        test::resetAllState();
        prepare();
        readerState.placed.verify = false;  // the path the program takes; the fuzz checks the index
        fakes.messages.shown.clear();
        const std::string actual = describeLoad(program);
        if (update) std::ofstream(entry.path()) << program.head << actual;
        EXPECT_EQ(actual, program.expected) << entry.path().filename();
    }
    EXPECT_GE(programs, 30);
}

}  // namespace
}  // namespace kestrion

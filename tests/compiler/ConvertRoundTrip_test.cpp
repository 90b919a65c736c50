// Programs as instruction words, loaded and converted: a canonical program comes back word for word,
// and for any program a second Convert changes nothing. Each line of a file under roundtrip/ is one
// program: its words in hexadecimal, "~" in front when the loaded ladder is not the canonical
// form of those words, "#" and a note behind.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "compiler/ConvertCommand.h"
#include "reader/LoaderTestSupport.h"

namespace kestrion::test {
namespace {

namespace fs = std::filesystem;

struct Program {
    std::string where;
    Words words;
    bool canonical = true;
};

std::vector<Program> corpus() {
    std::vector<Program> programs;
    for (const fs::directory_entry& file :
         fs::directory_iterator(fs::path(__FILE__).parent_path() / "roundtrip")) {
        std::ifstream in(file.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::istringstream fields(line.substr(0, line.find('#')));
            Program program{file.path().filename().string() + ":" + std::to_string(number), {}, true};
            std::string word;
            while (fields >> word) {
                if (word == "~") program.canonical = false;
                if (word != "~")
                    program.words.push_back(static_cast<std::uint16_t>(std::stoul(word, nullptr, 16)));
            }
            if (!program.words.empty()) programs.push_back(program);
        }
    }
    return programs;
}

class ConvertRoundTrip : public LoaderTest {
protected:
    static Words programWords() { return {pmw.program.begin(), pmw.program.begin() + 512}; }
};

TEST_F(ConvertRoundTrip, CanonicalProgramsComeBackWordForWordAndASecondConvertChangesNothing) {
    const std::vector<Program> programs = corpus();
    EXPECT_GE(programs.size(), 40u);
    for (const Program& program : programs) {
        resetAllState();
        prepare();
        initPmwImageByType(5);
        ASSERT_TRUE(load(program.words, 8)) << program.where;
        const Words loaded = programWords();
        fakes.messages.shown.clear();
        if (!runCommand(LToM)) {
            ADD_FAILURE() << program.where << " "
                          << (fakes.messages.shown.empty()
                                  ? ""
                                  : fakes.messages.shown[0].text + " | " + fakes.messages.shown[0].caption);
            continue;
        }
        const Words converted = programWords();
        if (program.canonical) {
            EXPECT_EQ(converted, loaded) << program.where;
        }
        const std::vector<std::string> ladder = objects();
        const std::uint16_t check = pmw.sumCheck();
        EXPECT_TRUE(runCommand(LToM)) << program.where;
        EXPECT_EQ(programWords(), converted) << program.where;
        EXPECT_EQ(objects(), ladder) << program.where;
        EXPECT_EQ(pmw.sumCheck(), check) << program.where;
    }
}

}  // namespace
}  // namespace kestrion::test

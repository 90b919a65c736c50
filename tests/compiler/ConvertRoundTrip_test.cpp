// Programs as instruction words, loaded and converted: a canonical program comes back word for word,
// and for any program a second Convert changes nothing. Each line of a file under roundtrip/ is one
// program: its words in hexadecimal, "~" in front when they are not the canonical form of the
// ladder they load as, a note after "#".
#include <filesystem>
#include <fstream>
#include <sstream>

#include "compiler/ConvertCommand.h"
#include "reader/LoaderTestSupport.h"

namespace kestrion::test {
namespace {

using ConvertRoundTrip = LoaderTest;

TEST_F(ConvertRoundTrip, CanonicalProgramsComeBackWordForWordAndASecondConvertChangesNothing) {
    const auto program = [] { return Words(pmw.program.begin(), pmw.program.begin() + 512); };
    int count = 0;
    for (const auto& file :
         std::filesystem::directory_iterator(std::filesystem::path(__FILE__).parent_path() / "roundtrip")) {
        std::ifstream in(file.path());
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line.substr(0, line.find('#')));
            Words words;
            for (std::string word; fields >> word;)
                if (word != "~") words.push_back(static_cast<std::uint16_t>(std::stoul(word, nullptr, 16)));
            if (words.empty()) continue;
            ++count;
            resetAllState();
            prepare();
            initPmwImageByType(5);
            ASSERT_TRUE(load(words, 8)) << line;
            const Words loaded = program();
            ASSERT_TRUE(runCommand(LToM)) << line;
            const Words converted = program();
            EXPECT_TRUE(line[0] == '~' || converted == loaded) << line;
            const std::vector<std::string> ladder = objects();
            const std::uint16_t check = pmw.sumCheck();
            EXPECT_TRUE(runCommand(LToM) && program() == converted && objects() == ladder &&
                        pmw.sumCheck() == check)
                << line;
        }
    }
    EXPECT_GE(count, 40);
}

}  // namespace
}  // namespace kestrion::test

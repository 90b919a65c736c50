#include "model/image/FileExtensions.h"

#include "support/Fixture.h"

namespace kestrion {
namespace {

class FileExtensionsTest : public test::CoreTest {};

std::array<char, kFileNameSize> buffer(const std::string& text) {
    std::array<char, kFileNameSize> name{};
    std::copy(text.begin(), text.end(), name.begin());
    return name;
}

std::string text(const std::array<char, kFileNameSize>& name) {
    return std::string(name.data());
}

TEST_F(FileExtensionsTest, ExtensionOfTheLastComponentIsReplacedOrAppended) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/User/prog1.pmw", "/home/u/User/prog1.DMW"},
        {"/home/u/my.folder/prog", "/home/u/my.folder/prog.DMW"},  // dots in folders are not extensions
        {"/x/a.b.c", "/x/a.DMW"},  // the first dot after the name's first character starts it
        {"/x/.hidden", "/x/.hidden.DMW"},
        {"p", "p.DMW"},
        {"", ".DMW"},
        {"/home/u/User/Noname01.PMW     ", "/home/u/User/Noname01.DMW"},  // trailing blanks go with it
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(withFileExt(path, "DMW"), expected) << path;
}

TEST_F(FileExtensionsTest, EachSetterWritesItsExtensionInPlace) {
    using Setter = bool (*)(std::array<char, kFileNameSize>&);
    const std::pair<Setter, const char*> setters[] = {
        {setFileExtPmw, "/h/.cfg/Prog1.PMW"}, {setFileExtDmw, "/h/.cfg/Prog1.DMW"},
        {setFileExtPtw, "/h/.cfg/Prog1.PTW"}, {setFileExtEdm, "/h/.cfg/Prog1.EDM"},
        {setFileExtCow, "/h/.cfg/Prog1.COW"}, {setFileExtDcn, "/h/.cfg/Prog1.DCN"},
    };
    for (const auto& [setter, expected] : setters) {
        auto name = buffer("/h/.cfg/Prog1.pmw");
        EXPECT_TRUE(setter(name));
        EXPECT_EQ(text(name), expected);
        for (std::size_t i = text(name).size(); i < kFileNameSize; ++i) ASSERT_EQ(name[i], '\0');
    }
}

TEST_F(FileExtensionsTest, ANameThatWouldNotFitIsLeftAsItWas) {
    auto fits = buffer("/" + std::string(90, 'n'));
    EXPECT_TRUE(setFileExtPmw(fits));
    EXPECT_EQ(text(fits), "/" + std::string(90, 'n') + ".PMW");
    EXPECT_EQ(fits[95], '\0');
    const std::string tooLong = "/" + std::string(91, 'n');
    auto name = buffer(tooLong);
    EXPECT_FALSE(setFileExtPmw(name));
    EXPECT_EQ(text(name), tooLong);
    std::array<char, kFileNameSize> full;
    full.fill('x');
    EXPECT_FALSE(setFileExtDmw(full));
    EXPECT_EQ(full[95], 'x');
    full[50] = '.';
    EXPECT_TRUE(setFileExtDmw(full));
    EXPECT_EQ(text(full), std::string(50, 'x') + ".DMW");
}

}  // namespace
}  // namespace kestrion

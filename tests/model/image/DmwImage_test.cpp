#include "model/image/DmwImage.h"

#include <algorithm>
#include <vector>

#include "support/Fixture.h"

namespace kestrion {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint16_t wordAt(const Bytes& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

class DmwImageTest : public test::CoreTest {
protected:
    static void numberRegisters() {
        for (std::uint32_t k = 0; k <= 8255; ++k) setDmwRegister(k, static_cast<std::uint16_t>(k + 1));
    }
};

TEST_F(DmwImageTest, TheFileHoldsHeaderLowRegistersSpecialRegistersThenTheRest) {
    for (const auto& [type, size] : {std::pair<std::int32_t, std::size_t>{6, 2768}, {2, 16768}, {7, 16768}}) {
        numberRegisters();
        ASSERT_TRUE(writeDmwFile("/p/A.DMW", type));
        const Bytes file = fakes.files.content("/p/A.DMW");
        ASSERT_EQ(file.size(), size);
        const bool full = size > 2768;
        const std::size_t at[] = {254, 256, 2254, 2256, 2766, 2768, 16766};
        const int want[] = {type == 2 ? 5 : type, 1, 1000, 8001, 8256, 1001, 8000};
        for (std::size_t i = 0; i < (full ? 7u : 5u); ++i) EXPECT_EQ(wordAt(file, at[i]), want[i]) << at[i];
        DmwImage.fill(0xAA);
        ASSERT_TRUE(readDmwFile("/p/A.DMW", type));
        const std::vector<int> back = {dmwRegister(0),    dmwRegister(999),  dmwRegister(8000),
                                       dmwRegister(8255), dmwRegister(1000), dmwRegister(7999),
                                       DmwImage[254]};
        EXPECT_EQ(back, (std::vector<int>{1, 1000, 8001, 8256, full ? 1001 : 0xAAAA, full ? 8000 : 0xAAAA,
                                          file[254]}))
            << type;
    }
}

TEST_F(DmwImageTest, AShortFileReadsItsMissingBytesAs0xFF) {
    numberRegisters();
    ASSERT_TRUE(writeDmwFile("/p/B.DMW", 7));
    Bytes file = fakes.files.content("/p/B.DMW");
    file.resize(2257);  // cut in the middle of D8000
    fakes.files.put("/p/B.DMW", file);
    DmwImage.fill(0);
    ASSERT_TRUE(readDmwFile("/p/B.DMW", 7));
    const std::vector<int> back = {dmwRegister(999), dmwRegister(8000), dmwRegister(8255), dmwRegister(1000)};
    EXPECT_EQ(back, (std::vector<int>{1000, 0xFF41, 0xFFFF, 0xFFFF}));
    EXPECT_FALSE(dmwRegisterOffset(8256).has_value());
}

}  // namespace
}  // namespace kestrion

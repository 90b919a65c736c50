#include "model/core/ByteImage.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace kestrion {
namespace {

using namespace byteimage;

TEST(ByteImageTest, NumbersAreWrittenLowByteFirstAndReadBack) {
    std::array<std::uint8_t, 16> image{};
    putU8(image, 0, 0x9A);
    putU16(image, 1, 0xB1C2);
    putU32(image, 3, 0xD1E2F304);
    putU64(image, 7, 0x0102030405060708);
    const std::array<std::uint8_t, 16> expected = {0x9A, 0xC2, 0xB1, 0x04, 0xF3, 0xE2, 0xD1, 0x08,
                                                   0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0x00};
    EXPECT_EQ(image, expected);
    EXPECT_EQ(std::make_tuple(getU8(image, 0), getU16(image, 1), getU32(image, 3), getU64(image, 7)),
              std::make_tuple(0x9A, 0xB1C2, 0xD1E2F304u, 0x0102030405060708u));
}

TEST(ByteImageTest, TextFieldsKeepEveryByte) {
    std::array<std::uint8_t, 6> image{};
    const std::array<char, 4> text = {'L', 'D', '\0', '\xA4'};
    putField(image, 2, text);
    EXPECT_EQ(image, (std::array<std::uint8_t, 6>{0, 0, 'L', 'D', 0, 0xA4}));
    std::array<char, 4> back{};
    getField(image, 2, back);
    EXPECT_EQ(back, text);
}

TEST(ByteImageTest, AFieldEndingAtTheLastByteFitsOnePastDoesNot) {
    std::vector<std::uint8_t> image(8, 0xEE);
    for (const auto& [width, lastOffset] :
         {std::pair<std::size_t, std::size_t>{1, 7}, {2, 6}, {4, 4}, {8, 0}}) {
        std::vector<std::uint8_t> field(width, 0x11);
        EXPECT_NO_THROW(putField(image, lastOffset, field)) << width;
        EXPECT_NO_THROW(getField(image, lastOffset, field)) << width;
        EXPECT_THROW(putField(image, lastOffset + 1, field), ByteImageError) << width;
        EXPECT_THROW(getField(image, lastOffset + 1, field), ByteImageError) << width;
    }
    EXPECT_THROW(putU32(image, 5, 1), ByteImageError);
    EXPECT_THROW(getU64(image, 1), ByteImageError);
    EXPECT_THROW(getU16(image, SIZE_MAX), ByteImageError);  // offset + width wraps around
    EXPECT_EQ(image, std::vector<std::uint8_t>(8, 0x11));
}

}  // namespace
}  // namespace kestrion

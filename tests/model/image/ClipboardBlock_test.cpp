#include "model/image/ClipboardBlock.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>

#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

const std::string kSettings = "/home/tester/Tovel/Kestrion/ModeData.DAT";

class ClipboardBlockTest : public test::CoreTest {
protected:
    ClipboardBlockTest() { installDir = "/home/tester/Tovel/Kestrion"; }
};

TEST_F(ClipboardBlockTest, BlockOfThirtyTwoLadderObjectsBehindTheSignature) {
    EXPECT_FALSE(isClipboardMemoryValid());
    EXPECT_TRUE(clipboardObjectSlot(0).empty());
    initClipboardMemory(kLadderObjectRecordSize);
    const std::span<std::uint8_t> block = clipboardMemory();
    ASSERT_EQ(block.size(), 9248u);
    EXPECT_EQ(std::string(block.begin() + 16, block.begin() + 32), "Kestrion48172093");
    EXPECT_TRUE(std::all_of(block.begin() + 32, block.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(clipboardObjectSlot(0).data() == block.data() + 32 && clipboardObjectSlot(0).size() == 288u);
    EXPECT_TRUE(clipboardObjectSlot(31).data() + 288 == block.data() + block.size() &&
                clipboardObjectSlot(32).empty());
    std::fill(clipboardObjectSlot(0).begin(), clipboardObjectSlot(0).end(), 0xEE);
    EXPECT_TRUE(isClipboardMemoryValid());  // copies into the slots leave the head alone
    for (std::size_t at : {16u, 31u}) {
        const std::uint8_t kept = block[at];
        block[at] = '?';
        EXPECT_FALSE(isClipboardMemoryValid()) << at;
        block[at] = kept;
    }
    releaseClipboardMemory();
    EXPECT_FALSE(isClipboardMemoryValid());
}

TEST_F(ClipboardBlockTest, SettingsThatCannotBeWrittenDoNotStopTheBlock) {
    fakes.files.unwritable.insert(kSettings);
    initClipboardMemory(kLadderObjectRecordSize);
    EXPECT_TRUE(isClipboardMemoryValid());
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].caption, "*SaveModeDat ToDisk(");
}

using ClipboardBlockDeathTest = ClipboardBlockTest;

class BoxOnStderr : public platform::Messages {
public:
    platform::MsgAnswer show(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                             platform::MsgButtons) override {
        std::fprintf(stderr, "box: %s / %s / %s\n", text.c_str(), caption.c_str(),
                     icon == platform::MsgIcon::Error ? "error" : "other");
        return platform::MsgAnswer::Ok;
    }
};

TEST_F(ClipboardBlockDeathTest, ABlockThatCannotBeAllocatedEndsTheProgramWithOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto allocateWithBoxOnStderr = [this] {
        BoxOnStderr box;
        const platform::Services services{&box,          &fakes.statusBar, &fakes.trace, &fakes.progress,
                                          &fakes.system, &fakes.clock,     &fakes.clock, &fakes.files,
                                          &fakes.serial};
        platform::install(services);
        initClipboardMemory(std::numeric_limits<std::size_t>::max());
    };
    EXPECT_EXIT(allocateWithBoxOnStderr(), ::testing::ExitedWithCode(1),
                "box: \\*Clipboard Memory not enough / Error2014121611 / error");
    EXPECT_FALSE(isClipboardMemoryValid());
}

}  // namespace
}  // namespace kestrion

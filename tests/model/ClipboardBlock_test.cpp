#include "model/ClipboardBlock.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>

#include "model/MainState.h"
#include "model/ModeData.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

const std::string kSettings = "/home/tester/Tovel/Kestrion/ModeData.DAT";

class ClipboardBlockTest : public testing::CoreTest {
protected:
    ClipboardBlockTest() { installDir = "/home/tester/Tovel/Kestrion"; }
};

TEST_F(ClipboardBlockTest, ThereIsNoValidBlockBeforeTheAllocation) {
    EXPECT_FALSE(isClipboardMemoryValid());
    EXPECT_TRUE(clipboardMemory().empty());
    EXPECT_TRUE(clipboardObjectSlot(0).empty());
}

TEST_F(ClipboardBlockTest, BlockOfThirtyTwoLadderObjectsWithTheSignature) {
    initClipboardMemory(kLadderObjectRecordSize);

    const std::span<std::uint8_t> block = clipboardMemory();
    ASSERT_EQ(block.size(), 9248u);
    EXPECT_EQ(std::string(block.begin() + 16, block.begin() + 32), "Kestrion48172093");
    EXPECT_TRUE(std::all_of(block.begin() + 32, block.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(isClipboardMemoryValid());
}

TEST_F(ClipboardBlockTest, TheObjectSlotsFollowTheHead) {
    initClipboardMemory(kLadderObjectRecordSize);
    const std::span<std::uint8_t> block = clipboardMemory();
    EXPECT_EQ(clipboardObjectSlot(0).data(), block.data() + 32);
    EXPECT_EQ(clipboardObjectSlot(0).size(), 288u);
    EXPECT_EQ(clipboardObjectSlot(31).data() + 288, block.data() + block.size());
    EXPECT_TRUE(clipboardObjectSlot(32).empty());
}

TEST_F(ClipboardBlockTest, ADamagedSignatureIsNotValid) {
    initClipboardMemory(kLadderObjectRecordSize);
    for (std::size_t at : {16u, 23u, 31u}) {
        SCOPED_TRACE(at);
        const std::uint8_t kept = clipboardMemory()[at];
        clipboardMemory()[at] = '?';
        EXPECT_FALSE(isClipboardMemoryValid());
        clipboardMemory()[at] = kept;
        EXPECT_TRUE(isClipboardMemoryValid());
    }
    // Copies into the slots leave the head alone.
    std::fill(clipboardObjectSlot(0).begin(), clipboardObjectSlot(0).end(), 0xEE);
    EXPECT_TRUE(isClipboardMemoryValid());
    releaseClipboardMemory();
    EXPECT_FALSE(isClipboardMemoryValid());
}

TEST_F(ClipboardBlockTest, TheSettingsFileHoldsTheBlocksTokenAndStateZero) {
    ModeData.clipboardState = 9;
    ModeData.instanceCount = 3;
    ModeData.clipboardAddr = 0xDEADBEEF;  // left by an earlier process
    initClipboardMemory(kLadderObjectRecordSize);

    const std::uint32_t token = clipboardBlockToken();
    EXPECT_NE(token, 0u);
    EXPECT_EQ(ModeData.clipboardAddr, token);
    EXPECT_EQ(ModeData.clipboardState, 0);
    const std::vector<std::uint8_t> file = fakes.files.content(kSettings);
    ASSERT_EQ(file.size(), 512u);
    EXPECT_EQ(file[8], 3);
    EXPECT_EQ(file[10], 0);
    EXPECT_EQ(file[11], 0);
    const std::uint32_t stored =
        file[12] | file[13] << 8 | file[14] << 16 | static_cast<std::uint32_t>(file[15]) << 24;
    EXPECT_EQ(stored, token);
    EXPECT_TRUE(isClipboardMemoryValid());
}

TEST_F(ClipboardBlockTest, ASettingsFileThatCannotBeWrittenDoesNotStopTheBlock) {
    fakes.files.unwritable.insert(kSettings);
    initClipboardMemory(kLadderObjectRecordSize);
    EXPECT_TRUE(isClipboardMemoryValid());
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].caption, "*SaveModeDat ToDisk(");
}

using ClipboardBlockDeathTest = ClipboardBlockTest;

// The box is shown in the child process that ends, so it is told on stderr for the parent to see.
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
        platform::Services services{.messages = &box,
                                    .statusBar = &fakes.statusBar,
                                    .trace = &fakes.trace,
                                    .progress = &fakes.progress,
                                    .system = &fakes.system,
                                    .clock = &fakes.clock,
                                    .timers = &fakes.clock,
                                    .files = &fakes.files,
                                    .dialogs = &fakes.dialogs,
                                    .serial = &fakes.serial};
        platform::install(services);
        initClipboardMemory(std::numeric_limits<std::size_t>::max());
    };
    EXPECT_EXIT(allocateWithBoxOnStderr(), ::testing::ExitedWithCode(1),
                "box: \\*Clipboard Memory not enough / Error2014121611 / error");
    EXPECT_FALSE(isClipboardMemoryValid());
}

}  // namespace
}  // namespace kestrion

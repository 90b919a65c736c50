#include "model/image/CowImage.h"

#include <string>
#include <vector>

#include "model/core/ByteImage.h"
#include "model/image/ModeData.h"
#include "model/image/MonitorLists.h"
#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct ImageWriter {
    CowImage image{};
    std::size_t pos = 256;
    ImageWriter& u8(std::uint8_t v) { return image[pos++] = v, *this; }
    ImageWriter& u16(std::uint16_t v) {
        return u8(static_cast<std::uint8_t>(v)).u8(static_cast<std::uint8_t>(v >> 8));
    }
    ImageWriter& text(const std::string& t) {
        for (char c : t) u8(static_cast<std::uint8_t>(c));
        return u8(0);
    }
    ImageWriter& device(char letter, std::uint16_t number, const std::string& t) {
        return u8(static_cast<std::uint8_t>(letter)).u8(0).u16(number).text(t);
    }
    void install() const { CowBuffer = image; }  // ends a chain
};

class CowImageTest : public test::CoreTest {
protected:
    CowImageTest() { initLadderList(0, 0); }
    const std::vector<test::ShownMessage>& shown() const { return fakes.messages.shown; }
    static void addMonitorDevice(const char* text, std::array<std::uint8_t, 4> code) {
        addDeviceMonitorNode();
        setText(deviceMonitorList.newest->deviceText, text);
        deviceMonitorList.newest->deviceCode = code;
    }
};

TEST_F(CowImageTest, NoCommentsMakeA268ByteFileOfFiveZeroCounts) {
    const Bytes file = cowFileBytes().value_or(Bytes());
    ASSERT_EQ(file.size(), 268u);
    EXPECT_EQ(std::string(file.begin() + 120, file.begin() + 125), "Tovel");
    const std::vector<int> words = {byteimage::getU16(CowBuffer, 240), byteimage::getU16(CowBuffer, 242),
                                    byteimage::getU16(CowBuffer, 244), byteimage::getU16(CowBuffer, 246),
                                    file[250] | file[251] << 8};
    EXPECT_EQ(words, (std::vector<int>{256, 258, 260, 262, 10}));
    EXPECT_EQ(Bytes(file.begin() + 256, file.end()), Bytes(12, 0));
}

TEST_F(CowImageTest, ACountAboveTheLimitIsRefusedWithItsMessage) {
    // clang-format off
    const std::tuple<int, std::uint16_t, const char*, const char*> cases[] = {
        {1, 256, nullptr, nullptr}, {4, 128, nullptr, nullptr}, {1, 257, "DeviceNameNoTooMuch", "Msg19050310"},
        {2, 16385, "DeviceCommentNoTooMuch", "Msg19050312"}, {3, 129, "BlockCommentNumberTooMuch", "Msg19050314"},
        {4, 129, "CoilCommentNumberTooMuch", "Msg19050316"}};
    // clang-format on
    for (const auto& [section, count, text, caption] : cases) {
        fakes.messages.shown.clear();
        ImageWriter w;
        for (int s = 1; s < section; ++s) w.u16(0);
        w.u16(count);
        for (std::uint16_t i = 0; i < count && text == nullptr; ++i)
            section <= 2 ? w.device('M', i, "") : w.u16(i).text("");
        for (int s = section; s < 5; ++s) w.u16(0);
        w.install();
        EXPECT_EQ(loadCommentFromCowBuffer(), text == nullptr) << section << ": " << count;
        EXPECT_EQ(test::shownBoxes(fakes.messages),
                  text == nullptr ? test::Boxes{}
                                  : test::Boxes{std::string(text) + " | " + caption + " | information"});
    }
}

TEST_F(CowImageTest, BlockCommentsGetIdsInOrderAndTheLadderObjectsReceiveThem) {
    for (std::uint32_t step : {4u, 9u}) {
        auto* object = new stLadderBlock;
        object->stepNo = step;
        links::insertBefore(ldrList, ldrTail, object);
    }
    ImageWriter w;
    w.u16(0).u16(0).u16(3).u16(4).text("a").u16(9).text("b").u16(50).text("c");
    w.u16(1).u16(9).text("coil").u16(0).install();
    ASSERT_TRUE(loadCommentFromCowBuffer());
    EXPECT_EQ(blockCommentList.tail->commentId, 3);
    const std::vector<int> objectIds = {ldrHead->idBC, ldrHead->next->idBC, ldrHead->next->idCC,
                                        ldrTail->idBC};
    EXPECT_EQ(objectIds, (std::vector<int>{1, 2, 1, 0}));
    EXPECT_EQ(blockCommentList.head->flagWord + coilCommentList.head->flagWord, 0);
}

TEST_F(CowImageTest, ARegisteredMonitorListComesBackFromTheImage) {
    addMonitorDevice("D100", {0x64, 0x10, 0, 0});
    addMonitorDevice("X017", {0x0F, 0x00, 0x80, 0});
    ModeData.monitorDeviceCount = 0xFFFF;
    ASSERT_TRUE(saveCommentToCowBuffer());
    EXPECT_EQ(ModeData.monitorDeviceCount, 0);
    const Bytes section5 = {2,   0,    0x64, 0x10, 0, 0,   'D', '1', '0', '0',
                            ',', 0x0F, 0,    0x80, 0, 'X', '0', '1', '7', ','};
    EXPECT_EQ(Bytes(CowBuffer.begin() + 264, CowBuffer.begin() + 284), section5);
    EXPECT_EQ(cowDataLength, 28);
    while (links::countNodes(deviceMonitorList) < 64) addMonitorDevice("M1", {});  // the most a list holds
    ASSERT_TRUE(saveCommentToCowBuffer());
    freeDeviceMonitorList();
    ASSERT_TRUE(loadCommentFromCowBuffer());
    ASSERT_NE(deviceMonitorList.head, nullptr);
    const deviceMonitorNode& second = *deviceMonitorList.head->next;
    EXPECT_EQ(textOf(deviceMonitorList.head->deviceText) + textOf(second.deviceText), "D100X017");
    EXPECT_EQ(deviceMonitorList.head->deviceNo, 100u);
    EXPECT_EQ(second.deviceNo + second.textLength + second.deviceIndex, 17u + 4 + 2);
    EXPECT_EQ(second.deviceCode, (std::array<std::uint8_t, 4>{0x0F, 0, 0x80, 0}));
    EXPECT_EQ(ModeData.monitorDeviceCount, 64);
    EXPECT_EQ(deviceMonitorBytes, 64u * 64);
}

TEST_F(CowImageTest, AnOverfullMonitorSectionReadsAsNoDevices) {
    ImageWriter w;
    w.u16(0).u16(0).u16(0).u16(0).u16(65).install();
    addMonitorDevice("D1", {1, 0, 0x0E, 0});  // of the program before: the image replaces it
    ASSERT_TRUE(loadCommentFromCowBuffer());
    EXPECT_EQ(deviceMonitorList.head, nullptr);
    EXPECT_EQ(ModeData.monitorDeviceCount + byteimage::getU16(CowBuffer, 264), 0);
    EXPECT_EQ(fakes.statusBar.panelText(13), "monDeviceNo=0041");
}

TEST_F(CowImageTest, AnImageThatRunsPastItsEndIsRefused) {
    for (const bool textWithoutEnd : {true, false}) {
        ImageWriter w;
        w.u16(1).device('D', 0, std::string(32766 - 262, 'z'));  // its NUL at 32766, the next count cut
        if (textWithoutEnd) w.image[32766] = w.image[32767] = 'z';
        w.install();
        EXPECT_FALSE(loadCommentFromCowBuffer());
        EXPECT_EQ(fakes.statusBar.panelText(13), "32768");  // where the reading stopped
    }
    EXPECT_EQ(test::shownBoxes(fakes.messages),
              test::Boxes(2, "FileCommentError...system clear all comment | Error2018030210 | information"));
}

// A comment keeps an input's or output's number as written (the file holds its linear index): up to
// X65535 (index 52413) it comes back on its device and Save writes it there again. From X65536 on
// (index 52414, past any PLC's inputs: a damaged or foreign file) the number does not fit, and the
// image is refused as damaged rather than the next Save putting the comment on another device. A
// device name keeps the index itself, so any index fits.
TEST_F(CowImageTest, AnInputOrOutputCommentWhoseNumberDoesNotFitRefusesTheImage) {
    struct Case {
        char letter;
        std::uint16_t index;
        std::string device;  // read, or empty when the image is refused
    };
    const Case cases[] = {
        {'X', 15, "X017"}, {'Y', 127, "Y177"}, {'X', 52413, "X146275"}, {'X', 52414, ""}, {'Y', 65535, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.letter) + std::to_string(c.index));
        fakes.messages.shown.clear();
        ImageWriter w;
        w.u16(1).device('X', 65535, "Named");
        w.u16(2).device('D', 7, "Before").device(c.letter, c.index, "Far").u16(0).u16(0).u16(0);
        const std::size_t end = w.pos;
        fakes.files.put("/p/F.COW",
                        Bytes(w.image.begin(), w.image.begin() + static_cast<std::ptrdiff_t>(end)));
        ASSERT_TRUE(readCowFile("/p/F.COW"));
        const bool read = loadCommentFromCowBuffer();
        EXPECT_EQ(read, !c.device.empty());
        if (!read) {
            EXPECT_EQ(
                test::shownBoxes(fakes.messages),
                test::Boxes{"FileCommentError...system clear all comment | Error2018030210 | information"});
            ClearAllComment1Click();  // as Open does with a refused image
            const Bytes saved = cowFileBytes().value_or(Bytes());
            EXPECT_EQ(Bytes(saved.begin() + 256, saved.end()), Bytes(12, 0));  // no comment on another device
            continue;
        }
        ASSERT_NE(deviceCommentList.tail, nullptr);
        EXPECT_EQ(textOf(deviceCommentList.tail->deviceText) + "=" + textOf(deviceCommentList.tail->text),
                  c.device + "=Far");
        // Save writes the image it read: the device keeps its index.
        const Bytes saved = cowFileBytes().value_or(Bytes());
        ASSERT_GE(saved.size(), end);
        EXPECT_EQ(Bytes(saved.begin() + 256, saved.begin() + static_cast<std::ptrdiff_t>(end)),
                  Bytes(w.image.begin() + 256, w.image.begin() + static_cast<std::ptrdiff_t>(end)));
    }
}

TEST_F(CowImageTest, CommentsThatDoNotFitAreRefusedAndNothingChanges) {
    for (int i = 0; i < 773; ++i)
        appendDeviceComment('D', static_cast<std::uint16_t>(i), std::string(37, 'x'));
    appendDeviceComment('M', 1, std::string(29, 'y'));
    EXPECT_EQ(cowFileBytes().value_or(Bytes()).size(), 32768u);
    const CowImage before = CowBuffer;
    setText(deviceCommentList.tail->text, std::string(30, 'y'));  // one byte too many
    EXPECT_FALSE(cowFileBytes().has_value());
    for (int i = 0; i < 129; ++i) appendBlockComment(0, "");  // fits, but no reader takes 129
    EXPECT_FALSE(saveCommentToCowBuffer());
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[0].text + "/" + shown()[1].text,
              "CommentBufferFull...comments not saved/BlockCommentNumberTooMuch");
    EXPECT_TRUE(CowBuffer == before);
    EXPECT_EQ(links::countNodes(deviceCommentList), 774);
}

TEST_F(CowImageTest, WriteThenReadGivesTheSameListsAndImage) {
    addDeviceName('X', 15);
    setText(deviceNameList.newest->text, "Start button");
    appendDeviceComment('Y', 100, "Motor");
    appendDeviceComment('D', 12, "\xB1\xD2\xA6\xEC");  // kept as the file's bytes
    appendBlockComment(0, "First block");
    appendCoilComment(3, "Coil");
    addMonitorDevice("C5", {5, 0, 0x0E, 0});
    fakes.files.put("/p/D.COW", cowFileBytes().value_or(Bytes()));
    const CowImage written = CowBuffer;
    ClearAllComment1Click();
    CowBuffer = {};
    ASSERT_TRUE(readCowFile("/p/D.COW"));
    const std::size_t end = 258 + cowDataLength;  // the file's bytes; 0xFF after them
    EXPECT_TRUE(std::equal(written.begin(), written.begin() + end, CowBuffer.begin()));
    ASSERT_TRUE(loadCommentFromCowBuffer());
    const std::vector<std::string> texts = {
        textOf(deviceNameList.head->deviceText) + "=" + textOf(deviceNameList.head->text),
        textOf(deviceCommentList.tail->deviceText) + "=" + textOf(deviceCommentList.tail->text),
        std::to_string(coilCommentList.head->stepNo) + "=" + textOf(coilCommentList.head->text),
        textOf(deviceMonitorList.head->deviceText)};
    EXPECT_EQ(texts, (std::vector<std::string>{"X017=Start button", "D12=\xB1\xD2\xA6\xEC", "3=Coil", "C5"}));
    EXPECT_EQ(deviceNameList.head->deviceNo + deviceCommentList.tail->deviceNo, 15 + 12);
    EXPECT_EQ(ModeData.cowBlockOffset, byteimage::getU16(written, 244));
}

}  // namespace
}  // namespace kestrion

#include "lang/HelpCommands.h"

#include "lang/Language.h"
#include "link/line/CommRecord.h"
#include "link/plc/PlcClock.h"
#include "model/core/MainState.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ModeData.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

class HelpCommandsTest : public CoreTest {
protected:
    static void language(int number) {
        ModeData.languageNo = static_cast<std::uint32_t>(number);
        selectLanguageFlags(number);
    }
    // The PLC's clock as a read leaves it: D8013..D8019, each register low byte first in hex.
    static void plcClockRead(const std::vector<std::uint16_t>& registers) {
        std::string reply;
        for (std::uint16_t r : registers) {
            static constexpr char kDigits[] = "0123456789ABCDEF";
            reply += {kDigits[(r >> 4) & 0xF], kDigits[r & 0xF], kDigits[(r >> 12) & 0xF],
                      kDigits[(r >> 8) & 0xF]};
        }
        std::copy(reply.begin(), reply.end(), rs.RxBkBuf.begin());
        SetTimeDialog dialog;
        showPlcClock(dialog);
    }
};

TEST_F(HelpCommandsTest, TimeShowsThePcClockAndThePlcClockAsLastRead) {
    EXPECT_EQ(timeItemText(), "PC: 2024-02-29 (Thursday) 13:05:09");
    // A read of the clock (PLC > Set RTC, or its monitor) while a PLC answers: 13:04:50 on Thursday
    // 29 February 2024 (weekday 4), read at the PC's 13:05:09.
    connectedPlcType = 5;
    plcClockRead({50, 4, 13, 29, 2, 24, 4});
    fakes.system.now = {2024, 2, 29, 13, 6, 0, 4};
    EXPECT_EQ(timeItemText(),
              "PC: 2024-02-29 (Thursday) 13:06:00\nPLC: 2024-02-29 (Thursday) 13:04:50 (read at 13:05:09)");
    plcClockRead({0, 0, 0, 1, 1, 0, 7});  // weekday 7 is Sunday
    EXPECT_EQ(timeItemText(),
              "PC: 2024-02-29 (Thursday) 13:06:00\nPLC: 2000-01-01 (Sunday) 00:00:00 (read at 13:06:00)");
    // Without a PLC found, the PC's alone.
    connectedPlcType = kNoPlcDetected;
    EXPECT_EQ(timeItemText(), "PC: 2024-02-29 (Thursday) 13:06:00");
    Time1Click();
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"PC: 2024-02-29 (Thursday) 13:06:00 | Time | information"});
}

TEST_F(HelpCommandsTest, TheTimeSpeaksTheInterfaceLanguage) {
    connectedPlcType = 2;
    plcClockRead({5, 30, 8, 3, 6, 25, 2});
    const std::pair<int, std::string> cases[] = {
        {1, "電腦: 2024-02-29 (星期四) 13:05:09\nPLC: 2025-06-03 (星期二) 08:30:05 (於 13:05:09 讀取)"},
        {2, "电脑: 2024-02-29 (星期四) 13:05:09\nPLC: 2025-06-03 (星期二) 08:30:05 (于 13:05:09 读取)"},
        {3, "PC: 2024-02-29 (木曜日) 13:05:09\nPLC: 2025-06-03 (火曜日) 08:30:05 (13:05:09 に読み出し)"},
        {4, "PC: 2024-02-29 (jueves) 13:05:09\nPLC: 2025-06-03 (martes) 08:30:05 (leído a las 13:05:09)"},
        {5,
         "PC: 2024-02-29 (Perşembe) 13:05:09\nPLC: 2025-06-03 (Salı) 08:30:05 (13:05:09 itibarıyla okundu)"},
    };
    for (const auto& [number, text] : cases) {
        language(number);
        EXPECT_EQ(timeItemText(), text) << number;
    }
}

TEST_F(HelpCommandsTest, SizesAreWrittenInPowersOfAThousand) {
    const std::pair<std::uint64_t, std::string> cases[] = {
        {0, "0 bytes"},           {999, "999 bytes"},        {1000, "1.0 kB"},
        {1449, "1.4 kB"},         {999949, "999.9 kB"},      {999950, "1.0 MB"},
        {97912345678, "97.9 GB"}, {2000000000000, "2.0 TB"}, {18446744073709551615u, "18446.7 PB"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(byteSizeText(bytes), text) << bytes;
}

TEST_F(HelpCommandsTest, DiskNamesTheFileSystemOfTheInstallationFolder) {
    installDir = "/home/tester/Tovel/Kestrion";
    fakes.system.disk = {true, "/home", "ext4", 97912345678, 45200000000};
    EXPECT_EQ(diskItemText(),
              "Installation folder: /home/tester/Tovel/Kestrion\nMount point: /home\nFile system: ext4\n"
              "Size: 97.9 GB\nFree: 45.2 GB (46 %)");
    EXPECT_EQ(fakes.system.askedDisk, "/home/tester/Tovel/Kestrion");
    language(5);
    EXPECT_EQ(diskItemText(),
              "Kurulum klasörü: /home/tester/Tovel/Kestrion\nBağlama noktası: /home\nDosya sistemi: ext4\n"
              "Boyut: 97.9 GB\nBoş: 45.2 GB (%46)");
    language(0);
    fakes.system.disk = {};
    Disk1Click();
    EXPECT_EQ(
        shownBoxes(fakes.messages),
        Boxes{"Installation folder: /home/tester/Tovel/Kestrion\nThe file system of the installation folder "
              "could not be read. | Disk | information"});
}

TEST_F(HelpCommandsTest, TheSecondBrandHasItsOwnAboutBox) {
    titleText = "Kestrion Version 2.1.1108";
    EXPECT_FALSE(runsAsSecondBrand());
    EXPECT_EQ(aboutBox().maker, "Made by Tovel");
    EXPECT_FALSE(aboutBox().secondBrand);
    titleText = "Dulvamer Version 2.1.1108";
    EXPECT_TRUE(runsAsSecondBrand());
    const std::pair<int, std::string> makers[] = {{0, "Made by Marbo"},       {1, "Marbo 製作"},
                                                  {2, "Marbo 制作"},          {3, "製造元: Marbo"},
                                                  {4, "Fabricado por Marbo"}, {5, "Üretici: Marbo"}};
    for (const auto& [number, maker] : makers) {
        language(number);
        const AboutBox box = aboutBox();
        EXPECT_EQ(std::tie(box.title, box.maker, box.secondBrand),
                  std::make_tuple(std::string("Dulvamer Version 2.1.1108"), maker, true));
    }
    About1Click();
    ASSERT_EQ(langDialogs.aboutBoxes.size(), 1u);
    EXPECT_TRUE(langDialogs.aboutBoxes[0].secondBrand);
}

}  // namespace
}  // namespace kestrion::test

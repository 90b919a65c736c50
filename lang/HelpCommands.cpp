#include "lang/HelpCommands.h"

#include <array>
#include <cstdio>

#include "lang/Texts.h"
#include "model/core/MainState.h"
#include "model/image/ConnectedPlc.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr const char* kSecondBrandWord = "Dulvamer ";

constexpr MenuRowKind kItem = MenuRowKind::Item;

constexpr MenuRow kRows[] = {
    {kItem, "Time1", "Time", "HelpMenu", 20, Time1Click},
    {kItem, "Disk1", "Disk", "HelpMenu", 30, Disk1Click},
};

constexpr std::array<const char*, 7> kWeekdays = {"WeekdaySunday",    "WeekdayMonday",   "WeekdayTuesday",
                                                  "WeekdayWednesday", "WeekdayThursday", "WeekdayFriday",
                                                  "WeekdaySaturday"};

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string clockText(int hour, int minute, int second) {
    return twoDigits(hour) + ":" + twoDigits(minute) + ":" + twoDigits(second);
}

}  // namespace

void setSoftwareVersion(const std::string& version) {
    titleText = "Kestrion " + version;
}

bool runsAsSecondBrand() {
    return titleText.rfind(kSecondBrandWord, 0) == 0;
}

void screenResolution1Click() {
    const platform::ScreenSize size = platform::system().screenSize();
    screenWidth = size.width;
    screenHeight = size.height;
    platform::statusBar().setPanelText(
        0, "Screen Resolution=" + intToAnsiString(screenWidth) + "*" + intToAnsiString(screenHeight));
}

AboutBox aboutBox() {
    const bool second = runsAsSecondBrand();
    return {textOf("AboutCaption"), titleText,
            textOf("AboutPurpose"), textOf(second ? "AboutMarboMaker" : "AboutMaker"),
            textOf("AboutOk"),      second};
}

void About1Click() {
    langDialogs().about(aboutBox());
}

std::string dateTimeText(const platform::LocalTime& time) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", time.year, time.month, time.day);
    const std::string weekday = time.weekday >= 0 && time.weekday < 7
                                    ? " (" + textOf(kWeekdays[static_cast<std::size_t>(time.weekday)]) + ")"
                                    : "";
    return date + weekday + " " + clockText(time.hour, time.minute, time.second);
}

std::string timeItemText() {
    std::string text = textWith("TimePc", {dateTimeText(platform::system().localTime())});
    if (!lastPlcClock.read || connectedPlcType == kNoPlcDetected) return text;
    // D8013..D8019: second, minute, hour, day, month, year of the century, weekday 1..7 (7 Sunday).
    const auto& v = lastPlcClock.values;
    platform::LocalTime plc;
    plc.second = static_cast<int>(v[0]);
    plc.minute = static_cast<int>(v[1]);
    plc.hour = static_cast<int>(v[2]);
    plc.day = static_cast<int>(v[3]);
    plc.month = static_cast<int>(v[4]);
    plc.year = 2000 + static_cast<int>(v[5] % 100);
    plc.weekday = static_cast<int>(v[6] % 7);
    const platform::LocalTime& at = lastPlcClock.readAt;
    return text + "\n" + textWith("TimePlc", {dateTimeText(plc), clockText(at.hour, at.minute, at.second)});
}

void Time1Click() {
    platform::say({timeItemText(), textOf("Time1"), platform::MsgIcon::Information});
}

std::string byteSizeText(std::uint64_t bytes) {
    static constexpr const char* kUnits[] = {"kB", "MB", "GB", "TB", "PB"};
    if (bytes < 1000) return std::to_string(bytes) + " bytes";
    double value = static_cast<double>(bytes) / 1000;
    std::size_t unit = 0;
    while (value >= 999.95 && unit + 1 < std::size(kUnits)) {
        value /= 1000;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, kUnits[unit]);
    return text;
}

std::string diskItemText() {
    const platform::DiskSpace disk = platform::system().diskSpaceOf(installDir);
    std::string text = textWith("DiskFolder", {installDir});
    if (!disk.known) return text + "\n" + textOf("DiskUnknown");
    const std::uint64_t percent = disk.totalBytes == 0 ? 0 : disk.freeBytes * 100 / disk.totalBytes;
    return text + "\n" + textWith("DiskMountPoint", {disk.mountPoint}) + "\n" +
           textWith("DiskFileSystem", {disk.fileSystem}) + "\n" +
           textWith("DiskSize", {byteSizeText(disk.totalBytes)}) + "\n" +
           textWith("DiskFree", {byteSizeText(disk.freeBytes), std::to_string(percent)});
}

void Disk1Click() {
    platform::say({diskItemText(), textOf("Disk1"), platform::MsgIcon::Information});
}

MenuTable helpMenuRows() {
    return kRows;
}

}  // namespace kestrion

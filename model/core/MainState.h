// The main window's shared state: the installation paths, the fields of the main form that the
// file commands rely on, and which monitor polls the line.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kestrion {

namespace platform {
struct Box;
}

constexpr const char* kSoftwareVersion = "Version 2.1.1108";
constexpr const char* kApplicationTitle = "Ladder Editor";

extern std::string& installDir;    // no trailing '/'
extern std::string& modeDataPath;  // installDir + "/ModeData.DAT"
extern std::uint32_t& projectTreeDivisor;
extern std::string& traceCaption;  // names the running routine in traces and halt messages
extern std::string& activityText;  // a short note of the work under way, for the developer views

// fileStateFlags bits.
constexpr std::uint8_t kFileNoName = 0x01;      // made by File > New and not saved yet
constexpr std::uint8_t kFileNamePreset = 0x02;  // the next Open takes the current name
constexpr std::uint8_t kFileLastChoiceWentThrough = 0x04;

constexpr std::size_t kFileNameSize = 96;

extern std::uint8_t& fileStateFlags;
extern std::string& titleText;                          // "Kestrion Version 2.1.1108"
extern std::array<char, kFileNameSize>& FileNameArray;  // NUL-terminated, NUL-padded
extern std::int32_t& startNameLength;
extern std::int32_t& newFileCounter;
extern std::int32_t& screenWidth;
extern std::int32_t& screenHeight;
// Set when the close box wrote the settings of a program that ends; its destruction then leaves
// the file as the close box wrote it.
extern bool& settingsWrittenAtClose;

// The current file name as text (up to the first NUL).
std::string currentFileName();
// Copies text into FileNameArray up to its end or a NUL, at most 95 characters, NUL-padded.
void setFileNameArray(const std::string& text);

// Which monitor polls the line: none, the ladder monitor or the entry device monitor. The monitor
// starts and stops its poll and keeps this up to date; the editing, the instruction box, Convert,
// the transfers and the service windows read it, each floor without asking the one above.
constexpr int kMonitorOff = 0;
constexpr int kMonitorLadder = 1;
constexpr int kMonitorEntryDevices = 2;
extern int& monitorMode;

// True, after the refusal's box, while a monitor polls the line: the act that box names is not
// done then (an edit would change the ladder the poll shows; a request would interleave with the
// poll's). Each act keeps its own text, caption and icon.
bool refusedWhileMonitoring(const platform::Box& refusal);

std::string intToAnsiString(std::int32_t value);
std::string intToAnsiString2(std::int32_t value);

}  // namespace kestrion

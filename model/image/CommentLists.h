// The program's texts that are not instructions: device names, device comments, block comments and
// coil comments, each a doubly linked list, and the 32768-byte COW image that carries them (with
// the registered monitor list) to and from the comment file. The counts and section offsets live
// in ModeData; the editing operations below keep the counts equal to the lists' lengths.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/core/OwnedList.h"

namespace kestrion {

// ---- The records ----------------------------------------------------------------------------------

constexpr std::size_t kDeviceTextSize = 8;          // letter, digits and NUL
constexpr std::size_t kDeviceCommentTextSize = 38;  // 37 characters and NUL
constexpr std::size_t kBlockCommentTextSize = 78;   // 77 characters and NUL
constexpr std::size_t kCoilCommentTextSize = 46;    // 45 characters and NUL

// One entry of the device-name list or of the device-comment list.
struct deviceCommentNode {
    std::array<char, kDeviceTextSize> deviceText{};  // X007, Y100, D12: X and Y in three octal digits
    std::uint8_t deviceLetter = 0;
    std::uint8_t letterHigh = 0;  // the letter word's high byte, 0
    // Names: the linear index of an X or Y device. Comments: the number as written (octal digits).
    std::uint16_t deviceNo = 0;
    std::uint16_t textLength = 0;  // of deviceText
    std::uint16_t cowOffset = 0;   // where the text stood in the COW image at the last parse
    std::uint16_t reserved = 0;
    std::array<char, kDeviceCommentTextSize> text{};
    deviceCommentNode* next = nullptr;
    deviceCommentNode* prev = nullptr;
};
using deviceNameNode = deviceCommentNode;

template <std::size_t TextSize>
struct stepCommentNode {
    std::uint16_t reserved = 0;
    std::uint16_t cowOffset = 0;
    std::uint16_t stepNo = 0;
    std::uint16_t flagWord = 0;
    std::uint16_t commentId = 0;  // 1 for the first entry of an empty list, then the tail's id + 1
    std::array<char, TextSize> text{};
    stepCommentNode* next = nullptr;
    stepCommentNode* prev = nullptr;
};
using blockCommentNode = stepCommentNode<kBlockCommentTextSize>;
using coilCommentNode = stepCommentNode<kCoilCommentTextSize>;

using DeviceCommentList = OwnedList<deviceCommentNode>;
using BlockCommentList = OwnedList<blockCommentNode>;
using CoilCommentList = OwnedList<coilCommentNode>;

// ---- The COW image --------------------------------------------------------------------------------

constexpr std::size_t kCowImageSize = 32768;
using CowImage = std::array<std::uint8_t, kCowImageSize>;

namespace cowOffset {
constexpr std::size_t makerMarker = 120;  // "Tovel"
constexpr std::size_t description = 128;  // 95 characters and a NUL
constexpr std::size_t descriptionSize = 96;
constexpr std::size_t section1 = 240;  // offsets of the count words of sections 1 to 4
constexpr std::size_t section2 = 242;
constexpr std::size_t section3 = 244;
constexpr std::size_t section4 = 246;
constexpr std::size_t dataLength = 250;  // bytes from 256 to the end of section 5
constexpr std::size_t data = 256;        // section 1's count word; the sections follow back to back
}  // namespace cowOffset

// The most entries each section may hold; an image with more is refused.
constexpr std::uint16_t kMaxDeviceNames = 256;
constexpr std::uint16_t kMaxDeviceComments = 16384;
constexpr std::uint16_t kMaxBlockComments = 128;
constexpr std::uint16_t kMaxCoilComments = 128;
constexpr std::uint16_t kEmptyMonitorSection = 0xFFFF;

// ---- State (members of ModelState) ---------------------------------------------------------------

extern DeviceCommentList& deviceNameList;
extern DeviceCommentList& deviceCommentList;
extern BlockCommentList& blockCommentList;
extern CoilCommentList& coilCommentList;
extern CowImage& CowBuffer;
extern std::uint16_t& cowDataLength;  // of the last pack or of the comment file last read

// ---- List operations ------------------------------------------------------------------------------

// freeCommentList kinds.
constexpr int kCommentListNames = 0;
constexpr int kCommentListDevices = 1;
constexpr int kCommentListBlocks = 2;
constexpr int kCommentListCoils = 3;
constexpr int kCommentListMonitor = 4;  // the registered monitor list

// Frees one list by kind (0..4); the counts in ModeData stay as they are.
void freeCommentList(int kind);

// Append a new entry to the list's tail and make it the list's newest. A failed allocation shows
// its "Memory not enough" box and ends the process.
void addDeviceName(std::uint16_t letterWord, std::uint16_t number);
void addDeviceComment();
void addBlockComment(std::uint16_t flagWord, std::uint16_t stepNo);
void addCoilComment(std::uint16_t stepNo, std::uint16_t flagWord);

// Unlink and free the entry the list's walker designates. False, with the list unchanged, when the
// walker designates no entry of the list.
bool deleteBlockComment();
bool deleteCoilComment();
bool deleteDeviceComment();

// Sets idBC (idCC) of the first main-list ladder object at that program step. With no ladder
// objects it says so ("Error2015020101") and changes nothing.
void updateLadderBlockCommentId(std::uint32_t stepNo, std::uint16_t id);
void updateLadderCoilCommentId(std::uint32_t stepNo, std::uint16_t id);

// True when the two device texts agree in their first n characters for n from 2 to 5, in their
// first 6 for any other n (a text ends at its NUL or its end).
bool isSameDeviceName(std::string_view a, std::string_view b, int n);

// The device text of an entry: X and Y with their number as written in three or more digits with
// leading zeros (X007), other letters in decimal (D12).
std::string deviceTextFor(char letter, std::uint32_t writtenNumber);
// An X or Y linear index to the number written in octal digits: 15 -> 17, 64 -> 100.
std::uint32_t indexToOctalNo(std::uint32_t index);
bool isOctalDevice(std::uint8_t letter);

// ---- Editing: the lists with their counts ----------------------------------------------------------

// A device comment on letter and number (X and Y numbers as written); its text is cut to 37.
void appendDeviceComment(char letter, std::uint16_t writtenNumber, std::string_view text);
// A block or coil comment at a program step, also given to the ladder object at that step.
void appendBlockComment(std::uint16_t stepNo, std::string_view text);
void appendCoilComment(std::uint16_t stepNo, std::string_view text);
// Delete the walker's entry; the count goes down only when an entry went.
bool removeDeviceComment();
bool removeBlockComment();
bool removeCoilComment();

// A device name on an X or Y by its number as written (X17); the entry keeps the linear index the
// comment file holds (15) and the device text X017. Its text is cut to 37.
void appendDeviceName(char letter, std::uint16_t writtenNumber, std::string_view text);
// Delete the walker's device name; the count goes down only when an entry went.
bool deleteDeviceName();
bool removeDeviceName();

// ---- Editing one entry by what it belongs to -------------------------------------------------------

// The device comment of a device text (X007, D12), the block or coil comment of an id; null when
// there is none.
deviceCommentNode* findDeviceComment(std::string_view deviceText);
deviceNameNode* findDeviceName(std::string_view deviceText);
blockCommentNode* findBlockComment(std::uint16_t id);
coilCommentNode* findCoilComment(std::uint16_t id);

// A new block or coil comment on a ladder object, with the object's program step; the object takes
// its id (through the step when the step leads to that object, as a load attaches comments).
struct stLadderBlock;
void attachBlockComment(stLadderBlock& object, std::string_view text);
void attachCoilComment(stLadderBlock& object, std::string_view text);

// A new text for an entry, cut to what the entry holds (a device name's as a device comment's).
void changeDeviceComment(deviceCommentNode& node, std::string_view text);
void changeBlockComment(blockCommentNode& node, std::string_view text);
void changeCoilComment(coilCommentNode& node, std::string_view text);

// The entry deleted with its count; the ladder objects that carried a block or coil comment's id
// carry none.
void deleteDeviceCommentEntry(deviceCommentNode& node);
void deleteDeviceNameEntry(deviceNameNode& node);
void deleteBlockCommentEntry(blockCommentNode& node);
void deleteCoilCommentEntry(coilCommentNode& node);

// Bytes the lists take in the comment image from its data start to the end of section 5, as the
// packer lays them out.
std::size_t commentImageBytes();

// The comment counts of the settings record 0 and its section offsets those of an empty image.
void resetCommentCounts();

// All comments cleared: the four lists and both monitor lists freed, the counts 0, the section
// offsets those of an empty image, the first 32 bytes of the image's data area zero; a redraw. No
// menu item runs it: File > Close does (and so New and Open, which close first), and Open and
// Convert do when the comment image they read back is refused.
void ClearAllComment1Click();

}  // namespace kestrion

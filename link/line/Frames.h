// Frame text: every request is built as upper-case hex digit pairs in rsChHex, closed with the check
// code and sent in one call. Also the hex conversions and the trace lines of frames and replies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrion {

constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kEtx = 0x03;
constexpr std::uint8_t kEnq = 0x05;
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;

// The longest frame text: 640 frame bytes.
constexpr std::size_t kFrameTextLimit = 1280;

extern std::string& rsChHex;

// What became of a send or a wait. Sends give Done, Busy or NotSent; waits give Done (an ACK, a
// data frame with a good check code, a complete line), Nak (a NAK or a bad check code), TimeOut or
// Busy. Busy: another request holds the line; the one that waits is left as it was.
enum class LinkOutcome { Done, Nak, TimeOut, Busy, NotSent };

// Field encoders: the input is a number already written as hex digits; the chosen characters are
// appended as the hex of their ASCII codes.
void appendAddress(const std::string& digits4);          // 1 2 3 4
void appendAddressLowFirst(const std::string& digits4);  // 3 4 1 2
void appendDataWord(const std::string& digits8);         // 7 8 5 6
void appendDataDword(const std::string& digits8);        // 7 8 5 6 3 4 1 2
void appendByteCount(const std::string& digits4);        // 3 4
void appendValueByteCount(int is32);                     // the characters "04" or "02"

// n is the number of digits of rsChHex to use (callers pass its length). A frame whose check code
// would take it past the limit is reported, and the next sendFrameHex refuses it.
void AddSumCheckCode(std::size_t n);
// Every send first drops what the line delivered before it (traced), and after a wait that ran out
// lets a late reply end first, so that what follows the send is the answer to this frame.
// NotSent: port closed, bad or refused length, or the port took less than the frame.
LinkOutcome sendFrameHex(std::size_t n);
LinkOutcome sendFrameText(std::size_t n);
LinkOutcome sendFrameBytes(std::size_t n);
// Copies the first n characters of rsChHex into rs.txChars. Mode 0 refuses an empty or odd n.
bool copyFrameText(int mode, std::size_t n);

std::uint8_t hexPairToByte(char high, char low);
// The two digit characters of a byte: high byte the high digit's character, low byte the low one's.
std::uint16_t byteToHexChars(std::uint8_t value);
// Converts n digits (even, nonzero) into n / 2 bytes and a NUL after them, never writing more than
// capacity bytes; returns the number of bytes converted.
std::size_t hexTextToBytes(std::size_t n, const char* text, std::uint8_t* bytes, std::size_t capacity);

// For other programs: the same rules as hexPairToByte and byteToHexChars.
std::uint8_t _dllAsciiConvToHex(char high, char low);
std::uint16_t _dllHexConvToAscii(std::uint8_t value);

// While one lives, the trace shows stars for the text of every frame and reply: the frames that
// carry passwords, and the replies that hold the PLC's keyword, never reach it.
class MaskedTrace {
public:
    MaskedTrace();
    ~MaskedTrace();
    MaskedTrace(const MaskedTrace&) = delete;
    MaskedTrace& operator=(const MaskedTrace&) = delete;
};

// Overwrites the frame being built, the last frame sent and the last reply: after a frame or reply
// that carried a password.
void wipeFrameBuffers();

// The trace line of a reply whose check code was compared.
void logReplyAckNak();
// The trace line of what the link threw away: bytes before a send, a reply that answers another
// request.
void logDroppedReply(const std::string& what);

}  // namespace kestrion

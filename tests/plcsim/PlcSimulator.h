// A simulated PLC that speaks the PLC's own protocol: ENQ is answered with ACK; STX, command
// characters, ETX and two check characters are answered with ACK, NAK or a data frame. It keeps a
// memory image of its own and can be told to misbehave. It knows nothing of the program's code:
// the line tests run it in-process behind the fake serial port, or as the program plcsim behind a
// pseudo-terminal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestrion::plcsim {

constexpr std::uint32_t kSpecialRegisterBase = 0x0E00;       // D8000 + n at 0x0E00 + 2n
constexpr std::uint32_t kType2SpecialRegisterBase = 0x8000;  // the same in type 2's extended space
constexpr std::uint32_t kParameterBlock = 0x8000;
constexpr std::uint32_t kKeyword = 0x8008;
constexpr std::uint32_t kProgramStart = 0x805C;
constexpr std::uint32_t kParameterBlockSize = 92;

enum class Fault {
    None,
    Silence,         // answers nothing
    Nak,             // answers NAK to everything
    WrongCheckCode,  // data frames carry a check code one too high
    SplitReply,      // a data frame arrives in two pieces: up to ETX, then the check characters
    ShortReply,      // a data frame lacks its last check character
    ShortData,       // (frameFault only) the data frame holds one byte less than asked, its check code good
    Delay,           // every answer comes late
    SilentRate,      // the rate frame goes unanswered and the rate stays
};

// Part of an answer: sent delayMs after the previous part (the first after the request).
struct Chunk {
    std::uint32_t delayMs = 0;
    std::vector<std::uint8_t> bytes;
};

// How a command addresses the memory: "0" and "1" the plain space; "E00" and "E10" the extended
// space (the plain one on types 5 and 7; on type 2 the D registers at 0x4000 and D8000 at 0x8000);
// the bank commands "E01" ... "E05" and "E11" ... "E15" the parameter block and program from
// 0x8000, bank k covering the addresses ((k - 1) << 16) + 0x0000 ... 0xFFFF.
enum class Space { Plain, Extended, Program };

// The memory of a PLC by family: the bit spaces (and the status byte) below 0x0E00, the special
// registers D8000 ... D8255, the D registers of the type, and the parameter block followed by the
// program of the memory size the type allows.
class PlcMemory {
public:
    void reset(int plcType);
    int plcType() const { return plcType_; }
    std::uint32_t dataRegisterBase() const;
    std::uint32_t dataRegisterBytes() const;
    std::int32_t memSizeCode() const;

    // The bytes at address of a space, nothing when some of them lie outside every area.
    std::uint8_t* locate(Space space, std::uint32_t address, std::uint32_t count);
    const std::uint8_t* locate(Space space, std::uint32_t address, std::uint32_t count) const;

private:
    int plcType_ = 1;
    std::vector<std::uint8_t> bits_;
    std::vector<std::uint8_t> special_;
    std::vector<std::uint8_t> dataRegisters_;
    std::vector<std::uint8_t> program_;  // from 0x8000: the parameter block, then the program
    std::vector<std::uint8_t> timers_;   // types 2, 5 and 7: the timers' values from 0x1000
};

// A write the PLC took: the command characters before the address ("1", "E10", "E12"), the
// address as the command gives it (the bank's 64 KB in front for "E11" ... "E15") and the bytes.
struct MemoryWrite {
    std::string head;
    std::uint32_t address = 0;
    std::vector<std::uint8_t> bytes;
};

class PlcSimulator {
public:
    explicit PlcSimulator(int plcType = 1);

    // Sets the memory to that of a fresh PLC of the type (1, 2, 4, 5, 6 or 7).
    void setPlcType(int plcType);
    int plcType() const { return memory_.plcType(); }

    // Bytes from the line, sent at the given rate. Bytes sent at a rate other than the PLC's own
    // arrive garbled: they are not understood.
    std::vector<Chunk> receive(const std::uint8_t* data, std::size_t size, std::uint32_t lineBaudRate);

    std::uint32_t baudRate() const { return baudRate_; }
    void setBaudRate(std::uint32_t rate) { baudRate_ = rate; }

    // Memory as the commands of a space see it; 0 outside every area, where writes are lost.
    std::uint8_t byteAt(std::uint32_t address, Space space = Space::Plain) const;
    void setByte(std::uint32_t address, std::uint8_t value, Space space = Space::Plain);
    std::uint16_t wordAt(std::uint32_t address, Space space = Space::Plain) const;  // low byte first
    void setWord(std::uint32_t address, std::uint16_t value, Space space = Space::Plain);
    // Where D0 lies for the PLC's type.
    std::uint32_t dataRegisterBase() const { return memory_.dataRegisterBase(); }

    // The IDs, keyword2 and the clock (PlcSimIds.cpp). "6F6Id1" and "6F6Id2" carry eight hex
    // digits as characters: the product ID into D8058 (high) and D8059, the user ID into D8105
    // (high) and D8104. The clock D8013..D8019 runs on clockMs (real time when unset), one second
    // per 1000 ms, and starts its second afresh when it is written.
    bool keyword2Set() const { return keyword2_; }
    std::function<std::uint64_t()> clockMs;

    Fault fault = Fault::None;
    std::uint32_t replyDelayMs = 5;
    std::uint32_t faultDelayMs = 3000;
    std::uint32_t splitGapMs = 250;
    // The 62 bytes the machine-status request "6F5Error" is answered with (124 digits).
    std::vector<std::uint8_t> errorReport = std::vector<std::uint8_t>(62, 0);
    // The command text of every frame with a good check code, in order (between STX and ETX).
    std::vector<std::string> frames;
    // Every write taken, in order; onWrite hears each one as it is taken (plcsim's --log).
    std::vector<MemoryWrite> writes;
    std::function<void(const MemoryWrite&)> onWrite;

    // The service commands (PlcSimService.cpp). Forcing M8025 (board) or M8027 (memory) ON runs
    // a self-test whose result lands in D8061. The any-address commands work on the plain space:
    // "EAA" and "EA8" read (address high digit first, count), "EAC" writes (address, count, the
    // bytes in order), "EAE" and "EAF" force a bit of it ON and OFF (bit address low byte first:
    // byte address / 8, bit address % 8). D8140 .. D8171 hold the axis registers, set by setAxis.
    std::uint16_t selfTestResult = 0;
    void setAxis(std::uint32_t registerNo, std::int32_t value);  // D8140 + n, two registers, low first
    // Answers to computer-link lines: ENQ, the text, CR LF; the text (check code included) is
    // looked up here and answered with the bytes given. While it is empty, ENQ is the probe.
    std::map<std::string, std::string> lineReplies;

    // Forces, RUN and STOP, the memory clears (PlcSimControl.cpp). The forced relays are a bit
    // space of their own; M8035 with M8036 runs, M8035 with M8037 stops. While running M8000 is on
    // and the status byte reads 9, and the clears are refused.
    bool running() const { return running_; }
    bool relayOn(std::uint32_t bitAddress) const { return relays_.count(bitAddress) != 0; }
    // frameFault (Nak, Silence or ShortData) on the frame numbered faultFrame only (1 = the first frame with
    // a good check code; ENQ probes are not counted); 0 for none.
    std::size_t faultFrame = 0;
    Fault frameFault = Fault::None;

    // The monitor (PlcSimMonitor.cpp): the registration area the program writes its request lists
    // into (1400h on types 2, 5 and 7; 1800h to 19FFh on the others) and the read-back of the devices
    // they name (1790h; 1958h the words, 19A0h the bits). Bit numbers are those of the forces; a
    // 32-bit counter's value (0C00h to 0CFFh) takes four bytes. D8010 holds a scan time.
    void setBit(std::uint32_t bitAddress, bool on);
    bool nakRegistration = false;  // registration frames are answered with NAK
    // A line from whoever drives the simulation: "bit 0400 1", "word 1000 04D2" (the space the
    // monitor reads), "nak-registration 1", "delay 300" (every answer that many ms late). False when
    // it is not understood.
    bool applyControlLine(const std::string& line);

private:
    std::optional<std::vector<Chunk>> answerIds(const std::string& command);
    void runClock(bool restart);
    void tickSecond();
    bool keyword2_ = false;
    bool clockStarted_ = false;
    std::uint64_t clockSeenMs_ = 0;

    enum class State { Idle, Frame, Check1, Check2, Line };

    std::vector<Chunk> takeByte(std::uint8_t c);
    std::vector<Chunk> answerFrame();
    std::vector<Chunk> answerCommand(const std::string& command);
    std::optional<std::vector<Chunk>> answerControl(const std::string& command);
    std::vector<Chunk> answerForce(bool on, const std::string& address);
    std::vector<Chunk> answerClear(char area);
    std::vector<Chunk> answerExtended(const std::string& command);
    std::vector<Chunk> answerRate(char digit);
    std::vector<Chunk> answerEndSearch(const std::string& command);
    std::optional<std::vector<Chunk>> answerMonitorWrite(Space space, std::uint32_t address,
                                                         const std::vector<std::uint8_t>& data);
    std::optional<std::vector<Chunk>> answerMonitorRead(Space space, std::uint32_t address,
                                                        std::uint32_t count);
    std::vector<std::uint8_t> monitorWordValues(Space space) const;
    std::vector<std::uint8_t> monitorBitBytes(std::size_t countAt, std::size_t fieldsAt) const;
    std::vector<Chunk> answerAnyAddress(const std::string& command);
    std::vector<Chunk> answerLine();
    void runSelfTest(std::uint32_t relay);
    std::vector<Chunk> read(Space space, std::uint32_t bank, const std::string& fields);
    std::vector<Chunk> write(Space space, std::uint32_t bank, const std::string& fields);
    bool fitsOneFrame(Space space, std::uint32_t address, std::uint32_t count) const;
    std::vector<Chunk> control(std::uint8_t code) const;
    std::vector<Chunk> dataFrame(const std::uint8_t* data, std::size_t size) const;
    std::vector<Chunk> textFrame(const std::string& body) const;

    PlcMemory memory_;
    std::vector<std::uint8_t> registration_ = std::vector<std::uint8_t>(0x200, 0);
    std::uint32_t baudRate_ = 9600;
    State state_ = State::Idle;
    std::string body_;
    char check1_ = 0;
    std::set<std::uint32_t> relays_;
    bool running_ = false;
};

}  // namespace kestrion::plcsim

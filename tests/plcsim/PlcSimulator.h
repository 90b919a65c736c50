// A simulated PLC that speaks the PLC's own protocol: ENQ is answered with ACK; STX, command
// characters, ETX and two check characters are answered with ACK, NAK or a data frame. It keeps a
// memory image of its own and can be told to misbehave. It knows nothing of the program's code:
// the line tests run it in-process behind the fake serial port, or as the program plcsim behind a
// pseudo-terminal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrion::plcsim {

constexpr std::uint32_t kSpecialRegisterBase = 0x0E00;  // D8000 + n at 0x0E00 + 2n
constexpr std::uint32_t kParameterBlock = 0x8000;
constexpr std::uint32_t kKeyword = 0x8008;
constexpr std::uint32_t kProgramStart = 0x805C;
constexpr std::uint32_t kMemorySize = 0x30000;

enum class Fault {
    None,
    Silence,         // answers nothing
    Nak,             // answers NAK to everything
    WrongCheckCode,  // data frames carry a check code one too high
    SplitReply,      // a data frame arrives in two pieces: up to ETX, then the check characters
    ShortReply,      // a data frame lacks its last check character
    Delay,           // every answer comes late
};

// Part of an answer: sent delayMs after the previous part (the first after the request).
struct Chunk {
    std::uint32_t delayMs = 0;
    std::vector<std::uint8_t> bytes;
};

class PlcSimulator {
public:
    explicit PlcSimulator(int plcType = 1);

    // Sets the memory to that of a fresh PLC of the type (1, 2, 4, 5, 6 or 7).
    void setPlcType(int plcType);
    int plcType() const { return plcType_; }

    // Bytes from the line, sent at the given rate. Bytes sent at a rate other than the PLC's own
    // arrive garbled: they are ignored.
    std::vector<Chunk> receive(const std::uint8_t* data, std::size_t size, std::uint32_t lineBaudRate);

    std::uint32_t baudRate() const { return baudRate_; }
    void setBaudRate(std::uint32_t rate) { baudRate_ = rate; }

    std::uint8_t byteAt(std::uint32_t address) const;
    void setByte(std::uint32_t address, std::uint8_t value);
    std::uint16_t wordAt(std::uint32_t address) const;  // low byte first
    void setWord(std::uint32_t address, std::uint16_t value);
    // Where D0 lies for the PLC's type.
    std::uint32_t dataRegisterBase() const;

    Fault fault = Fault::None;
    std::uint32_t replyDelayMs = 5;
    std::uint32_t faultDelayMs = 3000;
    std::uint32_t splitGapMs = 250;
    // The command text of every frame with a good check code, in order (between STX and ETX).
    std::vector<std::string> frames;

private:
    enum class State { Idle, Frame, Check1, Check2 };

    std::vector<Chunk> takeByte(std::uint8_t c);
    std::vector<Chunk> answerFrame();
    std::vector<Chunk> answerCommand(const std::string& command);
    std::vector<Chunk> read(const std::string& fields);
    std::vector<Chunk> write(const std::string& fields);
    std::vector<Chunk> control(std::uint8_t code) const;
    std::vector<Chunk> dataFrame(const std::vector<std::uint8_t>& data) const;

    int plcType_ = 1;
    std::uint32_t baudRate_ = 9600;
    std::vector<std::uint8_t> memory_;
    State state_ = State::Idle;
    std::string body_;
    char check1_ = 0;
};

}  // namespace kestrion::plcsim

// Program and register transfers under the PLC's own protocol: the command heads, register base and
// area of each PLC type, the program read and write in chunks that never cross a 64 KB boundary of
// the PLC address, the register read and write, the one-frame clear of the register tail, and the
// comparisons of the verify commands. The routines neither open nor close the port. A frame that
// fails shows the routine's box and throws LinkError with the time-out or NAK bit of rs.status
// set; nothing is stored then.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/image/ProgramImage.h"

namespace kestrion {

constexpr std::uint32_t kProgramWordsAddress = 0x805C;  // step 0; the parameter block lies before it
constexpr std::uint32_t kTransferBufferBase = 0x8000;   // rs.RxData[0] and rs.TxData[0] of a program

// The PLC's D registers as read back for the register verify.
extern std::vector<std::uint8_t>& VirtualDreg;

// Where D0 lies and how many bytes of D registers a PLC type has.
std::uint32_t getRegisterBase(int plcType);
std::uint32_t getRegisterAreaSize(int plcType);
// The command characters of the project's PLC type: the program heads by the full PLC address
// (type 2 speaks one bank per 64 KB), the register heads alone.
std::string setProgramReadCommand(int plcType, std::uint32_t address);
std::string setProgramWriteCommand(int plcType, std::uint32_t address);
std::string setRegisterReadCommand(int plcType);
std::string setRegisterWriteCommand(int plcType);

// A memory size code N that a program of the PLC type may have: 2, 4, 8, 16, 32 or 64, no larger
// than the parameter dialog lets the type choose (2 for types 1 and 6, 8 for 4 and 7, 16 for 5).
bool memSizeFitsType(std::int32_t n, int plcType);

// What a program write sends, taken from the program image once, as the write begins: the PLC type
// whose command heads it speaks and the bytes it writes from PLC address 0x8000, the parameter
// block (keyword included) followed by the program bytes of the range. The write's checks, its
// keyword question and every frame read this and never the program image, so a program opened, an
// edit converted or the parameters changed while the write waits for a reply reach none of them,
// and one write never mixes two programs. The bytes hold the keyword: they are wiped with it.
class ProgramAtStart {
public:
    // The first byteCount bytes (at least the parameter block, at most the whole program area).
    ProgramAtStart(int plcType, std::uint32_t byteCount);
    ~ProgramAtStart();
    ProgramAtStart(const ProgramAtStart&) = delete;
    ProgramAtStart& operator=(const ProgramAtStart&) = delete;

    int plcType() const { return plcType_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::span<const std::uint8_t, kParameterBlockSize> parameterBlock() const {
        return std::span<const std::uint8_t, kParameterBlockSize>(bytes_.data(), kParameterBlockSize);
    }
    std::uint32_t programBytes() const {
        return static_cast<std::uint32_t>(bytes_.size() - kParameterBlockSize);
    }

private:
    int plcType_;
    std::vector<std::uint8_t> bytes_;
};

// The D registers a register write sends or a register verify compares against, taken from
// DmwImage once, as the command begins, with the PLC type whose area and heads they go by.
struct RegistersAtStart {
    int plcType = 0;
    std::vector<std::uint8_t> bytes;  // the register area of the type, D0 first, low byte first
};
RegistersAtStart takeRegisters();

// Up to byteCount program bytes from 0x805C into rs.RxData (rs.RxNo bytes, the caller's size);
// the read ends with the frame that holds END, the word after END kept, the rest of that frame
// dropped. Returns the bytes received; nothing is stored.
std::uint32_t receiveProgram(std::uint32_t byteCount);
std::uint32_t receiveProgram(std::uint32_t byteCount, int plcType);  // with that type's heads
// The received bytes into the project's program area (every later byte 0xFF, the check code
// computed for the block's N, the tail of the project's type) or into VirtualProg's.
void storeProgram(std::uint32_t received, bool toProject);
void readProgram(std::uint32_t byteCount, bool toProject);
void readProgram(std::uint32_t byteCount, bool toProject, int plcType);
// The program's bytes into rs.TxData (rs.TxNo their count), byteCount of them written from 0x805C
// with the heads of its type, then the closing frame "B".
void writeProgram(const ProgramAtStart& program, std::uint32_t byteCount);
// The same with the first rs.TxNo bytes of the project's parameter block and program.
void writeProgram(std::uint32_t byteCount);
// The register area of the project's type (or of plcType) into DmwImage's D registers or
// VirtualDreg; rs.RxNo is left at its size.
void readRegister(bool toProject);
void readRegister(bool toProject, int plcType);
// The registers to their type's register base; the one without them takes DmwImage's as it is.
void writeRegister(const RegistersAtStart& registers);
void writeRegister();
// Zeroes the last 32 D registers of the extended area in one frame; the port must be open.
void writeRegisterBlock();

// The step of the first program word that differs between the program's words and VirtualProg, up
// to and including the program's END; nothing when they agree.
std::optional<std::uint32_t> firstDifferingStep(std::span<const std::uint16_t> program);

struct RegisterDifferences {
    std::uint32_t compared = 0;  // words
    std::uint32_t count = 0;
    std::uint32_t first = 0;  // the register of the first difference
};
// DmwImage's D registers (or the registers given) against VirtualDreg over rs.RxNo / 2 words.
RegisterDifferences compareRegisters();
RegisterDifferences compareRegisters(const RegistersAtStart& registers);

}  // namespace kestrion

#include "plcsim/PlcSimulator.h"

#include <algorithm>
#include <cstdint>

namespace kestrion::plcsim {

namespace {

constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kEtx = 0x03;
constexpr std::uint8_t kEnq = 0x05;
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::size_t kLongestFrame = 1024;
constexpr char kDigits[] = "0123456789ABCDEF";

// The value of a run of upper-case hex digits; false when one is not a digit.
bool hexValue(const std::string& text, std::size_t from, std::size_t count, std::uint32_t& value) {
    if (from + count > text.size()) return false;
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        const char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return false;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

std::uint8_t checkCodeOf(const std::string& body) {
    std::uint32_t sum = kEtx;
    for (char c : body) sum += static_cast<std::uint8_t>(c);
    return static_cast<std::uint8_t>(sum);
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

// ---- Memory ---------------------------------------------------------------------------------------

namespace {

constexpr std::uint32_t kBitSpaceBytes = 0x0E00;
constexpr std::uint32_t kSpecialRegisterBytes = 2 * 256;
constexpr std::uint32_t kPlainSpaceEnd = 0x10000;
constexpr std::uint32_t kTimerValueBase = 0x1000;

bool isExtendedType(int plcType) {
    return plcType == 2 || plcType == 5 || plcType == 7;
}

void putWord(std::vector<std::uint8_t>& bytes, std::uint32_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

struct Area {
    std::uint32_t start;
    std::vector<std::uint8_t>* bytes;
    std::uint32_t end;  // the first address after the area as this space sees it
};

}  // namespace

void PlcMemory::reset(int plcType) {
    plcType_ = plcType;
    // D8001 tells the family, D8002 the memory size, D8101 the type 2 family.
    std::uint16_t d8001 = 20100;
    std::uint16_t d8002 = 8;
    std::uint16_t d8101 = 0;
    switch (plcType) {
        case 1: d8002 = 2; break;
        case 2:
            d8001 = 24300;
            d8002 = 16;
            d8101 = 16100;
            break;
        case 5: d8001 = 24100; break;
        case 6: d8001 = 22100; break;
        case 7: d8001 = 26100; break;
        default: break;
    }
    bits_.assign(kBitSpaceBytes, 0);
    special_.assign(kSpecialRegisterBytes, 0);
    putWord(special_, 0, 200);
    putWord(special_, 2 * 1, d8001);
    putWord(special_, 2 * 2, d8002);
    putWord(special_, 2 * 101, d8101);
    putWord(special_, 2 * 10, 25);  // the scan time, 2.5 ms
    timers_.assign(isExtendedType(plcType) ? 2 * 256 : 0, 0);
    dataRegisters_.assign(dataRegisterBytes(), 0);

    // The parameter block: the memory size in thousands of steps and the program's check code,
    // no keyword (eight blanks); then a program of END alone in an area of 0xFFFF words.
    const std::int32_t n = memSizeCode();
    const auto words = static_cast<std::uint32_t>(1000 * n);
    program_.assign(kParameterBlockSize + 2 * words, 0xFF);
    std::fill(program_.begin(), program_.begin() + kParameterBlockSize, std::uint8_t{0});
    putWord(program_, 0, static_cast<std::uint16_t>(n));
    // The check code: 65536 - 1000 n plus (word + 1) for every word; only END adds something.
    putWord(program_, 2, static_cast<std::uint16_t>(0x10000u - words + 0x10u));
    std::fill(program_.begin() + 8, program_.begin() + 16, std::uint8_t{' '});
    putWord(program_, kParameterBlockSize, 0x000F);
}

std::uint32_t PlcMemory::dataRegisterBase() const {
    return isExtendedType(plcType_) ? 0x4000 : 0x1000;
}

std::uint32_t PlcMemory::dataRegisterBytes() const {
    if (isExtendedType(plcType_)) return 16000;
    if (plcType_ == 6) return 8000;
    if (plcType_ == 4) return 2000;
    return 512;
}

// The memory sizes the type dialog leaves each type with.
std::int32_t PlcMemory::memSizeCode() const {
    if (plcType_ == 2) return 64;
    if (plcType_ == 1 || plcType_ == 6) return 2;
    return 8;
}

const std::uint8_t* PlcMemory::locate(Space space, std::uint32_t address, std::uint32_t count) const {
    return const_cast<PlcMemory*>(this)->locate(space, address, count);
}

std::uint8_t* PlcMemory::locate(Space space, std::uint32_t address, std::uint32_t count) {
    auto area = [](std::uint32_t start, std::vector<std::uint8_t>& bytes, std::uint32_t limit = UINT32_MAX) {
        return Area{start, &bytes, std::min(limit, start + static_cast<std::uint32_t>(bytes.size()))};
    };
    std::vector<Area> areas;
    if (space == Space::Program) {
        areas = {area(kParameterBlock, program_)};
    } else if (space == Space::Extended && plcType_ == 2) {
        areas = {area(0, bits_), area(dataRegisterBase(), dataRegisters_),
                 area(kType2SpecialRegisterBase, special_), area(kTimerValueBase, timers_)};
    } else {
        areas = {area(0, bits_), area(kSpecialRegisterBase, special_),
                 area(kParameterBlock, program_, kPlainSpaceEnd)};
        if (plcType_ != 2) areas.push_back(area(dataRegisterBase(), dataRegisters_));
        if (plcType_ == 5 || plcType_ == 7) areas.push_back(area(kTimerValueBase, timers_));
    }
    for (const Area& a : areas) {
        if (address >= a.start && address <= a.end && count <= a.end - address)
            return a.bytes->data() + (address - a.start);
    }
    return nullptr;
}

// ---- The PLC --------------------------------------------------------------------------------------

PlcSimulator::PlcSimulator(int plcType) {
    setPlcType(plcType);
}

void PlcSimulator::setPlcType(int plcType) {
    memory_.reset(plcType);
}

std::uint8_t PlcSimulator::byteAt(std::uint32_t address, Space space) const {
    const std::uint8_t* byte = memory_.locate(space, address, 1);
    return byte != nullptr ? *byte : 0;
}

void PlcSimulator::setByte(std::uint32_t address, std::uint8_t value, Space space) {
    if (std::uint8_t* byte = memory_.locate(space, address, 1)) *byte = value;
}

std::uint16_t PlcSimulator::wordAt(std::uint32_t address, Space space) const {
    return static_cast<std::uint16_t>(byteAt(address, space) | (byteAt(address + 1, space) << 8));
}

void PlcSimulator::setWord(std::uint32_t address, std::uint16_t value, Space space) {
    setByte(address, static_cast<std::uint8_t>(value & 0xFF), space);
    setByte(address + 1, static_cast<std::uint8_t>(value >> 8), space);
}

std::vector<Chunk> PlcSimulator::receive(const std::uint8_t* data, std::size_t size,
                                         std::uint32_t lineBaudRate) {
    std::vector<Chunk> answer;
    if (lineBaudRate != baudRate_) {
        state_ = State::Idle;
        return answer;
    }
    for (std::size_t i = 0; i < size; ++i) {
        std::vector<Chunk> part = takeByte(data[i]);
        answer.insert(answer.end(), part.begin(), part.end());
    }
    if (fault == Fault::Silence) answer.clear();
    if (fault == Fault::Delay && !answer.empty()) answer.front().delayMs = faultDelayMs;
    return answer;
}

std::vector<Chunk> PlcSimulator::takeByte(std::uint8_t c) {
    switch (state_) {
        case State::Idle:
            if (c == kEnq && !lineReplies.empty()) {
                state_ = State::Line;
                body_.clear();
                return {};
            }
            if (c == kEnq) return control(kAck);
            if (c == kStx) {
                state_ = State::Frame;
                body_.clear();
            }
            return {};
        case State::Frame:
            if (c == kStx) {
                body_.clear();
            } else if (c == kEtx) {
                state_ = State::Check1;
            } else if (body_.size() < kLongestFrame) {
                body_ += static_cast<char>(c);
            } else {
                state_ = State::Idle;
                return control(kNak);
            }
            return {};
        case State::Check1:
            check1_ = static_cast<char>(c);
            state_ = State::Check2;
            return {};
        case State::Line:
            if (c != '\n') {
                if (body_.size() < kLongestFrame) body_ += static_cast<char>(c);
                return {};
            }
            state_ = State::Idle;
            return answerLine();
        case State::Check2:
            state_ = State::Idle;
            std::uint32_t check = 0;
            const std::string checkText{check1_, static_cast<char>(c)};
            if (!hexValue(checkText, 0, 2, check) || check != checkCodeOf(body_)) return control(kNak);
            return answerFrame();
    }
    return {};
}

std::vector<Chunk> PlcSimulator::answerFrame() {
    frames.push_back(body_);
    if (fault == Fault::Nak) return control(kNak);
    return answerCommand(body_);
}

std::vector<Chunk> PlcSimulator::answerCommand(const std::string& command) {
    if (auto answer = answerControl(command)) return std::move(*answer);
    if (command == "F8" || startsWith(command, "4") || startsWith(command, "E41"))
        return answerEndSearch(command);
    if (command == "6F5Error") return dataFrame(errorReport.data(), errorReport.size());
    if (auto answer = answerIds(command)) return std::move(*answer);
    if (startsWith(command, "EA")) return answerAnyAddress(command);
    if (startsWith(command, "E")) return answerExtended(command);
    if (startsWith(command, "0")) return read(Space::Plain, 0, command.substr(1));
    if (startsWith(command, "1")) return write(Space::Plain, 0, command.substr(1));
    if (command.size() == 2 && command[0] == 'A') return answerRate(command[1]);
    if (command == "B") return control(kAck);  // the end of a program write
    return control(kNak);
}

// The extended commands belong to types 2, 5 and 7; the banks above the first to type 2 alone.
std::vector<Chunk> PlcSimulator::answerExtended(const std::string& command) {
    if (!isExtendedType(plcType()) || command.size() < 3) return control(kNak);
    const char operation = command[1];
    const int bank = command[2] - '0';
    const int lastBank = plcType() == 2 ? 5 : 1;
    if ((operation != '0' && operation != '1') || bank < 0 || bank > lastBank) return control(kNak);
    const Space space = bank == 0 ? Space::Extended : Space::Program;
    const auto high = static_cast<std::uint32_t>(bank == 0 ? 0 : bank - 1);
    return operation == '0' ? read(space, high, command.substr(3)) : write(space, high, command.substr(3));
}

// The END search: "4" (plain types) and "E41" (types 5 and 7) with the address to start from and
// the word to find, low byte first ("805C" "0F00": END, 000Fh, from step 0), answered with the
// address of the first such word, high digit first ("E41" puts a '0' before it); "F8" (type 2)
// finds END from step 0 and answers its 20-bit address in five digits. The search runs to the end
// of the program area; NAK when the word is not in it.
std::vector<Chunk> PlcSimulator::answerEndSearch(const std::string& command) {
    const bool type2 = command == "F8";
    const bool extended = startsWith(command, "E41");
    if (type2 != (plcType() == 2) || extended != (plcType() == 5 || plcType() == 7)) return control(kNak);
    std::uint32_t start = kProgramStart;
    std::uint32_t low = 0x0F;
    std::uint32_t high = 0x00;
    if (!type2) {
        const std::string fields = command.substr(extended ? 3 : 1);
        if (fields.size() != 8 || !hexValue(fields, 0, 4, start) || !hexValue(fields, 4, 2, low) ||
            !hexValue(fields, 6, 2, high))
            return control(kNak);
    }
    for (std::uint32_t address = start;; address += 2) {
        const std::uint8_t* word = memory_.locate(Space::Program, address, 2);
        if (word == nullptr) break;
        if (word[0] != low || word[1] != high) continue;
        std::string digits;
        const std::uint32_t found = type2 ? 0x10000 + address : address;
        for (int shift = type2 ? 16 : 12; shift >= 0; shift -= 4) digits += kDigits[(found >> shift) & 0x0F];
        return textFrame(extended ? "0" + digits : digits);
    }
    return control(kNak);
}

// The rate can only be changed from 9600 baud, where every PLC starts.
std::vector<Chunk> PlcSimulator::answerRate(char digit) {
    static constexpr std::uint32_t rates[] = {19200, 38400, 57600, 115200};
    if (fault == Fault::SilentRate) return {};
    if (digit < '1' || digit > '4' || baudRate_ != 9600) return control(kNak);
    // The answer still goes out at the old rate; the next request must come at the new one.
    std::vector<Chunk> answer = control(kAck);
    baudRate_ = rates[digit - '1'];
    return answer;
}

std::vector<Chunk> PlcSimulator::read(Space space, std::uint32_t bank, const std::string& fields) {
    std::uint32_t address = 0;
    std::uint32_t count = 0;
    if (fields.size() != 6 || !hexValue(fields, 0, 4, address) || !hexValue(fields, 4, 2, count))
        return control(kNak);
    if (bank == 0)
        if (auto answer = answerMonitorRead(space, address, count)) return std::move(*answer);
    const std::uint8_t* data = memory_.locate(space, bank << 16 | address, count);
    if (data == nullptr || !fitsOneFrame(space, bank << 16 | address, count)) return control(kNak);
    const bool shortened = faultFrame != 0 && frames.size() == faultFrame && frameFault == Fault::ShortData;
    return dataFrame(data, shortened && count > 0 ? count - 1 : count);
}

std::vector<Chunk> PlcSimulator::write(Space space, std::uint32_t bank, const std::string& fields) {
    std::uint32_t address = 0;
    std::uint32_t count = 0;
    if (fields.size() < 6 || !hexValue(fields, 0, 4, address) || !hexValue(fields, 4, 2, count) ||
        fields.size() != 6 + 2 * count)
        return control(kNak);
    std::vector<std::uint8_t> data(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t value = 0;
        if (!hexValue(fields, 6 + 2 * i, 2, value)) return control(kNak);
        data[i] = static_cast<std::uint8_t>(value);
    }
    if (bank == 0)
        if (auto answer = answerMonitorWrite(space, address, data)) return std::move(*answer);
    std::uint8_t* target = memory_.locate(space, bank << 16 | address, count);
    if (target == nullptr || !fitsOneFrame(space, bank << 16 | address, count)) return control(kNak);
    std::copy(data.begin(), data.end(), target);
    writes.push_back({body_.substr(0, body_.size() - fields.size()), bank << 16 | address, std::move(data)});
    if (onWrite) onWrite(writes.back());
    return control(kAck);
}

// The program area takes at most 64 bytes a frame, 254 on type 2.
bool PlcSimulator::fitsOneFrame(Space space, std::uint32_t address, std::uint32_t count) const {
    const bool programArea = space == Space::Program || (space == Space::Plain && address >= kParameterBlock);
    return !programArea || count <= (plcType() == 2 ? 254u : 64u);
}

std::vector<Chunk> PlcSimulator::control(std::uint8_t code) const {
    return {Chunk{replyDelayMs, {fault == Fault::Nak ? kNak : code}}};
}

std::vector<Chunk> PlcSimulator::dataFrame(const std::uint8_t* data, std::size_t size) const {
    std::string body;
    for (std::size_t i = 0; i < size; ++i) {
        body += kDigits[data[i] >> 4];
        body += kDigits[data[i] & 0x0F];
    }
    return textFrame(body);
}

std::vector<Chunk> PlcSimulator::textFrame(const std::string& body) const {
    std::uint8_t check = checkCodeOf(body);
    if (fault == Fault::WrongCheckCode) ++check;

    Chunk head{replyDelayMs, {kStx}};
    head.bytes.insert(head.bytes.end(), body.begin(), body.end());
    head.bytes.push_back(kEtx);
    Chunk tail{
        0,
        {static_cast<std::uint8_t>(kDigits[check >> 4]), static_cast<std::uint8_t>(kDigits[check & 0x0F])}};
    if (fault == Fault::ShortReply) tail.bytes.pop_back();
    if (fault == Fault::SplitReply) {
        tail.delayMs = splitGapMs;
        return {head, tail};
    }
    head.bytes.insert(head.bytes.end(), tail.bytes.begin(), tail.bytes.end());
    return {head};
}

}  // namespace kestrion::plcsim

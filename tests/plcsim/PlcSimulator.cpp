#include "plcsim/PlcSimulator.h"

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

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

PlcSimulator::PlcSimulator(int plcType) { setPlcType(plcType); }

void PlcSimulator::setPlcType(int plcType) {
    plcType_ = plcType;
    memory_.assign(kMemorySize, 0);
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
    setWord(kSpecialRegisterBase + 0, 200);
    setWord(kSpecialRegisterBase + 2 * 1, d8001);
    setWord(kSpecialRegisterBase + 2 * 2, d8002);
    setWord(kSpecialRegisterBase + 2 * 101, d8101);
    // The parameter block: capacity in thousands of steps, no keyword (eight blanks), then a
    // program of END alone in an area of 0xFFFF words.
    setWord(kParameterBlock, d8002);
    for (std::uint32_t i = 0; i < 8; ++i) setByte(kKeyword + i, ' ');
    for (std::uint32_t a = kProgramStart; a + 1 < kProgramStart + 2 * 64000u; a += 2) setWord(a, 0xFFFF);
    setWord(kProgramStart, 0x000F);
}

std::uint32_t PlcSimulator::dataRegisterBase() const {
    return plcType_ == 2 || plcType_ == 5 || plcType_ == 7 ? 0x4000 : 0x1000;
}

std::uint8_t PlcSimulator::byteAt(std::uint32_t address) const {
    return address < memory_.size() ? memory_[address] : 0;
}

void PlcSimulator::setByte(std::uint32_t address, std::uint8_t value) {
    if (address < memory_.size()) memory_[address] = value;
}

std::uint16_t PlcSimulator::wordAt(std::uint32_t address) const {
    return static_cast<std::uint16_t>(byteAt(address) | (byteAt(address + 1) << 8));
}

void PlcSimulator::setWord(std::uint32_t address, std::uint16_t value) {
    setByte(address, static_cast<std::uint8_t>(value & 0xFF));
    setByte(address + 1, static_cast<std::uint8_t>(value >> 8));
}

std::vector<Chunk> PlcSimulator::receive(const std::uint8_t* data, std::size_t size, std::uint32_t lineBaudRate) {
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
    if (startsWith(command, "E00")) return read(command.substr(3));
    if (startsWith(command, "E10")) return write(command.substr(3));
    if (startsWith(command, "0")) return read(command.substr(1));
    if (startsWith(command, "1")) return write(command.substr(1));
    if (command.size() == 2 && command[0] == 'A' && command[1] >= '1' && command[1] <= '4') {
        static constexpr std::uint32_t rates[] = {19200, 38400, 57600, 115200};
        // The answer still goes out at the old rate; the next request must come at the new one.
        std::vector<Chunk> answer = control(kAck);
        baudRate_ = rates[command[1] - '1'];
        return answer;
    }
    return control(kNak);
}

std::vector<Chunk> PlcSimulator::read(const std::string& fields) {
    std::uint32_t address = 0;
    std::uint32_t count = 0;
    if (fields.size() != 6 || !hexValue(fields, 0, 4, address) || !hexValue(fields, 4, 2, count) ||
        address + count > memory_.size())
        return control(kNak);
    std::vector<std::uint8_t> data(memory_.begin() + address, memory_.begin() + address + count);
    return dataFrame(data);
}

std::vector<Chunk> PlcSimulator::write(const std::string& fields) {
    std::uint32_t address = 0;
    std::uint32_t count = 0;
    if (fields.size() < 6 || !hexValue(fields, 0, 4, address) || !hexValue(fields, 4, 2, count) ||
        fields.size() != 6 + 2 * count || address + count > memory_.size())
        return control(kNak);
    std::vector<std::uint8_t> data(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t value = 0;
        if (!hexValue(fields, 6 + 2 * i, 2, value)) return control(kNak);
        data[i] = static_cast<std::uint8_t>(value);
    }
    for (std::uint32_t i = 0; i < count; ++i) memory_[address + i] = data[i];
    return control(kAck);
}

std::vector<Chunk> PlcSimulator::control(std::uint8_t code) const {
    return {Chunk{replyDelayMs, {fault == Fault::Nak ? kNak : code}}};
}

std::vector<Chunk> PlcSimulator::dataFrame(const std::vector<std::uint8_t>& data) const {
    std::string body;
    for (std::uint8_t byte : data) {
        body += kDigits[byte >> 4];
        body += kDigits[byte & 0x0F];
    }
    std::uint8_t check = checkCodeOf(body);
    if (fault == Fault::WrongCheckCode) ++check;

    Chunk head{replyDelayMs, {kStx}};
    head.bytes.insert(head.bytes.end(), body.begin(), body.end());
    head.bytes.push_back(kEtx);
    Chunk tail{0, {static_cast<std::uint8_t>(kDigits[check >> 4]), static_cast<std::uint8_t>(kDigits[check & 0x0F])}};
    if (fault == Fault::ShortReply) tail.bytes.pop_back();
    if (fault == Fault::SplitReply) {
        tail.delayMs = splitGapMs;
        return {head, tail};
    }
    head.bytes.insert(head.bytes.end(), tail.bytes.begin(), tail.bytes.end());
    return {head};
}

}  // namespace kestrion::plcsim

#include "ProgramGrammar.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "model/instructions/AppInstructionTable.h"
#include "reader/MachineWords.h"
#include "reader/OperandWords.h"

namespace kestrion::grammar {

// ---- Choices ---------------------------------------------------------------------------------------

std::uint32_t ByteChoices::below(std::uint32_t n) {
    if (n <= 1) return 0;
    std::uint32_t value = 0;
    for (std::uint32_t range = 1; range < n && at_ < size_; range <<= 8) value = (value << 8) | data_[at_++];
    return value % n;
}

// ---- Assembling a line -------------------------------------------------------------------------------

namespace {

std::vector<std::string> fieldsOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> fields;
    for (std::string field; in >> field;) fields.push_back(field);
    return fields;
}

// The operand words of an operand text, by the operand table; nothing when it has none.
std::optional<Words> operandWords(const std::string& text, bool wide) {
    Words words;
    OperandSink sink{[&words](std::uint32_t step, std::uint16_t word) {
                         words.push_back(word);
                         return step + 1;
                     },
                     wide};
    try {
        if (!text.empty() && text[0] == 'P')
            encodePointerText(sink, 0, text);
        else
            encodeOperand(sink, 0, text);
    } catch (...) {
        return std::nullopt;
    }
    return words;
}

int indexOf(const std::string& name, std::initializer_list<const char*> names) {
    int i = 0;
    for (const char* n : names) {
        if (name == n) return i;
        ++i;
    }
    return -1;
}

std::optional<std::int32_t> number(const std::string& text, std::size_t from) {
    if (text.size() <= from) return std::nullopt;
    std::int32_t value = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// The setting of a timer or counter coil: a constant as operand words, or a register as the setting
// words 0x8600 + the low and the high byte of twice its number.
std::optional<Words> settingWords(const std::string& text, bool wide) {
    if (text.empty()) return std::nullopt;
    if (text[0] == 'K') return operandWords(text, wide);
    const std::optional<std::int32_t> n = number(text, 1);
    if (text[0] != 'D' || !n) return std::nullopt;
    const auto twice = static_cast<std::uint32_t>(2 * *n);
    Words words{static_cast<std::uint16_t>(0x8600 + (twice & 0xFF)),
                static_cast<std::uint16_t>(0x8600 + (twice >> 8))};
    if (wide) words.insert(words.end(), {0x8000, 0x8000});
    return words;
}

Words coilWords(int kind, const std::string& device, const std::vector<std::string>& fields) {
    const std::optional<std::int32_t> code = deviceCodeOfText(device);
    if (!code) return {};
    const char letter = device[0];
    if (letter == 'T' || letter == 'C') {
        if (kind == 2) return {0x000C, static_cast<std::uint16_t>(0x8000 + *code)};
        if (kind != 0 || fields.size() < 3) return {};
        const bool wide = letter == 'C' && *code >= 0xEC8;
        const std::optional<Words> setting = settingWords(fields[2], wide);
        if (!setting) return {};
        Words words{static_cast<std::uint16_t>(*code)};
        words.insert(words.end(), setting->begin(), setting->end());
        return words;
    }
    if (letter == 'S' || *code >= 0x0E00) {
        const int base = letter == 'S' ? 5 : 2;
        return {static_cast<std::uint16_t>(base + kind), static_cast<std::uint16_t>(0x8000 + *code)};
    }
    return {static_cast<std::uint16_t>(0xC000 + 0x1000 * kind + *code)};
}

// An application instruction by its written name, with its operands.
Words applicationWords(const std::vector<std::string>& fields) {
    for (const AppInstruction& row : appInstructions())
        for (const bool wide : {false, true})
            for (const bool pulse : {false, true}) {
                if (!carriesForm(row, wide, pulse) || writtenMnemonic(row, wide, pulse) != fields[0])
                    continue;
                if (static_cast<std::size_t>(row.operands) + 1 != fields.size()) return {};
                Words words{appCode(row.fnc, wide, pulse)};
                for (std::size_t i = 1; i < fields.size(); ++i) {
                    const std::optional<Words> operand = operandWords(fields[i], wide);
                    if (!operand) return {};
                    words.insert(words.end(), operand->begin(), operand->end());
                }
                return words;
            }
    return {};
}

}  // namespace

Words assemble(const std::string& line) {
    const std::vector<std::string> f = fieldsOf(line);
    if (f.empty()) return {};
    const std::string& m = f[0];
    const std::string operand = f.size() > 1 ? f[1] : "";
    const std::optional<std::int32_t> device = deviceCodeOfText(operand);
    if (const int plain = indexOf(m, {"LD", "LDI", "AND", "ANI", "OR", "ORI"}); plain >= 0 && f.size() == 2) {
        if (!device) return {};
        if (*device < 0x1000) return {static_cast<std::uint16_t>(0x2000 + 0x1000 * plain + *device)};
        return {static_cast<std::uint16_t>(0x1C2 + plain), static_cast<std::uint16_t>(0x8000 + *device)};
    }
    if (const int edge = indexOf(m, {"LDP", "LDF", "ANDP", "ANDF", "ORP", "ORF"});
        edge >= 0 && f.size() == 2) {
        if (!device) return {};
        return {static_cast<std::uint16_t>(0x1CA + edge), static_cast<std::uint16_t>(0x8000 + *device)};
    }
    if (const int fixed = indexOf(m, {"ANB", "ORB", "MPS", "MRD", "MPP", "INV"}); fixed >= 0 && f.size() == 1)
        return {static_cast<std::uint16_t>(0xFFF8 + fixed)};
    if (m == "END" && f.size() == 1) return {0x000F};
    if (m == "RET" && f.size() == 1) return {0xF7FF};
    if (m == "STL" && f.size() == 2) {
        if (!device || operand[0] != 'S' || *device >= 0x7FF) return {};
        return {static_cast<std::uint16_t>(0xF000 + *device)};
    }
    if (const int coil = indexOf(m, {"OUT", "SET", "RST"}); coil >= 0 && f.size() >= 2) {
        if (coil == 2 && operand[0] == 'D' && f.size() == 2) {
            const std::optional<Words> words = operandWords(operand, false);
            if (!words) return {};
            Words all{0x000D};
            all.insert(all.end(), words->begin(), words->end());
            return all;
        }
        return coilWords(coil, operand, f);
    }
    if ((m == "PLS" || m == "PLF") && f.size() == 2) {
        if (!device) return {};
        return {static_cast<std::uint16_t>(m == "PLS" ? 8 : 9), static_cast<std::uint16_t>(0x8000 + *device)};
    }
    if ((m == "MC" && f.size() == 3) || (m == "MCR" && f.size() == 2)) {
        const std::optional<std::int32_t> level = number(operand, 1);
        if (operand[0] != 'N' || !level || *level > 7) return {};
        if (m == "MCR") return {0x000B, static_cast<std::uint16_t>(0x8000 + *level)};
        const std::optional<std::int32_t> relay = deviceCodeOfText(f[2]);
        if (!relay) return {};
        return {0x000A, static_cast<std::uint16_t>(0x8000 + *level),
                static_cast<std::uint16_t>(0x8000 + *relay)};
    }
    // a label: P or I and its number (IRET is no label)
    if (const std::optional<std::int32_t> n = number(m, 1);
        (m[0] == 'P' || m[0] == 'I') && f.size() == 1 && n) {
        if (m[0] == 'I') return {static_cast<std::uint16_t>(0xB800 + *n)};
        if (*n < 256) return {static_cast<std::uint16_t>(0xB000 + *n)};
        return {static_cast<std::uint16_t>(0xB100 + (*n & 0xFF)),
                static_cast<std::uint16_t>(0xB200 + (*n >> 8))};
    }
    return applicationWords(f);
}

// ---- The grammar -------------------------------------------------------------------------------------

Words Program::words() const {
    Words all;
    for (const Line& line : lines) all.insert(all.end(), line.words.begin(), line.words.end());
    return all;
}

std::string Program::listing() const {
    std::string text;
    for (const Line& line : lines) text += line.text + "\n";
    return text;
}

namespace {

std::string xyText(char letter, std::uint32_t index) {
    return letter + xyNumberText(static_cast<std::int32_t>(index), false);
}

// A contact of a network: the device it reads, and how (plain, inverted, edge, compare).
struct Contact {
    enum class Form { Plain, Inverted, Rising, Falling, Compare } form = Form::Plain;
    std::string device;   // the device, or the compare relation's operands
    std::string compare;  // "=", ">", ... for compare contacts
    bool wide = false;
    bool pulse = false;
};

// A series or parallel network of contacts.
struct Network {
    enum class Kind { Contact, Series, Parallel, Invert } kind = Kind::Contact;
    Contact contact;
    std::vector<Network> parts;
};

class Generator {
public:
    explicit Generator(Choices& choices) : c_(choices) {}

    Program run() {
        const std::uint32_t segments = 1 + c_.below(4);
        for (std::uint32_t s = 0; s < segments && program_.lines.size() < 160; ++s) segment();
        if (c_.percent(5)) subroutine();
        if (endLabel_) line("P63");
        line("END");
        return program_;
    }

private:
    void line(const std::string& text) { program_.lines.push_back({text, assemble(text)}); }

    // ---- devices ----
    std::string freshInput() {
        const std::uint32_t kind = c_.below(20);
        if (kind < 12 && inputs_ < 128) return xyText('X', inputs_++);
        if (kind < 13) return "T" + std::to_string(c_.below(200));
        if (kind < 14) return "C" + std::to_string(c_.below(200));
        if (kind < 15) return "M" + std::to_string(8000 + c_.below(14));
        if (kind < 17 && !used_.empty()) return used_[c_.below(static_cast<std::uint32_t>(used_.size()))];
        return "M" + std::to_string(relays_++);
    }
    std::string freshCoil() {
        if (c_.percent(60) && coils_ < 128) return xyText('Y', coils_++);
        return "M" + std::to_string(800 + coilRelays_++);
    }
    std::string freshStep() { return "S" + std::to_string(20 + steps_++); }

    Contact contact() {
        Contact k;
        const std::uint32_t form = c_.below(100);
        if (form < 8) {
            static const char* const relations[] = {"=", ">", "<", "<>", "<=", ">="};
            k.form = Contact::Form::Compare;
            k.compare = relations[c_.below(6)];
            k.wide = c_.percent(20);
            k.pulse = c_.percent(10);
            k.device = "D" + std::to_string(c_.below(50)) + " K" + std::to_string(c_.below(100));
            return k;
        }
        k.form = form < 70   ? Contact::Form::Plain
                 : form < 85 ? Contact::Form::Inverted
                 : form < 93 ? Contact::Form::Rising
                             : Contact::Form::Falling;
        k.device = freshInput();
        used_.push_back(k.device);
        return k;
    }

    // family: 0 LD, 1 AND, 2 OR
    std::string contactLine(const Contact& k, int family) {
        static const char* const plain[] = {"LD", "AND", "OR"};
        static const char* const inverted[] = {"LDI", "ANI", "ORI"};
        static const char* const rising[] = {"LDP", "ANDP", "ORP"};
        static const char* const falling[] = {"LDF", "ANDF", "ORF"};
        switch (k.form) {
            case Contact::Form::Plain: return std::string(plain[family]) + " " + k.device;
            case Contact::Form::Inverted: return std::string(inverted[family]) + " " + k.device;
            case Contact::Form::Rising: return std::string(rising[family]) + " " + k.device;
            case Contact::Form::Falling: return std::string(falling[family]) + " " + k.device;
            case Contact::Form::Compare: break;
        }
        return std::string(plain[family]) + (k.wide ? "D" : "") + (k.compare == "<>" ? "!=" : k.compare) +
               (k.pulse ? "P" : "") + " " + k.device;
    }

    // ---- networks ----
    Network network(int depth, int& budget) {
        Network n;
        const std::uint32_t kind = depth >= 4 || budget <= 1 ? 0 : c_.below(10);
        if (kind < 4) {
            n.contact = contact();
            --budget;
            return n;
        }
        n.kind = kind < 7 ? Network::Kind::Series : Network::Kind::Parallel;
        const std::uint32_t parts = 2 + c_.below(2);
        for (std::uint32_t i = 0; i < parts && budget > 0; ++i) {
            Network part = network(depth + 1, budget);
            // A series in a series, or a parallel group in a parallel group, is most often written as
            // one; now and then as a block of its own (LD X6, AND X7, OR X10, then ORB).
            const bool inverts = std::any_of(part.parts.begin(), part.parts.end(), [](const Network& inner) {
                return inner.kind == Network::Kind::Invert;
            });
            if (part.kind == n.kind && (inverts || c_.percent(70))) {
                for (Network& inner : part.parts) n.parts.push_back(std::move(inner));
            } else {
                n.parts.push_back(std::move(part));
            }
            if (n.kind == Network::Kind::Series && i > 0 && c_.percent(4))
                n.parts.push_back({Network::Kind::Invert, {}, {}});
        }
        if (n.parts.size() < 2) return n.parts.empty() ? network(3, budget) : n.parts.front();
        return n;
    }

    // The network as instruction lines, opened with an LD form; now and then a part that one contact
    // could join is written as a block of its own, or the joins of a group come together at its end.
    void block(const Network& n) {
        if (n.kind == Network::Kind::Contact) {
            line(contactLine(n.contact, 0));
            return;
        }
        const bool series = n.kind == Network::Kind::Series;
        const bool joinsAtEnd = c_.percent(10);
        int pending = 0;
        block(n.parts.front());
        for (std::size_t i = 1; i < n.parts.size(); ++i) {
            const Network& part = n.parts[i];
            if (part.kind == Network::Kind::Invert) {
                if (pending > 0) {
                    for (; pending > 0; --pending) line(series ? "ANB" : "ORB");
                }
                line("INV");
                continue;
            }
            if (part.kind == Network::Kind::Contact && !joinsAtEnd && !c_.percent(8)) {
                line(contactLine(part.contact, series ? 1 : 2));
                continue;
            }
            block(part);
            if (joinsAtEnd)
                ++pending;
            else
                line(series ? "ANB" : "ORB");
        }
        for (; pending > 0; --pending) line(series ? "ANB" : "ORB");
    }

    // ---- outputs ----
    void coil() {
        const std::uint32_t kind = c_.below(100);
        if (kind < 50) return line("OUT " + freshCoil());
        if (kind < 58) return line("SET " + freshCoil());
        if (kind < 64) return line("RST " + freshCoil());
        if (kind < 72) {
            const std::string setting = c_.percent(70) ? "K" + std::to_string(1 + c_.below(500))
                                                       : "D" + std::to_string(c_.below(100));
            return line("OUT T" + std::to_string(timers_++) + " " + setting);
        }
        if (kind < 77) {
            const bool wide = c_.percent(30);
            const std::string setting = c_.percent(70)
                                            ? "K" + std::to_string(1 + c_.below(wide ? 100000 : 500))
                                            : "D" + std::to_string(c_.below(100));
            return line("OUT C" + std::to_string(wide ? 200 + counters_++ % 50 : counters_++) + " " +
                        setting);
        }
        if (kind < 80) {
            static const char* const devices[] = {"T", "C", "D"};
            return line(std::string("RST ") + devices[c_.below(3)] + std::to_string(c_.below(100)));
        }
        if (kind < 83)
            return line(std::string(c_.percent(50) ? "PLS" : "PLF") + " M" +
                        std::to_string(1000 + pulses_++));
        if (kind < 86 && steps_ > 0)
            return line(std::string(c_.percent(50) ? "SET" : "RST") + " " + freshStep());
        if (kind < 89) {
            // A jump to a label in front of a rung, or to the one in front of END.
            if (!labelNames_.empty() && c_.percent(60))
                return line("CJ " + labelNames_[c_.below(static_cast<std::uint32_t>(labelNames_.size()))]);
            endLabel_ = true;
            return line("CJ P63");
        }
        static const char* const moves[] = {"MOV", "MOVP", "DMOV", "INC", "ADD", "DADDP"};
        const std::string move = moves[c_.below(6)];
        const std::string d = "D" + std::to_string(100 + 2 * c_.below(50));
        if (move == "INC") return line("INC " + d);
        if (move == "ADD" || move == "DADDP")
            return line(move + " " + d + " K" + std::to_string(c_.below(9)) + " " + d);
        return line(move + " K" + std::to_string(c_.below(1000)) + " " + d);
    }

    // Contacts in series after a branch point or an output: one or two, or a parallel group.
    void branchContacts() {
        const std::uint32_t kind = c_.below(10);
        if (kind < 5) {
            line(contactLine(contact(), 1));
            if (kind < 2) line(contactLine(contact(), 1));
            return;
        }
        int budget = 2 + static_cast<int>(c_.below(4));
        Network n = network(1, budget);
        if (n.kind == Network::Kind::Contact) return line(contactLine(n.contact, 1));
        // A series with INV goes on in series: as a block joined by ANB, INV would invert only the
        // block, which the ladder cannot show.
        const bool inverts = std::any_of(n.parts.begin(), n.parts.end(), [](const Network& part) {
            return part.kind == Network::Kind::Invert;
        });
        if (n.kind == Network::Kind::Series && (inverts || c_.percent(50))) {
            for (const Network& part : n.parts) {
                if (part.kind == Network::Kind::Invert) {
                    line("INV");
                } else if (part.kind == Network::Kind::Contact) {
                    line(contactLine(part.contact, 1));
                } else {
                    block(part);
                    line("ANB");
                }
            }
            return;
        }
        block(n);
        line("ANB");
    }

    void outputs(int depth) {
        const std::uint32_t items = 1 + c_.below(3);
        for (std::uint32_t i = 0; i < items; ++i) {
            const bool last = i + 1 == items;
            if (last && depth < 3 && c_.percent(depth == 0 ? 30 : 15)) return branches(depth);
            if (i > 0 && c_.percent(40)) branchContacts();
            coil();
        }
    }

    void branches(int depth) {
        const std::uint32_t count = 2 + c_.below(3);
        for (std::uint32_t b = 0; b < count; ++b) {
            line(b == 0 ? "MPS" : b + 1 == count ? "MPP" : "MRD");
            if (c_.percent(80)) branchContacts();
            outputs(depth + 1);
        }
    }

    void rung() {
        // now and then more contacts than one line holds: conditions of 15 to 24 contacts
        const std::uint32_t size = c_.below(100);
        int budget = 1 + static_cast<int>(c_.below(size < 4 ? 24 : size < 20 ? 14 : 7));
        block(network(0, budget));
        outputs(0);
    }

    // ---- segments ----
    void segment() {
        const std::uint32_t kind = c_.below(100);
        if (kind < 60) return rung();
        if (kind < 70) {
            labelNames_.push_back("P" + std::to_string(100 + labels_++));
            line(labelNames_.back());
            return rung();
        }
        if (kind < 80) return masterControl();
        return steps();
    }

    void masterControl() {
        const std::string level = "N" + std::to_string(masterLevel_);
        int budget = 1 + static_cast<int>(c_.below(3));
        block(network(1, budget));
        line("MC " + level + " M" + std::to_string(1200 + masterLevel_));
        ++masterLevel_;
        const std::uint32_t rungs = 1 + c_.below(2);
        for (std::uint32_t r = 0; r < rungs; ++r) {
            if (masterLevel_ < 3 && c_.percent(15))
                masterControl();
            else
                rung();
        }
        --masterLevel_;
        line("MCR " + level);
    }

    void steps() {
        const std::uint32_t count = 1 + c_.below(3);
        for (std::uint32_t s = 0; s < count; ++s) {
            line("STL " + freshStep());
            if (c_.percent(20)) line("STL " + freshStep());
            const std::uint32_t direct = c_.below(3);
            for (std::uint32_t d = 0; d < direct; ++d) coil();
            const std::uint32_t rungs = direct == 0 ? 1 + c_.below(2) : c_.below(3);
            for (std::uint32_t r = 0; r < rungs; ++r) rung();
        }
        line("RET");
    }

    void subroutine() {
        line("FEND");
        line("P" + std::to_string(200 + labels_++));
        rung();
        line("SRET");
    }

    Choices& c_;
    Program program_;
    std::vector<std::string> used_;
    std::vector<std::string> labelNames_;
    bool endLabel_ = false;
    std::uint32_t inputs_ = 0, relays_ = 0, coils_ = 0, coilRelays_ = 0, steps_ = 0, timers_ = 0,
                  counters_ = 0, pulses_ = 0, labels_ = 0;
    int masterLevel_ = 0;
};

}  // namespace

Program generateProgram(Choices& choices) {
    return Generator(choices).run();
}

std::uint32_t fromEnvironment(const char* name, std::uint32_t otherwise) {
    const char* value = std::getenv(name);
    return value != nullptr ? static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10)) : otherwise;
}

}  // namespace kestrion::grammar

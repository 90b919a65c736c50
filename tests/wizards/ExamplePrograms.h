// The example programs of examples/examples.txt (the sources of the shipped data/Template/
// files), read and assembled into the words the PLC holds.
#pragma once

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/instructions/AppInstructionTable.h"
#include "reader/MachineWords.h"
#include "reader/OperandWords.h"
#include "support/SourceTree.h"

namespace kestrion::test::sources {

namespace fs = std::filesystem;
using Words = std::vector<std::uint16_t>;

inline const fs::path kSourceRoot = test::sourceTree();

struct Example {
    std::string path, title;
    std::vector<std::string> lines;
    std::vector<std::string> notes;  // what follows '#' on each line ("MOV H1401 D8110"), or ""
    std::vector<std::pair<std::string, std::string>> comments;  // device, text
};

inline std::vector<Example> examples() {
    std::vector<Example> all;
    std::ifstream in(kSourceRoot / "tests/wizards/examples/examples.txt");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("== ", 0) == 0) {
            all.push_back({line.substr(3), "", {}, {}, {}});
        } else if (line.rfind("title ", 0) == 0) {
            all.back().title = line.substr(6);
        } else if (const std::size_t eq = line.find(" = "); eq != std::string::npos) {
            all.back().comments.emplace_back(line.substr(0, eq), line.substr(eq + 3));
        } else {
            const std::size_t hash = line.find('#');
            all.back().lines.push_back(line.substr(0, hash));
            const std::size_t note =
                line.find_first_not_of(' ', hash == std::string::npos ? line.size() : hash + 1);
            all.back().notes.push_back(note == std::string::npos ? "" : line.substr(note));
        }
    }
    return all;
}

inline std::uint16_t code(const std::string& device) {
    const auto found = deviceCodeOfText(device);
    if (!found) throw std::invalid_argument("no device " + device);
    return static_cast<std::uint16_t>(*found);
}

inline std::uint16_t marked(std::uint32_t value) {
    return static_cast<std::uint16_t>(0x8000 | value);
}

// One instruction line into its words, as the PLC holds them.
inline Words assemble(const std::string& line) {
    std::istringstream fields(line);
    std::vector<std::string> t;
    for (std::string field; fields >> field;) t.push_back(field);
    if (t.empty()) return {};
    Words words;
    if (t[0].size() == 4 && std::all_of(t[0].begin(), t[0].end(), ::isxdigit)) {
        for (const std::string& word : t)
            words.push_back(static_cast<std::uint16_t>(std::stoul(word, nullptr, 16)));
        return words;
    }
    const std::string& m = t[0];
    const std::map<std::string, std::uint16_t> contacts = {{"LD", 0x2000},  {"LDI", 0x3000}, {"AND", 0x4000},
                                                           {"ANI", 0x5000}, {"OR", 0x6000},  {"ORI", 0x7000},
                                                           {"STL", 0xF000}};
    const std::map<std::string, std::uint16_t> edges = {{"LDP", 0x01C2},  {"LDF", 0x01C3}, {"ANDP", 0x01C4},
                                                        {"ANDF", 0x01C5}, {"ORP", 0x01C6}, {"ORF", 0x01C7},
                                                        {"PLS", 0x0008},  {"PLF", 0x0009}};
    const std::map<std::string, std::uint16_t> alone = {{"ANB", 0xFFF8}, {"ORB", 0xFFF9}, {"MPS", 0xFFFA},
                                                        {"MRD", 0xFFFB}, {"MPP", 0xFFFC}, {"INV", 0xFFFD},
                                                        {"END", 0x000F}, {"RET", 0xF7FF}};
    OperandSink sink;
    sink.emitWord = [&words](std::uint32_t step, std::uint16_t word) {
        words.push_back(word);
        return step + 1;
    };
    if (contacts.count(m)) return {static_cast<std::uint16_t>(contacts.at(m) | code(t[1]))};
    if (edges.count(m)) return {edges.at(m), marked(code(t[1]))};
    if (alone.count(m)) return {alone.at(m)};
    if (m == "OUT" && (t[1][0] == 'T' || t[1][0] == 'C')) {
        words.push_back(code(t[1]));
        sink.wide = t[1][0] == 'C' && std::stoi(t[1].substr(1)) >= 200;
        encodeOperand(sink, 0, t[2]);
        return words;
    }
    if (m == "OUT") return {static_cast<std::uint16_t>(0xC000 | code(t[1]))};
    if (m == "SET")
        return t[1][0] == 'S' ? Words{0x0006, marked(code(t[1]))}
                              : Words{static_cast<std::uint16_t>(0xD000 | code(t[1]))};
    if (m == "RST" && (t[1][0] == 'T' || t[1][0] == 'C')) return {0x000C, marked(code(t[1]))};
    if (m == "RST") return {static_cast<std::uint16_t>(0xE000 | code(t[1]))};
    if (m == "MC") return {0x000A, marked(std::stoul(t[1].substr(1))), marked(code(t[2]))};
    if (m == "MCR") return {0x000B, marked(std::stoul(t[1].substr(1)))};
    if (m[0] == 'P' && m.size() > 1 && std::isdigit(static_cast<unsigned char>(m[1])))
        return {static_cast<std::uint16_t>(0xB000 + std::stoul(m.substr(1)))};
    if (m[0] == 'I' && m.size() > 1 && std::isdigit(static_cast<unsigned char>(m[1])))
        return {static_cast<std::uint16_t>(0xB800 + std::stoul(m.substr(1)))};
    for (const AppInstruction& row : appInstructions()) {
        for (const bool wide : {false, true})
            for (const bool pulse : {false, true}) {
                const std::string name = std::string(wide && row.dLetter ? "D" : "") +
                                         std::string(row.mnemonic) + (pulse && row.pLetter ? "P" : "");
                if (name != m || !carriesForm(row, wide, pulse)) continue;
                words.push_back(appCode(row.fnc, wide, pulse));
                sink.wide = wide;
                for (std::size_t i = 1; i < t.size(); ++i) {
                    if (t[i][0] == 'P') {  // a pointer: its number twice, as a pair
                        const auto twice = 2 * std::stoul(t[i].substr(1));
                        words.insert(words.end(), {marked(0x0800 | (twice & 0xFF)), marked(twice >> 8)});
                    } else {
                        encodeOperand(sink, 0, t[i]);
                    }
                }
                return words;
            }
    }
    throw std::invalid_argument("cannot assemble " + line);
}

inline Words programOf(const Example& example) {
    Words words;
    for (const std::string& line : example.lines) {
        const Words more = assemble(line);
        words.insert(words.end(), more.begin(), more.end());
    }
    return words;
}

inline Example exampleAt(const std::string& path) {
    for (Example& example : examples())
        if (example.path == path) return example;
    throw std::invalid_argument("no example " + path);
}

}  // namespace kestrion::test::sources

// What the benchmarks of Open, Convert and the editing commands share: platform services that
// answer and record nothing (one program file held in memory), programs of the shapes users write
// at any number of steps, and the program opened as File > Open leaves it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrion::bench {

using Words = std::vector<std::uint16_t>;

// The shapes of program the benchmarks grow: LD/OUT lines; series contacts with a parallel group
// right of the bus (NULL fillers left of the lower contacts); one contact into four coils (NOP
// fillers to the lower coils); MPS/MRD/MPP branches; long series rungs into 32-bit application
// instructions; and a mix of all of them.
enum class Shape { ShortRungs, ParallelBranches, SeveralOutputs, Stacks, SeriesApplications, Mix };
constexpr int kShapeCount = 6;
const char* shapeName(int shape);

// About steps program words of the shape, then END.
Words programOf(Shape shape, std::size_t steps);

// Quiet services installed (once per process), every state reset, the geometry of start-up.
void startEditor();
// The words as a 64k-step type-5 program file: its bytes, and the file held by the file service
// under programPath().
std::vector<std::uint8_t> programFileBytes(const Words& words);
void putProgramFile(const Words& words);
const std::string& programPath();
// File > Open of that file inside its command: the file read, the word check, the load with its
// finishing passes. False when the program was refused (a message was shown).
bool openProgramFile();
// Message boxes shown since the services were installed, and the text of the last one.
int boxesShown();
const std::string& lastBoxText();

// Peak resident memory of the process so far.
double peakMegabytes();

// Switches callgrind's collection on or off (nothing outside callgrind): a benchmark run under
// `valgrind --tool=callgrind --collect-atstart=no` counts only what lies between two calls.
void toggleCounting();

}  // namespace kestrion::bench

#include "BenchSupport.h"

#include <sys/resource.h>

#include <algorithm>
#include <array>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

#include "bench/QuietServices.h"
#include "model/core/CommandTransaction.h"
#include "model/core/StateRegistry.h"
#include "model/image/ModeData.h"
#include "model/image/PmwFile.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "reader/MachineCodeLoader.h"
#include "reader/WordCheck.h"

namespace kestrion::bench {

namespace {

using quiet::services;

void append(Words& program, const Words& words) {
    program.insert(program.end(), words.begin(), words.end());
}

// DADDP K100000 K100000 D10: 13 steps in one box.
const Words kAddition = {0x1039, 0x80A0, 0x8086, 0x8001, 0x8000, 0x80A0, 0x8086,
                         0x8001, 0x8000, 0x8614, 0x8600, 0x8000, 0x8000};

// One rung of each shape, as words.
Words rungOf(Shape shape) {
    switch (shape) {
        case Shape::ShortRungs: return {0x2400, 0xC500};
        case Shape::ParallelBranches: return {0x2400, 0x4401, 0x4402, 0x4403, 0x2404, 0x6405, 0xFFF8, 0xC500};
        case Shape::SeveralOutputs: return {0x2400, 0x4401, 0xC500, 0xC501, 0xC502, 0xC503};
        case Shape::Stacks:
            return {0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFB, 0x4402, 0xC501, 0xFFFC, 0x4403, 0xC502};
        case Shape::SeriesApplications: {
            Words rung = {0x2400, 0x4401, 0x4402, 0x4403, 0x5404, 0x4405, 0x4406, 0x4407};
            append(rung, kAddition);
            return rung;
        }
        case Shape::Mix: break;
    }
    return {};
}

}  // namespace

const char* shapeName(int shape) {
    static constexpr std::array<const char*, kShapeCount> names = {
        "short rungs", "parallel branches", "several outputs", "stacks", "series applications", "mix"};
    return names.at(static_cast<std::size_t>(shape));
}

Words programOf(Shape shape, std::size_t steps) {
    Words program;
    for (int i = 0;; ++i) {
        const Shape next = shape == Shape::Mix ? static_cast<Shape>(i % (kShapeCount - 1)) : shape;
        const Words rung = rungOf(next);
        if (program.size() + rung.size() + 1 > steps) break;
        append(program, rung);
    }
    program.push_back(0x000F);
    return program;
}

const std::string& programPath() {
    static const std::string path = "/quiet/User/Large.PMW";
    return path;
}

void startEditor() {
    services();
    state::resetAll();
    ModeData.xSizeSymble = 80;
    ModeData.ySizeSymble = 64;
    deviceColumns = 14;
    setupDrawGeometry();
    initPmwImageByType(5);
    static_cast<void>(initPmwImageForTypeAndSize(5, 64));
    startLadderLoad();
}

std::vector<std::uint8_t> programFileBytes(const Words& words) {
    PmwImage image;
    image.pmwPre = pmwPreTemplate(5);
    image.parameterBlock = parameterTemplate(5);
    image.setPlcType(5);
    image.setMemSizeCode(64);
    image.program.fill(kEmptyWord);
    std::copy(words.begin(), words.end(), image.program.begin());
    return pmwFileBytes(image);
}

void putProgramFile(const Words& words) {
    services().files[programPath()] = programFileBytes(words);
}

bool openProgramFile() {
    return runCommand([] {
        if (readPmwFile(programPath(), pmw) != PmwReadResult::Ok) return false;
        if (DeleteNopMachineCode(kProgramAreaOffset, "Open") != 0) return false;
        loadLadderFromImage("Open1C");
        return true;
    });
}

int boxesShown() {
    return static_cast<int>(services().shown.size());
}

const std::string& lastBoxText() {
    static const std::string none;
    return services().shown.empty() ? none : services().shown.back();
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes
}

void toggleCounting() {
    CALLGRIND_TOGGLE_COLLECT;
}

}  // namespace kestrion::bench

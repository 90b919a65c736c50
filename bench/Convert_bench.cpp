// Convert of the largest program: 64,000 steps of mixed blocks (series contacts into 32-bit
// additions, a branch with MPS and MPP, a parallel pair), loaded into the ladder once and then
// converted again and again; and the half-size program beside it to show how the time grows.
// Peak memory of the process is reported with each.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdint>
#include <vector>

#include "compiler/ConvertCommand.h"
#include "lang/LangDialogs.h"
#include "model/core/CommandTransaction.h"
#include "model/core/StateRegistry.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "platform/Services.h"
#include "reader/MachineCodeLoader.h"

namespace {

using namespace kestrion;

// Services that answer and record nothing: the benchmark measures the conversion alone.
class QuietServices final : public platform::Messages,
                            public platform::StatusBar,
                            public platform::TraceMemos,
                            public platform::Progress,
                            public platform::System,
                            public platform::Clock,
                            public platform::Timers,
                            public platform::Files,
                            public platform::SerialPorts,
                            public LangDialogs {
public:
    platform::MsgAnswer show(const std::string&, const std::string&, platform::MsgIcon,
                             platform::MsgButtons) override {
        ++boxes;
        return platform::MsgAnswer::Ok;
    }
    void setPanelText(int, const std::string&) override {}
    std::string panelText(int) const override { return {}; }
    bool visible(platform::Memo) const override { return false; }
    void setVisible(platform::Memo, bool) override {}
    void append(platform::Memo, const std::string&) override {}
    void clear(platform::Memo) override {}
    int lineCount(platform::Memo) const override { return 0; }
    void show(const std::string&, int, int) override {}
    void setPosition(int) override {}
    void hide() override {}
    void beep() override {}
    platform::ScreenSize screenSize() const override { return {1920, 1080}; }
    void setMainCaption(const std::string&) override {}
    std::uint32_t tickCount() const override { return 0; }
    void runMessageLoopOnce() override {}
    void setEnabled(platform::TimerId, bool) override {}
    bool enabled(platform::TimerId) const override { return false; }
    void setInterval(platform::TimerId, std::uint32_t) override {}
    std::uint32_t interval(platform::TimerId) const override { return 0; }
    platform::ReadResult readWhole(const std::string&, std::size_t) const override { return {}; }
    platform::ReadResult readStart(const std::string&, std::size_t) const override { return {}; }
    platform::FileStatus writeWhole(const std::string&, const std::uint8_t*, std::size_t) override {
        return platform::FileStatus::Failed;
    }
    bool exists(const std::string&) const override { return false; }
    bool remove(const std::string&) override { return false; }
    bool makeDirectory(const std::string&) override { return false; }
    std::string installDirectory() const override { return "/nonexistent"; }
    std::string dataDirectory() const override { return "/nonexistent"; }
    std::string deviceName(int) const override { return {}; }
    platform::SerialOpenResult open(int) override { return {}; }
    void appMessage(const AppMessage&) override {}
    void about(const AboutBox&) override {}

    int boxes = 0;
};

QuietServices& services() {
    static QuietServices quiet;
    static const bool installed = [] {
        platform::install({&quiet, &quiet, &quiet, &quiet, &quiet, &quiet, &quiet, &quiet, &quiet});
        DialogSeam<LangDialogs>::install(quiet);
        return true;
    }();
    static_cast<void>(installed);
    return quiet;
}

using Words = std::vector<std::uint16_t>;

// DADD K100000 K100000 D10: 13 steps in one box.
const Words kAddition = {0x0039, 0x80A0, 0x8086, 0x8001, 0x8000, 0x80A0, 0x8086,
                         0x8001, 0x8000, 0x8614, 0x8600, 0x8000, 0x8000};

void append(Words& program, const Words& words) {
    program.insert(program.end(), words.begin(), words.end());
}

// One line: LD X0 and seven series contacts into the addition (21 steps).
void seriesBlock(Words& program) {
    append(program, {0x2400, 0x4401, 0x4402, 0x4403, 0x4404, 0x4405, 0x4406, 0x4407});
    append(program, kAddition);
}

// Two lines: LD X0, MPS, AND X1 into an addition, MPP, AND X2 into another (31 steps).
void branchBlock(Words& program) {
    append(program, {0x2400, 0xFFFA, 0x4401});
    append(program, kAddition);
    append(program, {0xFFFC, 0x4402});
    append(program, kAddition);
}

// Two lines: LD X0 with OR X1 under it into an addition (15 steps).
void parallelBlock(Words& program) {
    append(program, {0x2400, 0x6401});
    append(program, kAddition);
}

// About steps words of the three kinds of block, ending in END.
Words mixedProgram(std::size_t steps) {
    Words program;
    for (std::size_t block = 0; program.size() + 32 < steps; ++block) {
        if (block % 8 == 6)
            branchBlock(program);
        else if (block % 8 == 7)
            parallelBlock(program);
        else
            seriesBlock(program);
    }
    program.push_back(0x000F);
    return program;
}

// About steps words of LD X0 / OUT Y0 lines, ending in END: 2 steps a line.
Words shortRungProgram(std::size_t steps) {
    Words program;
    while (program.size() + 3 < steps) append(program, {0x2400, 0xC500});
    program.push_back(0x000F);
    return program;
}

// A program open in the editor, as File > Open leaves it.
void openProgram(const Words& words) {
    state::resetAll();
    ModeData.xSizeSymble = 80;
    ModeData.ySizeSymble = 64;
    deviceColumns = 14;
    setupDrawGeometry();
    initPmwImageByType(5);
    static_cast<void>(initPmwImageForTypeAndSize(5, 64));
    std::fill(pmw.program.begin(), pmw.program.end(), kEmptyWord);
    std::copy(words.begin(), words.end(), pmw.program.begin());
    runCommand([] {
        startLadderLoad();
        convMachineCodeToLadder("Open1C");
        finishLoadedLadder();
    });
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes
}

void convertRepeatedly(benchmark::State& state, const Words& program) {
    QuietServices& quiet = services();
    quiet.boxes = 0;
    openProgram(program);
    if (quiet.boxes != 0) state.SkipWithError("the program did not open");
    bool converted = true;
    for (auto _ : state) converted = runCommand(LToM) && converted;
    if (!converted || quiet.boxes != 0) state.SkipWithError("the program did not convert");
    state.counters["steps"] = static_cast<double>(ldrTail != nullptr ? ldrTail->stepNo : 0);
    state.counters["peak_MB"] = peakMegabytes();
    state::resetAll();
}

void BM_Convert(benchmark::State& state) {
    convertRepeatedly(state, mixedProgram(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_Convert)->Arg(32000)->Arg(64000)->Unit(benchmark::kMillisecond);

void BM_ConvertShortRungs(benchmark::State& state) {
    convertRepeatedly(state, shortRungProgram(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_ConvertShortRungs)->Arg(64000)->Unit(benchmark::kMillisecond);

}  // namespace

// Reading and writing a program file of the largest size (128416 bytes) through the file service.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "platform/PosixFiles.h"

namespace {

using kestrion::platform::PosixFiles;

std::string scratchFile() {
    return (std::filesystem::temp_directory_path() / ("kestrion-bench-" + std::to_string(getpid()) + ".PMW"))
        .string();
}

void BM_WriteWholeProgramFile(benchmark::State& state) {
    PosixFiles files("/unused", "/unused");
    const std::vector<std::uint8_t> bytes(128416, 0xFF);
    const std::string path = scratchFile();
    for (auto _ : state) benchmark::DoNotOptimize(files.writeWhole(path, bytes));
    files.remove(path);
}
BENCHMARK(BM_WriteWholeProgramFile)->Unit(benchmark::kMillisecond);

void BM_ReadWholeProgramFile(benchmark::State& state) {
    PosixFiles files("/unused", "/unused");
    const std::string path = scratchFile();
    files.writeWhole(path, std::vector<std::uint8_t>(128416, 0xFF));
    for (auto _ : state) {
        auto result = files.readWhole(path, 128416);
        benchmark::DoNotOptimize(result.data.at(128415));
    }
    files.remove(path);
}
BENCHMARK(BM_ReadWholeProgramFile)->Unit(benchmark::kMicrosecond);

}  // namespace

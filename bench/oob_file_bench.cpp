// Load and save of a full 200000-byte OOB file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "oob/oob_file.h"

namespace {

namespace fs = std::filesystem;
using namespace brackle;

fs::path MakeFile()
{
    const fs::path dir = fs::temp_directory_path() / "brackle-bench";
    fs::create_directories(dir);
    std::vector<char> bytes(kBufferSize);
    std::mt19937 rng(7);
    for (auto& b : bytes)
        b = static_cast<char>(rng());
    std::ofstream(dir / "obat001.obf", std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return dir;
}

void BM_LoadOOB(benchmark::State& state)
{
    const fs::path dir = MakeFile();
    Oob oob;
    oob.CurrentOOB = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadOOB(oob, dir, 1).code);
    }
}
BENCHMARK(BM_LoadOOB)->Unit(benchmark::kMicrosecond);

// The whole save: the file and its folder are flushed to disk each time.
void BM_SaveOOB(benchmark::State& state)
{
    const fs::path dir = MakeFile();
    Oob oob;
    oob.CurrentOOB = 1;
    LoadOOB(oob, dir, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveOOB(oob, 1, dir).ok);
    }
}
BENCHMARK(BM_SaveOOB)->Unit(benchmark::kMicrosecond);

// The save path without the disk: clean, clamp and fill the buffer.
void BM_WriteTablesToBuffer(benchmark::State& state)
{
    const fs::path dir = MakeFile();
    Oob oob;
    oob.CurrentOOB = 1;
    LoadOOB(oob, dir, 1);
    for (auto _ : state) {
        WriteTablesToBuffer(oob);
        benchmark::DoNotOptimize(oob.OOBBuffer.data());
    }
}
BENCHMARK(BM_WriteTablesToBuffer)->Unit(benchmark::kMicrosecond);

}  // namespace

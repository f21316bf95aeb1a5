// The diff of two full 200000-byte OOB files, as `brackle-cli diff` makes it
// once both are loaded: a review-sized change and two files that differ everywhere.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "oob/oob_diff.h"
#include "oob/oob_file.h"

namespace {

using namespace brackle;

// Every slot of every table named and filled with numbers.
Oob FullOob(unsigned seed)
{
    Oob oob;
    oob.CurrentOOB = 7;
    oob.LoadedSize = kBufferSize;
    std::mt19937 rng(seed);
    for (auto& b : oob.OOBBuffer)
        b = static_cast<std::uint8_t>(rng());
    ReadTablesFromBuffer(oob);
    oob.OOBInfo = "Bench OOB " + std::to_string(seed);
    for (int u = 1; u <= kUnitSlots; ++u)
        oob.UnitTable[static_cast<std::size_t>(u)].Name = "Unit " + std::to_string(u);
    for (int w = 1; w <= kWeaponSlots; ++w)
        oob.WeaponTable[static_cast<std::size_t>(w)].Name = "Weapon " + std::to_string(w);
    for (int f = 1; f <= kFormationSlots; ++f)
        oob.FormationTable[static_cast<std::size_t>(f)].Name = "Formation " + std::to_string(f);
    WriteTablesToBuffer(oob);
    ReadTablesFromBuffer(oob);
    return oob;
}

// a with a hundred records changed and a few bytes between the columns.
Oob Changed(const Oob& a)
{
    Oob b = a;
    for (int i = 1; i <= 40; ++i) {
        b.UnitTable[static_cast<std::size_t>(i * 24)].Radio ^= 1;
        b.FormationTable[static_cast<std::size_t>(i * 24)].Slot[3] ^= 1;
    }
    for (int i = 1; i <= 20; ++i)
        b.WeaponTable[static_cast<std::size_t>(i * 12)].Name = "Changed";
    b.OOBInfo = "Bench OOB changed";
    WriteTablesToBuffer(b);
    b.OOBBuffer[63080] ^= 1;
    b.OOBBuffer[199999] ^= 1;
    ReadTablesFromBuffer(b);
    return b;
}

void BM_DiffReviewSized(benchmark::State& state)
{
    const Oob a = FullOob(1);
    const Oob b = Changed(a);
    std::size_t lines = 0;
    for (auto _ : state) {
        const OobDiff d = DiffOob(a, b);
        lines = d.Lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_DiffReviewSized)->Unit(benchmark::kMillisecond);

void BM_DiffIdentical(benchmark::State& state)
{
    const Oob a = FullOob(1);
    const Oob b = a;
    for (auto _ : state)
        benchmark::DoNotOptimize(DiffOob(a, b).Same());
}
BENCHMARK(BM_DiffIdentical)->Unit(benchmark::kMillisecond);

// The worst case: nearly every field of every record differs.
void BM_DiffEverythingDiffers(benchmark::State& state)
{
    const Oob a = FullOob(1);
    const Oob b = FullOob(2);
    std::size_t lines = 0;
    for (auto _ : state) {
        const OobDiff d = DiffOob(a, b);
        lines = d.Lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_DiffEverythingDiffers)->Unit(benchmark::kMillisecond);

}  // namespace

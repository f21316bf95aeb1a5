// The unit and weapon searches on a file that gives them the most work, and the
// container search against its plain week-by-week loops.
//
// The file: 999 units of the nation, all from 49/01 to 120/12, classes 1..10;
// 999 named formations holding units 1..10 (every class). Formations 1..927
// run from 49/01 to 49/01 (a single day no week falls on), so every tested week
// of every unit converts and compares their dates and goes on; formations
// 928..999 each cover one year from 49 to 120, the last one ending 120/11, so
// each unit is covered week by week only by the last formations in table order
// and its first uncovered week is near its end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <string>

#include "reports/unit_weapon_checks.h"
#include "reports/unit_weapon_checks_reference.h"

namespace {

using namespace brackle;

constexpr int kHome = 5;
constexpr int kBlockers = 927;

Oob WorstCaseOob(int unitsOfTheNation)
{
    Oob oob;
    oob.CurrentOOB = kHome;
    for (int c = 0; c < kUnitClasses; ++c)
        oob.Names.UnitClassNames[static_cast<std::size_t>(c)] = "Class " + std::to_string(c);
    for (int n = 1; n <= kNations; ++n)
        oob.Names.NationNames[static_cast<std::size_t>(n)] = "Nation " + std::to_string(n);

    for (int w = 1; w <= kWeaponSlots; ++w) {
        WeaponRecord& r = oob.WeaponTable[static_cast<std::size_t>(w)];
        r.Name = "Weapon " + std::to_string(w);
        r.Class = static_cast<std::uint8_t>(w % 27);
        // Every other weapon kills and pierces nothing, so bad ammunition is found everywhere.
        const std::uint8_t v = w % 2 ? 0 : 5;
        r.HEKill = r.APPen = r.SabotPen = r.HEATPen = v;
    }
    for (int u = 1; u <= kUnitSlots; ++u) {
        UnitRecord& r = oob.UnitTable[static_cast<std::size_t>(u)];
        r.Name = "Unit " + std::to_string(u);
        r.Class = static_cast<std::uint8_t>(1 + (u - 1) % 10);
        r.Nation = static_cast<std::uint8_t>(u <= unitsOfTheNation ? kHome : kHome + 1);
        r.Radio = static_cast<std::uint8_t>(u % 7 ? 50 : 13);
        r.YrAvail = 49;
        r.MonthAvail = 1;
        r.YrUnavail = 120;
        r.MonthUnAvail = 12;
        r.Wpn1 = static_cast<std::uint8_t>(1 + u % 200);
        r.Wpn2 = static_cast<std::uint8_t>(1 + (u + 1) % 200);
        r.Wpn3 = 7;
        r.Wpn4 = static_cast<std::uint8_t>(u % 3 ? 0 : 9);
        r.Wpn1HEAmmo = r.Wpn1APAmmo = r.Wpn2HEAmmo = r.Wpn2APAmmo = 10;
        r.Wpn3HEAmmo = r.Wpn3APAmmo = r.Wpn4HEAmmo = r.Wpn4APAmmo = 10;
        r.SabotAmmo = r.HEATAmmo = 2;
    }
    for (int f = 1; f <= kFormationSlots; ++f) {
        FormationRecord& r = oob.FormationTable[static_cast<std::size_t>(f)];
        r.Name = "Formation " + std::to_string(f);
        r.Nation = kHome;
        for (std::size_t s = 0; s < 10; ++s)
            r.Slot[s] = static_cast<std::uint16_t>(s + 1);
        if (f <= kBlockers) {
            r.YrAvail = r.YrUntil = 49;
            r.MonthAvail = r.MonthUntil = 1;
        } else {
            const int year = 49 + (f - kBlockers - 1);  // 49..120
            r.YrAvail = static_cast<std::uint8_t>(year);
            r.MonthAvail = 1;
            r.YrUntil = static_cast<std::uint8_t>(year == 120 ? 120 : year + 1);
            r.MonthUntil = static_cast<std::uint8_t>(year == 120 ? 11 : 1);
        }
    }
    return oob;
}

const Oob& FullFile()
{
    static const Oob oob = WorstCaseOob(kUnitSlots);
    return oob;
}

// The same formations with only the first units of the nation: the plain loops
// would take minutes over all 999, and each unit costs them the same.
constexpr int kPlainUnits = 5;
const Oob& CutDownFile()
{
    static const Oob oob = WorstCaseOob(kPlainUnits);
    return oob;
}

// Seconds per unit of the nation examined.
benchmark::Counter PerUnit(int units)
{
    return benchmark::Counter(units, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_FindOrphanClasses(benchmark::State& state)
{
    const Oob& oob = FullFile();
    for (auto _ : state) {
        LinesSink sink;
        benchmark::DoNotOptimize(FindOrphanClasses(oob, sink));
    }
    state.counters["per_unit"] = PerUnit(kUnitSlots);
}
BENCHMARK(BM_FindOrphanClasses)->Unit(benchmark::kMillisecond);

// Processor seconds the run takes (the machine may be busy with other work).
double Seconds(const std::function<void()>& run)
{
    const std::clock_t t0 = std::clock();
    run();
    return static_cast<double>(std::clock() - t0) / CLOCKS_PER_SEC;
}

// The plain loops on the cut-down file; "speedup" compares their processor time
// per unit with the indexed search's on the full file, both timed in this run.
void BM_FindOrphanClassesPlain(benchmark::State& state)
{
    const Oob& cut = CutDownFile();
    double plain = 0;
    LinesSink plainLines;
    for (auto _ : state) {
        plainLines = LinesSink();
        plain += Seconds([&] { benchmark::DoNotOptimize(reference::FindOrphanClasses(cut, plainLines)); });
    }
    state.counters["per_unit"] = PerUnit(kPlainUnits);
    LinesSink fastLines;
    FindOrphanClasses(cut, fastLines);
    if (fastLines.lines != plainLines.lines || plainLines.lines.size() != 5 + kPlainUnits + 3)
        state.SkipWithError("the indexed search and the plain loops disagree on the cut-down file");

    double fast = 1e9;
    for (int i = 0; i < 20; ++i) {
        LinesSink sink;
        fast = std::min(fast, Seconds([&] { benchmark::DoNotOptimize(FindOrphanClasses(FullFile(), sink)); }));
    }
    const double plainFullFile = plain / static_cast<double>(state.iterations()) / kPlainUnits * kUnitSlots;
    state.counters["plain_full_file_s"] = plainFullFile;
    state.counters["speedup"] = plainFullFile / fast;
}
BENCHMARK(BM_FindOrphanClassesPlain)->Unit(benchmark::kMillisecond);

void BM_ClassRows(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ClassRows(FullFile()));
}
BENCHMARK(BM_ClassRows)->Unit(benchmark::kMillisecond);

void BM_FindUnitsOfClass(benchmark::State& state)
{
    for (auto _ : state) {
        LinesSink sink;
        FindUnitsOfClass(FullFile(), 1, sink);
        benchmark::DoNotOptimize(sink.lines.data());
    }
}
BENCHMARK(BM_FindUnitsOfClass)->Unit(benchmark::kMillisecond);

void BM_FindForeignUnits(benchmark::State& state)
{
    // Every unit foreign: a line for each.
    Oob oob = FullFile();
    oob.CurrentOOB = kHome + 10;
    for (auto _ : state) {
        LinesSink sink;
        FindForeignUnits(oob, sink);
        benchmark::DoNotOptimize(sink.lines.data());
    }
}
BENCHMARK(BM_FindForeignUnits)->Unit(benchmark::kMillisecond);

void BM_FindBadAmmo(benchmark::State& state)
{
    for (auto _ : state) {
        LinesSink sink;
        FindBadAmmo(FullFile(), sink);
        benchmark::DoNotOptimize(sink.lines.data());
    }
}
BENCHMARK(BM_FindBadAmmo)->Unit(benchmark::kMillisecond);

void BM_WeaponRows(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(WeaponRows(FullFile()));
}
BENCHMARK(BM_WeaponRows)->Unit(benchmark::kMillisecond);

void BM_FindWeaponUsers(benchmark::State& state)
{
    for (auto _ : state) {
        LinesSink sink;
        FindWeaponUsers(FullFile(), 6, sink);  // weapon 7: slot 3 of every unit
        benchmark::DoNotOptimize(sink.lines.data());
    }
}
BENCHMARK(BM_FindWeaponUsers)->Unit(benchmark::kMillisecond);

void BM_WeaponClassRows(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(WeaponClassRows());
}
BENCHMARK(BM_WeaponClassRows)->Unit(benchmark::kMillisecond);

void BM_FindWeaponsOfClass(benchmark::State& state)
{
    for (auto _ : state) {
        LinesSink sink;
        FindWeaponsOfClass(FullFile(), 0, sink);
        benchmark::DoNotOptimize(sink.lines.data());
    }
}
BENCHMARK(BM_FindWeaponsOfClass)->Unit(benchmark::kMillisecond);

void BM_FindUnusedWeapons(benchmark::State& state)
{
    for (auto _ : state) {
        LinesSink sink;
        FindUnusedWeapons(FullFile(), sink);
        benchmark::DoNotOptimize(sink.lines.data());
    }
}
BENCHMARK(BM_FindUnusedWeapons)->Unit(benchmark::kMillisecond);

void BM_ClearUnusedWeapons(benchmark::State& state)
{
    Oob oob = FullFile();
    for (auto _ : state) {
        state.PauseTiming();
        oob.WeaponTable = FullFile().WeaponTable;
        LinesSink sink;
        state.ResumeTiming();
        ClearUnusedWeapons(oob, sink);
        benchmark::DoNotOptimize(sink.lines.data());
    }
}
BENCHMARK(BM_ClearUnusedWeapons)->Unit(benchmark::kMillisecond);

}  // namespace

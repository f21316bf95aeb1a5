// What the undo history adds to each command: the snapshot taken before it, the
// comparison that finds the changed records afterwards, and an undo. The target:
// well under a millisecond for a commit, so no key press ever waits on it.
#include <benchmark/benchmark.h>

#include "oob/changes.h"
#include "oob/history.h"
#include "oob/records.h"

namespace {

using namespace brackle;

Oob FullTables()
{
    Oob oob;
    for (int u = 1; u <= kUnitSlots; ++u) {
        oob.UnitTable[u].Name = "Unit number " + std::to_string(u);
        oob.UnitTable[u].Crew = static_cast<std::uint8_t>(u);
    }
    for (int w = 1; w <= kWeaponSlots; ++w)
        oob.WeaponTable[w].Name = "Weapon " + std::to_string(w);
    for (int f = 1; f <= kFormationSlots; ++f)
        oob.FormationTable[f].Name = "Formation " + std::to_string(f);
    return oob;
}

// A commit of one record, as Tracked records it.
void BM_RecordOneRecordStep(benchmark::State& state)
{
    Oob oob = FullTables();
    std::uint8_t crew = 0;
    for (auto _ : state) {
        const TablesSnapshot before = SnapshotTables(oob);
        oob.UnitTable[500].Crew = ++crew;
        benchmark::DoNotOptimize(RecordStep(oob, before, "Commit unit 500"));
    }
}
BENCHMARK(BM_RecordOneRecordStep)->Unit(benchmark::kMicrosecond);

// A bulk edit that changes every unit and formation.
void BM_RecordWholeTableStep(benchmark::State& state)
{
    Oob oob = FullTables();
    std::uint8_t nation = 0;
    for (auto _ : state) {
        const TablesSnapshot before = SnapshotTables(oob);
        ++nation;
        for (int u = 1; u <= kUnitSlots; ++u)
            oob.UnitTable[u].Nation = nation;
        for (int f = 1; f <= kFormationSlots; ++f)
            oob.FormationTable[f].Nation = nation;
        benchmark::DoNotOptimize(RecordStep(oob, before, "Renationalise"));
    }
}
BENCHMARK(BM_RecordWholeTableStep)->Unit(benchmark::kMicrosecond);

// Undo and redo of a whole-table step.
void BM_UndoRedoWholeTableStep(benchmark::State& state)
{
    Oob oob = FullTables();
    const TablesSnapshot before = SnapshotTables(oob);
    for (int u = 1; u <= kUnitSlots; ++u)
        oob.UnitTable[u].Nation = 7;
    RecordStep(oob, before, "Renationalise");
    for (auto _ : state) {
        benchmark::DoNotOptimize(UndoStep(oob));
        benchmark::DoNotOptimize(RedoStep(oob));
    }
}
BENCHMARK(BM_UndoRedoWholeTableStep)->Unit(benchmark::kMicrosecond);

}  // namespace

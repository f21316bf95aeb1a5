// The unit page with real widgets, offscreen: showing a full unit and refilling
// the unit list of all 999 slots.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "app/main_window.h"
#include "demo/demo_game.h"
#include "editors/unit_page.h"
#include "widgets/dialogs_qt.h"

namespace {

using namespace brackle;

Oob DemoTables()
{
    Oob oob = BuildDemoOob(1).Tables;
    oob.FileLoaded = true;
    // A unit with every field in use, whose name is in a formation.
    UnitRecord& u = oob.UnitTable[500];
    u.Name = "Full Unit 500";
    u.Class = 5;
    u.Wpn1 = 1;
    u.Wpn2 = 2;
    u.Wpn3 = 3;
    u.Wpn4 = 4;
    u.EW = 3;
    u.FC = 105;
    u.RF = 25;
    u.ERATop = 12;
    u.ROF = 1;
    u.SD = 2;
    u.Survive = 8;
    oob.FormationTable[999].Slot[9] = 500;
    return oob;
}

void BM_ShowUnit(benchmark::State& state)
{
    Oob oob = DemoTables();
    QtDialogs dialogs;
    UnitPage page(oob, dialogs);
    page.resize(600, 520);
    int n = 0;
    for (auto _ : state) {
        // Alternate two units so every edit really changes its text.
        oob.CurrentUnit = (n++ % 2) ? 500 : 1;
        page.ShowUnit();
    }
}
BENCHMARK(BM_ShowUnit)->Unit(benchmark::kMicrosecond);

void BM_UnitListRefill(benchmark::State& state)
{
    Oob oob = DemoTables();
    QtDialogs dialogs;
    StartupPaths paths;
    paths.ProgramDir = paths.CurrentDir = std::filesystem::temp_directory_path() / "brackle-bench-none";
    TSDIAppForm w(oob, dialogs, paths);
    oob.FileLoaded = true;
    for (auto _ : state)
        w.UnitlistboxInit(500);
}
BENCHMARK(BM_UnitListRefill)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

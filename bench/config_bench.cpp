// Reading BRVX.ini: an ordinary file, and one with a runaway 10 MB value, which
// must still be read in a few milliseconds so the editor starts at once.
#include <benchmark/benchmark.h>

#include <string>

#include "oob/config.h"

namespace {

using namespace brackle;

std::string OrdinaryIni()
{
    std::string text = "[Brackle]\r\nTransparentColour=240\r\nHints=1\r\n[NationNames]\r\n";
    for (int n = 1; n <= 99; ++n)
        text += "obat" + std::to_string(n) + "=Nation " + std::to_string(n) + "\r\n";
    text += "[UnitClassNames]\r\n";
    for (int c = 0; c < 256; ++c)
        text += "UnitClass" + std::to_string(c) + "=Class " + std::to_string(c) + "\r\n";
    return text;
}

void ReadAndApply(benchmark::State& state, const std::string& text)
{
    for (auto _ : state) {
        const IniFile ini = IniFile::FromText(text);
        Settings settings;
        NameTables names;
        readinifile(&ini, settings, names);
        benchmark::DoNotOptimize(names);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_ReadOrdinaryIni(benchmark::State& state)
{
    ReadAndApply(state, OrdinaryIni());
}
BENCHMARK(BM_ReadOrdinaryIni)->Unit(benchmark::kMicrosecond);

void BM_ReadIniWithA10MBName(benchmark::State& state)
{
    std::string text = OrdinaryIni();
    text.insert(text.find("obat1="), "obat1=" + std::string(10 * 1024 * 1024, 'N') + "\r\n");
    ReadAndApply(state, text);
}
BENCHMARK(BM_ReadIniWithA10MBName)->Unit(benchmark::kMillisecond);

}  // namespace

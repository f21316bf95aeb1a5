// The formation checks on full files built to give them the most work, and the
// date check against its literal reading (tests/reports/formation_checks_reference).
#include <benchmark/benchmark.h>

#include <string>

#include "reports/formation_checks.h"
#include "reports/formation_checks_reference.h"

namespace {

using namespace brackle;

constexpr int kOwn = 7;

// The date check's worst case: 999 units and 999 formations in use, every
// formation from 1/49 to 12/120 with ten unit slots of ten classes. Units 1..989
// are of those classes, so the class search reaches about a hundred of them for
// every slot at every month, and none covers: two in three lie before 1949, every
// third carries the X3 code (met and passed over). The one covering unit of each
// class sits at 990..999, so there is no gap until the end.
Oob DatesWorstCase(int namedFormations = kFormationSlots)
{
    Oob o;
    o.CurrentOOB = kOwn;
    for (int c = 1; c <= 10; ++c)
        o.Names.UnitClassNames[static_cast<std::size_t>(c)] = "Class " + std::to_string(c);
    for (int u = 1; u <= kUnitSlots; ++u) {
        UnitRecord& r = o.UnitTable[static_cast<std::size_t>(u)];
        r.Name = "Unit " + std::to_string(u);
        r.Class = static_cast<std::uint8_t>(1 + u % 10);
        r.Nation = kOwn;
        const bool covering = u >= 990 || u % 3 == 0;
        r.Radio = u < 990 && u % 3 == 0 ? 3 : 50;
        r.YrAvail = covering ? 49 : 30;
        r.MonthAvail = 1;
        r.YrUnavail = covering ? 120 : 48;
        r.MonthUnAvail = 12;
    }
    for (int f = 1; f <= namedFormations; ++f) {
        FormationRecord& r = o.FormationTable[static_cast<std::size_t>(f)];
        r.Name = "Formation " + std::to_string(f);
        r.Nation = kOwn;
        r.FormType = static_cast<std::uint8_t>(f % 6);
        r.Page = 3;
        r.YrAvail = 49;
        r.MonthAvail = 1;
        r.YrUntil = 120;
        r.MonthUntil = 12;
        for (int k = 0; k < 10; ++k)
            r.Slot[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(990 + k);
    }
    return o;
}

// The nesting checks' worst case: the same units, and every formation holding a
// unit in slot 1 and nine sub-formations that hold sub-formations themselves, with
// dates that differ from their parent's, so every nested finding is written.
Oob NestedWorstCase()
{
    Oob o = DatesWorstCase();
    for (int f = 1; f <= kFormationSlots; ++f) {
        FormationRecord& r = o.FormationTable[static_cast<std::size_t>(f)];
        r.YrAvail = static_cast<std::uint8_t>(49 + f % 30);
        r.YrUntil = static_cast<std::uint8_t>(90 + f % 30);
        r.FormType = static_cast<std::uint8_t>(f % 2 == 0 ? 0 : 2 + f % 4);
        r.Nation = static_cast<std::uint8_t>(f % 5 == 0 ? kOwn + 1 : kOwn);
        r.Slot[0] = static_cast<std::uint16_t>(1 + f % kUnitSlots);
        for (int k = 1; k < 10; ++k)
            r.Slot[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(1000 + 1 + (f + 37 * k) % kFormationSlots);
    }
    return o;
}

const Oob& FileOf(const benchmark::State& state)
{
    static const Oob dates = DatesWorstCase();
    static const Oob nested = NestedWorstCase();
    return state.range(0) == 0 ? dates : nested;
}

// Counts the lines and their characters: the time measured is the check's own,
// not that of keeping 80000 lines somewhere (a vector of them costs about as much
// again as the check that writes them).
class CountingSink : public ReportSink {
public:
    void Line(const std::string& text) override
    {
        ++lines;
        chars += text.size();
    }
    void Status(const std::string& text) override { chars += text.size(); }
    std::size_t lines = 0;
    std::size_t chars = 0;
};

template <typename Check>
void RunCheck(benchmark::State& state, Check check)
{
    const Oob& o = FileOf(state);
    std::size_t lines = 0;
    for (auto _ : state) {
        CountingSink sink;
        check(o, sink);
        lines = sink.lines;
        benchmark::DoNotOptimize(sink.chars);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

void BM_CheckFormationDates(benchmark::State& state)
{
    RunCheck(state, [](const Oob& o, ReportSink& s) { benchmark::DoNotOptimize(CheckFormationDates(o, s).Stopped); });
}
void BM_FindFormationsUsingClass(benchmark::State& state)
{
    RunCheck(state, [](const Oob& o, ReportSink& s) { FindFormationsUsingClass(o, 1, s); });
}
void BM_CheckBrokenLinks(benchmark::State& state)
{
    RunCheck(state, [](const Oob& o, ReportSink& s) { CheckBrokenLinks(o, "01/01/2024 12:00:00", s); });
}
void BM_TemplateUnitRows(benchmark::State& state)
{
    RunCheck(state, [](const Oob& o, ReportSink& s) { for (const auto& r : TemplateUnitRows(o)) s.Line(r); });
}
// Unit 991, in every formation of file 0.
void BM_ShowTemplateUnitUsers(benchmark::State& state)
{
    RunCheck(state, [](const Oob& o, ReportSink& s) { ShowTemplateUnitUsers(o, 990, s); });
}
void BM_PlatoonRows(benchmark::State& state)
{
    RunCheck(state, [](const Oob& o, ReportSink& s) { for (const auto& r : PlatoonRows(o)) s.Line(r); });
}
// Formation 6, a section in both files.
void BM_ShowPlatoonUsers(benchmark::State& state)
{
    RunCheck(state, [](const Oob& o, ReportSink& s) { ShowPlatoonUsers(o, 5, s); });
}
void BM_CompanyRows(benchmark::State& state)
{
    RunCheck(state, [](const Oob& o, ReportSink& s) { for (const auto& r : CompanyRows(o)) s.Line(r); });
}
// Formation 9, a company in both files.
void BM_ShowCompanyContents(benchmark::State& state)
{
    RunCheck(state, [](const Oob& o, ReportSink& s) { ShowCompanyContents(o, 8, s); });
}
void BM_CheckX3Dates(benchmark::State& state)
{
    RunCheck(state, [](const Oob& o, ReportSink& s) { CheckX3Dates(o, s); });
}
void BM_CheckPlatoonsInPlatoons(benchmark::State& state)
{
    RunCheck(state, [](const Oob& o, ReportSink& s) { CheckPlatoonsInPlatoons(o, s); });
}

// Arg 0: the date check's worst case; 1: the nesting checks' worst case.
BENCHMARK(BM_CheckFormationDates)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindFormationsUsingClass)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckBrokenLinks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TemplateUnitRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowTemplateUnitUsers)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlatoonRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowPlatoonUsers)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompanyRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowCompanyContents)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckX3Dates)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckPlatoonsInPlatoons)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The date check, indexed and literal, on the worst case cut down to its first
// state.range(0) formations (the others free). The literal reading takes about
// the same time for every formation of the worst case, so its time on the full
// file is per_formation * 999; compare that with BM_CheckFormationDates/0.
template <typename Check>
void RunCutDown(benchmark::State& state, Check check)
{
    const int formations = static_cast<int>(state.range(0));
    const Oob o = DatesWorstCase(formations);
    for (auto _ : state) {
        CountingSink sink;
        benchmark::DoNotOptimize(check(o, sink).Stopped);
    }
    // Seconds per formation (shown with its unit prefix, "25.1ms").
    state.counters["per_formation"] = benchmark::Counter(static_cast<double>(state.iterations()) * formations,
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_CheckFormationDatesCutDown(benchmark::State& state)
{
    RunCutDown(state, [](const Oob& o, ReportSink& s) { return CheckFormationDates(o, s); });
}
void BM_LiteralCheckFormationDatesCutDown(benchmark::State& state)
{
    RunCutDown(state, [](const Oob& o, ReportSink& s) { return reference::CheckFormationDates(o, s); });
}
BENCHMARK(BM_CheckFormationDatesCutDown)->Arg(20)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiteralCheckFormationDatesCutDown)->Arg(20)->Arg(60)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

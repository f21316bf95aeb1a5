// Every fault planted in the demo game shows up in the check meant to find it,
// and the whole-file check fails the demo files for them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "demo/demo_game.h"
#include "oob/text.h"
#include "reports/report_catalogue.h"

namespace brackle {
namespace {

std::vector<std::string> RunNamed(const Oob& oob, const char* name)
{
    LinesSink sink;
    const ReportEnd end = RunReport(oob, *FindReport(name), 0, "now", sink);
    EXPECT_FALSE(end.Stopped) << name << ": " << end.Message;
    return sink.lines;
}

bool AnyLine(const std::vector<std::string>& lines, const std::string& part)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

TEST(DemoFaults, EachPlantedFaultIsFoundByItsCheck)
{
    for (const int n : DemoOobNumbers()) {
        const DemoOob demo = BuildDemoOob(n);
        const Oob& oob = demo.Tables;
        const DemoFaults& f = demo.Faults;
        const std::string at = "obat" + std::to_string(n) + ": ";
        auto unitName = [&](int u) { return Trim(oob.UnitTable[static_cast<std::size_t>(u)].Name); };
        auto formationName = [&](int g) { return Trim(oob.FormationTable[static_cast<std::size_t>(g)].Name); };

        const auto links = RunNamed(oob, "broken-links");
        EXPECT_TRUE(AnyLine(links, "Formation " + std::to_string(f.BrokenLinkFormation) + " - " +
                                       formationName(f.BrokenLinkFormation) + " - Slot " +
                                       std::to_string(f.BrokenLinkSlot) + " Points to a non-existing unit " +
                                       std::to_string(f.ErasedUnit)))
            << at << "broken link";

        const auto x3 = RunNamed(oob, "x3-dates");
        EXPECT_TRUE(AnyLine(x3, "Formation " + std::to_string(f.LateFormation) + " " + formationName(f.LateFormation) +
                                    " Slot "))
            << at << "X3 dates";

        const auto nested = RunNamed(oob, "platoons-in-platoons");
        EXPECT_TRUE(AnyLine(nested, "Checking " + std::to_string(f.PlatoonInPlatoon) + " == " +
                                        formationName(f.PlatoonInPlatoon) + " is a platoon"))
            << at << "platoon in platoon";

        const auto ammo = RunNamed(oob, "bad-ammo");
        EXPECT_TRUE(AnyLine(ammo, "Unit " + std::to_string(f.BadAPUnit) + "  ")) << at << "bad ammo";
        EXPECT_TRUE(AnyLine(ammo, " - bad AP ammo ")) << at << "bad ammo";

        const auto unused = RunNamed(oob, "unused-weapons");
        char number[8];
        std::snprintf(number, sizeof number, "%.3d - ", f.UnusedWeapon);
        EXPECT_TRUE(AnyLine(unused, number)) << at << "unused weapon";

        LinesSink orphans;
        EXPECT_FALSE(RunReport(oob, *FindReport("orphan-classes"), 0, "now", orphans).Stopped);
        std::snprintf(number, sizeof number, "%.3d - ", f.OrphanUnit);
        EXPECT_TRUE(AnyLine(orphans.lines, std::string(number) + unitName(f.OrphanUnit)))
            << at << "orphan";
        EXPECT_TRUE(AnyLine(orphans.lines, " - ORPHANED -")) << at << "orphan";

        const auto foreign = RunNamed(oob, "foreign-units");
        for (const int u : f.ForeignUnits) {
            std::snprintf(number, sizeof number, "%.3d - ", u);
            EXPECT_TRUE(AnyLine(foreign, std::string("Unit ") + number + " " + unitName(u))) << at << "foreign " << u;
        }

        // The file check refuses the demo for these faults, and every check runs to its end.
        bool failing = false;
        for (const CheckResult& r : CheckWholeFile(oob, "now")) {
            EXPECT_FALSE(r.End.Stopped) << at << r.Name << ": " << r.End.Message;
            failing = failing || (r.Blocking && r.Findings > 0);
        }
        EXPECT_TRUE(failing) << at;
    }
}

}  // namespace
}  // namespace brackle

// The formation reports at the ends of the tables: formation 999, unit 999, slot
// 10 and the formation code 1999. A loop that stops one short of any of them
// loses a line here.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "reports/formation_checks.h"

namespace brackle {
namespace {

using Lines = std::vector<std::string>;

constexpr int kOwn = 7;
constexpr int kOther = 9;

struct Ym {
    int y = 0;
    int m = 0;
};

Oob NewOob()
{
    Oob o;
    o.CurrentOOB = kOwn;
    o.Names.UnitClassNames[5] = "Tank";
    o.Names.UnitClassNames[9] = "Rifles";
    o.Names.UnitClassNames[44] = "Fighter";
    return o;
}

void SetUnit(Oob& o, int u, const std::string& name, int cls, Ym from, Ym to, int radio = 0)
{
    UnitRecord& r = o.UnitTable[static_cast<std::size_t>(u)];
    r.Name = name;
    r.Class = static_cast<std::uint8_t>(cls);
    r.YrAvail = static_cast<std::uint8_t>(from.y);
    r.MonthAvail = static_cast<std::uint8_t>(from.m);
    r.YrUnavail = static_cast<std::uint8_t>(to.y);
    r.MonthUnAvail = static_cast<std::uint8_t>(to.m);
    r.Radio = static_cast<std::uint8_t>(radio);
    r.Nation = kOwn;
}

// Formation f of type `type` from..to holding `slots` (slot 1 first), on purchase page 3.
void SetFormation(Oob& o, int f, const std::string& name, int type, Ym from, Ym to, std::vector<int> slots,
                  int nation = kOwn)
{
    FormationRecord& r = o.FormationTable[static_cast<std::size_t>(f)];
    r.Name = name;
    r.FormType = static_cast<std::uint8_t>(type);
    r.YrAvail = static_cast<std::uint8_t>(from.y);
    r.MonthAvail = static_cast<std::uint8_t>(from.m);
    r.YrUntil = static_cast<std::uint8_t>(to.y);
    r.MonthUntil = static_cast<std::uint8_t>(to.m);
    r.Nation = static_cast<std::uint8_t>(nation);
    r.Page = 3;
    r.Slot = {};
    for (std::size_t k = 0; k < slots.size(); ++k)
        r.Slot[k] = static_cast<std::uint16_t>(slots[k]);
}

// Slots 1..10 with only slot 10 (and, when given, slot 9) filled.
std::vector<int> InSlot10(int v, int slot9 = 0)
{
    return {0, 0, 0, 0, 0, 0, 0, 0, slot9, v};
}

Lines Concat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

struct Case {
    const char* what;
    std::function<void(Oob&)> setup;
    std::function<Lines(const Oob&)> run;
    Lines lines;
};

void RunCases(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        Oob o = NewOob();
        c.setup(o);
        EXPECT_EQ(c.run(o), c.lines) << c.what;
    }
}

Lines UsingClass5(const Oob& o)
{
    LinesSink sink;
    FindFormationsUsingClass(o, 5, sink);
    return sink.lines;
}

Lines BrokenLinks(const Oob& o)
{
    LinesSink sink;
    CheckBrokenLinks(o, "now", sink);
    return sink.lines;
}

Lines Links(const Lines& findings)
{
    return Concat({{"Started at now"}, findings, {"Run completed"}});
}

TEST(FormationChecksAtTheEnds, UnitClassAndBrokenLinks)
{
    RunCases({
        {"unit 999 in slot 10 of formation 999 uses its class",
         [](Oob& o) {
             SetUnit(o, 999, "Last", 5, {40, 1}, {45, 12}, 13);
             SetFormation(o, 999, "Last Fmn", 1, {40, 1}, {45, 12}, InSlot10(999));
         },
         UsingClass5, {"999  Last Fmn - Available: 01/40-12/45 *X3 CODE*", "1 formations found using UC 5"}},
        {"slot 10 of formation 999 pointing at free unit 999",
         [](Oob& o) { SetFormation(o, 999, "Last Fmn", 1, {40, 1}, {45, 12}, InSlot10(999)); }, BrokenLinks,
         Links({"Formation 999 - Last Fmn - Slot 10 Points to a non-existing unit 999"})},
        {"slot 10 holding code 1999 while formation 999 is free (and of nation 0)",
         [](Oob& o) { SetFormation(o, 998, "Coy", 2, {40, 1}, {45, 12}, InSlot10(1999)); }, BrokenLinks,
         Links({"Formation 998 - Coy - Slot 10 Points to a non-existing formation 999",
                "Formation 998 - Coy - Slot 10 Points to a sub formation not of the parent nationality 999   (is "
                "nation 0)"})},
        {"slot 10 holding code 1999, formation 999 of another nation",
         [](Oob& o) {
             SetFormation(o, 998, "Coy", 2, {40, 1}, {45, 12}, InSlot10(1999));
             SetFormation(o, 999, "Far Plt", 1, {40, 1}, {45, 12}, {}, kOther);
         },
         BrokenLinks,
         Links({"Formation 998 - Coy - Slot 10 Points to a sub formation not of the parent nationality 999 Far Plt  "
                "(is nation 9)",
                "Formation 999 - Far Plt - Formation is not of this nationality ( is 9 )"})},
        {"air in slot 9 and ground in slot 10 of formation 999",
         [](Oob& o) {
             SetUnit(o, 4, "Fighter", 44, {40, 1}, {45, 12});
             SetUnit(o, 999, "Last", 5, {40, 1}, {45, 12});
             SetFormation(o, 999, "Mix", 1, {40, 1}, {45, 12}, InSlot10(999, 4));
         },
         BrokenLinks,
         Links({"Formation 999 - Mix - Formation contains mixed air and ground units, but is NOT type 5 purchase "
                "screen"})},
        {"ground unit 999 in slot 10 of sub-formation 999",
         [](Oob& o) {
             SetUnit(o, 4, "Fighter", 44, {40, 1}, {45, 12});
             SetUnit(o, 999, "Last", 5, {40, 1}, {45, 12});
             SetFormation(o, 998, "Air Coy", 2, {40, 1}, {45, 12}, InSlot10(1999, 4));
             SetFormation(o, 999, "Tanks", 1, {40, 1}, {45, 12}, InSlot10(999));
         },
         BrokenLinks,
         Links({"Formation 998 - Air Coy - Formation contains mixed air and ground units, but is NOT type 5 "
                "purchase screen"})},
        {"sub-formations 998 and 999 holding each other in slot 10",
         [](Oob& o) {
             SetFormation(o, 998, "Parent", 2, {40, 1}, {45, 12}, InSlot10(1999));
             SetFormation(o, 999, "Sub", 2, {40, 1}, {45, 12}, InSlot10(1998));
         },
         BrokenLinks,
         Links({"Formation 998 - Parent - Slot 10 points to sub formation 999Sub which itself contains formations - "
                "ILLEGAL!",
                "Formation 999 - Sub - Slot 10 points to sub formation 998Parent which itself contains formations - "
                "ILLEGAL!"})},
    });
}

// Unit 999 "Last" (X3) held only by slot 10 of formation 999; unit 998 in nothing.
Oob LastUnitFile()
{
    Oob o = NewOob();
    SetUnit(o, 998, "Spare", 5, {40, 1}, {45, 12});
    SetUnit(o, 999, "Last", 5, {42, 1}, {45, 12}, 13);
    SetFormation(o, 999, "Last Fmn", 1, {40, 3}, {45, 5}, InSlot10(999));
    return o;
}

TEST(FormationChecksAtTheEnds, TemplateUnitFinder)
{
    const Oob o = LastUnitFile();
    const Lines rows = TemplateUnitRows(o);
    ASSERT_EQ(rows.size(), 999u);
    EXPECT_EQ(rows[997], "998 - Spare");
    EXPECT_EQ(rows[998], "999 - Last - Template Unit  (X3!)");
    LinesSink sink;
    EXPECT_TRUE(ShowTemplateUnitUsers(o, 998, sink));
    EXPECT_EQ(sink.lines, (Lines{"unit 999 Last has an X3 Radio Code", "Used in Formation 999 Last Fmn"}));
}

TEST(FormationChecksAtTheEnds, X3DatesOfSlot10OfFormation999)
{
    LinesSink sink;
    CheckX3Dates(LastUnitFile(), sink);
    EXPECT_EQ(sink.lines, (Lines{" problem X3 template units in formations found:", "Formation 999 Last Fmn Slot 10 Last",
                                 " ==>  -- Unit start year (42) > formation start year (40) "}));
}

TEST(FormationChecksAtTheEnds, PlatoonAndCompanyFinders)
{
    // Platoon 999, used by slot 10 of formation 1.
    Oob a = NewOob();
    SetFormation(a, 1, "Coy 1", 2, {40, 1}, {45, 12}, InSlot10(1999));
    SetFormation(a, 999, "Plt 999", 0, {40, 1}, {45, 12}, {});
    EXPECT_EQ(PlatoonRows(a)[998], "999 - Plt 999");
    LinesSink platoon999;
    EXPECT_TRUE(ShowPlatoonUsers(a, 998, platoon999));
    EXPECT_EQ(platoon999.lines,
              (Lines{"Platoon 999 Plt 999 used in the following:", "Used in Formation 1 Coy 1 of type 2 - Company"}));

    // Company 999 holding platoon 998, itself and unit 999 in slots 8, 9 and 10.
    Oob b = NewOob();
    SetUnit(b, 999, "Last", 5, {40, 1}, {45, 12});
    SetFormation(b, 998, "Plt 998", 1, {40, 1}, {45, 12}, {});
    SetFormation(b, 999, "Coy 999", 2, {40, 1}, {45, 12}, {0, 0, 0, 0, 0, 0, 0, 1998, 1999, 999});
    EXPECT_EQ(CompanyRows(b)[998], "999 - Coy 999 - Company");
    LinesSink platoon998;
    EXPECT_TRUE(ShowPlatoonUsers(b, 997, platoon998));
    EXPECT_EQ(platoon998.lines, (Lines{"Platoon 998 Plt 998 used in the following:",
                                       "Used in Formation 999 Coy 999 of type 2 - Company"}));
    LinesSink company;
    EXPECT_TRUE(ShowCompanyContents(b, 998, company));
    EXPECT_EQ(company.lines, (Lines{"Company 999 Coy 999 uses the following subordinate units or platoons:",
                                    "Formation 998 Plt 998 (Platoon)", "Formation 999 Coy 999 (Company)",
                                    "Template Unit 999 Last (class 5 Tank)"}));
}

const Lines kGapsHead = {"Checking gaps in formations", ""};
const Lines kNestedHead = {"", "============ checking formations =========", ""};
const Lines kCompaniesHead = {"", "============ companies containing companies check =========", ""};
const Lines kRunComplete = {"", "============ run complete =========", ""};

Lines Completed(const Lines& gaps, const Lines& nested, const Lines& companies)
{
    return Concat({kGapsHead, gaps, kNestedHead, nested, kCompaniesHead, companies, kRunComplete});
}

Lines FormationDates(const Oob& o)
{
    LinesSink sink;
    const ReportEnd end = CheckFormationDates(o, sink);
    EXPECT_FALSE(end.Stopped) << end.Message;
    return sink.lines;
}

TEST(FormationChecksAtTheEnds, FormationDateCheck)
{
    RunCases({
        {"a gap of unit 999's class in slot 10 of formation 999",
         [](Oob& o) {
             SetUnit(o, 999, "Last", 5, {51, 1}, {52, 1});
             SetFormation(o, 999, "Last Fmn", 1, {50, 1}, {50, 2}, InSlot10(999));
         },
         FormationDates, Completed({"Formation 999  Last Fmn - Slot 10 Tank not available at date 1\\1950"}, {}, {})},
        {"unit 999 alone covers its class",
         [](Oob& o) {
             SetUnit(o, 1, "Rifles A", 9, {51, 1}, {52, 1});
             SetUnit(o, 999, "Rifles Z", 9, {49, 1}, {60, 12});
             SetFormation(o, 5, "Plt", 1, {50, 1}, {50, 2}, {1});
         },
         FormationDates, Completed({}, {}, {})},
        {"formation 999 with a later sub-formation in slot 10",
         [](Oob& o) {
             SetFormation(o, 998, "Late Plt", 1, {56, 1}, {57, 1}, {});
             SetFormation(o, 999, "Coy 999", 2, {50, 1}, {55, 12}, InSlot10(1998));
         },
         FormationDates,
         Completed({},
                   {"999 - Coy 999 -  Sub Formation Slot 10 => 998 Late Plt Starts AFTER Formation END Date - ERROR!",
                    "999 - Coy 999 -  Sub Formation Slot 10 => 998 Late Plt Starts after Company Start Date"},
                   {})},
        {"sub-formation 999 in slot 10, later than its parent",
         [](Oob& o) {
             SetFormation(o, 998, "Coy 998", 2, {50, 1}, {55, 12}, InSlot10(1999));
             SetFormation(o, 999, "Late Plt", 1, {56, 1}, {57, 1}, {});
         },
         FormationDates,
         Completed({},
                   {"998 - Coy 998 -  Sub Formation Slot 10 => 999 Late Plt Starts AFTER Formation END Date - ERROR!",
                    "998 - Coy 998 -  Sub Formation Slot 10 => 999 Late Plt Starts after Company Start Date"},
                   {})},
        {"company 999 holding a combat group in slot 10",
         [](Oob& o) {
             SetFormation(o, 998, "Bg 998", 3, {50, 1}, {55, 12}, {});
             SetFormation(o, 999, "Coy 999", 2, {50, 1}, {55, 12}, InSlot10(1998));
         },
         FormationDates,
         Completed({}, {},
                   {"Checking 999 == Coy 999 Sub Formation Slot 10 => 998 Bg 998 is a COMPANY inside a COMPANY type "
                    "formation!"})},
        {"combat group 999 in slot 10 of a company",
         [](Oob& o) {
             SetFormation(o, 998, "Coy 998", 2, {50, 1}, {55, 12}, InSlot10(1999));
             SetFormation(o, 999, "Bg 999", 3, {50, 1}, {55, 12}, {});
         },
         FormationDates,
         Completed({}, {},
                   {"Checking 998 == Coy 998 Sub Formation Slot 10 => 999 Bg 999 is a COMPANY inside a COMPANY type "
                    "formation!"})},
    });
}

TEST(FormationChecksAtTheEnds, PlatoonInPlatoonInSlot10OfFormation999)
{
    Oob o = NewOob();
    SetFormation(o, 5, "Plt", 1, {50, 1}, {55, 12}, {});
    SetFormation(o, 999, "Sect 999", 0, {50, 1}, {55, 12}, InSlot10(1005));
    LinesSink sink;
    CheckPlatoonsInPlatoons(o, sink);
    EXPECT_EQ(sink.lines, (Lines{"Checking for any platoons containing platoons", "",
                                 "Checking 999 == Sect 999 is a platoon", "  ERROR -  Slot 10 contains a platoon (1005)",
                                 "", "============ run complete =========", ""}));
}

}  // namespace
}  // namespace brackle

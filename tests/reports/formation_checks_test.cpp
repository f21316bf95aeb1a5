#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "reports/formation_checks.h"
#include "reports/formation_checks_reference.h"

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
    o.Names.UnitClassNames[0] = "Nothing";
    o.Names.UnitClassNames[5] = "Tank";
    o.Names.UnitClassNames[9] = "Rifles";
    o.Names.UnitClassNames[12] = "Truck";
    o.Names.UnitClassNames[44] = "Fighter";
    o.Names.UnitClassNames[203] = "Bomber";
    return o;
}

UnitRecord& SetUnit(Oob& o, int u, const std::string& name, int cls, Ym from, Ym to, int radio = 0,
                    int nation = kOwn)
{
    UnitRecord& r = o.UnitTable[static_cast<std::size_t>(u)];
    r.Name = name;
    r.Class = static_cast<std::uint8_t>(cls);
    r.YrAvail = static_cast<std::uint8_t>(from.y);
    r.MonthAvail = static_cast<std::uint8_t>(from.m);
    r.YrUnavail = static_cast<std::uint8_t>(to.y);
    r.MonthUnAvail = static_cast<std::uint8_t>(to.m);
    r.Radio = static_cast<std::uint8_t>(radio);
    r.Nation = static_cast<std::uint8_t>(nation);
    return r;
}

FormationRecord& SetFormation(Oob& o, int f, const std::string& name, int type, Ym from, Ym to,
                              std::vector<int> slots, int nation = kOwn, int page = 3)
{
    FormationRecord& r = o.FormationTable[static_cast<std::size_t>(f)];
    r.Name = name;
    r.FormType = static_cast<std::uint8_t>(type);
    r.YrAvail = static_cast<std::uint8_t>(from.y);
    r.MonthAvail = static_cast<std::uint8_t>(from.m);
    r.YrUntil = static_cast<std::uint8_t>(to.y);
    r.MonthUntil = static_cast<std::uint8_t>(to.m);
    r.Nation = static_cast<std::uint8_t>(nation);
    r.Page = static_cast<std::uint8_t>(page);
    r.Slot = {};
    for (std::size_t k = 0; k < slots.size(); ++k)
        r.Slot[k] = static_cast<std::uint16_t>(slots[k]);
    return r;
}

Lines Concat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// ---------------------------------------------------------------------------
// Check Unit Class

TEST(FormationChecks, FindFormationsUsingClassListsEachHoldingFormationOnce)
{
    Oob o = NewOob();
    SetUnit(o, 1, "Tiger", 5, {42, 8}, {45, 5}, 13);
    SetUnit(o, 2, "Panther", 5, {43, 1}, {45, 5}, 10);
    SetUnit(o, 3, "Rifles", 9, {39, 9}, {45, 5}, 3);
    SetUnit(o, 4, "Fighter", 44, {39, 9}, {45, 5});
    SetFormation(o, 12, "Tank Platoon", 1, {40, 6}, {45, 5}, {2, 1, 2});
    SetFormation(o, 3, "Mixed", 1, {41, 1}, {44, 12}, {3, 2});
    SetFormation(o, 20, "Coy", 2, {42, 3}, {45, 5}, {1012, 1003});
    SetFormation(o, 150, "", 0, {0, 0}, {0, 0}, {2}, 0);
    SetFormation(o, 151, "  Padded  ", 1, {43, 7}, {44, 8}, {0, 0, 4});
    SetFormation(o, 400, "Broken", 1, {50, 1}, {51, 1}, {250, 2500, 1000});
    SetFormation(o, 999, "Late", 1, {101, 2}, {110, 11}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 4});

    struct Case {
        int cls;
        Lines expected;
    };
    const Case cases[] = {
        {5,
         {"003  Mixed - Available: 01/41-12/44", "012  Tank Platoon - Available: 06/40-05/45 *X3 CODE*",
          "150   - Available: 00/00-00/00", "3 formations found using UC 5"}},
        {9, {"003  Mixed - Available: 01/41-12/44 *X3 CODE*", "1 formations found using UC 9"}},
        {44,
         {"151  Padded - Available: 07/43-08/44", "999  Late - Available: 02/101-11/110",
          "2 formations found using UC 44"}},
        // Unit 250 is free and of class 0; codes 1000 and above never count.
        {0, {"400  Broken - Available: 01/50-01/51", "1 formations found using UC 0"}},
        {77, {"0 formations found using UC 77"}},
    };
    for (const Case& c : cases) {
        LinesSink sink;
        FindFormationsUsingClass(o, c.cls, sink);
        EXPECT_EQ(sink.lines, c.expected) << "class " << c.cls;
    }
}

// ---------------------------------------------------------------------------
// Broken Links

// Units every broken-links case may use: two tanks, a fighter.
Oob LinksBase()
{
    Oob o = NewOob();
    SetUnit(o, 1, "Tiger", 5, {42, 8}, {45, 5});
    SetUnit(o, 2, "Panther", 5, {43, 1}, {45, 5});
    SetUnit(o, 4, "Fighter", 44, {39, 9}, {45, 5});
    return o;
}

TEST(FormationChecks, CheckBrokenLinksFindings)
{
    struct Case {
        const char* what;
        std::function<void(Oob&)> setup;
        Lines findings;  // between "Started at ..." and "Run completed"
    };
    const Case cases[] = {
        {"a formation of another nation",
         [](Oob& o) { SetFormation(o, 4, "Foreign Plt", 1, {40, 1}, {45, 1}, {1}, kOther); },
         {"Formation 4 - Foreign Plt - Formation is not of this nationality ( is 9 )"}},
        {"a formation code in slot 1 is not followed; the same code in slot 2 is formation 5",
         [](Oob& o) {
             SetFormation(o, 5, "Recce", 0, {40, 1}, {45, 1}, {2}, kOther);
             SetFormation(o, 6, "Coy", 2, {40, 1}, {45, 1}, {1005, 1005});
         },
         {"Formation 5 - Recce - Formation is not of this nationality ( is 9 )",
          "Formation 6 - Coy - Formation in slot 1 or unit>1005",
          "Formation 6 - Coy - Slot 2 Points to a sub formation not of the parent nationality 5 Recce  (is nation 9)"}},
        {"code 1000",
         [](Oob& o) {
             SetFormation(o, 7, "Zero Link", 1, {40, 1}, {45, 1}, {1, 1000});
             SetFormation(o, 8, "Zero First", 1, {40, 1}, {45, 1}, {1000});
         },
         {"Formation 7 - Zero Link - Slot 2 Points to a non-existing formation 0",
          "Formation 8 - Zero First - Formation in slot 1 or unit>1000"}},
        {"codes past the formation table",
         [](Oob& o) { SetFormation(o, 9, "Far", 2, {40, 1}, {45, 1}, {1, 2500, 65535}); },
         {"Formation 9 - Far - Slot 2 Points to a non-existing formation 1500",
          "Formation 9 - Far - Slot 3 Points to a non-existing formation 64535"}},
        {"free unit and free formations; a free slot of nation 0 is also of another nation",
         [](Oob& o) {
             SetFormation(o, 10, "Holes", 1, {40, 1}, {45, 1}, {1, 0, 250, 1300, 1301});
             SetFormation(o, 300, "", 0, {0, 0}, {0, 0}, {}, 0);
             SetFormation(o, 301, " \t ", 0, {40, 1}, {45, 1}, {}, kOwn);
         },
         {"Formation 10 - Holes - Slot 3 Points to a non-existing unit 250",
          "Formation 10 - Holes - Slot 4 Points to a non-existing formation 300",
          "Formation 10 - Holes - Slot 4 Points to a sub formation not of the parent nationality 300   (is nation 0)",
          "Formation 10 - Holes - Slot 5 Points to a non-existing formation 301"}},
        {"air and ground mixed off page 5, own slots or through a sub-formation",
         [](Oob& o) {
             SetFormation(o, 11, "Air Mix", 1, {40, 1}, {45, 1}, {4, 1}, kOwn, 3);
             SetFormation(o, 12, "Air Drop", 1, {40, 1}, {45, 1}, {4, 1}, kOwn, 5);
             SetFormation(o, 13, "Air Only", 1, {40, 1}, {45, 1}, {4, 4}, kOwn, 3);
             SetFormation(o, 14, "Ground Only", 1, {40, 1}, {45, 1}, {1, 2}, kOwn, 3);
             SetFormation(o, 15, "Sub Mix", 2, {40, 1}, {45, 1}, {4, 1016}, kOwn, 3);
             SetFormation(o, 16, "Tanks", 1, {40, 1}, {45, 1}, {1}, kOwn, 3);
         },
         {"Formation 11 - Air Mix - Formation contains mixed air and ground units, but is NOT type 5 purchase screen",
          "Formation 15 - Sub Mix - Formation contains mixed air and ground units, but is NOT type 5 purchase screen"}},
        {"a free unit still counts by its class",
         [](Oob& o) {
             o.UnitTable[251].Class = 203;
             SetFormation(o, 17, "Ghost Mix", 1, {40, 1}, {45, 1}, {1, 251});
         },
         {"Formation 17 - Ghost Mix - Formation contains mixed air and ground units, but is NOT type 5 purchase screen",
          "Formation 17 - Ghost Mix - Slot 2 Points to a non-existing unit 251"}},
        {"a sub-formation holding formations, 1000 in it skipped",
         [](Oob& o) {
             SetFormation(o, 3, "Sect", 0, {40, 1}, {45, 1}, {1});
             SetFormation(o, 8, "Parent", 2, {40, 1}, {45, 1}, {1, 1009});
             SetFormation(o, 9, "Sub Coy", 2, {40, 1}, {45, 1}, {1003, 2, 1000, 2500});
         },
         {"Formation 8 - Parent - Slot 2 points to sub formation 9Sub Coy which itself contains formations - ILLEGAL!",
          "Formation 8 - Parent - Slot 2 points to sub formation 9Sub Coy which itself contains formations - ILLEGAL!",
          "Formation 9 - Sub Coy - Formation in slot 1 or unit>1003",
          "Formation 9 - Sub Coy - Slot 3 Points to a non-existing formation 0",
          "Formation 9 - Sub Coy - Slot 4 Points to a non-existing formation 1500"}},
        {"order: nationality, ILLEGAL, mixed, slots",
         [](Oob& o) {
             SetFormation(o, 3, "Sect", 0, {40, 1}, {45, 1}, {1});
             SetFormation(o, 20, "Everything", 2, {40, 1}, {45, 1}, {4, 1021, 250}, kOther, 3);
             SetFormation(o, 21, "Inner", 1, {40, 1}, {45, 1}, {1, 1003});
         },
         {"Formation 20 - Everything - Formation is not of this nationality ( is 9 )",
          "Formation 20 - Everything - Slot 2 points to sub formation 21Inner which itself contains formations - ILLEGAL!",
          "Formation 20 - Everything - Formation contains mixed air and ground units, but is NOT type 5 purchase screen",
          "Formation 20 - Everything - Slot 3 Points to a non-existing unit 250"}},
        {"formations with blank names are not checked",
         [](Oob& o) { SetFormation(o, 30, "   ", 1, {40, 1}, {45, 1}, {250, 4, 1, 1999}, kOther, 3); },
         {}},
    };
    for (const Case& c : cases) {
        Oob o = LinksBase();
        c.setup(o);
        LinesSink sink;
        CheckBrokenLinks(o, "12/03/2024 10:11:12", sink);
        EXPECT_EQ(sink.lines, Concat({{"Started at 12/03/2024 10:11:12"}, c.findings, {"Run completed"}})) << c.what;
    }
}

// ---------------------------------------------------------------------------
// Template Unit Finder

Oob TemplateFile()
{
    Oob o = NewOob();
    SetUnit(o, 1, "Tiger", 5, {42, 8}, {45, 5}, 13);
    SetUnit(o, 2, "Panther", 5, {43, 1}, {45, 5}, 10);
    SetUnit(o, 3, "Spare", 5, {43, 1}, {45, 5}, 23);
    SetUnit(o, 150, "  Padded  ", 9, {43, 1}, {45, 5});
    SetUnit(o, 999, "Last", 9, {43, 1}, {45, 5}, 253);
    SetFormation(o, 4, "Plt A", 1, {40, 1}, {45, 1}, {1, 2, 1});
    SetFormation(o, 10, "", 0, {0, 0}, {0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 999}, 0);
    SetFormation(o, 11, "Plt B", 1, {40, 1}, {45, 1}, {1003, 2001});
    SetFormation(o, 700, "Plt C", 1, {40, 1}, {45, 1}, {7, 1});
    return o;
}

TEST(FormationChecks, TemplateUnitRows)
{
    const Lines rows = TemplateUnitRows(TemplateFile());
    ASSERT_EQ(rows.size(), 999u);
    struct Case {
        int row;
        const char* text;
    };
    const Case cases[] = {
        {0, "001 - Tiger - Template Unit  (X3!)"},
        {1, "002 - Panther - Template Unit "},
        {2, "003 - Spare"},  // X3, in no slot (1003 is a formation code)
        {6, "007 - "},       // free, though a formation names it
        {149, "150 - Padded"},
        {998, "999 - Last - Template Unit  (X3!)"},  // held only by a free formation
    };
    for (const Case& c : cases)
        EXPECT_EQ(rows[static_cast<std::size_t>(c.row)], c.text) << c.row;
}

TEST(FormationChecks, ShowTemplateUnitUsers)
{
    const Oob o = TemplateFile();
    struct Case {
        int row;
        bool shown;
        Lines lines;
    };
    const Case cases[] = {
        {0, true, {"unit 1 Tiger has an X3 Radio Code", "Used in Formation 4 Plt A", "Used in Formation 700 Plt C"}},
        {1, true, {"unit 2 Panther", "Used in Formation 4 Plt A"}},
        {2, true, {"unit 3 Spare has an X3 Radio Code"}},
        {998, true, {"unit 999 Last has an X3 Radio Code", "Used in Formation 10 "}},
        {6, false, {}},  // unit 7 is free
        {-1, false, {}},
        {999, false, {}},
    };
    for (const Case& c : cases) {
        LinesSink sink;
        EXPECT_EQ(ShowTemplateUnitUsers(o, c.row, sink), c.shown) << c.row;
        EXPECT_EQ(sink.lines, c.lines) << c.row;
    }
}

// ---------------------------------------------------------------------------
// Platoon and Company Finders

Oob FinderFile()
{
    Oob o = NewOob();
    SetUnit(o, 2, "Panther", 5, {43, 1}, {45, 5});
    SetUnit(o, 3, "Foreign Tank", 5, {43, 1}, {45, 5}, 0, kOther);
    SetFormation(o, 1, "Sect", 0, {40, 1}, {45, 1}, {2});
    SetFormation(o, 5, "Recce", 1, {40, 1}, {45, 1}, {2});
    SetFormation(o, 6, "Foreign Plt", 1, {40, 1}, {45, 1}, {2}, kOther);
    SetFormation(o, 7, "Boats", 4, {40, 1}, {45, 1}, {2});
    SetFormation(o, 8, "x*Invalid*", 0, {40, 1}, {45, 1}, {2});
    SetFormation(o, 9, "", 1, {40, 1}, {45, 1}, {2});
    SetFormation(o, 20, "Coy", 2, {40, 1}, {45, 1}, {1005, 1006, 1000, 2, 3, 250, 1300, 2500, 0, 1008});
    SetFormation(o, 21, "Battle Grp", 3, {40, 1}, {45, 1}, {1020, 1005}, kOther);
    SetFormation(o, 22, "HQ", 5, {40, 1}, {45, 1}, {1005, 1021, 1005});
    SetFormation(o, 23, "Odd", 7, {40, 1}, {45, 1}, {1005});
    SetFormation(o, 24, "  ", 2, {40, 1}, {45, 1}, {1005});
    SetFormation(o, 300, "", 0, {0, 0}, {0, 0}, {}, 0);
    return o;
}

TEST(FormationChecks, PlatoonAndCompanyRows)
{
    const Oob o = FinderFile();
    const Lines platoons = PlatoonRows(o);
    const Lines companies = CompanyRows(o);
    ASSERT_EQ(platoons.size(), 999u);
    ASSERT_EQ(companies.size(), 999u);
    struct Case {
        int f;
        const char* platoon;
        const char* company;
    };
    const Case cases[] = {
        {1, "001 - Sect", "001 - *INVALID*"},
        {5, "005 - Recce", "005 - *INVALID*"},
        {6, "006 - Foreign Plt - nation is 9!", "006 - *INVALID*"},
        {7, "007 - Boats", "007 - *INVALID*"},
        {8, "008 - x*Invalid*", "008 - *INVALID*"},
        {9, "009 - *INVALID*", "009 - *INVALID*"},
        {20, "020 - *INVALID*", "020 - Coy - Company"},
        {21, "021 - *INVALID*", "021 - Battle Grp - Combat Group - nation is 9!"},
        {22, "022 - *INVALID*", "022 - *INVALID*"},
        {24, "024 - *INVALID*", "024 - *INVALID*"},
        {999, "999 - *INVALID*", "999 - *INVALID*"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platoons[static_cast<std::size_t>(c.f - 1)], c.platoon) << c.f;
        EXPECT_EQ(companies[static_cast<std::size_t>(c.f - 1)], c.company) << c.f;
    }
}

TEST(FormationChecks, ShowPlatoonUsers)
{
    const Oob o = FinderFile();
    struct Case {
        int row;
        bool shown;
        Lines lines;
    };
    const Case cases[] = {
        {4, true,
         {"Platoon 5 Recce used in the following:", "Used in Formation 20 Coy of type 2 - Company",
          "Used in Formation 21 Battle Grp of type 3 - Combat Group", "Used in Formation 22 HQ of type 5 - Bn HQ",
          "Used in Formation 23 Odd of type 7 - Unknown", "Used in Formation 24  of type 2 - Company"}},
        {5, true, {"Platoon 6 Foreign Plt used in the following:", "Used in Formation 20 Coy of type 2 - Company"}},
        {0, true, {"Platoon 1 Sect used in the following:"}},
        // The row is decided by the record: a Section whose name reads "*Invalid*" is shown.
        {7, true, {"Platoon 8 x*Invalid* used in the following:", "Used in Formation 20 Coy of type 2 - Company"}},
        {8, false, {}},    // free
        {19, false, {}},   // a Company
        {-1, false, {}},
        {999, false, {}},
    };
    for (const Case& c : cases) {
        LinesSink sink;
        EXPECT_EQ(ShowPlatoonUsers(o, c.row, sink), c.shown) << c.row;
        EXPECT_EQ(sink.lines, c.lines) << c.row;
    }
}

TEST(FormationChecks, ShowCompanyContents)
{
    Oob o = FinderFile();
    o.UnitTable[250].Class = 12;
    struct Case {
        int row;
        bool shown;
        Lines lines;
    };
    const Case cases[] = {
        {19, true,
         {"Company 20 Coy uses the following subordinate units or platoons:", "Formation 5 Recce (Platoon)",
          "Formation 6 Foreign Plt (Platoon) Wrong Country! (9)", "Template Unit 1000 BROKEN LINK!",
          "Template Unit 2 Panther (class 5 Tank)", "Template Unit 3 Foreign Tank (class 5 Tank) Wrong Country! (9)",
          "Template Unit 250 BROKEN LINK! (class 12 Truck) Wrong Country! (0)",
          "Formation 300 BROKEN LINK! (Section) Wrong Country! (0)", "Formation 1500 BROKEN LINK!",
          "Formation 8 x*Invalid* (Section)"}},
        {20, true,
         {"Company 21 Battle Grp uses the following subordinate units or platoons:", "Formation 20 Coy (Company)",
          "Formation 5 Recce (Platoon)"}},
        {21, false, {}},  // Bn HQ
        {23, false, {}},  // blank name
        {4, false, {}},
        {-1, false, {}},
        {999, false, {}},
    };
    for (const Case& c : cases) {
        LinesSink sink;
        EXPECT_EQ(ShowCompanyContents(o, c.row, sink), c.shown) << c.row;
        EXPECT_EQ(sink.lines, c.lines) << c.row;
    }
}

// ---------------------------------------------------------------------------
// X3 Dates Check

TEST(FormationChecks, CheckX3Dates)
{
    struct Case {
        const char* what;
        Ym unitFrom, unitTo;
        int radio;
        Lines lines;  // after the heading, for formation 3 "Plt" from 40/03 to 45/05, unit 8 "Radio Car" in slot 2
    };
    const Case cases[] = {
        {"start years equal, unit starts later in the year", {40, 6}, {45, 5}, 13,
         {"Formation 3 Plt Slot 2 Radio Car",
          " ==>  -- Start years equal(40 }, but unit start month (6) > Formation start month (3)"}},
        {"unit starts in a later year", {42, 1}, {45, 5}, 3,
         {"Formation 3 Plt Slot 2 Radio Car", " ==>  -- Unit start year (42) > formation start year (40) "}},
        {"unit ends in an earlier year", {40, 1}, {44, 12}, 23,
         {"Formation 3 Plt Slot 2 Radio Car", " ==>  -- Unit end year (44) < Formation end year (45) "}},
        {"end years equal, unit ends earlier in the year", {40, 1}, {45, 3}, 253,
         {"Formation 3 Plt Slot 2 Radio Car",
          " ==>  -- End Years equal (45), but Unit End Month (3) is < Formation End Month (5) "}},
        {"both ends", {41, 2}, {45, 4}, 3,
         {"Formation 3 Plt Slot 2 Radio Car",
          " ==>  -- Unit start year (41) > formation start year (40)  -- End Years equal (45), but Unit End Month "
          "(4) is < Formation End Month (5) "}},
        {"covers the whole lifetime", {40, 3}, {45, 5}, 13, {}},
        {"no X3 code", {42, 1}, {44, 1}, 14, {}},
    };
    for (const Case& c : cases) {
        Oob o = NewOob();
        SetUnit(o, 8, "Radio Car", 12, c.unitFrom, c.unitTo, c.radio);
        SetFormation(o, 3, "Plt", 1, {40, 3}, {45, 5}, {0, 8});
        SetFormation(o, 4, "", 1, {40, 3}, {45, 5}, {8});  // free: not checked
        LinesSink sink;
        CheckX3Dates(o, sink);
        EXPECT_EQ(sink.lines, Concat({{" problem X3 template units in formations found:"}, c.lines})) << c.what;
    }
}

// ---------------------------------------------------------------------------
// Formation Date Check

const Lines kGapsHead = {"Checking gaps in formations", ""};
const Lines kNestedHead = {"", "============ checking formations =========", ""};
const Lines kCompaniesHead = {"", "============ companies containing companies check =========", ""};
const Lines kRunComplete = {"", "============ run complete =========", ""};

Lines Completed(const Lines& gaps, const Lines& nested, const Lines& companies)
{
    return Concat({kGapsHead, gaps, kNestedHead, nested, kCompaniesHead, companies, kRunComplete});
}

struct DatesCase {
    const char* what;
    std::function<void(Oob&)> setup;
    Lines lines;
    std::string stop;  // empty: the run completes
};

void RunDatesCases(const std::vector<DatesCase>& cases)
{
    for (const DatesCase& c : cases) {
        Oob o = NewOob();
        c.setup(o);
        LinesSink sink;
        const ReportEnd end = CheckFormationDates(o, sink);
        EXPECT_EQ(sink.lines, c.lines) << c.what;
        EXPECT_EQ(end.Stopped, !c.stop.empty()) << c.what;
        EXPECT_EQ(end.Message, c.stop) << c.what;
    }
}

TEST(FormationChecks, CheckFormationDatesGaps)
{
    RunDatesCases({
        {"a lifetime before 1949 examines nothing",
         [](Oob& o) {
             SetUnit(o, 1, "Tank", 5, {30, 1}, {60, 1}, 0, kOther);
             SetFormation(o, 1, "Old Plt", 1, {30, 1}, {46, 2}, {1});
         },
         Completed({}, {}, {}), ""},
        {"the raised first year keeps the start month",
         [](Oob& o) {
             SetUnit(o, 1, "Tank", 5, {30, 1}, {60, 1}, 0, kOther);
             SetFormation(o, 2, "Late War", 1, {45, 9}, {51, 2}, {1});
         },
         Completed({"Formation 2  Late War - Slot 1 Tank not available at date 9\\1949"}, {}, {}), ""},
        {"months in order across the year",
         [](Oob& o) {
             SetUnit(o, 1, "Tank", 5, {50, 11}, {50, 12});
             SetUnit(o, 2, "Tank B", 5, {51, 2}, {51, 2});
             SetFormation(o, 3, "Winter", 1, {50, 11}, {51, 2}, {1});
         },
         Completed({"Formation 3  Winter - Slot 1 Tank not available at date 1\\1951"}, {}, {}), ""},
        {"a gap in March 1950 in two slots, none reported later",
         [](Oob& o) {
             SetUnit(o, 1, "Tank", 5, {49, 1}, {50, 2});
             SetUnit(o, 2, "Rifles", 9, {49, 1}, {50, 2});
             SetUnit(o, 3, "Truck", 12, {40, 1}, {60, 12});
             SetUnit(o, 5, "Tank B", 5, {50, 4}, {60, 1});
             SetFormation(o, 4, "Mixed Plt", 1, {49, 6}, {52, 1}, {1, 3, 2});
         },
         Completed({"Formation 4  Mixed Plt - Slot 1 Tank not available at date 3\\1950",
                    "Formation 4  Mixed Plt - Slot 3 Rifles not available at date 3\\1950"},
                   {}, {}),
         ""},
        {"an X3 unit alone leaves the gap and warns",
         [](Oob& o) {
             SetUnit(o, 1, "Radio Tank", 5, {49, 1}, {60, 12}, 3);
             SetFormation(o, 5, "X3 Plt", 1, {50, 1}, {50, 3}, {1});
         },
         Completed({"Formation 5  X3 Plt - Slot 1 Tank not available at date 1\\1950", "",
                    "WARNING  Formation 5 - Units ignored due to X3 radiocode", ""},
                   {}, {}),
         ""},
        {"an X3 unit before the covering unit warns, one after it does not",
         [](Oob& o) {
             SetUnit(o, 1, "Radio Tank", 5, {49, 1}, {60, 12}, 13);
             SetUnit(o, 2, "Tank", 5, {49, 1}, {60, 12});
             SetUnit(o, 3, "Rifles", 9, {49, 1}, {60, 12});
             SetUnit(o, 4, "Radio Rifles", 9, {49, 1}, {60, 12}, 23);
             SetFormation(o, 6, "Early X3", 1, {50, 1}, {50, 12}, {2});
             SetFormation(o, 7, "Late X3", 1, {50, 1}, {50, 12}, {4});
         },
         Completed({"", "WARNING  Formation 6 - Units ignored due to X3 radiocode", ""}, {}, {}), ""},
        {"units of another nation and free units do not cover",
         [](Oob& o) {
             SetUnit(o, 1, "Foreign Tank", 5, {49, 1}, {60, 12}, 0, kOther);
             SetUnit(o, 2, "", 5, {49, 1}, {60, 12});
             SetUnit(o, 3, "   ", 5, {49, 1}, {60, 12});
             SetUnit(o, 4, "", 5, {0, 13}, {0, 0});  // free: its dates are never read
             SetFormation(o, 8, "Lonely", 1, {50, 1}, {50, 2}, {1});
         },
         Completed({"Formation 8  Lonely - Slot 1 Tank not available at date 1\\1950"}, {}, {}), ""},
        {"the gap line carries the raw name",
         [](Oob& o) {
             SetUnit(o, 1, "Tank", 5, {49, 1}, {60, 12}, 0, kOther);
             SetFormation(o, 9, " Spaced ", 1, {50, 1}, {50, 1}, {1});
         },
         Completed({"Formation 9   Spaced  - Slot 1 Tank not available at date 1\\1950"}, {}, {}), ""},
        {"years past 120 are not examined",
         [](Oob& o) {
             SetUnit(o, 1, "Tank", 5, {110, 1}, {120, 12});
             SetFormation(o, 10, "Future", 1, {119, 6}, {125, 3}, {1});
         },
         Completed({}, {}, {}), ""},
    });
}

TEST(FormationChecks, CheckFormationDatesNestingAndCompanies)
{
    RunDatesCases({
        {"sub-formation dates against the parent's; 1000, codes past the table and cleared free slots skipped",
         [](Oob& o) {
             SetFormation(o, 10, "Coy", 2, {50, 1}, {55, 12}, {1011, 1012, 1013, 1014, 1000, 2500, 1015, 1016});
             SetFormation(o, 11, "Late Plt", 1, {56, 1}, {57, 1}, {});
             SetFormation(o, 12, "Early Plt", 1, {45, 1}, {49, 12}, {});
             SetFormation(o, 13, "Short Plt", 1, {52, 3}, {54, 6}, {});
             SetFormation(o, 14, "Same Plt", 1, {50, 1}, {55, 12}, {});
             SetFormation(o, 15, "", 0, {0, 0}, {0, 0}, {}, 0);
             SetFormation(o, 16, "", 0, {52, 1}, {53, 1}, {}, kOther);
         },
         Completed({},
                   {"10 - Coy -  Sub Formation Slot 1 => 11 Late Plt Starts AFTER Formation END Date - ERROR!",
                    "10 - Coy -  Sub Formation Slot 1 => 11 Late Plt Starts after Company Start Date",
                    "10 - Coy -  Sub Formation Slot 2 => 12 Early Plt Ends BEFORE Company START Date - ERROR!",
                    "10 - Coy -  Sub Formation Slot 2 => 12 Early Plt Finishes Before Company End Date",
                    "10 - Coy -  Sub Formation Slot 3 => 13 Short Plt Starts after Company Start Date",
                    "10 - Coy -  Sub Formation Slot 3 => 13 Short Plt Finishes Before Company End Date",
                    "10 - Coy -  Sub Formation Slot 8 => 16  Starts after Company Start Date",
                    "10 - Coy -  Sub Formation Slot 8 => 16  Finishes Before Company End Date"},
                   {}),
         ""},
        {"a formation linking a free slot whose dates were cleared runs to the end",
         [](Oob& o) {
             SetFormation(o, 30, "Named Plt", 2, {50, 1}, {55, 12}, {1031});
             SetFormation(o, 31, "", 0, {0, 0}, {0, 0}, {}, 0);
         },
         Completed({}, {}, {}), ""},
        {"companies in companies",
         [](Oob& o) {
             SetFormation(o, 20, "Coy", 2, {50, 1}, {55, 12}, {1021, 1022, 1023, 1024, 2500, 1030});
             SetFormation(o, 21, "Battle Grp", 3, {50, 1}, {55, 12}, {1030});
             SetFormation(o, 22, "Navy", 4, {50, 1}, {55, 12}, {});
             SetFormation(o, 23, "Plt", 1, {50, 1}, {55, 12}, {});
             SetFormation(o, 24, "HQ", 5, {50, 1}, {55, 12}, {});
             SetFormation(o, 25, "Big Plt", 1, {50, 1}, {55, 12}, {1020});
             SetFormation(o, 26, "Bn", 5, {50, 1}, {55, 12}, {1020});
             SetFormation(o, 27, "Big Sect", 0, {50, 1}, {55, 12}, {1020});
         },
         Completed({}, {},
                   {"Checking 20 == Coy Sub Formation Slot 1 => 21 Battle Grp is a COMPANY inside a COMPANY type formation!",
                    "Checking 20 == Coy Sub Formation Slot 2 => 22 Navy is a COMPANY inside a COMPANY type formation!",
                    "Checking 20 == Coy Sub Formation Slot 4 => 24 HQ is a COMPANY inside a COMPANY type formation!",
                    "Checking 26 == Bn Sub Formation Slot 1 => 20 Coy is a COMPANY inside a COMPANY type formation!"}),
         ""},
    });
}

TEST(FormationChecks, CheckFormationDatesStopsAtARecordInUseWithoutDate)
{
    RunDatesCases({
        {"year index 0 stops the nested pass at that formation",
         [](Oob& o) {
             SetFormation(o, 100, "Good", 2, {50, 1}, {52, 1}, {1101});
             SetFormation(o, 101, "Sub", 1, {53, 1}, {54, 1}, {});
             SetFormation(o, 450, "Year Zero", 2, {0, 1}, {55, 12}, {});
             SetFormation(o, 500, "After", 2, {50, 1}, {52, 1}, {1101});
         },
         Concat({kGapsHead, kNestedHead,
                 {"100 - Good -  Sub Formation Slot 1 => 101 Sub Starts AFTER Formation END Date - ERROR!",
                  "100 - Good -  Sub Formation Slot 1 => 101 Sub Starts after Company Start Date"}}),
         "Formation 450 Year Zero has year index 0 in its start date: the check stops here."},
        {"a unit the class search reaches stops the gap pass",
         [](Oob& o) {
             SetUnit(o, 3, "Rifles", 9, {49, 1}, {60, 12}, 0, kOther);
             SetUnit(o, 12, "Panzer IV", 5, {50, 1}, {50, 13});
             SetFormation(o, 1, "First", 1, {50, 1}, {50, 3}, {3});
             SetFormation(o, 2, "Second", 1, {50, 1}, {50, 3}, {12});
         },
         Concat({kGapsHead, {"Formation 1  First - Slot 1 Rifles not available at date 1\\1950"}}),
         "Unit 12 Panzer IV has month 13 in its end date: the check stops here."},
        {"a unit after the first covering one is never reached; free ones are skipped",
         [](Oob& o) {
             SetUnit(o, 1, "Good", 5, {49, 1}, {60, 12});
             SetUnit(o, 12, "Panzer IV", 5, {50, 1}, {50, 13});
             SetUnit(o, 13, "", 5, {0, 1}, {60, 12});
             SetFormation(o, 2, "Second", 1, {50, 1}, {50, 3}, {12});
         },
         Completed({}, {}, {}), ""},
        {"start month 0 with a unit to search stops at once",
         [](Oob& o) {
             SetUnit(o, 1, "Tank", 5, {49, 1}, {60, 12});
             SetFormation(o, 6, "Bad Month", 1, {50, 0}, {50, 3}, {1});
         },
         kGapsHead, "Formation 6 Bad Month has month 0 in its start date: the check stops here."},
        {"start month 0 with nothing to search is a gap, then the nested pass stops",
         [](Oob& o) {
             SetUnit(o, 3, "Rifles", 9, {49, 1}, {60, 12}, 0, kOther);
             SetFormation(o, 6, "Bad Month", 1, {50, 0}, {50, 3}, {3});
         },
         Concat({kGapsHead, {"Formation 6  Bad Month - Slot 1 Rifles not available at date 0\\1950"}, kNestedHead}),
         "Formation 6 Bad Month has month 0 in its start date: the check stops here."},
        {"end month 13 stops after the months that form dates",
         [](Oob& o) {
             SetUnit(o, 1, "Tank", 5, {49, 1}, {60, 12});
             SetFormation(o, 7, "Long", 1, {49, 11}, {50, 15}, {1});
         },
         kGapsHead, "Formation 7 Long has month 15 in its end date: the check stops here."},
        {"start month 13 skips its first year; the nested pass stops",
         [](Oob& o) {
             SetUnit(o, 1, "Tank", 5, {51, 1}, {60, 12});
             SetFormation(o, 8, "Odd Start", 1, {50, 13}, {51, 2}, {1});
         },
         Concat({kGapsHead, kNestedHead}), "Formation 8 Odd Start has month 13 in its start date: the check stops here."},
        {"a named sub-formation without date stops at its parent",
         [](Oob& o) {
             SetFormation(o, 10, "Coy", 2, {50, 1}, {55, 12}, {1011});
             SetFormation(o, 11, "Bad Plt", 1, {50, 13}, {51, 1}, {});
         },
         Concat({kGapsHead, kNestedHead}), "Formation 11 Bad Plt has month 13 in its start date: the check stops here."},
        {"the unit's start is converted before the month examined",
         [](Oob& o) {
             SetUnit(o, 1, "Tank", 5, {50, 0}, {60, 12});
             SetFormation(o, 6, "Bad Month", 1, {50, 0}, {50, 3}, {1});
         },
         kGapsHead, "Unit 1 Tank has month 0 in its start date: the check stops here."},
        {"unit year index 0",
         [](Oob& o) {
             SetUnit(o, 5, "Ancient", 9, {0, 1}, {60, 12});
             SetFormation(o, 3, "Inf", 1, {50, 1}, {50, 2}, {5});
         },
         kGapsHead, "Unit 5 Ancient has year index 0 in its start date: the check stops here."},
    });
}

TEST(FormationChecks, CheckFormationDatesStatusLine)
{
    Oob o = NewOob();
    SetFormation(o, 9, " Spaced ", 1, {50, 1}, {50, 1}, {});
    SetFormation(o, 12, "Coy", 2, {50, 1}, {50, 1}, {});
    LinesSink sink;
    CheckFormationDates(o, sink);
    const Lines each = {"Checking 9 == Spaced", "Checking 12 == Coy"};
    EXPECT_EQ(sink.statuses, Concat({each, each, each}));
}

// ---------------------------------------------------------------------------
// Platoon In Platoon

TEST(FormationChecks, CheckPlatoonsInPlatoons)
{
    Oob o = NewOob();
    SetUnit(o, 1, "Tank", 5, {49, 1}, {60, 12});
    SetFormation(o, 3, "Sect", 0, {50, 1}, {55, 1}, {1005, 1, 1, 1006, 1, 2500});
    SetFormation(o, 4, "Only First", 0, {50, 1}, {55, 1}, {1005});
    SetFormation(o, 5, "Plt", 1, {50, 1}, {55, 1}, {1, 1006});
    SetFormation(o, 6, "Sect B", 0, {50, 1}, {55, 1}, {1, 1000});
    SetFormation(o, 7, "", 0, {50, 1}, {55, 1}, {1, 1003});
    LinesSink sink;
    CheckPlatoonsInPlatoons(o, sink);
    const Lines expected = {"Checking for any platoons containing platoons",
                            "",
                            "Checking 3 == Sect is a platoon",
                            "  ERROR -  Slot 4 contains a platoon (1006)",
                            "  ERROR -  Slot 6 contains a platoon (2500)",
                            "Checking 6 == Sect B is a platoon",
                            "  ERROR -  Slot 2 contains a platoon (1000)",
                            "",
                            "============ run complete =========",
                            ""};
    EXPECT_EQ(sink.lines, expected);
    const Lines statuses = {"Checking 3 == Sect", "Checking 4 == Only First", "Checking 5 == Plt",
                            "Checking 6 == Sect B"};
    EXPECT_EQ(sink.statuses, statuses);
}

// ---------------------------------------------------------------------------
// The indexed date check against its literal reading

class RandomFile {
public:
    explicit RandomFile(std::uint32_t seed) : rng_(seed) {}

    Oob Make()
    {
        Oob o = NewOob();
        o.Names.UnitClassNames[1] = "One";
        const bool noDates = Chance(50);  // records in use whose dates form no date
        const int classes[] = {1, 5, 9, 12, 44};

        const int units = Pick(12, 40);
        for (int k = 0; k < units; ++k) {
            const int u = Chance(80) ? Pick(1, 60) : Pick(1, 999);
            UnitRecord& r = o.UnitTable[static_cast<std::size_t>(u)];
            const int kind = Pick(1, 100);
            r.Name = kind <= 75 ? "U" + std::to_string(u) : kind <= 90 ? "" : "  ";
            r.Class = static_cast<std::uint8_t>(classes[Pick(0, 4)]);
            r.Nation = static_cast<std::uint8_t>(Chance(80) ? kOwn : Chance(50) ? kOther : 0);
            r.Radio = static_cast<std::uint8_t>(Chance(25) ? 10 * Pick(0, 25) + 3 : 10 * Pick(0, 24) + Pick(4, 9));
            SetLife(r.YrAvail, r.MonthAvail, r.YrUnavail, r.MonthUnAvail, 46, 53, 48);
            const bool named = kind <= 75;
            if (!named && Chance(30)) {
                r.YrAvail = r.MonthAvail = r.YrUnavail = r.MonthUnAvail = 0;
            } else if ((named && noDates && Chance(6)) || (!named && Chance(20))) {
                Spoil(r.YrAvail, r.MonthAvail, r.YrUnavail, r.MonthUnAvail);
            }
        }

        // Now and then the first unit the search of a class reaches has a start
        // that forms no date, met by a formation month that forms none either.
        if (noDates && Chance(30)) {
            UnitRecord& first = SetUnit(o, 1, "First", classes[Pick(0, 4)], {Pick(46, 50), Pick(1, 12)}, {60, 12});
            Spoil(first.YrAvail, first.MonthAvail, first.YrAvail, first.MonthAvail);
        }

        // Some classes are available all along from a unit late in the table, so
        // that formations also run to the end of their lifetime; class 0 is the
        // class of the free unit slots.
        const int allAlong[] = {0, 1, 5, 9, 12, 44};
        const bool allClasses = Chance(30);
        for (int k = 0; k < 6; ++k) {
            if (allClasses || Chance(40))
                SetUnit(o, 61 + k, "All along", allAlong[k], {46, 1}, {60, 12});
        }

        const int named = Pick(2, 7);
        std::vector<int> forms;
        for (int k = 0; k < named + 3; ++k)
            forms.push_back(Pick(1, 40));
        for (int k = 0; k < static_cast<int>(forms.size()); ++k) {
            FormationRecord& r = o.FormationTable[static_cast<std::size_t>(forms[static_cast<std::size_t>(k)])];
            const bool inUse = k < named;
            r.Name = inUse ? "F" + std::to_string(forms[static_cast<std::size_t>(k)]) : "";
            r.FormType = static_cast<std::uint8_t>(Pick(0, 5));
            r.Page = static_cast<std::uint8_t>(Pick(0, 5));
            r.Nation = static_cast<std::uint8_t>(Chance(80) ? kOwn : kOther);
            SetLife(r.YrAvail, r.MonthAvail, r.YrUntil, r.MonthUntil, 47, 52, 18);
            if (!inUse && Chance(50)) {
                r.Nation = 0;
                r.YrAvail = r.MonthAvail = r.YrUntil = r.MonthUntil = 0;
            } else if ((inUse && noDates && Chance(35)) || (!inUse && Chance(20))) {
                Spoil(r.YrAvail, r.MonthAvail, r.YrUntil, r.MonthUntil);
            }
            for (auto& slot : r.Slot) {
                const int kind = Pick(1, 100);
                if (kind <= 35)
                    slot = 0;
                else if (kind <= 75)
                    slot = static_cast<std::uint16_t>(Pick(1, 60));
                else if (kind <= 90)
                    slot = static_cast<std::uint16_t>(1000 + forms[static_cast<std::size_t>(Pick(0, named + 2))]);
                else if (kind <= 94)
                    slot = 1000;
                else if (kind <= 97)
                    slot = static_cast<std::uint16_t>(Pick(2000, 65535));
                else
                    slot = static_cast<std::uint16_t>(Pick(1, 999));
            }
        }
        return o;
    }

private:
    bool Chance(int percent) { return Pick(1, 100) <= percent; }
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // A lifetime starting in years lo..hi and lasting up to span months.
    void SetLife(std::uint8_t& y0, std::uint8_t& m0, std::uint8_t& y1, std::uint8_t& m1, int lo, int hi, int span)
    {
        const int start = Pick(lo, hi) * 12 + Pick(0, 11);
        const int end = start + Pick(0, span);
        y0 = static_cast<std::uint8_t>(start / 12);
        m0 = static_cast<std::uint8_t>(start % 12 + 1);
        y1 = static_cast<std::uint8_t>(end / 12);
        m1 = static_cast<std::uint8_t>(end % 12 + 1);
    }

    // One of the four fields takes a value that forms no date; a month more often
    // than a year, as only months are met inside the gap pass's loop.
    void Spoil(std::uint8_t& y0, std::uint8_t& m0, std::uint8_t& y1, std::uint8_t& m1)
    {
        static const int startMonths[] = {0, 0, 13};
        static const int endMonths[] = {0, 13, 15};
        switch (Pick(0, 6)) {
        case 0: y0 = 0; break;
        case 1: y1 = 0; break;
        case 2:
        case 3: m0 = static_cast<std::uint8_t>(startMonths[Pick(0, 2)]); break;
        default: m1 = static_cast<std::uint8_t>(endMonths[Pick(0, 2)]); break;
        }
    }

    std::mt19937 rng_;
};

TEST(FormationChecks, CheckFormationDatesMatchesTheLiteralReadingOnRandomFiles)
{
    int completed = 0, unitStops = 0, gapPassStartStops = 0, gapPassEndStops = 0, nestedStops = 0;
    int gapLines = 0, warnings = 0, nestedLines = 0, companyLines = 0;
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        const Oob o = RandomFile(seed).Make();
        LinesSink literal;
        const ReportEnd literalEnd = reference::CheckFormationDates(o, literal);
        LinesSink indexed;
        const ReportEnd indexedEnd = CheckFormationDates(o, indexed);
        ASSERT_EQ(indexed.lines, literal.lines) << "seed " << seed;
        ASSERT_EQ(indexed.statuses, literal.statuses) << "seed " << seed;
        ASSERT_EQ(indexedEnd.Stopped, literalEnd.Stopped) << "seed " << seed;
        ASSERT_EQ(indexedEnd.Message, literalEnd.Message) << "seed " << seed;
        ASSERT_EQ(TemplateUnitRows(o), reference::TemplateUnitRows(o)) << "seed " << seed;

        // What the files exercised.
        const bool inNested =
            std::find(literal.lines.begin(), literal.lines.end(), kNestedHead[1]) != literal.lines.end();
        if (!literalEnd.Stopped)
            ++completed;
        else if (!inNested && literalEnd.Message.rfind("Unit ", 0) == 0)
            ++unitStops;
        else if (!inNested && literalEnd.Message.find("in its start date") != std::string::npos)
            ++gapPassStartStops;
        else if (!inNested)
            ++gapPassEndStops;
        else
            ++nestedStops;
        for (const std::string& l : literal.lines) {
            gapLines += l.find(" not available at date ") != std::string::npos;
            warnings += l.rfind("WARNING  Formation ", 0) == 0;
            nestedLines += l.find(" Sub Formation Slot ") != std::string::npos && l.rfind("Checking ", 0) != 0;
            companyLines += l.find(" is a COMPANY inside a COMPANY type formation!") != std::string::npos;
        }

        // The other checks run over the same files without reading outside the tables.
        LinesSink other;
        FindFormationsUsingClass(o, 5, other);
        CheckBrokenLinks(o, "now", other);
        CheckX3Dates(o, other);
        CheckPlatoonsInPlatoons(o, other);
        for (int row = 0; row < 60; ++row) {
            ShowTemplateUnitUsers(o, row, other);
            ShowPlatoonUsers(o, row, other);
            ShowCompanyContents(o, row, other);
        }
    }
    EXPECT_GE(completed, 20);
    EXPECT_GE(unitStops, 5);
    EXPECT_GE(gapPassStartStops, 3);
    EXPECT_GE(gapPassEndStops, 3);
    EXPECT_GE(nestedStops, 5);
    EXPECT_GE(gapLines, 20);
    EXPECT_GE(warnings, 5);
    EXPECT_GE(nestedLines, 20);
    EXPECT_GE(companyLines, 5);
    std::printf("completed %d, stops: unit %d, gap pass start %d, end %d, nested pass %d; lines: gap %d, warning %d, "
                "nested %d, company %d\n",
                completed, unitStops, gapPassStartStops, gapPassEndStops, nestedStops, gapLines, warnings, nestedLines,
                companyLines);
}

}  // namespace
}  // namespace brackle

#include "reports/unit_weapon_checks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "reports/unit_weapon_checks_reference.h"

namespace brackle {
namespace {

using Lines = std::vector<std::string>;

constexpr int kHome = 5;
constexpr int kAbroad = 7;

Oob MakeOob()
{
    Oob oob;
    oob.CurrentOOB = kHome;
    oob.Names.UnitClassNames[0] = "Crew";
    oob.Names.UnitClassNames[3] = "Jeep";
    oob.Names.UnitClassNames[5] = "Tank";
    oob.Names.UnitClassNames[9] = "Gun";
    oob.Names.UnitClassNames[10] = "Truck";
    oob.Names.UnitClassNames[99] = "Ninety-nine";
    oob.Names.UnitClassNames[100] = "Hundred";
    oob.Names.UnitClassNames[214] = "Helicopter";
    oob.Names.UnitClassNames[255] = "Last Class";
    oob.Names.NationNames[kHome] = "Home";
    oob.Names.NationNames[kAbroad] = "Ruritania";
    return oob;
}

UnitRecord& PutUnit(Oob& oob, int u, const std::string& name, int unitClass, int nation, int ya, int ma, int yu,
                    int mu)
{
    UnitRecord& r = oob.UnitTable[static_cast<std::size_t>(u)];
    r.Name = name;
    r.Class = static_cast<std::uint8_t>(unitClass);
    r.Nation = static_cast<std::uint8_t>(nation);
    r.YrAvail = static_cast<std::uint8_t>(ya);
    r.MonthAvail = static_cast<std::uint8_t>(ma);
    r.YrUnavail = static_cast<std::uint8_t>(yu);
    r.MonthUnAvail = static_cast<std::uint8_t>(mu);
    return r;
}

FormationRecord& PutFormation(Oob& oob, int f, const std::string& name, int nation, int ya, int ma, int yu, int mu,
                              std::initializer_list<int> slots)
{
    FormationRecord& r = oob.FormationTable[static_cast<std::size_t>(f)];
    r.Name = name;
    r.Nation = static_cast<std::uint8_t>(nation);
    r.YrAvail = static_cast<std::uint8_t>(ya);
    r.MonthAvail = static_cast<std::uint8_t>(ma);
    r.YrUntil = static_cast<std::uint8_t>(yu);
    r.MonthUntil = static_cast<std::uint8_t>(mu);
    std::size_t i = 0;
    for (int v : slots)
        r.Slot[i++] = static_cast<std::uint16_t>(v);
    return r;
}

WeaponRecord& PutWeapon(Oob& oob, int w, const std::string& name, int weaponClass)
{
    WeaponRecord& r = oob.WeaponTable[static_cast<std::size_t>(w)];
    r.Name = name;
    r.Class = static_cast<std::uint8_t>(weaponClass);
    return r;
}

Lines Concat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// ---- Unit class lists and units of a class ---------------------------------

TEST(UnitClassRows, TwoDigitsAtLeastThenTheClassName)
{
    const Oob oob = MakeOob();
    const Lines rows = ClassRows(oob);
    ASSERT_EQ(rows.size(), 256u);
    EXPECT_EQ(rows[0], "00 - Crew");
    EXPECT_EQ(rows[3], "03 - Jeep");
    EXPECT_EQ(rows[7], "07 - ");
    EXPECT_EQ(rows[9], "09 - Gun");
    EXPECT_EQ(rows[10], "10 - Truck");
    EXPECT_EQ(rows[99], "99 - Ninety-nine");
    EXPECT_EQ(rows[100], "100 - Hundred");
    EXPECT_EQ(rows[255], "255 - Last Class");
}

TEST(UnitsOfClass, OneLinePerInUseUnitOfTheClass)
{
    struct Case {
        const char* what;
        std::function<void(Oob&)> setup;
        int unitClass;
        Lines expected;
    };
    const Case cases[] = {
        {"a home unit without X3 code",
         [](Oob& o) { PutUnit(o, 12, "Panzer IV", 5, kHome, 39, 3, 45, 5); }, 5,
         {"Searching for Units of class 5 Tank", "012 - Panzer IV  - Available 03/039 to 05/045 "}},
        {"a home unit with an X3 code",
         [](Oob& o) { PutUnit(o, 12, "Panzer IV", 5, kHome, 39, 3, 45, 5).Radio = 13; }, 5,
         {"Searching for Units of class 5 Tank", "012 - Panzer IV  - Available 03/039 to 05/045 *has X3 Radio Code*"}},
        {"a foreign unit with an X3 code",
         [](Oob& o) { PutUnit(o, 12, "Panzer IV", 5, kAbroad, 39, 3, 45, 5).Radio = 3; }, 5,
         {"Searching for Units of class 5 Tank",
          "012 - Panzer IV  - Available 03/039 to 05/045 *has X3 Radio Code* - Foreign Unit (nat 7) "}},
        {"a foreign unit without X3 code",
         [](Oob& o) { PutUnit(o, 12, "Panzer IV", 5, kAbroad, 39, 3, 45, 5).Radio = 30; }, 5,
         {"Searching for Units of class 5 Tank",
          "012 - Panzer IV  - Available 03/039 to 05/045  - Foreign Unit (nat 7) "}},
        {"the name trimmed and cut to 15 characters, three-digit years and two-digit months",
         [](Oob& o) {
             PutUnit(o, 7, "  Tiger  ", 5, kHome, 100, 12, 120, 1);
             PutUnit(o, 123, "ABCDEFGHIJKLMNOPQRST", 5, kHome, 1, 1, 9, 10);
         },
         5,
         {"Searching for Units of class 5 Tank", "007 - Tiger  - Available 12/100 to 01/120 ",
          "123 - ABCDEFGHIJKLMNO  - Available 01/001 to 10/009 "}},
        {"units of other classes and units without a name are left out",
         [](Oob& o) {
             PutUnit(o, 1, "Jeep", 3, kHome, 40, 1, 45, 1);
             PutUnit(o, 2, "   ", 5, kHome, 40, 1, 45, 1);
             PutUnit(o, 3, "", 5, kHome, 40, 1, 45, 1);
         },
         5, {"Searching for Units of class 5 Tank"}},
        {"class 0 finds its units and not the empty slots",
         [](Oob& o) { PutUnit(o, 999, "Crew", 0, kHome, 40, 1, 45, 1); }, 0,
         {"Searching for Units of class 0 Crew", "999 - Crew  - Available 01/040 to 01/045 "}},
        {"a class without a name",
         [](Oob&) {}, 200, {"Searching for Units of class 200 "}},
    };
    for (const Case& c : cases) {
        Oob oob = MakeOob();
        c.setup(oob);
        LinesSink sink;
        FindUnitsOfClass(oob, c.unitClass, sink);
        EXPECT_EQ(sink.lines, c.expected) << c.what;
    }
}

TEST(UnitForeign, NamedUnitsOfAnotherNationWithTheirClassAndNation)
{
    Oob oob = MakeOob();
    PutUnit(oob, 3, "Home Tank", 5, kHome, 40, 1, 45, 1);
    PutUnit(oob, 12, "Panzer IV", 5, kAbroad, 40, 1, 45, 1);
    PutUnit(oob, 13, "", 5, kAbroad, 40, 1, 45, 1);
    PutUnit(oob, 14, " ", 5, kAbroad, 40, 1, 45, 1);
    PutUnit(oob, 15, " Kubel ", 3, 0, 40, 1, 45, 1);
    PutUnit(oob, 200, "Far Away", 214, 200, 40, 1, 45, 1);
    LinesSink sink;
    FindForeignUnits(oob, sink);
    const Lines expected = {
        "Foreign uints found:",
        "Unit 012 -  Panzer IV (class 5 Tank) is assigned to nation 7 Ruritania",
        "Unit 015 -  Kubel (class 3 Jeep) is assigned to nation 0 Unknown",
        "Unit 200 -  Far Away (class 214 Helicopter) is assigned to nation 200 Unknown",
    };
    EXPECT_EQ(sink.lines, expected);
}

// ---- Orphan classes and units without a container formation ----------------

const Lines kOrphanMiddle = {
    " ", " ==================== ",
    "Searching for units which do not have a container formation at a particular date",
    " ==================== ", " ",
};
const Lines kOrphanEnd = {" ", " ==================== ", "**** Run Complete ****"};

TEST(UnitOrphanClasses, OrphansAndWeeksWithoutContainer)
{
    struct Case {
        const char* what;
        std::function<void(Oob&)> setup;
        Lines expected;
        std::string stop;  // empty: the run completes
    };
    const std::string tank12 = "012 - Panzer IV (005 - Tank) ";
    const Case cases[] = {
        {"a unit covered all its life by one formation",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 39, 3, 45, 5);
             PutFormation(o, 1, "Tank Platoon", kHome, 39, 1, 46, 1, {12});
         },
         Concat({kOrphanMiddle, kOrphanEnd}), ""},
        {"a class held only by a formation of another nation is placed and covered",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 39, 3, 45, 5);
             PutFormation(o, 1, "Their Platoon", kAbroad, 39, 1, 46, 1, {0, 0, 12});
         },
         Concat({kOrphanMiddle, kOrphanEnd}), ""},
        {"a class in no formation is an orphan",
         [](Oob& o) { PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 40, 1); },
         Concat({{tank12 + " - ORPHANED -"}, kOrphanMiddle, kOrphanEnd}), ""},
        {"a formation code is no unit, even 1000 + the unit's number",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 40, 1);
             PutFormation(o, 2, "Company", kHome, 39, 1, 46, 1, {1012, 1000});
         },
         Concat({{tank12 + " - ORPHANED -"}, kOrphanMiddle, kOrphanEnd}), ""},
        {"another unit of the class, foreign, places and covers it; foreign units are not listed",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 39, 3, 45, 5);
             PutUnit(o, 30, "Tiger", 5, kAbroad, 40, 1, 40, 1);
             PutUnit(o, 31, "Orphan Abroad", 9, kAbroad, 40, 1, 42, 1);
             PutFormation(o, 1, "Tiger Platoon", kHome, 39, 1, 46, 1, {30});
         },
         Concat({kOrphanMiddle, kOrphanEnd}), ""},
        {"an empty unit of the nation is listed as an orphan, and passed by when its dates were cleared",
         [](Oob& o) { PutUnit(o, 7, "", 3, kHome, 0, 0, 0, 0); },
         Concat({{"007 -  (003 - Jeep)  - ORPHANED -"}, kOrphanMiddle, kOrphanEnd}), ""},
        {"an empty unit of the nation with real dates is examined",
         [](Oob& o) { PutUnit(o, 7, " ", 3, kHome, 40, 1, 41, 1); },
         Concat({{"007 -  (003 - Jeep)  - ORPHANED -"}, kOrphanMiddle,
                 {"007 -  (003 - Jeep)  - has no corresponding formation at - 1/40"}, kOrphanEnd}),
         ""},
        {"the first week after the formation's end (year 40 has 366 days: week 53 is 6 January 41)",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 42, 1);
             PutFormation(o, 1, "Tank Platoon", kHome, 40, 1, 41, 1, {12});
         },
         Concat({kOrphanMiddle, {tank12 + " - has no corresponding formation at - 1/41"}, kOrphanEnd}), ""},
        {"the first week is already uncovered when the formation starts a month later",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 44, 3, 45, 1);
             PutFormation(o, 1, "Tank Platoon", kHome, 44, 4, 45, 1, {12});
         },
         Concat({kOrphanMiddle, {tank12 + " - has no corresponding formation at - 3/44"}, kOrphanEnd}), ""},
        {"two formations one after the other cover the year",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
             PutFormation(o, 1, "First Half", kHome, 40, 1, 40, 7, {12});
             PutFormation(o, 2, "Second Half", kAbroad, 40, 7, 41, 1, {12});
         },
         Concat({kOrphanMiddle, kOrphanEnd}), ""},
        {"a month between two formations: the week of 8 July 40 is the first uncovered",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
             PutFormation(o, 1, "First Half", kHome, 40, 1, 40, 7, {12});
             PutFormation(o, 2, "Autumn", kHome, 40, 8, 41, 1, {12});
         },
         Concat({kOrphanMiddle, {tank12 + " - has no corresponding formation at - 7/40"}, kOrphanEnd}), ""},
        {"a later formation in table order covering an earlier week counts as well",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
             PutFormation(o, 1, "Second Half", kHome, 40, 7, 41, 1, {12});
             PutFormation(o, 900, "First Half", kHome, 40, 1, 40, 7, {12});
         },
         Concat({kOrphanMiddle, kOrphanEnd}), ""},
        {"a formation ending before it starts covers nothing",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
             PutFormation(o, 1, "Backwards", kHome, 41, 1, 40, 1, {12});
         },
         Concat({kOrphanMiddle, {tank12 + " - has no corresponding formation at - 1/40"}, kOrphanEnd}), ""},
        {"units shorter than a week, or ending before they start, are never tested",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 45, 1, 45, 1);
             PutUnit(o, 13, "Panzer V", 5, kHome, 45, 6, 45, 1);
             PutFormation(o, 1, "Long Ago", kHome, 30, 1, 30, 2, {12});
         },
         Concat({kOrphanMiddle, kOrphanEnd}), ""},
        {"an empty formation whose dates were cleared is passed by, not counted as covering",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
             PutFormation(o, 3, "", 0, 0, 0, 0, 0, {12});
         },
         Concat({kOrphanMiddle, {tank12 + " - has no corresponding formation at - 1/40"}, kOrphanEnd}), ""},
        {"an empty formation with dates that form no date is passed by before a covering one",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
             PutFormation(o, 3, "  ", kHome, 40, 13, 41, 1, {12});
             PutFormation(o, 4, "Tank Platoon", kHome, 39, 1, 42, 1, {12});
         },
         Concat({kOrphanMiddle, kOrphanEnd}), ""},
        {"an empty formation with real dates covers",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
             PutFormation(o, 3, "", 0, 39, 1, 46, 1, {12});
         },
         Concat({kOrphanMiddle, kOrphanEnd}), ""},
        {"a named unit whose end month is 13 stops the check; the lines before it stay",
         [](Oob& o) {
             PutUnit(o, 5, "Jeep A", 3, kHome, 40, 1, 41, 1);
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 13);
             PutUnit(o, 20, "Jeep B", 3, kHome, 40, 1, 41, 1);
         },
         Concat({{"005 - Jeep A (003 - Jeep)  - ORPHANED -", tank12 + " - ORPHANED -",
                  "020 - Jeep B (003 - Jeep)  - ORPHANED -"},
                 kOrphanMiddle,
                 {"005 - Jeep A (003 - Jeep)  - has no corresponding formation at - 1/40"}}),
         "Unit 12 Panzer IV has month 13 in its end date: the check stops here."},
        {"a named unit too short to be tested still stops the check when its start date forms no date",
         [](Oob& o) { PutUnit(o, 12, "Panzer IV", 5, kHome, 0, 1, 0, 1); },
         Concat({{tank12 + " - ORPHANED -"}, kOrphanMiddle}),
         "Unit 12 Panzer IV has year index 0 in its start date: the check stops here."},
        {"both dates of a unit bad: the start date is named, its month before its year",
         [](Oob& o) { PutUnit(o, 12, "Panzer IV", 5, kHome, 0, 0, 0, 45); },
         Concat({{tank12 + " - ORPHANED -"}, kOrphanMiddle}),
         "Unit 12 Panzer IV has month 0 in its start date: the check stops here."},
        {"a foreign unit with a bad date is not examined",
         [](Oob& o) { PutUnit(o, 12, "Panzer IV", 5, kAbroad, 40, 13, 0, 1); },
         Concat({kOrphanMiddle, kOrphanEnd}), ""},
        {"a named formation with year index 0 stops the check when an uncovered week reaches it",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
             PutFormation(o, 10, "Tank Platoon", kHome, 40, 1, 40, 7, {12});
             PutFormation(o, 450, "Year Zero", kHome, 0, 3, 45, 1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 12});
         },
         kOrphanMiddle, "Formation 450 Year Zero has year index 0 in its start date: the check stops here."},
        {"a named formation with a bad end date is met at the first week when it comes first in the table",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
             PutFormation(o, 10, "Bad End", kHome, 40, 1, 0, 7, {12});
             PutFormation(o, 450, "Tank Platoon", kHome, 39, 1, 46, 1, {12});
         },
         kOrphanMiddle, "Formation 10 Bad End has year index 0 in its end date: the check stops here."},
        {"a named formation with a bad date is never reached when an earlier one covers every week",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
             PutFormation(o, 10, "Tank Platoon", kHome, 39, 1, 46, 1, {12});
             PutFormation(o, 450, "Year Zero", kHome, 0, 3, 45, 1, {12});
         },
         Concat({kOrphanMiddle, kOrphanEnd}), ""},
        {"a named formation with a bad date holding only another class is never converted",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
             PutUnit(o, 40, "Pak 40", 9, kAbroad, 40, 1, 41, 1);
             PutFormation(o, 10, "Gun Troop", kHome, 40, 0, 41, 1, {40, 1012});
             PutFormation(o, 11, "Tank Platoon", kHome, 39, 1, 46, 1, {12});
         },
         Concat({kOrphanMiddle, kOrphanEnd}), ""},
        {"a unit shorter than a week never reaches a bad formation of its class",
         [](Oob& o) {
             PutUnit(o, 12, "Panzer IV", 5, kHome, 45, 2, 45, 2);
             PutFormation(o, 10, "Month Zero", kHome, 40, 0, 41, 1, {12});
         },
         Concat({kOrphanMiddle, kOrphanEnd}), ""},
        {"units found before a bad formation is reached keep their lines",
         [](Oob& o) {
             PutUnit(o, 3, "Jeep A", 3, kHome, 40, 1, 41, 1);
             PutUnit(o, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
             PutFormation(o, 10, "Tank Platoon", kHome, 40, 1, 40, 7, {12, 3});
             PutFormation(o, 20, "Month 13", kHome, 41, 1, 41, 13, {12});
         },
         Concat({kOrphanMiddle,
                 {"003 - Jeep A (003 - Jeep)  - has no corresponding formation at - 7/40"}}),
         "Formation 20 Month 13 has month 13 in its end date: the check stops here."},
    };
    for (const Case& c : cases) {
        Oob oob = MakeOob();
        c.setup(oob);
        LinesSink sink;
        const ReportEnd end = FindOrphanClasses(oob, sink);
        EXPECT_EQ(sink.lines, c.expected) << c.what;
        EXPECT_EQ(end.Stopped, !c.stop.empty()) << c.what;
        EXPECT_EQ(end.Message, c.stop) << c.what;
    }
}

TEST(UnitOrphanClasses, StatusLineNamesEachUnitWhoseWeeksAreTested)
{
    Oob oob = MakeOob();
    PutUnit(oob, 12, "Panzer IV", 5, kHome, 40, 1, 41, 1);
    PutUnit(oob, 13, "Short", 5, kHome, 40, 1, 40, 1);
    PutUnit(oob, 14, "Abroad", 5, kAbroad, 40, 1, 41, 1);
    PutFormation(oob, 1, "Tank Platoon", kHome, 39, 1, 46, 1, {12});
    LinesSink sink;
    FindOrphanClasses(oob, sink);
    ASSERT_FALSE(sink.statuses.empty());
    for (const std::string& s : sink.statuses)
        EXPECT_EQ(s, "012 - Panzer IV (005 - Tank) ");
}

// ---- Bad ammunition ---------------------------------------------------------

const Lines kAmmoHead = {" ", " ==================== ", "Searching for bad ammo assignments"};
const Lines kAmmoEnd = {"", "== Run Complete =="};

TEST(UnitBadAmmo, EachTestInItsOrder)
{
    struct Case {
        const char* what;
        std::function<void(UnitRecord&, WeaponRecord&)> setup;
        Lines found;
    };
    // Unit 12 "Panzer IV" of class 5 carries weapon 7 "75mm KwK" in slot 1,
    // which has every penetration and kill at 1 unless the case says otherwise.
    const std::string slot1 = "Unit 12  Panzer IV weapon slot 1 - 75mm KwK";
    const Case cases[] = {
        {"sound ammunition", [](UnitRecord& u, WeaponRecord&) {
             u.Wpn1HEAmmo = 10;
             u.Wpn1APAmmo = 10;
             u.SabotAmmo = 2;
             u.HEATAmmo = 2;
         }, {}},
        {"AP rounds on a weapon without AP penetration",
         [](UnitRecord& u, WeaponRecord& w) {
             u.Wpn1APAmmo = 10;
             w.APPen = 0;
         },
         {slot1 + " - bad AP ammo "}},
        {"the same on class 214 is exempt", [](UnitRecord& u, WeaponRecord& w) {
             u.Class = 214;
             u.Wpn1APAmmo = 10;
             w.APPen = 0;
         }, {}},
        {"class 44 is exempt", [](UnitRecord& u, WeaponRecord& w) {
             u.Class = 44;
             u.Wpn1APAmmo = 10;
             w.APPen = 0;
         }, {}},
        {"class 215 is exempt", [](UnitRecord& u, WeaponRecord& w) {
             u.Class = 215;
             u.Wpn1APAmmo = 10;
             w.APPen = 0;
         }, {}},
        {"class 223 is exempt", [](UnitRecord& u, WeaponRecord& w) {
             u.Class = 223;
             u.Wpn1APAmmo = 10;
             w.APPen = 222;
             w.HEATPen = 0;
         }, {}},
        {"AP penetration 222 without HEAT penetration gives only the code line",
         [](UnitRecord& u, WeaponRecord& w) {
             u.Wpn1APAmmo = 10;
             w.APPen = 222;
             w.HEATPen = 0;
         },
         {slot1 + " - bad HEAT AP ammo (222 code)"}},
        {"AP penetration 222 with HEAT penetration is sound", [](UnitRecord& u, WeaponRecord& w) {
             u.Wpn1APAmmo = 10;
             w.APPen = 222;
         }, {}},
        {"AP penetration 222 without AP rounds is not looked at", [](UnitRecord&, WeaponRecord& w) {
             w.APPen = 222;
             w.HEATPen = 0;
         }, {}},
        {"HE rounds on a weapon that kills nothing with HE",
         [](UnitRecord& u, WeaponRecord& w) {
             u.Wpn1HEAmmo = 5;
             w.HEKill = 0;
         },
         {slot1 + " - bad HE ammo "}},
        {"sabot and HEAT rounds on a weapon without those penetrations, then HE and AP, in that order",
         [](UnitRecord& u, WeaponRecord& w) {
             u.SabotAmmo = 1;
             u.HEATAmmo = 1;
             u.Wpn1HEAmmo = 1;
             u.Wpn1APAmmo = 1;
             w = WeaponRecord{};
             w.Name = "75mm KwK";
             w.Class = 6;
         },
         {slot1 + " - bad Sabot ammo ", slot1 + " - bad HEAT ammo ", slot1 + " - bad HE ammo ",
          slot1 + " - bad AP ammo "}},
        {"an empty slot 2 with HE rounds",
         [](UnitRecord& u, WeaponRecord&) { u.Wpn2HEAmmo = 4; },
         {"Unit 12  Panzer IV weapon slot 2 - Ammo Issued to null weapon slot"}},
        {"an empty slot 4 with AP and HE rounds gives one line",
         [](UnitRecord& u, WeaponRecord&) {
             u.Wpn4HEAmmo = 4;
             u.Wpn4APAmmo = 4;
         },
         {"Unit 12  Panzer IV weapon slot 4 - Ammo Issued to null weapon slot"}},
        {"sabot rounds with slot 2 empty count for slot 1 alone", [](UnitRecord& u, WeaponRecord&) {
             u.SabotAmmo = 3;
         }, {}},
        {"sabot or HEAT rounds with an empty slot 1",
         [](UnitRecord& u, WeaponRecord&) {
             u.Wpn1 = 0;
             u.HEATAmmo = 3;
         },
         {"Unit 12  Panzer IV weapon slot 1 - Ammo Issued to null weapon slot"}},
        {"sabot rounds are looked at on slot 1 only, whatever slot 2 holds",
         [](UnitRecord& u, WeaponRecord& w) {
             u.Wpn2 = 8;
             u.SabotAmmo = 3;
             w.SabotPen = 5;
         },
         {}},
        {"HEAT rounds are looked at on slot 1 only, whatever slot 2 holds",
         [](UnitRecord& u, WeaponRecord& w) {
             u.Wpn2 = 8;  // MG 34: no HEAT penetration
             u.HEATAmmo = 3;
             w.HEATPen = 5;
         },
         {}},
        {"the unit's and the weapon's raw names",
         [](UnitRecord& u, WeaponRecord& w) {
             u.Name = " Tiger";
             w.Name = "88mm ";
             u.Wpn1HEAmmo = 1;
             w.HEKill = 0;
         },
         {"Unit 12   Tiger weapon slot 1 - 88mm  - bad HE ammo "}},
        {"a weapon number past the weapon table reads as an empty weapon",
         [](UnitRecord& u, WeaponRecord&) {
             u.Wpn3 = 250;
             u.Wpn3HEAmmo = 1;
             u.Wpn3APAmmo = 1;
         },
         {"Unit 12  Panzer IV weapon slot 3 -  - bad HE ammo ", "Unit 12  Panzer IV weapon slot 3 -  - bad AP ammo "}},
        {"a unit without a name is not looked at", [](UnitRecord& u, WeaponRecord& w) {
             u.Name = "  ";
             u.Wpn1HEAmmo = 1;
             w.HEKill = 0;
         }, {}},
    };
    for (const Case& c : cases) {
        Oob oob = MakeOob();
        UnitRecord& u = PutUnit(oob, 12, "Panzer IV", 5, kHome, 40, 1, 45, 1);
        u.Wpn1 = 7;
        WeaponRecord& w = PutWeapon(oob, 7, "75mm KwK", 6);
        w.HEPen = w.HEKill = w.APPen = w.APKill = w.SabotPen = w.HEATPen = 1;
        PutWeapon(oob, 8, "MG 34", 2);
        c.setup(u, w);
        LinesSink sink;
        FindBadAmmo(oob, sink);
        EXPECT_EQ(sink.lines, Concat({kAmmoHead, c.found, kAmmoEnd})) << c.what;
    }
}

TEST(UnitBadAmmo, UnitsInTableOrderWithTheirSlots)
{
    Oob oob = MakeOob();
    PutWeapon(oob, 1, "Rifle", 1).HEKill = 0;
    UnitRecord& a = PutUnit(oob, 2, "Rifles", 10, kHome, 40, 1, 45, 1);
    a.Wpn3 = 1;
    a.Wpn3HEAmmo = 1;
    UnitRecord& b = PutUnit(oob, 999, "Last", 10, kAbroad, 40, 1, 45, 1);
    b.Wpn2HEAmmo = 1;
    b.Wpn4 = 1;
    b.Wpn4HEAmmo = 1;
    LinesSink sink;
    FindBadAmmo(oob, sink);
    const Lines expected = Concat({kAmmoHead,
                                   {"Unit 2  Rifles weapon slot 3 - Rifle - bad HE ammo ",
                                    "Unit 999  Last weapon slot 2 - Ammo Issued to null weapon slot",
                                    "Unit 999  Last weapon slot 4 - Rifle - bad HE ammo "},
                                   kAmmoEnd});
    EXPECT_EQ(sink.lines, expected);
}

// ---- Weapon lists, users and classes -----------------------------------------

TEST(WeaponRowsAndClassRows, NumberedTrimmedNames)
{
    Oob oob = MakeOob();
    PutWeapon(oob, 1, "Rifle", 1);
    PutWeapon(oob, 3, " MG 42 ", 2);
    PutWeapon(oob, 249, "Last Gun", 6);
    const Lines rows = WeaponRows(oob);
    ASSERT_EQ(rows.size(), 249u);
    EXPECT_EQ(rows[0], "001 - Rifle");
    EXPECT_EQ(rows[1], "002 - ");
    EXPECT_EQ(rows[2], "003 - MG 42");
    EXPECT_EQ(rows[11], "012 - ");
    EXPECT_EQ(rows[248], "249 - Last Gun");

    const Lines classes = WeaponClassRows();
    ASSERT_EQ(classes.size(), 26u);
    EXPECT_EQ(classes[0], "001 - Primary Inf Weapon (Rifles, SMGs etc)");
    EXPECT_EQ(classes[10], "011 - off-map Aircraft Weapon - Mg, Cannon, Bombs, Rockets");
    EXPECT_EQ(classes[22], "023 - Top Attack HEAT");
    EXPECT_EQ(classes[23], "024 - Top Attack HEAT-Inertial Guidance");
    EXPECT_EQ(classes[24], "025 - Explosives");
    EXPECT_EQ(classes[25], "026 - HESH Gun");
}

TEST(WeaponUsers, EveryCarryingSlotOfEveryInUseUnit)
{
    Oob oob = MakeOob();
    PutWeapon(oob, 7, " 75mm KwK ", 6);
    PutWeapon(oob, 249, "Last Gun", 6);
    UnitRecord& a = PutUnit(oob, 12, "Panzer IV", 5, kHome, 39, 3, 45, 5);
    a.Wpn1 = 7;
    a.Wpn3 = 7;
    UnitRecord& b = PutUnit(oob, 300, " StuG ", 214, kAbroad, 100, 12, 120, 1);
    b.Wpn4 = 7;
    PutUnit(oob, 301, "", 5, kHome, 40, 1, 45, 1).Wpn1 = 7;
    PutUnit(oob, 302, "Other", 5, kHome, 40, 1, 45, 1).Wpn1 = 8;
    PutUnit(oob, 303, "Last User", 5, kHome, 40, 1, 45, 1).Wpn2 = 249;

    struct Case {
        const char* what;
        int row;
        bool shown;
        Lines expected;
    };
    const Case cases[] = {
        {"a weapon carried twice by one unit and once by another", 6, true,
         {"users of weapon ID 7 75mm KwK:", "012 - Panzer IV - uClass 005 :  slot 1 - Available 03/039 to 05/045",
          "012 - Panzer IV - uClass 005 :  slot 3 - Available 03/039 to 05/045",
          "300 - StuG - uClass 214 :  slot 4 - Available 12/100 to 01/120"}},
        {"the last weapon", 248, true,
         {"users of weapon ID 249 Last Gun:", "303 - Last User - uClass 005 :  slot 2 - Available 01/040 to 01/045"}},
        {"an empty weapon is ignored, even when carried", 7, false, {}},
        {"a row before the list", -1, false, {}},
        {"a row past the list", 249, false, {}},
    };
    for (const Case& c : cases) {
        LinesSink sink;
        EXPECT_EQ(FindWeaponUsers(oob, c.row, sink), c.shown) << c.what;
        EXPECT_EQ(sink.lines, c.expected) << c.what;
    }
}

TEST(WeaponsOfClass, EveryWeaponOfTheClassEmptyOnesToo)
{
    Oob oob = MakeOob();
    PutWeapon(oob, 1, "Rifle", 1);
    PutWeapon(oob, 5, "", 1);
    PutWeapon(oob, 6, " SMG ", 1);
    PutWeapon(oob, 7, "MG 34", 2);
    PutWeapon(oob, 249, "HESH", 26);
    struct Case {
        int row;
        Lines expected;
    };
    const Case cases[] = {
        {0, {"Weapons of weapon Class 1:", "001 - Rifle", "005 - ", "006 - SMG"}},
        {1, {"Weapons of weapon Class 2:", "007 - MG 34"}},
        {25, {"Weapons of weapon Class 26:", "249 - HESH"}},
        {2, {"Weapons of weapon Class 3:"}},
    };
    for (const Case& c : cases) {
        LinesSink sink;
        FindWeaponsOfClass(oob, c.row, sink);
        EXPECT_EQ(sink.lines, c.expected) << c.row;
    }
}

// ---- Unused weapons -----------------------------------------------------------

// Weapons 1 Rifle (class 1, carried), 2 Flak (class 4, carried only by an empty
// unit), 3 " Spare " (class 3, carried by nobody), 4 Captured (class 0, carried),
// 5 an empty name with numbers (unused), 198 something else (class 0, unused),
// 249 Never Looked At (unused).
Oob UnusedWeaponsOob()
{
    Oob oob = MakeOob();
    PutWeapon(oob, 1, "Rifle", 1).HEKill = 3;
    PutWeapon(oob, 2, "Flak", 4).Range = 9;
    PutWeapon(oob, 3, " Spare ", 3).Accuracy = 4;
    PutWeapon(oob, 4, "Captured", 0).HEPen = 7;
    WeaponRecord& unnamed = PutWeapon(oob, 5, "", 2);
    unnamed.HEKill = 5;
    unnamed.SabotRange = 6;
    WeaponRecord& reserved = PutWeapon(oob, 198, "Old Bomb", 0);
    reserved.Size = 3;
    reserved.APPen = 9;
    reserved.HEATPen = 2;
    PutWeapon(oob, 249, "Never Looked At", 5).Range = 2;
    UnitRecord& a = PutUnit(oob, 10, "Rifles", 10, kHome, 40, 1, 45, 1);
    a.Wpn2 = 1;
    a.Wpn4 = 4;
    PutUnit(oob, 11, "", 10, kHome, 40, 1, 45, 1).Wpn1 = 2;
    return oob;
}

TEST(WeaponUnused, NamedUnusedWeaponsBut198And249)
{
    const Oob oob = UnusedWeaponsOob();
    LinesSink sink;
    FindUnusedWeapons(oob, sink);
    const Lines expected = {
        "Run starting ", "", "002 - Flak - UNUSED ", "003 -  Spare  - UNUSED ", "004 - Captured - UNUSED ", "",
        "Run completed",
    };
    EXPECT_EQ(sink.lines, expected);
    ASSERT_EQ(sink.statuses.size(), 248u);
    EXPECT_EQ(sink.statuses[0], "001 - Rifle");
    EXPECT_EQ(sink.statuses[2], "003 -  Spare ");
    EXPECT_EQ(sink.statuses[4], "005 - ");
    EXPECT_EQ(sink.statuses[197], "198 - Old Bomb");
    EXPECT_EQ(sink.statuses[247], "248 - ");
}

TEST(WeaponUnused, ClearingDeletesTheUnusedRewrites198AndLeaves249)
{
    Oob oob = UnusedWeaponsOob();
    const Oob before = oob;
    LinesSink sink;
    sink.Line("earlier text");
    ClearUnusedWeapons(oob, sink);
    const Lines expected = {
        "earlier text", "", "========================", "",
        "002 - Flak - UNUSED - DELETED", "003 -  Spare  - UNUSED - DELETED", "004 - Captured - UNUSED - DELETED",
        "", "RUN COMPLETED",
    };
    EXPECT_EQ(sink.lines, expected);

    const WeaponRecord empty;
    EXPECT_EQ(oob.WeaponTable[1], before.WeaponTable[1]);
    EXPECT_EQ(oob.WeaponTable[2], empty);
    EXPECT_EQ(oob.WeaponTable[3], empty);
    EXPECT_EQ(oob.WeaponTable[4], empty);  // class 0: unused although unit 10 carries it
    EXPECT_EQ(oob.WeaponTable[5], empty);  // no name: cleared without a line
    EXPECT_EQ(oob.UnitTable[10].Wpn4, 4);  // the unit still points at the cleared record
    EXPECT_EQ(oob.WeaponTable[249], before.WeaponTable[249]);

    const WeaponRecord& bomb = oob.WeaponTable[198];
    EXPECT_EQ(bomb.Name, "1000lb Bomb");
    EXPECT_EQ(bomb.Class, 11);
    EXPECT_EQ(bomb.Size, 0);
    EXPECT_EQ(bomb.WarheadSize, 48);
    EXPECT_EQ(bomb.HEPen, 8);
    EXPECT_EQ(bomb.HEKill, 96);
    EXPECT_EQ(bomb.APPen, 0);
    EXPECT_EQ(bomb.APKill, 0);
    EXPECT_EQ(bomb.Accuracy, 1);
    EXPECT_EQ(bomb.Range, 1);
    EXPECT_EQ(bomb.SabotRange, 0);
    EXPECT_EQ(bomb.SabotPen, 0);
    EXPECT_EQ(bomb.HEATPen, 0);
    EXPECT_GT(oob.Revision, before.Revision);

    // A second run finds nothing left to delete and changes nothing.
    const Oob cleared = oob;
    LinesSink again;
    ClearUnusedWeapons(oob, again);
    EXPECT_EQ(again.lines, Lines({"", "========================", "", "", "RUN COMPLETED"}));
    EXPECT_EQ(oob.WeaponTable, cleared.WeaponTable);
    EXPECT_EQ(oob.Revision, cleared.Revision);
}

// ---- The indexed searches against the plain loops -----------------------------

std::vector<std::string> Collapsed(const std::vector<std::string>& statuses)
{
    std::vector<std::string> out;
    for (const std::string& s : statuses) {
        if (out.empty() || out.back() != s)
            out.push_back(s);
    }
    return out;
}

// A small random file for the container search: a handful of units and
// formations at random slots, in one short span of years so that formations
// often cover units, with foreign records, empty records holding units, nesting
// codes, dates that form no date in named and empty records, and short units.
Oob RandomContainerOob(std::mt19937& rng)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto chance = [&](int percent) { return pick(1, 100) <= percent; };
    Oob oob = MakeOob();
    const bool badNamedUnits = chance(30);
    const bool badNamedFormations = chance(40);

    // A month and year index pair that forms no date: month 0 or 13, or year 0.
    auto spoil = [&](std::uint8_t& year, std::uint8_t& month) {
        switch (pick(0, 3)) {
        case 0: month = 0; break;
        case 1: month = 13; break;
        case 2: year = 0; break;
        default: year = 0, month = 0; break;
        }
    };
    auto dates = [&](std::uint8_t& ya, std::uint8_t& ma, std::uint8_t& yu, std::uint8_t& mu, int longest) {
        const int start = pick(40 * 12, 42 * 12 + 11);
        const int length = chance(15) ? pick(-3, 0) : pick(0, longest);
        ya = static_cast<std::uint8_t>(start / 12);
        ma = static_cast<std::uint8_t>(start % 12 + 1);
        yu = static_cast<std::uint8_t>((start + length) / 12);
        mu = static_cast<std::uint8_t>((start + length) % 12 + 1);
    };

    std::vector<int> units;
    const int unitCount = pick(3, 14);
    for (int i = 0; i < unitCount; ++i) {
        const int u = pick(1, 999);
        units.push_back(u);
        UnitRecord& r = oob.UnitTable[static_cast<std::size_t>(u)];
        const int naming = pick(1, 10);
        r.Name = naming <= 7 ? "U" + std::to_string(u) : naming <= 8 ? " " : "";
        r.Class = static_cast<std::uint8_t>(pick(0, 5));
        r.Nation = static_cast<std::uint8_t>(chance(75) ? kHome : kAbroad);
        r.Radio = static_cast<std::uint8_t>(pick(0, 255));
        dates(r.YrAvail, r.MonthAvail, r.YrUnavail, r.MonthUnAvail, 20);
        const bool named = naming <= 7;
        if (!named && chance(40)) {
            r.YrAvail = r.MonthAvail = r.YrUnavail = r.MonthUnAvail = 0;
        } else if ((named ? badNamedUnits && chance(15) : chance(30))) {
            if (chance(50))
                spoil(r.YrAvail, r.MonthAvail);
            else
                spoil(r.YrUnavail, r.MonthUnAvail);
        }
    }

    const int formationCount = pick(2, 16);
    for (int i = 0; i < formationCount; ++i) {
        const int f = pick(1, 999);
        FormationRecord& r = oob.FormationTable[static_cast<std::size_t>(f)];
        const bool named = chance(70);
        r.Name = named ? "F" + std::to_string(f) : chance(50) ? "  " : "";
        r.Nation = static_cast<std::uint8_t>(chance(70) ? kHome : chance(50) ? kAbroad : 0);
        dates(r.YrAvail, r.MonthAvail, r.YrUntil, r.MonthUntil, 30);
        if (!named && chance(40)) {
            r.YrAvail = r.MonthAvail = r.YrUntil = r.MonthUntil = 0;
        } else if (named ? badNamedFormations && chance(20) : chance(20)) {
            if (chance(50))
                spoil(r.YrAvail, r.MonthAvail);
            else
                spoil(r.YrUntil, r.MonthUntil);
        }
        for (auto& slot : r.Slot) {
            const int kind = pick(1, 20);
            if (kind <= 8)
                slot = 0;
            else if (kind <= 15)
                slot = static_cast<std::uint16_t>(units[static_cast<std::size_t>(pick(0, unitCount - 1))]);
            else if (kind <= 17)
                slot = static_cast<std::uint16_t>(1000 + pick(0, 999));
            else if (kind <= 18)
                slot = static_cast<std::uint16_t>(pick(1, 999));
            else
                slot = static_cast<std::uint16_t>(chance(50) ? 1000 : pick(2000, 65535));
        }
    }
    return oob;
}

TEST(UnitOrphanClasses, SameAsThePlainLoopsOnRandomFiles)
{
    std::mt19937 rng(20260114);
    int stoppedByUnit = 0, stoppedByFormation = 0, completed = 0, gapLines = 0, orphanLines = 0;
    for (int run = 0; run < 300; ++run) {
        const Oob oob = RandomContainerOob(rng);
        LinesSink fast, plain;
        const ReportEnd fastEnd = FindOrphanClasses(oob, fast);
        const ReportEnd plainEnd = reference::FindOrphanClasses(oob, plain);
        ASSERT_EQ(fast.lines, plain.lines) << "run " << run;
        ASSERT_EQ(fastEnd.Stopped, plainEnd.Stopped) << "run " << run;
        ASSERT_EQ(fastEnd.Message, plainEnd.Message) << "run " << run;
        ASSERT_EQ(fast.statuses, Collapsed(plain.statuses)) << "run " << run;

        if (!plainEnd.Stopped)
            ++completed;
        else if (plainEnd.Message.rfind("Unit ", 0) == 0)
            ++stoppedByUnit;
        else
            ++stoppedByFormation;
        for (const std::string& line : plain.lines) {
            gapLines += line.find("has no corresponding formation") != std::string::npos;
            orphanLines += line.find("ORPHANED") != std::string::npos;
        }
    }
    // The random files reach every way the search can go.
    EXPECT_GE(completed, 30);
    EXPECT_GE(stoppedByUnit, 20);
    EXPECT_GE(stoppedByFormation, 20);
    EXPECT_GE(gapLines, 100);
    EXPECT_GE(orphanLines, 20);
}

Oob RandomWeaponsOob(std::mt19937& rng)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Oob oob = MakeOob();
    for (int w = 1; w <= kWeaponSlots; ++w) {
        WeaponRecord& r = oob.WeaponTable[static_cast<std::size_t>(w)];
        const int naming = pick(1, 10);
        r.Name = naming <= 6 ? "W" + std::to_string(w) : naming == 7 ? " " : "";
        r.Class = static_cast<std::uint8_t>(pick(0, 3));
        r.HEKill = static_cast<std::uint8_t>(pick(0, 255));
        r.Range = static_cast<std::uint8_t>(pick(0, 255));
    }
    const int unitCount = pick(0, 60);
    for (int i = 0; i < unitCount; ++i) {
        UnitRecord& r = oob.UnitTable[static_cast<std::size_t>(pick(1, 999))];
        const int naming = pick(1, 10);
        r.Name = naming <= 7 ? "U" : naming == 8 ? " " : "";
        r.Wpn1 = static_cast<std::uint8_t>(pick(0, 255));
        r.Wpn2 = static_cast<std::uint8_t>(pick(0, 249));
        r.Wpn3 = static_cast<std::uint8_t>(pick(190, 200));
        r.Wpn4 = static_cast<std::uint8_t>(pick(240, 255));
    }
    return oob;
}

TEST(WeaponUnused, SameAsThePlainLoopsOnRandomFiles)
{
    std::mt19937 rng(77);
    for (int run = 0; run < 200; ++run) {
        Oob fastOob = RandomWeaponsOob(rng);
        Oob plainOob = fastOob;
        LinesSink fast, plain;
        FindUnusedWeapons(fastOob, fast);
        reference::FindUnusedWeapons(plainOob, plain);
        ASSERT_EQ(fast.lines, plain.lines) << "run " << run;
        ASSERT_EQ(fast.statuses, plain.statuses) << "run " << run;
        for (int pass = 0; pass < 2; ++pass) {
            ClearUnusedWeapons(fastOob, fast);
            reference::ClearUnusedWeapons(plainOob, plain);
            ASSERT_EQ(fast.lines, plain.lines) << "run " << run << " pass " << pass;
            ASSERT_EQ(fastOob.WeaponTable, plainOob.WeaponTable) << "run " << run << " pass " << pass;
        }
    }
}

}  // namespace
}  // namespace brackle

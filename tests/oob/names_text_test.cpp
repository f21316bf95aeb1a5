#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <vector>

#include "oob/config.h"
#include "oob/names.h"
#include "oob/text.h"
#include "oob/totals.h"

namespace brackle {
namespace {

// Numbers every name lookup is asked about: the whole byte range and beyond it on both sides.
std::vector<int> LookedUpNumbers()
{
    std::vector<int> n = {std::numeric_limits<int>::min(), -65536, -256, -255, -1, 1023, 1024, 65535, 65536,
                          std::numeric_limits<int>::max()};
    for (int i = 0; i <= 300; ++i)
        n.push_back(i);
    return n;
}

TEST(Names, EveryEntryOfTheFixedTables)
{
    // Texts exactly as the editor shows them, trailing blanks included.
    const std::map<int, std::string> weaponClasses = {
        {1, "Primary Inf Weapon (Rifles, SMGs etc)"},
        {2, "Secondary Inf Weapon (LMGs, LAWs etc)"},
        {3, "Team Weapon (MMGs, Mortars, etc)"},
        {4, "FLAK, AA capable MG/Autocannon"},
        {5, "Light Gun, autocannon, CMG, BMG"},
        {6, "Medium guns < c. 101mm"},
        {7, "Guns,Howitzers > c. 101mm"},
        {8, "Infantry Flame"},
        {9, "Vehicle flame"},
        {10, "Naval Artillery"},
        {11, "off-map Aircraft Weapon - Mg, Cannon, Bombs, Rockets"},
        {12, "Surface to Air Missile"},
        {13, "Anti Tank Guided Missile"},
        {14, "Aircraft Cluster Bomb, MLRS"},
        {15, "Cluster minelets, FASCAM etc"},
        {16, "Anti Radiation Missile"},
        {17, "Air to Surface Missile, LGB"},
        {18, "Napalm"},
        {19, "Auto Cannon"},
        {20, "Top Attack ATGM"},
        {21, "Multi-Charge ATGM"},
        {22, "Multi-Charge HEAT"},
        {23, "Top Attack HEAT"},
        {24, "Top Attack HEAT-Inertial Guidance "},
        {25, "Explosives "},
        {26, "HESH Gun "},
    };
    const std::map<int, std::string> moveClasses = {{0, "Default"}, {1, "Leg"},  {2, "Wheel"}, {3, "A/T Wheel"},
                                                    {4, "Track"},   {5, "Boat"}, {7, "Ship"},  {8, "Snowmobile"}};
    const std::map<int, std::string> pages = {{0, "Default"}, {1, "Armour"}, {2, "Artillery"},
                                              {3, "Infantry"}, {4, "Misc."}, {5, "Air Transport + Troops"},
                                              {10, "Battalion HQ."}};
    const std::map<int, std::string> formTypes = {{0, "Section"},      {1, "Platoon"}, {2, "Company"},
                                                  {3, "Combat Group"}, {4, "Naval"},   {5, "Bn HQ"}};
    struct Table {
        const char* name;
        std::string (*lookup)(int);
        const std::map<int, std::string>& entries;
        std::string otherwise;
    } tables[] = {
        {"WeaponClassName", WeaponClassName, weaponClasses, "Unknown Class"},
        {"MoveClassName", MoveClassName, moveClasses, "UNUSED"},
        {"PageName", PageName, pages, "Unknown"},
        {"FormTypeName", FormTypeName, formTypes, "Unknown"},
    };
    for (const Table& t : tables) {
        for (int n : LookedUpNumbers()) {
            const auto it = t.entries.find(n);
            EXPECT_EQ(t.lookup(n), it != t.entries.end() ? it->second : t.otherwise) << t.name << "(" << n << ")";
        }
    }
}

TEST(Names, NationAndUnitClassNamesComeFromTheTablesRead)
{
    auto expectNames = [](const NameTables& names, auto nation, auto unitClass, const char* what) {
        for (int n : LookedUpNumbers()) {
            EXPECT_EQ(NationName(names, n), n >= 1 && n <= 99 ? nation(n) : std::string("Unknown"))
                << what << " NationName(" << n << ")";
            // A class is a byte: a number beyond 0..255 names the class of its low byte.
            EXPECT_EQ(UnitClassName(names, n), unitClass(n & 0xFF)) << what << " UnitClassName(" << n << ")";
        }
    };
    // Before any BRVX.ini is read every name is empty; without the file every name says so.
    const auto empty = [](int) { return std::string(); };
    expectNames(NameTables{}, empty, empty, "never read");
    NameTables noFile;
    Settings settings;
    readinifile(nullptr, settings, noFile);
    const auto noIni = [](int) { return std::string(kNoIniFile); };
    expectNames(noFile, noIni, noIni, "no BRVX.ini");
    NameTables named;
    for (int n = 1; n <= 99; ++n)
        named.NationNames[static_cast<std::size_t>(n)] = "Nation " + std::to_string(n);
    for (int c = 0; c <= 255; ++c)
        named.UnitClassNames[static_cast<std::size_t>(c)] = "Class " + std::to_string(c);
    expectNames(
        named, [](int n) { return "Nation " + std::to_string(n); },
        [](int c) { return "Class " + std::to_string(c); }, "named");
}

TEST(Text, DigitsOnlyAndClampText)
{
    struct Case {
        long low, high;
        const char* text;
        const char* digits;
        std::optional<std::string> clamped;
    } cases[] = {
        {0, 255, "1a2", "12", "12"},
        {0, 255, "abc", "0", "0"},
        {0, 255, "", "0", "0"},
        {-25, 25, "-5x", "-5", "-5"},
        {1, 120, "250", "250", "120"},
        {1, 120, "0", "0", "1"},
        {0, 65535, "99999999999999999999999", "99999999999999999999999", "65535"},
        {0, 255, "-", "-", std::nullopt},
        {0, 255, "1-2", "1-2", std::nullopt},
        {0, 255, "--3", "--3", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DigitsOnly(c.text), c.digits) << c.text;
        EXPECT_EQ(ClampText(c.low, c.high, c.text), c.clamped) << c.text;
    }
    EXPECT_EQ(Trim(" \t x y \r\n"), "x y");
    EXPECT_EQ(Pad3(7), "007");
}

TEST(Text, CalendarYearOfAYearIndex)
{
    // year = 1900 + index, 0..120; anything else has no calendar year.
    const std::pair<const char*, const char*> cases[] = {
        {"40", "1940"}, {"0", "1900"}, {"01", "1901"}, {" 120 ", "2020"}, {"121", ""},
        {"", ""},       {"-5", ""},    {"1a2", ""},     {"99999", ""},    {"100", "2000"},
    };
    for (const auto& [text, year] : cases)
        EXPECT_EQ(CalendarYearText(text), year) << text;
}

TEST(Totals, CountAndCrewOfSlots)
{
    Oob o;
    o.UnitTable[3].Crew = 4;
    o.UnitTable[7].Crew = 9;
    auto& f = o.FormationTable[2];
    f.Slot[0] = 3;
    f.Slot[4] = 7;
    f.Slot[5] = 1002;  // a nested formation: counted, its crew is not followed
    EXPECT_EQ(Totalise(o, 0), 0);
    EXPECT_EQ(Totalise(o, 5), 1);
    EXPECT_EQ(Totalise(o, 1002), 3);
    EXPECT_EQ(Totalise(o, 1000), 0);
    EXPECT_EQ(TotalCrew(o, 3), 4);
    EXPECT_EQ(TotalCrew(o, 1002), 13);
    EXPECT_EQ(TotalCrew(o, 5000), 0);
    EXPECT_TRUE(UnitInAnyFormation(o, 7));
    EXPECT_TRUE(UnitInAnyFormation(o, 1002));
    EXPECT_FALSE(UnitInAnyFormation(o, 8));
}

}  // namespace
}  // namespace brackle

#include <gtest/gtest.h>

#include "oob/names.h"
#include "oob/text.h"
#include "oob/totals.h"

namespace brackle {
namespace {

TEST(Names, FallBackTexts)
{
    NameTables names;
    names.NationNames[7] = "Seventh";
    struct Case {
        std::string got, want;
    } cases[] = {
        {MoveClassName(6), "UNUSED"},       {MoveClassName(9), "UNUSED"},
        {MoveClassName(8), "Snowmobile"},   {PageName(6), "Unknown"},
        {PageName(9), "Unknown"},           {PageName(10), "Battalion HQ."},
        {WeaponClassName(0), "Unknown Class"}, {WeaponClassName(27), "Unknown Class"},
        {WeaponClassName(24), "Top Attack HEAT-Inertial Guidance "}, {WeaponClassName(26), "HESH Gun "},
        {FormTypeName(5), "Bn HQ"},         {FormTypeName(6), "Unknown"},
        {NationName(names, 0), "Unknown"},  {NationName(names, 100), "Unknown"},
        {NationName(names, 7), "Seventh"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want);
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

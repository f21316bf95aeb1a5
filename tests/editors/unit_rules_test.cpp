#include <gtest/gtest.h>

#include <limits>

#include "editors/unit_rules.h"

namespace brackle {
namespace {

using C = Colour;

const std::string kNotSaved = "\r\n\r\n Unit data not saved!";
const std::string kGlider = "Gliders, Transports and spotter planes do not use weapons! \r\n Unit data not saved!";
const std::string kGunship = "The weapon in slot is invalid for circling gunship class aircraft\r\n Unit data not saved!";

std::string InSlot(int k, const std::string& rest)
{
    return "The weapon in slot " + std::to_string(k) + rest;
}
std::string Arm(int k)
{
    return InSlot(k, " is ANTI RADIATION MISSILE type\r\nhowever the unit is NOT a Wild Weasel aircraft" + kNotSaved);
}
std::string Mine(int k)
{
    return InSlot(k, " is CLUSTER MINE type\r\nhowever the unit is NOT a rocket or tube minelet battery type" + kNotSaved);
}
std::string Advisory(int k)
{
    return InSlot(k, " is air weapon class 11\r\nhowever the unit is NOT a Level Bomber, Gunship, helicopter or Wild "
                     "Weasel aircraft\r\n\r\n ADVISORY - non air units do not use class 11 weapons!");
}
std::string Bomber(int k)
{
    return InSlot(k, " is air weapon class 11\r\nhowever the weapon is not a bomb ( range of 1)\r\n\r\nLevel Bomber "
                     "will only drop CBU, bombs or napalm!" + kNotSaved);
}
std::string Asm(int k)
{
    return InSlot(k, " is air ASM weapon class 17\r\nand is invalid for this unit class" + kNotSaved);
}

TEST(UnitRules, WeaponRules)
{
    // Weapon n: class, range.
    std::vector<WeaponRecord> weapons(kWeaponSlots + 1);
    const std::pair<int, int> stats[] = {{0, 0}, {11, 2}, {11, 1}, {11, 0}, {16, 3}, {15, 5}, {17, 4}, {0, 9}};
    for (int n = 1; n < 8; ++n) {
        weapons[n].Class = static_cast<std::uint8_t>(stats[n].first);
        weapons[n].Range = static_cast<std::uint8_t>(stats[n].second);
    }
    struct Case {
        const char* cls;
        std::array<std::string, 4> slots;
        bool ok;
        std::vector<RuleMessage> messages;
    } cases[] = {
        {"47", {"7", "", "", ""}, false, {{true, kGlider}}},
        {"47", {"7", "", "1", ""}, false, {{true, kGlider}, {true, kGlider}}},
        {"47", {"", " ", "x", "0"}, true, {}},  // empty, blank, no number, no weapon
        // Each text is judged as the commit stores it: filtered and clamped.
        {"47", {"5a", "", "", ""}, false, {{true, kGlider}}},       // stored as weapon 5
        {"47", {"300", "", "", ""}, false, {{true, kGlider}}},      // stored as weapon 249
        {"47x", {"", "7", "", ""}, false, {{true, kGlider}}},       // stored as class 47
        {"2x14", {"4", "", "", ""}, true, {}},                     // stored as class 214, the Wild Weasel
        {"1-", {"7", "", "", ""}, true, {}},                       // no number: counts as 0, the commit refuses it
        {"300", {"4", "", "", ""}, false, {{true, Arm(1)}}},        // stored as class 255
        {"62", {"2", "", "", ""}, true, {}},
        {"62", {"", "1", "", ""}, false, {{true, Bomber(2)}}},
        {"5", {"1", "", "", ""}, true, {{false, Advisory(1)}}},
        {" 5 ", {"1", "", "", "4"}, false, {{false, Advisory(1)}, {true, Arm(4)}}},
        {"214", {"4", "2", "", ""}, true, {}},
        {"215", {"4", "", "", ""}, false, {{true, Arm(1)}}},
        {"abc", {"4", "", "", ""}, false, {{true, Arm(1)}}},  // class 0
        {"215", {"3", "", "6", ""}, false, {{true, kGunship}, {true, Asm(3)}}},
        {"215", {"1", "", "", ""}, true, {}},
        {"211", {"5", "", "", ""}, true, {}},
        {"70", {"", "", " 5", ""}, false, {{true, Mine(3)}}},
        {"44", {"6", "1", "", ""}, true, {}},
    };
    for (const auto& c : cases) {
        const WeaponCheck got = CheckUnitWeapons(c.cls, c.slots, weapons);
        EXPECT_EQ(got.Ok, c.ok) << c.cls << " " << c.slots[0];
        ASSERT_EQ(got.Messages.size(), c.messages.size()) << c.cls << " " << c.slots[0];
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(got.Messages[i].Error, c.messages[i].Error) << c.cls;
            EXPECT_EQ(got.Messages[i].Text, c.messages[i].Text) << c.cls;
        }
    }
    // A short table holds no weapon for the number.
    EXPECT_TRUE(CheckUnitWeapons("0", {"4", "", "", ""}, std::vector<WeaponRecord>(3)).Ok);

    // A weapon number beyond 249 that the page was shown and left untouched is
    // kept by the commit, so the rules judge it as kept: no weapon of the table.
    UnitRecord shown;
    shown.Class = 47;
    shown.Wpn2 = 252;
    EXPECT_TRUE(CheckUnitWeapons("47", {"", "252", "", ""}, weapons, &shown).Ok);
    EXPECT_FALSE(CheckUnitWeapons("47", {"", "252", "", ""}, weapons).Ok);       // typed: stored as 249
    EXPECT_FALSE(CheckUnitWeapons("47", {"", "253", "", ""}, weapons, &shown).Ok);  // changed: stored as 249
}

TEST(UnitRules, NumberIn)
{
    constexpr long kMax = std::numeric_limits<long>::max();
    constexpr long kMin = std::numeric_limits<long>::min();
    const std::pair<const char*, std::optional<long>> cases[] = {
        {"12", 12},   {" 007\t", 7}, {"-3", -3},          {"", std::nullopt},
        {"-", std::nullopt}, {"1a", std::nullopt}, {"+1", std::nullopt}, {"1 2", std::nullopt},
        {"9223372036854775807", kMax}, {"-9223372036854775808", kMin},
        {"99999999999999999999999", kMax}, {"-99999999999999999999999", kMin},
    };
    for (const auto& [text, want] : cases)
        EXPECT_EQ(NumberIn(text), want) << text;
}

TEST(UnitRules, ClassTables)
{
    const std::pair<int, int> spots[] = {{0, 1}, {1, 4}, {10, 7}, {16, 3}, {29, 5}, {47, 2}, {63, 4}, {101, 4},
                                         {102, 1}, {109, 6}, {184, 3}, {216, 1}, {255, 3}, {256, 1}, {-1, 1}};
    for (const auto& [c, want] : spots)
        EXPECT_EQ(UnitClassCategory(c), want) << c;
    // How many classes each category holds: a slip anywhere in the table shows here.
    std::array<int, 8> count{};
    for (int c = 0; c < 256; ++c)
        ++count[static_cast<std::size_t>(UnitClassCategory(c))];
    EXPECT_EQ(count, (std::array<int, 8>{0, 53, 26, 19, 116, 17, 14, 11}));
    int aircraft = 0;
    for (int c = 0; c < 256; ++c)
        aircraft += IsAircraftClass(c);
    EXPECT_EQ(aircraft, 16);
    EXPECT_TRUE(IsNoWeaponClass(61));
    EXPECT_FALSE(IsNoWeaponClass(62));
}

TEST(UnitRules, ClassRulesAfterSave)
{
    // {class, Speed, Swim, Vision, Survive} after the rules, from 12, 4, 30, 3.
    const std::array<int, 5> cases[] = {{134, 0, 0, 0, 3}, {70, 12, 4, 30, 0}, {2, 12, 4, 30, 0}, {62, 12, 4, 30, 0},
                                        {155, 12, 4, 30, 0}, {5, 12, 4, 30, 3}, {216, 12, 4, 30, 3}};
    for (const auto& c : cases) {
        UnitRecord u;
        u.Class = static_cast<std::uint8_t>(c[0]);
        u.Speed = 12, u.Swim = 4, u.Vision = 30, u.Survive = 3, u.Crew = 9;
        UnitRecord want = u;
        want.Speed = static_cast<std::uint8_t>(c[1]), want.Swim = static_cast<std::uint8_t>(c[2]);
        want.Vision = static_cast<std::uint8_t>(c[3]), want.Survive = static_cast<std::uint8_t>(c[4]);
        ApplyUnitClassRules(u);
        EXPECT_EQ(u, want) << c[0];
    }
}

TEST(UnitRules, Indicators)
{
    struct Case {
        Indicator got, want;
    } cases[] = {
        {FCIndicator("105"), {C::Blue, C::Blue, "AA Radar 6"}},
        {FCIndicator("99"), {C::WindowText, C::Navy, "Fire control"}},
        {FCIndicator("x"), {C::WindowText, C::Navy, "Fire control"}},
        {VisionIndicator(" 40"), {C::Blue, C::Blue, "TI/GSR"}},
        {VisionIndicator("39"), {C::WindowText, C::Navy, "Vision"}},
        {RFIndicator("20", "63"), {C::Blue, C::Blue, "Art Laser R/F"}},
        {RFIndicator("20", "5"), {C::Blue, C::Blue, "Laser R/F"}},
        {RFIndicator("19", "63"), {C::WindowText, C::Navy, "Range Finder"}},
        {RFIndicator("25", ""), {C::WindowText, C::Navy, "Range Finder"}},
        {SDIndicator("1", "70"), {C::Red, C::Red, ""}},
        {SDIndicator("1", "62"), {C::Red, C::Red, ""}},
        {SDIndicator("1", "0"), {C::WindowText, C::Navy, ""}},
        {SDIndicator("0", "70"), {C::WindowText, C::Navy, ""}},
        {ROFIndicator("1", {"", "5", "", ""}), {C::Fuchsia, C::Fuchsia, ""}},
        {ROFIndicator("0", {"", "", "", "5"}), {C::Red, C::Red, ""}},
        {ROFIndicator("2", {"5", "", "", ""}), {C::WindowText, C::Navy, ""}},
        {ROFIndicator("0", {"0", "", "x", ""}), {C::WindowText, C::Navy, ""}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].got.Edit, cases[i].want.Edit) << i;
        EXPECT_EQ(cases[i].got.Label, cases[i].want.Label) << i;
        EXPECT_EQ(cases[i].got.Caption, cases[i].want.Caption) << i;
    }
    EXPECT_EQ(EraIndicator("11"), C::Blue);
    EXPECT_EQ(EraIndicator("10"), C::WindowText);
    EXPECT_EQ(SurviveIndicator("7"), C::Maroon);
    EXPECT_EQ(SurviveIndicator("6"), C::WindowText);
}

TEST(UnitRules, EWIndicator)
{
    struct Case {
        const char *ew, *cls;
        Colour colour;  // edit, Label42 and LabelEW; WindowText for the reset look
        const char* text;  // LabelEW, shown when not empty
    } cases[] = {
        {"3", "0", C::Blue, "VIRSS - 1 Shots"}, {"4", "0", C::Blue, "VIRSS - 2 Shots"},
        {"2", "0", C::Blue, "CIWS - 2 Shots"},  {"15", "57", C::Blue, "GPS Arty F/C"},
        {"15", "63", C::Blue, "GPS Arty F/C"},  {"1", "70", C::Red, "EW should be 0!"},
        {"15", "0", C::WindowText, ""},         {"3", "44", C::WindowText, ""},
        {"1", "8", C::WindowText, ""},          {"0", "70", C::WindowText, ""},
        {"3", "", C::WindowText, ""},
    };
    for (const auto& c : cases) {
        const EWIndicatorState s = EWIndicator(c.ew, c.cls);
        const bool reset = c.colour == C::WindowText;
        const std::string at = std::string(c.ew) + " on " + c.cls;
        EXPECT_EQ(s.Edit, c.colour) << at;
        EXPECT_EQ(s.Label42, reset ? C::Navy : c.colour) << at;
        EXPECT_EQ(s.LabelEW, reset ? C::Blue : c.colour) << at;
        EXPECT_EQ(s.LabelEWVisible, !reset) << at;
        EXPECT_EQ(s.LabelEWText, c.text) << at;
    }
}

TEST(UnitRules, NationIndicator)
{
    struct Case {
        const char *nation, *name, *cls;
        const char* text;
        Colour colour;  // edit and label: WindowText means the normal pair
    } cases[] = {
        {"5", "Tank", "12", "5", C::WindowText}, {"7", "Tank", "12", "7", C::Red},
        {"", "", "0", "0", C::WindowText},       {"x", " ", "0", "0", C::WindowText},
        {"0", "", " 0", "0", C::Red},            {"0", "Tank", "0", "0", C::Red},
    };
    for (const auto& c : cases) {
        const NationIndicatorState got = NationIndicator(c.nation, c.name, c.cls, 5);
        EXPECT_EQ(got.Text, c.text) << c.nation;
        EXPECT_EQ(got.Edit, c.colour) << c.nation;
        EXPECT_EQ(got.Label, c.colour == C::Red ? C::Red : C::Navy) << c.nation;
    }
}

}  // namespace
}  // namespace brackle

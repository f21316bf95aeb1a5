#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>
#include <sstream>

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

// The class lists the rules name, written out by hand as lists of classes and
// ranges ("0, 11..15, 17"), and the expectations computed from them.
std::set<long> Classes(const std::string& list)
{
    std::set<long> out;
    std::istringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        const auto dots = item.find("..");
        const long from = std::stol(item.substr(0, dots));
        const long to = dots == std::string::npos ? from : std::stol(item.substr(dots + 2));
        for (long c = from; c <= to; ++c)
            out.insert(c);
    }
    return out;
}

bool In(const std::set<long>& set, long c)
{
    return set.count(c) != 0;
}

// The category table by value; an entry of 0 reads as 1.
const std::pair<int, const char*> kCategoryLists[] = {
    {0, "216"},
    {1, "0, 11..15, 17..19, 21, 22, 30, 35..39, 44, 50, 52, 53, 57, 59, 62, 102..108, 128..132, 134, 135, "
        "137..139, 159, 175, 203..205, 214, 215, 221..223, 253"},
    {2, "23..25, 32..34, 41, 47, 120..127, 133, 136, 217, 219, 220, 237..239, 245, 251"},
    {3, "5, 6, 8, 9, 16, 151..154, 157, 158, 184, 196, 200..202, 236, 252, 255"},
    {4, "1, 3, 20, 40, 45, 49, 51, 54, 55, 58, 63..101, 110..119, 140..150, 160..164, 166, 168..174, 178, 179, "
        "185..192, 195, 218, 224..235, 240..243, 246..250"},
    {5, "2, 4, 7, 29, 165, 176, 177, 193, 194, 206..209, 212, 213, 244, 254"},
    {6, "26..28, 42, 48, 56, 60, 61, 109, 167, 180..183"},
    {7, "10, 31, 43, 46, 155, 156, 197..199, 210, 211"},
};
const std::set<long> kAircraft = Classes("44, 47, 50, 53, 60, 61, 62, 203, 204, 205, 214, 215, 221, 222, 223, 253");
const std::set<long> kNoWeapons = Classes("47, 50, 60, 61");
// The aircraft that may carry class 11 air weapons without the advisory.
const std::set<long> kArmedAircraft = Classes("44, 53, 62, 203, 204, 205, 214, 215, 221, 222, 223, 253");
const std::set<long> kNoSurvivability = Classes("10, 31, 155, 156, 210, 211");
// EW: the classes of categories 1, 2 and 6 that carry no self-defence EW, the
// other classes whose EW is not questioned, and the GPS artillery fire control classes.
const std::set<long> kEWExempt =
    Classes("16, 22, 30, 44, 47, 50, 53, 60, 61, 62, 128, 181, 203, 204, 205, 214, 215, 216, 221, 222, 223, 253");
const std::set<long> kEWOtherExempt = Classes("8, 16, 29");
const std::set<long> kGPSArtillery = Classes("57, 63, 229, 243");
const std::set<long> kGPSArtilleryOther = Classes("63, 229, 243");

int ExpectedCategory(long c)
{
    static const auto table = [] {
        std::array<int, 256> t;
        t.fill(-1);  // in no list: the test of the lists reports it
        for (const auto& [value, list] : kCategoryLists)
            for (long k : Classes(list))
                t[static_cast<std::size_t>(k)] = value == 0 ? 1 : value;
        return t;
    }();
    return c < 0 || c > 255 ? 1 : table[static_cast<std::size_t>(c)];
}

// Classes to try: every class, then numbers a class text can hold beyond the byte.
std::vector<long> ClassesToTry()
{
    std::vector<long> c = {-256, -1, 256, 300, 1000, 65536};
    for (long i = 0; i <= 255; ++i)
        c.push_back(i);
    return c;
}

TEST(UnitRules, TheHandWrittenCategoryListsNameEveryClassOnce)
{
    std::array<int, 256> seen{};
    for (const auto& [value, list] : kCategoryLists)
        for (long c : Classes(list))
            ++seen[static_cast<std::size_t>(c)];
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(seen[static_cast<std::size_t>(c)], 1) << "class " << c;
}

TEST(UnitRules, CategoryOfEveryClass)
{
    for (long c : ClassesToTry())
        EXPECT_EQ(UnitClassCategory(static_cast<int>(c)), ExpectedCategory(c)) << "class " << c;
    EXPECT_EQ(UnitClassCategory(std::numeric_limits<int>::max()), 1);
    EXPECT_EQ(UnitClassCategory(std::numeric_limits<int>::min()), 1);
}

TEST(UnitRules, AircraftAndNoWeaponClasses)
{
    for (long c : ClassesToTry()) {
        EXPECT_EQ(IsAircraftClass(static_cast<int>(c)), In(kAircraft, c)) << "class " << c;
        EXPECT_EQ(IsNoWeaponClass(static_cast<int>(c)), In(kNoWeapons, c)) << "class " << c;
    }
}

// Survivability is forced to 0 for aircraft, categories 4 and 5 and the classes
// without a size; class 134 loses its speed, swim speed and vision.
TEST(UnitRules, ClassRulesOverEveryClass)
{
    for (int c = 0; c <= 255; ++c) {
        UnitRecord u;
        u.Class = static_cast<std::uint8_t>(c);
        u.Speed = 12, u.Swim = 4, u.Vision = 30, u.Survive = 3, u.Crew = 9;
        UnitRecord want = u;
        const int category = ExpectedCategory(c);
        if (In(kAircraft, c) || category == 4 || category == 5 || In(kNoSurvivability, c))
            want.Survive = 0;
        if (c == 134)
            want.Speed = want.Swim = want.Vision = 0;
        ApplyUnitClassRules(u);
        EXPECT_EQ(u, want) << "class " << c;
    }
}

TEST(UnitRules, EWIndicatorOverEveryClass)
{
    for (long c : ClassesToTry()) {
        for (long e : {0L, 1L, 2L, 3L, 4L, 5L, 14L, 15L, 16L, 255L}) {
            // The look the rule gives: the caption shown (empty for the reset look) and whether it is red.
            std::string text;
            bool red = false;
            const int category = ExpectedCategory(c);
            if (category == 1 || category == 2 || category == 6) {
                if (In(kEWExempt, c)) {
                    // no EW of its own: the reset look
                } else if (e == 3 || e == 4) {
                    text = "VIRSS - " + std::to_string(e - 2) + " Shots";
                } else if (e == 1 || e == 2) {
                    text = "CIWS - " + std::to_string(e) + " Shots";
                } else if (e == 15 && In(kGPSArtillery, c)) {
                    text = "GPS Arty F/C";
                }
            } else if (In(kEWOtherExempt, c)) {
                // not questioned: the reset look
            } else if (e == 15 && In(kGPSArtilleryOther, c)) {
                text = "GPS Arty F/C";
            } else if (e > 0) {
                text = "EW should be 0!";
                red = true;
            }
            const EWIndicatorState s = EWIndicator(std::to_string(e), std::to_string(c));
            const std::string at = "EW " + std::to_string(e) + " on class " + std::to_string(c);
            const Colour shown = red ? C::Red : C::Blue;
            EXPECT_EQ(s.LabelEWText, text) << at;
            EXPECT_EQ(s.LabelEWVisible, !text.empty()) << at;
            EXPECT_EQ(s.Edit, text.empty() ? C::WindowText : shown) << at;
            EXPECT_EQ(s.Label42, text.empty() ? C::Navy : shown) << at;
            EXPECT_EQ(s.LabelEW, text.empty() ? C::Blue : shown) << at;
        }
    }
}

TEST(UnitRules, RangeFinderAndSmokeIndicatorsOverEveryClass)
{
    for (long c : ClassesToTry()) {
        const std::string cls = std::to_string(c);
        const std::string laser = In(kGPSArtillery, c) ? "Art Laser R/F" : "Laser R/F";
        for (const char* rf : {"20", "255"}) {
            const Indicator got = RFIndicator(rf, cls);
            EXPECT_EQ(got.Caption, laser) << "RF " << rf << " on class " << c;
            EXPECT_EQ(got.Edit, C::Blue) << "RF " << rf << " on class " << c;
            EXPECT_EQ(got.Label, C::Blue) << "RF " << rf << " on class " << c;
        }
        const Indicator plain = RFIndicator("19", cls);
        EXPECT_EQ(plain.Caption, "Range Finder") << "class " << c;
        EXPECT_EQ(plain.Edit, C::WindowText) << "class " << c;
        EXPECT_EQ(plain.Label, C::Navy) << "class " << c;

        const int category = ExpectedCategory(c);
        const bool odd = (category != 1 && category != 2 && category != 6) || In(kAircraft, c);
        for (const char* sd : {"1", "9"}) {
            const Indicator got = SDIndicator(sd, cls);
            EXPECT_EQ(got.Edit, odd ? C::Red : C::WindowText) << "SD " << sd << " on class " << c;
            EXPECT_EQ(got.Label, odd ? C::Red : C::Navy) << "SD " << sd << " on class " << c;
        }
        const Indicator none = SDIndicator("0", cls);
        EXPECT_EQ(none.Edit, C::WindowText) << "class " << c;
        EXPECT_EQ(none.Label, C::Navy) << "class " << c;
    }
}

// The weapon rules for one weapon of each class the rules name, on every unit class.
TEST(UnitRules, WeaponRulesOverEveryClass)
{
    // Weapon n: class, range.
    const std::pair<int, int> stats[] = {{0, 0}, {11, 1}, {11, 2}, {11, 0}, {15, 3}, {16, 3}, {17, 3}, {5, 3}};
    std::vector<WeaponRecord> weapons(kWeaponSlots + 1);
    for (int n = 1; n < 8; ++n) {
        weapons[static_cast<std::size_t>(n)].Class = static_cast<std::uint8_t>(stats[n].first);
        weapons[static_cast<std::size_t>(n)].Range = static_cast<std::uint8_t>(stats[n].second);
    }
    for (long c : ClassesToTry()) {
        for (int n = 1; n < 8; ++n) {
            const int wc = stats[n].first;
            const int r = stats[n].second;
            std::vector<RuleMessage> want;
            if (In(kNoWeapons, c)) {
                want.push_back({true, kGlider});
            } else if (wc == 16 && c != 214) {
                want.push_back({true, Arm(2)});
            } else if (wc == 15 && c != 210 && c != 211) {
                want.push_back({true, Mine(2)});
            } else if (wc == 11) {
                if (!In(kArmedAircraft, c))
                    want.push_back({false, Advisory(2)});
                if (c == 62 && r > 1)
                    want.push_back({true, Bomber(2)});
                else if (c == 215 && r < 1)
                    want.push_back({true, kGunship});
            } else if (wc == 17 && (c == 62 || c == 215)) {
                want.push_back({true, Asm(2)});
            }
            const bool ok = std::none_of(want.begin(), want.end(), [](const RuleMessage& m) { return m.Error; });
            const WeaponCheck got = CheckUnitWeapons(std::to_string(c), {"", std::to_string(n), "", ""}, weapons);
            const std::string at = "weapon class " + std::to_string(wc) + " range " + std::to_string(r) +
                                   " on unit class " + std::to_string(c);
            EXPECT_EQ(got.Ok, ok) << at;
            ASSERT_EQ(got.Messages.size(), want.size()) << at;
            for (std::size_t i = 0; i < want.size(); ++i) {
                EXPECT_EQ(got.Messages[i].Error, want[i].Error) << at;
                EXPECT_EQ(got.Messages[i].Text, want[i].Text) << at;
            }
        }
    }
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

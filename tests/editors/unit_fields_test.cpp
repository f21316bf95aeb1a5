#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "editors/record_lists.h"
#include "editors/unit_fields.h"

namespace brackle {
namespace {

UnitTexts TextsOf(const UnitRecord& u)
{
    return TextsOfUnit(u);
}

TEST(UnitFields, EveryFieldHasItsOwnControlAndTheShowOrderNamesEachOnce)
{
    std::set<std::string> controls;
    std::array<int, UnitFieldCount> seen{};
    for (const UnitField& f : UnitFields()) {
        EXPECT_TRUE(controls.insert(f.Control).second) << f.Control;
        EXPECT_EQ(&UnitFieldOf(f.Id), &f);
    }
    for (UnitFieldId id : UnitShowOrder())
        ++seen[id];
    for (int id = 0; id < UnitFieldCount; ++id)
        EXPECT_EQ(seen[id], 1) << UnitFieldOf(static_cast<UnitFieldId>(id)).Control;
    // The indicators read the class and the weapons: they come first.
    auto pos = [](UnitFieldId id) {
        const auto& o = UnitShowOrder();
        return std::find(o.begin(), o.end(), id) - o.begin();
    };
    EXPECT_LT(pos(UfClass), pos(UfEW));
    EXPECT_LT(pos(UfClass), pos(UfRF));
    EXPECT_LT(pos(UfClass), pos(UfSD));
    for (UnitFieldId w : {UfWpn1, UfWpn2, UfWpn3, UfWpn4})
        EXPECT_LT(pos(w), pos(UfROF));
}

TEST(UnitFields, ShowsPlainNumbersAndTheTrimmedName)
{
    UnitRecord u;
    u.Name = "  T-55 TANK  ";
    u.Icon = 65535;
    u.Nation = 7;
    u.Wpn3 = 249;
    const UnitTexts t = TextsOf(u);
    EXPECT_EQ(t[UfName], "T-55 TANK");
    EXPECT_EQ(t[UfIcon], "65535");
    EXPECT_EQ(t[UfNation], "7");
    EXPECT_EQ(t[UfWpn3], "249");
    EXPECT_EQ(t[UfCost], "0");
}

// One commit of one field's text: what ends up stored.
TEST(UnitFields, CommitClampsEachFieldIntoItsRange)
{
    struct Case {
        UnitFieldId id;
        const char* text;
        long stored;
    };
    const Case cases[] = {
        {UfYrAvail, "150", 120},      {UfMonthAvail, "0", 1},       {UfMonthAvail, "", 1},
        {UfMonthUnAvail, "13", 12},   {UfWpn1, "300", 249},         {UfCost, "1234", 999},
        {UfCrew, "1a2", 12},          {UfCrew, "-4", 0},            {UfPictureID, "99999", 65535},
        {UfIcon, "70000", 65535},     {UfWinterIcon, "65536", 65535}, {UfDesertIcon, "65534", 65534},
        {UfNation, "300", 300 & 0xFF}, {UfSteelTop, "256", 255},    {UfSoundByte, " 12 ", 12},
        {UfClass, "99999999999999999999", 255},
    };
    for (const Case& c : cases) {
        UnitRecord u;
        u.Class = 1;
        UnitTexts t = TextsOf(u);
        t[c.id] = c.text;
        ASSERT_FALSE(StoreUnitTexts(t, u).has_value()) << c.text;
        const UnitField& f = UnitFieldOf(c.id);
        const long v = f.Word ? static_cast<long>(u.*f.Word) : static_cast<long>(u.*f.Byte);
        EXPECT_EQ(v, c.stored) << f.Control << " = \"" << c.text << '"';
    }
}

// Every numeric field of the unit page as the page describes it: its edit, the
// range a commit clamps its text into, the most characters the edit takes, and
// the record field it is stored in (16-bit fields marked W).
struct ExpectedField {
    const char* Control;
    long Low, High;
    int MaxChars;
    bool Word;
    long (*Get)(const UnitRecord&);
};
#define B(control, field, low, high, chars) \
    ExpectedField { control, low, high, chars, false, [](const UnitRecord& u) -> long { return u.field; } }
#define W(control, field, low, high, chars) \
    ExpectedField { control, low, high, chars, true, [](const UnitRecord& u) -> long { return u.field; } }
const ExpectedField kUnitRanges[] = {
    B("UnitClassEdit", Class, 0, 255, 3),
    B("UnitNationEdit", Nation, 0, 999, 2),
    B("UnitMCEdit", MC, 0, 255, 2),
    B("UnitMonthAvailEdit", MonthAvail, 1, 12, 3),
    B("UnitYrAvailEdit", YrAvail, 0, 120, 3),
    B("UnitMonthUnAvailEdit", MonthUnAvail, 1, 12, 3),
    B("UnitYrUnavailEdit", YrUnavail, 0, 120, 3),
    W("UnitCostEdit", Cost, 0, 999, 3),
    B("UnitCrewEdit", Crew, 0, 255, 3),
    B("UnitSizeEdit", Size, 0, 255, 2),
    B("UnitCarryEdit", Carry, 0, 255, 3),
    B("UnitWeightEdit", Weight, 0, 255, 3),
    B("UnitSpeedEdit", Speed, 0, 255, 3),
    B("UnitSwimEdit", Swim, 0, 255, 3),
    B("UnitEWEdit", EW, 0, 255, 2),
    B("UnitRadioEdit", Radio, 0, 255, 2),
    B("UnitVisionEdit", Vision, 0, 255, 3),
    B("UnitFCEdit", FC, 0, 255, 3),
    B("UnitRFEdit", RF, 0, 255, 3),
    B("UnitStabiliserEdit", Stabiliser, 0, 255, 3),
    B("UnitROFEdit", ROF, 0, 255, 2),
    B("UnitSDEdit", SD, 0, 255, 2),
    B("UnitSurviveEdit", Survive, 0, 255, 3),
    W("UnitLBMEdit", PictureID, 0, 99999, 9),
    W("UnitIconEdit", Icon, 0, 99999, 5),
    W("UnitWinterIconEdit", WinterIcon, 0, 99999, 5),
    W("UnitDesertIconEdit", DesertIcon, 0, 99999, 5),
    B("UnitWpn1Edit", Wpn1, 0, 249, 3),
    B("UnitWpn2Edit", Wpn2, 0, 249, 3),
    B("UnitWpn3Edit", Wpn3, 0, 249, 3),
    B("UnitWpn4Edit", Wpn4, 0, 249, 3),
    B("UnitWpn1HEAmmoEdit", Wpn1HEAmmo, 0, 255, 3),
    B("UnitWpn2HEAmmoEdit", Wpn2HEAmmo, 0, 255, 3),
    B("UnitWpn3HEAmmoEdit", Wpn3HEAmmo, 0, 255, 3),
    B("UnitWpn4HEAmmoEdit", Wpn4HEAmmo, 0, 255, 3),
    B("UnitWpn1APAmmoEdit", Wpn1APAmmo, 0, 255, 3),
    B("UnitWpn2APAmmoEdit", Wpn2APAmmo, 0, 255, 3),
    B("UnitWpn3APAmmoEdit", Wpn3APAmmo, 0, 255, 3),
    B("UnitWpn4APAmmoEdit", Wpn4APAmmo, 0, 255, 3),
    B("UnitSabotAmmoEdit", SabotAmmo, 0, 255, 3),
    B("UnitHEATAmmoEdit", HEATAmmo, 0, 255, 3),
    B("UnitSteelHFEdit", SteelHF, 0, 255, 3),
    B("UnitSteelHSEdit", SteelHS, 0, 255, 3),
    B("UnitSteelHREdit", SteelHR, 0, 255, 3),
    B("UnitSteelTFEdit", SteelTF, 0, 255, 3),
    B("UnitSteelTSEdit", SteelTS, 0, 255, 3),
    B("UnitSteelTREdit", SteelTR, 0, 255, 3),
    B("UnitSteelTopEdit", SteelTop, 0, 255, 3),
    B("UnitHEATHFEdit", HEATHF, 0, 255, 3),
    B("UnitHEATHSEdit", HEATHS, 0, 255, 3),
    B("UNITHEATHREdit", HEATHR, 0, 255, 3),
    B("UnitHEATTFEdit", HEATTF, 0, 255, 3),
    B("UNITHEATTSEdit", HEATTS, 0, 255, 3),
    B("UnitHEATTREdit", HEATTR, 0, 255, 3),
    B("UnitHEATTopEdit", HEATTop, 0, 255, 3),
    B("UnitERAHFEdit", ERAHF, 0, 255, 3),
    B("UnitERAHSEdit", ERAHS, 0, 255, 3),
    B("UnitERAHREdit", ERAHR, 0, 255, 3),
    B("UnitERATFEdit", ERATF, 0, 255, 3),
    B("UnitERATSEdit", ERATS, 0, 255, 3),
    B("UnitERATREdit", ERATR, 0, 255, 3),
    B("UnitERATopEdit", ERATop, 0, 255, 3),
    B("UnitSoundByteEdit", SoundByte, 0, 255, 3),
    B("UnitWPNSound1Edit", WPNSound1, 0, 255, 3),
    B("UnitWPNSound2Edit", WPNSound2, 0, 255, 3),
    B("UnitWPNSound3Edit", WPNSound3, 0, 255, 3),
    B("UnitWPNSound4Edit", WPNSound4, 0, 255, 3),
};
#undef B
#undef W

const UnitField* FieldWithControl(const std::string& control)
{
    for (const UnitField& f : UnitFields())
        if (control == f.Control)
            return &f;
    return nullptr;
}

// What a field keeps of a number in its range: a byte its low 8 bits (the
// nation's 0..999), a 16-bit field at most 65535.
long Kept(const ExpectedField& e, long v)
{
    return e.Word ? std::min(v, 65535L) : (v & 0xFF);
}

// Each field's text committed far below, at, and far above its range, with every
// other field left at 7 and the class at 0 (no class rule touches the others):
// the field takes the clamped number, and no other field changes.
TEST(UnitFields, EveryFieldIsClampedIntoItsOwnRangeAndStoredInItsOwnField)
{
    EXPECT_EQ(std::size(kUnitRanges), 67u);
    EXPECT_EQ(static_cast<std::size_t>(UnitFieldCount), std::size(kUnitRanges) + 1) << "the name and these";
    UnitTexts base;
    base.fill("7");
    base[UfName] = "Baseline";
    base[UfClass] = "0";
    auto baseValue = [](const ExpectedField& e) { return std::string(e.Control) == "UnitClassEdit" ? 0L : 7L; };
    for (const ExpectedField& e : kUnitRanges) {
        const UnitField* f = FieldWithControl(e.Control);
        ASSERT_NE(f, nullptr) << e.Control;
        EXPECT_EQ(f->Low, e.Low) << e.Control;
        EXPECT_EQ(f->High, e.High) << e.Control;
        EXPECT_EQ(f->MaxChars, e.MaxChars) << e.Control;
        const std::pair<std::string, long> probes[] = {
            {"-99999999", e.Low},         {std::to_string(e.Low - 1), e.Low}, {std::to_string(e.Low), e.Low},
            {std::to_string(e.High), e.High}, {std::to_string(e.High + 1), e.High}, {"99999999", e.High},
        };
        for (const auto& [text, clamped] : probes) {
            UnitTexts t = base;
            t[f->Id] = text;
            UnitRecord u;
            ASSERT_FALSE(StoreUnitTexts(t, u).has_value()) << e.Control << " = " << text;
            for (const ExpectedField& g : kUnitRanges)
                EXPECT_EQ(g.Get(u), &g == &e ? Kept(e, clamped) : baseValue(g))
                    << "after " << e.Control << " = \"" << text << "\", " << g.Control;
        }
    }
}

// A unit shown on the page with values beyond their save ranges, as a file may
// hold them: what a commit or a copy stores when the user leaves a field as
// shown, and when the user types into it.
TEST(UnitFields, AnUntouchedFieldKeepsAValueBeyondItsRangeButDatesAreClamped)
{
    UnitRecord shown;
    shown.Name = "Odd Tank";
    shown.Class = 5;
    shown.Cost = 1234;
    shown.Wpn2 = 252;
    shown.YrAvail = 200;
    shown.MonthAvail = 0;
    shown.MonthUnAvail = 13;
    struct Case {
        UnitFieldId id;
        const char* text;  // nullptr: left as shown
        UnitStore mode;
        long stored;
    };
    const Case cases[] = {
        {UfCost, nullptr, UnitStore::Commit, 1234},     {UfCost, nullptr, UnitStore::Copy, 1234},
        {UfCost, "1235", UnitStore::Commit, 999},       {UfCost, "01234", UnitStore::Commit, 999},
        {UfWpn2, nullptr, UnitStore::Commit, 252},      {UfWpn2, "253", UnitStore::Commit, 249},
        {UfYrAvail, nullptr, UnitStore::Commit, 120},   {UfMonthAvail, nullptr, UnitStore::Commit, 1},
        {UfMonthAvail, nullptr, UnitStore::Copy, 0},    {UfMonthUnAvail, nullptr, UnitStore::Commit, 12},
        {UfClass, nullptr, UnitStore::Commit, 5},
    };
    for (const Case& c : cases) {
        UnitTexts t = TextsOf(shown);
        if (c.text)
            t[c.id] = c.text;
        UnitRecord u;
        ASSERT_FALSE(StoreUnitTexts(t, u, c.mode, &shown).has_value());
        const UnitField& f = UnitFieldOf(c.id);
        const long v = f.Word ? static_cast<long>(u.*f.Word) : static_cast<long>(u.*f.Byte);
        EXPECT_EQ(v, c.stored) << f.Control << " = \"" << (c.text ? c.text : "as shown") << '"';
        EXPECT_EQ(UnitFieldValue(c.id, t[c.id], c.mode, &shown), c.stored) << f.Control;
    }
    // Without the shown record every text is clamped as typed.
    UnitRecord u;
    StoreUnitTexts(TextsOf(shown), u);
    EXPECT_EQ(u.Cost, 999);
    EXPECT_EQ(u.Wpn2, 249);
}

TEST(UnitFields, NameIsTrimmedAndCutTo15)
{
    UnitRecord u;
    UnitTexts t = TextsOf(u);
    t[UfName] = "   A very long unit name here  ";
    StoreUnitTexts(t, u);
    EXPECT_EQ(u.Name, "A very long uni");
}

TEST(UnitFields, AnUnreadableTextStoresNothingAndNamesTheField)
{
    for (const char* bad : {"-", "1-2", "--3"}) {
        UnitRecord u;
        u.Name = "Keep";
        u.Cost = 77;
        u.SpareA = 9;
        const UnitRecord before = u;
        UnitTexts t = TextsOf(u);
        t[UfName] = "Changed";  // stored before Speed in the order, yet must not be stored
        t[UfCost] = "5";
        t[UfSpeed] = bad;
        const auto failed = StoreUnitTexts(t, u);
        ASSERT_TRUE(failed.has_value()) << bad;
        EXPECT_EQ(*failed, UfSpeed);
        EXPECT_EQ(u, before) << bad;
    }
    EXPECT_EQ(UnreadableFieldMessage("Speed", "1-2", "Unit"),
              "The Speed field holds \"1-2\", which is not a number.\r\n\r\n Unit data not saved!");
}

TEST(UnitFields, CommitAppliesTheClassRulesAndKeepsTheSpareBytes)
{
    UnitRecord u;
    u.SpareA = 3;
    u.SpareB = 4;
    UnitTexts t = TextsOf(u);
    t[UfClass] = "134";
    t[UfSpeed] = "12";
    t[UfSwim] = "4";
    t[UfVision] = "30";
    t[UfSurvive] = "3";
    StoreUnitTexts(t, u);
    EXPECT_EQ(u.Speed, 0);
    EXPECT_EQ(u.Swim, 0);
    EXPECT_EQ(u.Vision, 0);
    EXPECT_EQ(u.Survive, 3);
    EXPECT_EQ(u.SpareA, 3);
    EXPECT_EQ(u.SpareB, 4);
    t[UfClass] = "70";  // category 4: no survivability
    StoreUnitTexts(t, u);
    EXPECT_EQ(u.Survive, 0);
    EXPECT_EQ(u.Speed, 12);
}

TEST(RecordLists, StepsStopAtTheEndsAndTenBackStaysBelowEleven)
{
    struct Case {
        int current, delta, last, expected;
    };
    const Case cases[] = {
        {995, 10, 999, 999}, {7, -10, 999, 7}, {11, -10, 999, 1}, {10, -10, 999, 10},
        {249, 1, 249, 249},  {248, 1, 249, 249}, {1, -1, 999, 1}, {2, -1, 999, 1},
        {240, 10, 249, 249}, {5, 1, 999, 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StepSlot(c.current, c.delta, c.last), c.expected)
            << c.current << " by " << c.delta << " up to " << c.last;
}

TEST(RecordLists, EntriesShowTheNumberTwoBlanksAndTheName)
{
    Oob oob;
    oob.UnitTable[7].Name = "Rifle Squad";
    oob.WeaponTable[12].Name = "MG ";
    oob.FormationTable[512].Name = "  Tank Coy  ";
    EXPECT_EQ(ListEntryText(oob, 1, 7), "007  Rifle Squad");
    EXPECT_EQ(ListEntryText(oob, 1, 8), "008  ");
    EXPECT_EQ(ListEntryText(oob, 2, 12), "012  MG ");
    EXPECT_EQ(ListEntryText(oob, 3, 512), "512  Tank Coy");
    EXPECT_EQ(ListEntryText(oob, 3, 999), "999  ");
    EXPECT_EQ(LastSlot(1), 999);
    EXPECT_EQ(LastSlot(2), 249);
    EXPECT_EQ(LastSlot(3), 999);
}

}  // namespace
}  // namespace brackle

#include <gtest/gtest.h>

#include <algorithm>

#include "editors/record_lists.h"
#include "editors/unit_fields.h"
#include "editors/weapon_fields.h"

namespace brackle {
namespace {

Oob Named(std::initializer_list<std::pair<int, const char*>> units)
{
    Oob oob;
    for (const auto& [slot, name] : units)
        oob.UnitTable[slot].Name = name;
    return oob;
}

TEST(Find, WrapsRoundAndTestsTheCurrentSlotLast)
{
    const Oob oob = Named({{5, "T-55 TANK"}, {20, "TANK PLT"}, {10, "Rifles"}, {999, "Last tank"}});
    struct Case {
        int current;
        const char* needle;
        int found;
    };
    const Case cases[] = {
        {10, "TANK", 20}, {20, "TANK", 999}, {999, "TANK", 5}, {10, "RIFLES", 10},
        {10, "NONE", 0},  {1, "T-55", 5},   {5, "T-55", 5},   {998, "LAST", 999},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindNext(oob, 1, c.current, c.needle), c.found) << c.needle << " from " << c.current;
    Oob weapons;
    weapons.WeaponTable[249].Name = "Big gun";
    EXPECT_EQ(FindNext(weapons, 2, 1, "BIG"), 249);
    EXPECT_EQ(FindNext(weapons, 2, 249, "BIG"), 249);
    weapons.FormationTable[3].Name = "  Recce Plt ";
    EXPECT_EQ(FindNext(weapons, 3, 999, "RECCE PLT"), 3);
}

TEST(SearchAndReplace, RenamesWholeNamesOnlyIgnoringCase)
{
    Oob oob = Named({{1, "T-55"}, {2, "t-55"}, {3, "T-55 TANK"}, {4, "AT-55"}, {5, "T-55"}});
    EXPECT_EQ(ReplaceWholeNames(oob, 1, "T-55", "T-55A"), 3);
    EXPECT_EQ(oob.UnitTable[1].Name, "T-55A");
    EXPECT_EQ(oob.UnitTable[2].Name, "T-55A");
    EXPECT_EQ(oob.UnitTable[3].Name, "T-55 TANK");
    EXPECT_EQ(oob.UnitTable[4].Name, "AT-55");
    EXPECT_EQ(oob.UnitTable[5].Name, "T-55A");
    // The replacement is cut to what the file holds, and an empty search renames nothing.
    EXPECT_EQ(ReplaceWholeNames(oob, 1, "T-55A", "A very long replacement"), 3);
    EXPECT_EQ(oob.UnitTable[1].Name, "A very long rep");
    EXPECT_EQ(ReplaceWholeNames(oob, 1, "", "Filled"), 0);
    EXPECT_EQ(oob.UnitTable[999].Name, "");
    EXPECT_EQ(Upper("t\xE9l\xF7"), "T\xC9L\xF7");
}

TEST(WeaponFields, CommitClampsAndRefusesUnreadableTexts)
{
    WeaponRecord w;
    w.Name = "Keep";
    WeaponTexts t = TextsOfWeapon(w);
    t[WfRange] = "300";
    t[WfAPPen] = "222";
    t[WfName] = "  A weapon name of twenty  ";
    t[WfClass] = "";
    ASSERT_FALSE(StoreWeaponTexts(t, w).has_value());
    EXPECT_EQ(w.Range, 255);
    EXPECT_EQ(w.APPen, 222);
    EXPECT_EQ(w.Name, "A weapon name o");
    EXPECT_EQ(w.Class, 0);
    EXPECT_EQ(TextsOfWeapon(w)[WfRange], "255");

    const WeaponRecord before = w;
    t[WfName] = "Changed";
    t[WfAccuracy] = "1-2";
    EXPECT_EQ(StoreWeaponTexts(t, w), WfAccuracy);
    EXPECT_EQ(w, before);
}

TEST(UnitTransfer, EraseTextsAreAnEmptySlot)
{
    UnitRecord u;
    u.Name = "Gone";
    u.Class = 5;
    u.Cost = 40;
    ASSERT_FALSE(StoreUnitTexts(ErasedUnitTexts(), u).has_value());
    EXPECT_EQ(u.Name, "");
    EXPECT_EQ(u.Class, 216);
    EXPECT_EQ(u.YrAvail, 1);
    EXPECT_EQ(u.YrUnavail, 1);
    EXPECT_EQ(u.MonthAvail, 1);
    EXPECT_EQ(u.MonthUnAvail, 12);
    EXPECT_EQ(u.Cost, 0);
    EXPECT_EQ(u.WinterIcon, 0);
}

TEST(UnitTransfer, CopyTakesMonthsFromZeroAndNoClassRules)
{
    UnitRecord u;
    UnitTexts t = TextsOfUnit(u);
    t[UfMonthAvail] = "0";
    t[UfClass] = "134";
    t[UfSpeed] = "12";
    t[UfIcon] = "70000";
    StoreUnitTexts(t, u, UnitStore::Copy);
    EXPECT_EQ(u.MonthAvail, 0);
    EXPECT_EQ(u.Speed, 12);
    EXPECT_EQ(u.Icon, 65535);
}

TEST(UnitTransfer, PasteOptionsChooseTheFieldsWritten)
{
    auto has = [](const std::vector<UnitFieldId>& f, UnitFieldId id) {
        return std::find(f.begin(), f.end(), id) != f.end();
    };
    const auto all = UnitPasteFields({});
    EXPECT_EQ(all.size(), static_cast<std::size_t>(UnitFieldCount));
    PasteOptions keepWeapons;
    keepWeapons.KeepWeapons = true;
    const auto kw = UnitPasteFields(keepWeapons);
    for (UnitFieldId id : {UfWpn1, UfWpn4APAmmo, UfSabotAmmo, UfHEATAmmo, UfSoundByte, UfWPNSound1, UfWPNSound4})
        EXPECT_FALSE(has(kw, id)) << id;
    EXPECT_TRUE(has(kw, UfSteelHF));
    EXPECT_TRUE(has(kw, UfName));
    PasteOptions armour;
    armour.PasteArmourOnly = true;
    armour.KeepDates = true;
    EXPECT_EQ(UnitPasteFields(armour).size(), 21u);
    PasteOptions icons = armour;
    icons.PasteOnlyIconData = true;
    EXPECT_EQ(UnitPasteFields(icons), (std::vector<UnitFieldId>{UfIcon, UfWinterIcon, UfDesertIcon}));
}

}  // namespace
}  // namespace brackle

#include <gtest/gtest.h>

#include "editors/pick_list.h"

namespace brackle {
namespace {

TEST(PickList, CaptionsCountsAndEntryTexts)
{
    Oob o;
    o.UnitTable[5].Name = "Rifle Squad";
    o.WeaponTable[42].Name = "Rifle\xE9";  // shown as stored, bytes above 0x7F too
    o.Names.NationNames[7] = "Seventh";
    o.Names.UnitClassNames[255] = "Top Class";
    struct Case {
        int kind;
        const char* caption;
        std::size_t count, entry;
        const char* text;
    } cases[] = {
        {PickUnit, "Pick List : Unit", 1000, 0, "000 - NO UNIT"},
        {PickUnit, "Pick List : Unit", 1000, 5, "005 - Rifle Squad"},
        {PickFormation, "Pick List : Formation", 1000, 0, "000 - NO UNIT"},
        {PickMoveClass, "Pick List : Movement Class", 10, 6, "06 - UNUSED"},
        {PickFormType, "Pick List : Formation Type", 5, 4, "04 - Naval"},
        {PickNation, "Pick List : Nationality", 100, 7, "07 - Seventh"},
        {PickUnitClass, "Pick List : Unit Class", 256, 255, "255 - Top Class"},
        {PickWeapon, "Pick List : Unit Weapon", 250, 0, "000 - NO WEAPON IN SLOT"},
        {PickWeapon, "Pick List : Unit Weapon", 250, 42, "042 - Rifle\xE9"},
        {PickWeaponClass, "Pick List : Weapon Class", 27, 26, "26 - HESH Gun "},
        {PickPage, "Pick List : Purchase Page", 11, 10, "10 - Battalion HQ."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        const PickList list = MakePickList(c.kind, o, 0);
        EXPECT_EQ(list.Caption, c.caption);
        ASSERT_EQ(list.Entries.size(), c.count);
        EXPECT_EQ(list.Invalid.size(), c.count);
        EXPECT_EQ(list.Entries[c.entry], c.text);
        EXPECT_EQ(PickResult(list, -2), -2);  // Cancel, whatever was selected
    }
}

TEST(PickList, FormationsThatMayNotNestAreExcluded)
{
    // Formation t + 1 has type t (6 is no known type); slot 10 is free but keeps a type.
    Oob o;
    for (int t = 0; t <= 6; ++t) {
        auto& f = o.FormationTable[static_cast<std::size_t>(t + 1)];
        f.Name = "Type " + std::to_string(t);
        f.FormType = static_cast<std::uint8_t>(t);
    }
    o.FormationTable[10].FormType = 3;
    const std::size_t slots[] = {1, 2, 3, 4, 5, 6, 7, 10};
    struct Case {
        int edited;  // FormType of the formation being edited
        std::vector<bool> excluded;  // of the slots above
    } cases[] = {
        {2, {false, false, true, true, true, true, true, false}},
        {3, {false, true, true, true, true, true, true, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edited);
        const PickList list = MakePickList(PickFormation, o, c.edited);
        EXPECT_FALSE(list.Invalid[0]);
        for (std::size_t i = 0; i < std::size(slots); ++i) {
            const std::size_t f = slots[i];
            const int n = static_cast<int>(f);
            EXPECT_EQ(list.Invalid[f], c.excluded[i]) << f;
            EXPECT_EQ(list.Entries[f].substr(6), c.excluded[i] ? "XX INVALID CHOICE XX" : o.FormationTable[f].Name);
            EXPECT_EQ(PickResult(list, n), c.excluded[i] ? 0 : n) << f;
        }
    }
}

// The entry a list opens on: the field's own number, when it is one the list offers.
TEST(PickList, OpensOnTheFieldsNumberWhenTheListOffersIt)
{
    Oob o;
    o.FormationTable[4].Name = "Coy";
    o.FormationTable[4].FormType = 2;  // a company: excluded while editing a company
    struct Case {
        int kind;
        long current;
        int selected;  // -1: none
    } cases[] = {
        {PickWeapon, 0, 0},      {PickWeapon, 17, 17},       {PickWeapon, 249, 249}, {PickWeapon, 252, -1},
        {PickNation, 99, 99},    {PickNation, 113, -1},      {PickNation, -1, -1},   {PickUnitClass, 255, 255},
        {PickFormType, 5, -1},   {PickFormation, 3, 3},      {PickFormation, 4, -1}, {PickMoveClass, 9, 9},
    };
    for (const auto& c : cases) {
        const PickList list = MakePickList(c.kind, o, 2);
        EXPECT_EQ(PickStartEntry(list, c.current), c.selected) << list.Caption << " on " << c.current;
    }
}

}  // namespace
}  // namespace brackle

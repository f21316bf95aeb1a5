#include <gtest/gtest.h>

#include "transfer/paste_buffers.h"

namespace brackle {
namespace {

TEST(PasteBuffers, ListLinesShowSlotNameAndSourceNation)
{
    PasteBuffers b;
    NameTables names;
    names.NationNames[5] = "Fifth";
    names.NationNames[42] = "Forty-Two";
    b.Units[7] = {UnitRecord{}, 5, true};
    b.Units[7].Rec.Name = "Rifle Squad";
    b.Units[8] = {UnitRecord{}, 42, true};
    b.Units[8].Rec.Name = "Exactly15Chars!";
    struct Case {
        int slot;
        const char* line;
    };
    const Case cases[] = {
        {7, "007: Rifle Squad      [05]  Fifth"},
        {8, "008: Exactly15Chars! [42]  Forty-Two"},
        {9, "009: *Unused*         [..]  ..."},
        {999, "999: *Unused*         [..]  ..."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PasteListLine(b, names, UnitBuffer, c.slot), c.line) << c.slot;
    EXPECT_EQ(PasteStatusText(UnitBuffer, PasteFromBuffer), "Select unit buffer to PASTE from");
    EXPECT_EQ(PasteStatusText(WeaponBuffer, CopyToBuffer), "Select weapon buffer  to COPY to");
    EXPECT_EQ(PasteStatusText(FormationBuffer, PasteFromBuffer), "Select formation buffer  to PASTE from");
}

TEST(PasteBuffers, StoreAndFetchGoThroughTheTransferRecord)
{
    PasteBuffers b;
    TransferRecords x;
    x.Unit.Rec.Name = "Copied";
    x.Unit.SourceNation = 3;
    StoreSlot(b, x, UnitBuffer, 12);
    EXPECT_TRUE(b.Units[12].Used);
    EXPECT_EQ(b.Units[12].SourceNation, 3);

    x.Unit.Rec.Name = "Last copied";
    FetchSlot(b, x, UnitBuffer, 13);  // unused: nothing changes
    EXPECT_EQ(x.Unit.Rec.Name, "Last copied");
    x.Unit.SourceNation = 9;
    FetchSlot(b, x, UnitBuffer, 12);
    EXPECT_EQ(x.Unit.Rec.Name, "Copied");
    EXPECT_EQ(x.Unit.SourceNation, 9);  // the source nation stays as it was
}

TEST(PasteBuffers, WholeTableCopiesLeaveTheSlotsBeyondTheWeaponTable)
{
    Oob oob;
    oob.CurrentOOB = 4;
    oob.WeaponTable[1].Name = "Gun";
    oob.WeaponTable[249].Name = "Last";
    PasteBuffers b;
    b.Weapons[600] = {WeaponRecord{"Kept", 1}, 8, true};
    b.Weapons[2].Used = true;
    CopyAll(b, oob, WeaponBuffer);
    EXPECT_TRUE(b.Weapons[1].Used);
    EXPECT_FALSE(b.Weapons[2].Used);
    EXPECT_TRUE(b.Weapons[249].Used);
    EXPECT_EQ(b.Weapons[249].SourceNation, 4);
    EXPECT_EQ(b.Weapons[600].Rec.Name, "Kept");
    EXPECT_TRUE(b.Weapons[600].Used);

    // Clear marks everything unused but keeps the records, which PasteAll writes back.
    Oob target;
    ClearAll(b);
    EXPECT_FALSE(b.Weapons[1].Used);
    EXPECT_EQ(b.Weapons[1].SourceNation, kNoSourceNation);
    EXPECT_EQ(b.Units[5].SourceNation, kNoSourceNation);
    PasteAll(b, target, WeaponBuffer);
    EXPECT_EQ(target.WeaponTable[1].Name, "Gun");
    EXPECT_EQ(target.WeaponTable[249].Name, "Last");

    oob.UnitTable[3].Name = "Unit";
    CopyAll(b, oob, UnitBuffer);
    target.UnitTable[500].Name = "Overwritten";
    PasteAll(b, target, UnitBuffer);
    EXPECT_EQ(target.UnitTable[3].Name, "Unit");
    EXPECT_EQ(target.UnitTable[500].Name, "");  // a never-filled slot empties the table slot
}

TEST(PasteBuffers, FormationsKeepOnlyTheNationOption)
{
    PasteOptions o{true, true, true, true, true, true, true};
    ResetOptionsForFormations(o);
    EXPECT_TRUE(o.PasteAsNation);
    EXPECT_FALSE(o.PasteArmourOnly || o.KeepDates || o.KeepWeapons || o.KeepIcons || o.KeepUnitClass ||
                 o.PasteOnlyIconData);
}

}  // namespace
}  // namespace brackle

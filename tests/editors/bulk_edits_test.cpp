#include <gtest/gtest.h>

#include "editors/bulk_edits.h"
#include "editors/unit_fields.h"

namespace brackle {
namespace {

// A unit with every field non-zero, so a field a bulk edit forgets shows.
UnitRecord FullUnit(const char* name, int nation, int seed)
{
    UnitRecord u;
    u.Name = name;
    int v = seed;
    for (const UnitField& f : UnitFields()) {
        if (f.Byte)
            u.*f.Byte = static_cast<std::uint8_t>(1 + v++ % 200);
        else if (f.Word)
            u.*f.Word = static_cast<std::uint16_t>(1000 + v++);
    }
    u.Nation = static_cast<std::uint8_t>(nation);
    u.SpareA = 17;
    u.SpareB = 18;
    return u;
}

FormationRecord FullFormation(const char* name, int nation)
{
    FormationRecord f;
    f.Name = name;
    f.Nation = static_cast<std::uint8_t>(nation);
    f.YrAvail = 80;
    f.MonthAvail = 3;
    f.YrUntil = 95;
    f.MonthUntil = 11;
    f.Page = 3;
    f.FormType = 1;
    for (std::size_t k = 0; k < f.Slot.size(); ++k)
        f.Slot[k] = static_cast<std::uint16_t>(1 + k);
    f.ExpMod = -5;
    f.MoraleMod = 4;
    return f;
}

// Units 1..5 and formations 1..2 of nation 12, unit 6 and formation 3 of nation 3;
// every other slot empty as an erased file leaves it: nation 0, class 216, year
// index 1, and some EW and spare bytes.
Oob Sample()
{
    Oob o;
    o.CurrentOOB = 12;
    for (int u = 1; u <= kUnitSlots; ++u) {
        UnitRecord& e = o.UnitTable[u];
        e.Class = 216;
        e.YrAvail = 1;
        e.YrUnavail = 1;
        e.EW = static_cast<std::uint8_t>(u % 7);
        e.SpareA = static_cast<std::uint8_t>(u % 5);
        e.SpareB = 9;
    }
    for (int u = 1; u <= 5; ++u) {
        o.UnitTable[u] = FullUnit("Rifle Squad", 12, u * 70);
        o.UnitTable[u].Class = 1;
    }
    o.UnitTable[3].Class = 134;
    o.UnitTable[6] = FullUnit("Guest Gun", 3, 500);
    o.UnitTable[6].Class = 9;
    o.FormationTable[1] = FullFormation("Rifle Plt", 12);
    o.FormationTable[2] = FullFormation("Rifle Coy", 12);
    o.FormationTable[3] = FullFormation("Guest Plt", 3);
    o.FormationTable[3].Slot[0] = 1;     // a unit of nation 12
    o.FormationTable[3].Slot[1] = 1001;  // a formation of nation 12
    return o;
}

TEST(BulkEdits, RenumberNationCountsEveryMatchAndChangesOnlyTheirNation)
{
    constexpr int kEmptyUnits = kUnitSlots - 6;
    constexpr int kEmptyFormations = kFormationSlots - 3;
    struct Case {
        int from, to;
        BulkCounts counts;
        std::vector<int> units, formations;  // the slots that get nation to
    } cases[] = {
        {12, 12, {5, 2}, {}, {}},
        {12, 7, {5, 2}, {1, 2, 3, 4, 5}, {1, 2}},
        {3, 12, {1, 1}, {6}, {3}},  // joins the nation already there
        {50, 1, {0, 0}, {}, {}},
        {0, 99, {kEmptyUnits, kEmptyFormations}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        Oob o = Sample();
        Oob want = Sample();
        for (int u : c.units)
            want.UnitTable[u].Nation = static_cast<std::uint8_t>(c.to);
        for (int f : c.formations)
            want.FormationTable[f].Nation = static_cast<std::uint8_t>(c.to);
        if (c.from == 0) {
            for (int u = 7; u <= kUnitSlots; ++u)
                want.UnitTable[u].Nation = 99;
            for (int f = 4; f <= kFormationSlots; ++f)
                want.FormationTable[f].Nation = 99;
        }
        EXPECT_EQ(RenumberNation(o, c.from, c.to), c.counts);
        EXPECT_TRUE(o.UnitTable == want.UnitTable);
        EXPECT_TRUE(o.FormationTable == want.FormationTable);
        EXPECT_EQ(o.CurrentOOB, 12);
    }
}

TEST(BulkEdits, ResultLines)
{
    NameTables names;
    names.NationNames[7] = "Kestrel Republic";
    names.NationNames[23] = "Aurisel";
    names.NationNames[10] = "Tenth";
    const std::pair<int, const char*> kob[] = {
        {7, "Current Kob : 07 - Kestrel Republic"},
        {23, "Current Kob : 23 - Aurisel"},
        {10, "Current Kob : 10 - Tenth"},
        {9, "Current Kob : 09 - "},  // a nation without a name
        {0, "Current Kob : 00 - Unknown"},
        {120, "Current Kob : 120 - Unknown"},
    };
    for (const auto& [n, want] : kob)
        EXPECT_EQ(CurrentKobText(names, n), want);

    const std::pair<BulkCounts, const char*> processed[] = {
        {{5, 0}, "Processed : 5 Units, 0 Formations"},
        {{0, 0}, "Processed : 0 Units, 0 Formations"},
        {{999, 12}, "Processed : 999 Units, 12 Formations"},
    };
    for (const auto& [counts, want] : processed)
        EXPECT_EQ(ProcessedText(counts), want);

    // A file with five units of the nation and no formation of it.
    Oob o = Sample();
    o.FormationTable[1].Nation = 3;
    o.FormationTable[2].Nation = 3;
    EXPECT_EQ(ProcessedText(RenumberNation(o, 12, 4)), "Processed : 5 Units, 0 Formations");

    EXPECT_EQ(ReclassifiedText(0), "Reclassified : 0");
    EXPECT_EQ(ReclassifiedText(1), "Reclassified : 1 Units");
    EXPECT_EQ(ReclassifiedText(993), "Reclassified : 993 Units");

    EXPECT_EQ(NotANumberText("Change any", "1-2"), "The Change any field holds \"1-2\", which is not a number.");
}

TEST(BulkEdits, ResetAllIconsSetsTheSeasonalIconsToSummer)
{
    Oob o;
    auto icons = [&o](int u, int summer, int winter, int desert) {
        UnitRecord& r = o.UnitTable[static_cast<std::size_t>(u)];
        r.Icon = static_cast<std::uint16_t>(summer);
        r.WinterIcon = static_cast<std::uint16_t>(winter);
        r.DesertIcon = static_cast<std::uint16_t>(desert);
    };
    icons(1, 5, 7, 9);
    icons(2, 65535, 0, 65535);
    icons(3, 4, 4, 4);        // already the same: not counted
    icons(999, 12, 12, 300);  // the last slot too
    icons(4, 0, 8, 0);        // a nameless slot is a unit like any other
    o.UnitTable[1].Name = "Tank";
    const Oob before = o;
    EXPECT_EQ(ResetAllIcons(o), 4);
    for (int u : {1, 2, 3, 4, 999}) {
        const UnitRecord& r = o.UnitTable[static_cast<std::size_t>(u)];
        EXPECT_EQ(r.WinterIcon, before.UnitTable[static_cast<std::size_t>(u)].Icon) << u;
        EXPECT_EQ(r.DesertIcon, r.Icon) << u;
        EXPECT_EQ(r.Icon, before.UnitTable[static_cast<std::size_t>(u)].Icon) << u;
        EXPECT_EQ(r.Name, before.UnitTable[static_cast<std::size_t>(u)].Name) << u;
    }
    EXPECT_EQ(ResetAllIcons(o), 0);
}

TEST(BulkEdits, ReclassifyUnitsChangesOnlyTheClassOfMatches)
{
    struct Case {
        int from, to;
        int count;
        std::vector<int> units;  // the slots that get class to
    } cases[] = {
        {216, 216, kUnitSlots - 6, {}},  // every empty-class unit, nothing changed
        {1, 40, 4, {1, 2, 4, 5}},
        // No class rules: the static emplacement keeps Speed, Swim and Vision,
        // the glider its weapons and Survive.
        {9, 134, 1, {6}},
        {134, 47, 1, {3}},
        {5, 6, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        Oob o = Sample();
        Oob want = Sample();
        for (int u : c.units)
            want.UnitTable[u].Class = static_cast<std::uint8_t>(c.to);
        EXPECT_EQ(ReclassifyUnits(o, c.from, c.to), c.count);
        EXPECT_TRUE(o.UnitTable == want.UnitTable);
        EXPECT_TRUE(o.FormationTable == want.FormationTable);
    }
}

TEST(BulkEdits, DeleteNationClearsTheMarkedRecordsOfThatNationOnly)
{
    struct Case {
        int nation;
        bool units, formations;
        BulkCounts counts;
        std::vector<int> clearedUnits, clearedFormations;
        bool emptySlots;  // the empty slots (nation 0) are cleared too
    } cases[] = {
        {12, true, true, {5, 2}, {1, 2, 3, 4, 5}, {1, 2}, false},
        {12, true, false, {5, 0}, {1, 2, 3, 4, 5}, {}, false},
        {12, false, true, {0, 2}, {}, {1, 2}, false},
        {12, false, false, {0, 0}, {}, {}, false},
        {3, true, true, {1, 1}, {6}, {3}, false},
        {0, true, true, {kUnitSlots - 6, kFormationSlots - 3}, {}, {}, true},
        {42, true, true, {0, 0}, {}, {}, false},
    };
    // Every comparison below also covers formation 3 of nation 3, whose slots keep
    // pointing at unit 1 and formation 1 when those are cleared.
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "nation " << c.nation << " units " << c.units << " formations "
                                        << c.formations);
        Oob o = Sample();
        Oob want = Sample();
        std::vector<int> units = c.clearedUnits;
        std::vector<int> formations = c.clearedFormations;
        if (c.emptySlots) {
            for (int u = 7; u <= kUnitSlots; ++u)
                units.push_back(u);
            for (int f = 4; f <= kFormationSlots; ++f)
                formations.push_back(f);
        }
        for (int u : units) {
            UnitRecord cleared;
            cleared.EW = want.UnitTable[u].EW;
            cleared.SpareA = want.UnitTable[u].SpareA;
            cleared.SpareB = want.UnitTable[u].SpareB;
            want.UnitTable[u] = cleared;
        }
        for (int f : formations)
            want.FormationTable[f] = FormationRecord{};
        EXPECT_EQ(DeleteNation(o, c.nation, c.units, c.formations), c.counts);
        EXPECT_TRUE(o.UnitTable == want.UnitTable);
        EXPECT_TRUE(o.FormationTable == want.FormationTable);
    }
}

}  // namespace
}  // namespace brackle

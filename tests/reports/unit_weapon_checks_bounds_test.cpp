// The unit and weapon searches at the ends of the tables: unit 999, formation
// 999 and slot 10, weapon 248 (the last one examined for use) and weapon 249.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports/unit_weapon_checks.h"

namespace brackle {
namespace {

using Lines = std::vector<std::string>;

constexpr int kHome = 5;
constexpr int kAbroad = 7;

Oob MakeOob()
{
    Oob oob;
    oob.CurrentOOB = kHome;
    oob.Names.UnitClassNames[5] = "Tank";
    oob.Names.UnitClassNames[99] = "Ninety-nine";
    oob.Names.NationNames[kAbroad] = "Ruritania";
    return oob;
}

UnitRecord& PutUnit(Oob& oob, int u, const std::string& name, int unitClass, int nation)
{
    UnitRecord& r = oob.UnitTable[static_cast<std::size_t>(u)];
    r.Name = name;
    r.Class = static_cast<std::uint8_t>(unitClass);
    r.Nation = static_cast<std::uint8_t>(nation);
    r.YrAvail = 40;
    r.MonthAvail = 1;
    r.YrUnavail = 45;
    r.MonthUnAvail = 1;
    return r;
}

// Formation 999, 39/01 to 46/01, holding unit u in slot 10 only.
void Slot10OfFormation999(Oob& oob, int u)
{
    FormationRecord& r = oob.FormationTable[999];
    r.Name = "Last Fmn";
    r.Nation = kHome;
    r.YrAvail = 39;
    r.MonthAvail = 1;
    r.YrUntil = 46;
    r.MonthUntil = 1;
    r.Slot = {};
    r.Slot[9] = static_cast<std::uint16_t>(u);
}

const Lines kOrphanMiddle = {
    " ", " ==================== ",
    "Searching for units which do not have a container formation at a particular date",
    " ==================== ", " ",
};
const Lines kOrphanEnd = {" ", " ==================== ", "**** Run Complete ****"};

Lines Concat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(UnitChecksAtTheEnds, ForeignUnit999)
{
    Oob oob = MakeOob();
    PutUnit(oob, 999, "Last", 5, kAbroad);
    LinesSink sink;
    FindForeignUnits(oob, sink);
    EXPECT_EQ(sink.lines, (Lines{"Foreign uints found:",
                                 "Unit 999 -  Last (class 5 Tank) is assigned to nation 7 Ruritania"}));
}

TEST(UnitChecksAtTheEnds, OrphanClassesOfUnit999)
{
    const std::string last = "999 - Last (099 - Ninety-nine) ";
    struct Case {
        const char* what;
        bool placed;  // in slot 10 of formation 999
        Lines lines;
    } cases[] = {
        {"in no formation: an orphan, and no week covered", false,
         Concat({{last + " - ORPHANED -"}, kOrphanMiddle,
                 {last + " - has no corresponding formation at - 1/40"}, kOrphanEnd})},
        {"in slot 10 of formation 999, which covers its whole life", true, Concat({kOrphanMiddle, kOrphanEnd})},
    };
    for (const Case& c : cases) {
        Oob oob = MakeOob();
        PutUnit(oob, 999, "Last", 99, kHome);
        if (c.placed)
            Slot10OfFormation999(oob, 999);
        LinesSink sink;
        const ReportEnd end = FindOrphanClasses(oob, sink);
        EXPECT_FALSE(end.Stopped) << c.what << ": " << end.Message;
        EXPECT_EQ(sink.lines, c.lines) << c.what;
    }
}

TEST(WeaponChecksAtTheEnds, WeaponsCarriedOnlyByUnit999)
{
    // Weapon 249 and weapon 247 are carried only by unit 999; weapon 248 by nobody.
    Oob oob = MakeOob();
    oob.WeaponTable[247].Name = "Carried";
    oob.WeaponTable[247].Class = 3;
    oob.WeaponTable[248].Name = "Spare";
    oob.WeaponTable[248].Class = 3;
    oob.WeaponTable[249].Name = "Last Gun";
    oob.WeaponTable[249].Class = 6;
    UnitRecord& last = PutUnit(oob, 999, "Last", 5, kHome);
    last.Wpn3 = 247;
    last.Wpn4 = 249;

    LinesSink users;
    EXPECT_TRUE(FindWeaponUsers(oob, 248, users));
    EXPECT_EQ(users.lines, (Lines{"users of weapon ID 249 Last Gun:",
                                  "999 - Last - uClass 005 :  slot 4 - Available 01/040 to 01/045"}));

    LinesSink unused;
    FindUnusedWeapons(oob, unused);
    EXPECT_EQ(unused.lines, (Lines{"Run starting ", "", "248 - Spare - UNUSED ", "", "Run completed"}));

    LinesSink cleared;
    ClearUnusedWeapons(oob, cleared);
    EXPECT_EQ(cleared.lines, (Lines{"", "========================", "", "248 - Spare - UNUSED - DELETED", "",
                                    "RUN COMPLETED"}));
    EXPECT_EQ(oob.WeaponTable[247].Name, "Carried");
    EXPECT_EQ(oob.WeaponTable[248], WeaponRecord{});
    EXPECT_EQ(oob.WeaponTable[249].Name, "Last Gun");
}

}  // namespace
}  // namespace brackle

#include "demo/demo_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

#include "graphics/unit_icons.h"
#include "oob/config.h"
#include "oob/oob_file.h"
#include "oob/text.h"
#include "test_support.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

// Faults planted on purpose in every demo OOB (DemoFaults): one broken link to
// an erased unit, one formation outliving its X3 unit, one section holding a
// platoon, one bad AP load, one unused weapon, one orphaned class. Everything
// else must be as clean as a carefully kept OOB.

const std::set<int> kAircraft = {44, 47, 50, 53, 60, 61, 62, 203, 204, 205, 214, 215, 221, 222, 223, 253};
const std::set<int> kNoWeapon = {47, 50, 60, 61};

bool Used(const std::string& name) { return !Trim(name).empty(); }

struct Date {
    int y, m;
    bool operator<=(const Date& o) const { return y != o.y ? y < o.y : m <= o.m; }
};

Date StartOfUnit(const UnitRecord& u) { return {u.YrAvail, u.MonthAvail}; }
Date EndOfUnit(const UnitRecord& u) { return {u.YrUnavail, u.MonthUnAvail}; }
Date StartOfFormation(const FormationRecord& f) { return {f.YrAvail, f.MonthAvail}; }
Date EndOfFormation(const FormationRecord& f) { return {f.YrUntil, f.MonthUntil}; }

// The demo OOBs as the editor reads them back from the written game folder.
class DemoGame : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new test::TempDir();
        std::string error;
        ASSERT_TRUE(WriteDemoGame(dir_->path(), &error)) << error;
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }
    static fs::path Root() { return dir_->path() / "Vornex"; }
    static fs::path OobDir() { return Root() / "game data" / "oobs"; }

    static Oob Load(int n)
    {
        Oob o;
        o.CurrentOOB = static_cast<std::uint16_t>(n);
        const LoadResult r = LoadOOB(o, OobDir(), n);
        EXPECT_EQ(r.code, 0) << r.reason;
        return o;
    }

    static test::TempDir* dir_;
};

test::TempDir* DemoGame::dir_ = nullptr;

TEST_F(DemoGame, WritesTheGameFolders)
{
    EXPECT_TRUE(fs::is_regular_file(Root() / "Brackle" / "BRVX.ini"));
    EXPECT_TRUE(fs::is_directory(Root() / "game data" / "graphics"));
    EXPECT_TRUE(fs::is_directory(Root() / "game data" / "pictures"));
    EXPECT_TRUE(fs::is_regular_file(Root() / "game data" / "graphics" / "Icon0002.shp"));
    EXPECT_TRUE(fs::is_regular_file(Root() / "game data" / "pictures" / "Pm00005.lbm"));
    const GameFolders g = FoldersOf(Root());
    EXPECT_EQ(g.OOBDir, OobDir());
    ASSERT_GE(DemoOobNumbers().size(), 3u);
    for (const int n : DemoOobNumbers()) {
        ASSERT_TRUE(OOBExists(OobDir(), n)) << n;
        EXPECT_EQ(fs::file_size(OobDir() / OOBFileName(n)), kBufferSize);
    }
}

TEST_F(DemoGame, TwoRunsWriteTheSameBytes)
{
    test::TempDir other;
    std::string error;
    ASSERT_TRUE(WriteDemoGame(other.path(), &error)) << error;
    std::set<fs::path> files, otherFiles;
    for (const auto& e : fs::recursive_directory_iterator(dir_->path()))
        if (e.is_regular_file())
            files.insert(fs::relative(e.path(), dir_->path()));
    for (const auto& e : fs::recursive_directory_iterator(other.path()))
        if (e.is_regular_file())
            otherFiles.insert(fs::relative(e.path(), other.path()));
    EXPECT_EQ(files, otherFiles);
    EXPECT_GE(files.size(), 1 + DemoOobNumbers().size() + 9 + 8);
    for (const auto& f : files)
        EXPECT_EQ(test::ReadBytes(dir_->path() / f), test::ReadBytes(other.path() / f)) << f;
}

TEST_F(DemoGame, NationsDifferInTheirData)
{
    const auto a = test::ReadBytes(OobDir() / OOBFileName(DemoOobNumbers()[0]));
    const auto b = test::ReadBytes(OobDir() / OOBFileName(DemoOobNumbers()[1]));
    EXPECT_NE(a, b);
}

TEST_F(DemoGame, IniNamesEveryNationAndClass)
{
    const auto ini = IniFile::FromPath(Root() / "Brackle" / "BRVX.ini");
    ASSERT_TRUE(ini);
    Settings s;
    NameTables names;
    readinifile(&*ini, s, names);
    EXPECT_EQ(s.TransparentColour, 240);
    EXPECT_TRUE(s.Hints);
    EXPECT_EQ(s.HintTimeMs, 500);
    EXPECT_EQ(s.ForumURL, "https://forum.brackle.example/vornex");

    int named = 0;
    for (int n = 1; n <= kNations; ++n) {
        const std::string& name = names.NationNames[static_cast<std::size_t>(n)];
        EXPECT_NE(name, kNoIniFile) << n;
        EXPECT_FALSE(name.empty()) << n;
        if (name.rfind("Unused nation ", 0) == 0) {
            EXPECT_EQ(name, "Unused nation " + std::to_string(n));
        } else {
            ++named;
        }
    }
    EXPECT_GE(named, 24);
    for (const int n : DemoOobNumbers())
        EXPECT_EQ(names.NationNames[static_cast<std::size_t>(n)].rfind("Unused", 0), std::string::npos) << n;

    std::set<std::string> distinct;
    for (int c = 0; c < kUnitClasses; ++c) {
        const std::string& name = names.UnitClassNames[static_cast<std::size_t>(c)];
        EXPECT_NE(name, kNoIniFile) << c;
        EXPECT_FALSE(name.empty()) << c;
        distinct.insert(name);
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kUnitClasses));
}

TEST(DemoClassNames, FollowTheClassesTheEditorTreatsSpecially)
{
    const auto& names = DemoUnitClassNames();
    ASSERT_EQ(names.size(), static_cast<std::size_t>(kUnitClasses));
    const std::array<std::pair<int, const char*>, 8> fixed = {{
        {10, "Crew"}, {31, "Assault Boat"}, {155, "Barge"}, {156, "Small Craft"},
        {62, "Level Bomber"}, {214, "Wild Weasel"}, {215, "Circling Gunship"}, {134, "Static Emplacement"},
    }};
    for (const auto& [c, name] : fixed)
        EXPECT_EQ(names[static_cast<std::size_t>(c)], name) << c;
    EXPECT_NE(names[210].find("Minelet"), std::string::npos);
    EXPECT_NE(names[211].find("Minelet"), std::string::npos);
    EXPECT_NE(names[216].find("Empty"), std::string::npos);

    // An aircraft class, and only an aircraft class, is named as one.
    const char* const airWords[] = {"Heli", "Plane", "Bomber", "Glider", "Jet", "Gunship", "Weasel", "Aircraft"};
    for (int c = 0; c < kUnitClasses; ++c) {
        const std::string& name = names[static_cast<std::size_t>(c)];
        const bool airName = std::any_of(std::begin(airWords), std::end(airWords),
                                         [&](const char* w) { return name.find(w) != std::string::npos; });
        EXPECT_EQ(airName, kAircraft.count(c) == 1) << c << " " << name;
    }

    // A class whose units the unit page draws as soldiers is named for men on foot.
    const char* const footWords[] = {"Squad", "Team", "Section", "Party", "Crew", "Troop",
                                     "Infantry", "Band", "Militia", "Patrol", "Police"};
    int soldierClasses = 0;
    for (int c = 0; c < kUnitClasses; ++c) {
        if (!CrewIconImage(c, 1, 0))
            continue;
        ++soldierClasses;
        const std::string& name = names[static_cast<std::size_t>(c)];
        EXPECT_TRUE(std::any_of(std::begin(footWords), std::end(footWords),
                                [&](const char* w) { return name.find(w) != std::string::npos; }))
            << c << " " << name;
    }
    EXPECT_GT(soldierClasses, 100);
}

TEST_F(DemoGame, FilesAreCleanSoTheEditorSavesThemUnchanged)
{
    for (const int n : DemoOobNumbers()) {
        Oob o = Load(n);
        EXPECT_EQ(o.LoadedSize, kBufferSize);
        const auto before = o.OOBBuffer;
        WriteTablesToBuffer(o);
        EXPECT_TRUE(o.OOBBuffer == before) << n;
    }
}

TEST_F(DemoGame, RecordsCarryTheFileNationExceptTheForeignUnits)
{
    for (const int n : DemoOobNumbers()) {
        const Oob o = Load(n);
        const DemoFaults faults = BuildDemoOob(n).Faults;
        EXPECT_NE(o.OOBInfo.find(DemoNationNames()[static_cast<std::size_t>(n)]), std::string::npos);
        EXPECT_LE(o.OOBInfo.size(), kInfoLength);
        int units = 0, formations = 0, weapons = 0;
        for (int u = 1; u <= kUnitSlots; ++u) {
            const auto& r = o.UnitTable[static_cast<std::size_t>(u)];
            if (!Used(r.Name))
                continue;
            ++units;
            const bool foreign = std::count(faults.ForeignUnits.begin(), faults.ForeignUnits.end(), u) == 1;
            EXPECT_EQ(r.Nation != n, foreign) << u;
            EXPECT_GE(r.YrAvail, 1);
            EXPECT_LE(r.YrUnavail, 120);
            EXPECT_TRUE(StartOfUnit(r) <= EndOfUnit(r)) << u;
            EXPECT_GE(r.MonthAvail, 1);
            EXPECT_LE(r.MonthUnAvail, 12);
        }
        for (int f = 1; f <= kFormationSlots; ++f) {
            const auto& r = o.FormationTable[static_cast<std::size_t>(f)];
            if (!Used(r.Name))
                continue;
            ++formations;
            EXPECT_EQ(r.Nation, n) << f;
        }
        for (int w = 1; w <= kWeaponSlots; ++w)
            weapons += Used(o.WeaponTable[static_cast<std::size_t>(w)].Name) ? 1 : 0;
        EXPECT_GE(units, 150);
        EXPECT_GE(formations, 150);
        EXPECT_GE(weapons, 100);
        EXPECT_EQ(faults.ForeignUnits.size(), 3u);

        // Formation 1 is the battalion HQ, on the HQ page.
        EXPECT_EQ(o.FormationTable[1].FormType, 5);
        EXPECT_EQ(o.FormationTable[1].Page, 10);
        EXPECT_EQ(o.WeaponTable[198].Name, "1000lb Bomb");
    }
}

TEST_F(DemoGame, FormationSlotsPointAtRealRecordsExceptThePlantedBrokenLink)
{
    for (const int n : DemoOobNumbers()) {
        const Oob o = Load(n);
        const DemoFaults faults = BuildDemoOob(n).Faults;
        int broken = 0;
        for (int f = 1; f <= kFormationSlots; ++f) {
            const auto& r = o.FormationTable[static_cast<std::size_t>(f)];
            if (!Used(r.Name))
                continue;
            EXPECT_GT(r.Slot[0], 0) << f;
            EXPECT_LT(r.Slot[0], 1000) << "slot 1 holds a unit, formation " << f;
            for (std::size_t i = 0; i < 10; ++i) {
                const int v = r.Slot[i];
                if (v == 0)
                    continue;
                if (v < 1000) {
                    const auto& u = o.UnitTable[static_cast<std::size_t>(v)];
                    if (!Used(u.Name)) {
                        ++broken;
                        EXPECT_EQ(f, faults.BrokenLinkFormation);
                        EXPECT_EQ(static_cast<int>(i) + 1, faults.BrokenLinkSlot);
                        EXPECT_EQ(v, faults.ErasedUnit);
                        EXPECT_EQ(u.Class, 216);
                        continue;
                    }
                    EXPECT_EQ(u.Nation, n) << "formation " << f << " unit " << v;
                } else {
                    const int d = v - 1000;
                    ASSERT_TRUE(d >= 1 && d <= kFormationSlots) << f;
                    const auto& sub = o.FormationTable[static_cast<std::size_t>(d)];
                    EXPECT_TRUE(Used(sub.Name)) << f << " -> " << d;
                    // No nesting deeper than one level.
                    for (const auto w : sub.Slot)
                        EXPECT_LT(w, 1000) << f << " -> " << d;
                    // A section or platoon holds units, except the planted section.
                    if (r.FormType <= 1) {
                        EXPECT_EQ(f, faults.PlatoonInPlatoon) << f;
                    }
                    // A company holds platoons, never other companies.
                    EXPECT_LE(sub.FormType == 4 ? 1 : sub.FormType, 1) << f << " -> " << d;
                }
            }
        }
        EXPECT_EQ(broken, 1) << n;
        EXPECT_EQ(o.FormationTable[static_cast<std::size_t>(faults.PlatoonInPlatoon)].FormType, 0);
    }
}

TEST_F(DemoGame, FormationsLiveWithinTheirUnitsExceptThePlantedLateFormation)
{
    for (const int n : DemoOobNumbers()) {
        const Oob o = Load(n);
        const DemoFaults faults = BuildDemoOob(n).Faults;
        int late = 0;
        int x3InFormations = 0;
        for (int f = 1; f <= kFormationSlots; ++f) {
            const auto& r = o.FormationTable[static_cast<std::size_t>(f)];
            if (!Used(r.Name))
                continue;
            EXPECT_TRUE(StartOfFormation(r) <= EndOfFormation(r)) << f;
            for (const int v : r.Slot) {
                if (v == 0 || v == faults.ErasedUnit)
                    continue;
                Date start, end;
                bool x3 = false;
                if (v < 1000) {
                    const auto& u = o.UnitTable[static_cast<std::size_t>(v)];
                    start = StartOfUnit(u);
                    end = EndOfUnit(u);
                    x3 = u.Radio % 10 == 3;
                    x3InFormations += x3 ? 1 : 0;
                } else {
                    const auto& sub = o.FormationTable[static_cast<std::size_t>(v - 1000)];
                    start = StartOfFormation(sub);
                    end = EndOfFormation(sub);
                }
                EXPECT_TRUE(start <= StartOfFormation(r)) << f << " slot " << v;
                if (!(EndOfFormation(r) <= end)) {
                    ++late;
                    EXPECT_EQ(f, faults.LateFormation) << "slot " << v;
                }
            }
        }
        EXPECT_GE(late, 1);
        EXPECT_GE(x3InFormations, 4);
        EXPECT_EQ(o.UnitTable[static_cast<std::size_t>(faults.LateUnit)].Radio % 10, 3);
    }
}

TEST_F(DemoGame, WeaponsAndAmmunitionFollowTheUnitRules)
{
    for (const int n : DemoOobNumbers()) {
        const Oob o = Load(n);
        const DemoFaults faults = BuildDemoOob(n).Faults;
        std::set<int> carried;
        int badAP = 0;
        for (int u = 1; u <= kUnitSlots; ++u) {
            const auto& r = o.UnitTable[static_cast<std::size_t>(u)];
            if (!Used(r.Name))
                continue;
            const int c = r.Class;
            const std::array<int, 4> wpn = {r.Wpn1, r.Wpn2, r.Wpn3, r.Wpn4};
            const std::array<int, 4> he = {r.Wpn1HEAmmo, r.Wpn2HEAmmo, r.Wpn3HEAmmo, r.Wpn4HEAmmo};
            const std::array<int, 4> ap = {r.Wpn1APAmmo, r.Wpn2APAmmo, r.Wpn3APAmmo, r.Wpn4APAmmo};
            for (std::size_t j = 0; j < 4; ++j) {
                if (wpn[j] == 0) {
                    EXPECT_EQ(he[j] + ap[j], 0) << u;
                    continue;
                }
                carried.insert(wpn[j]);
                const auto& w = o.WeaponTable[static_cast<std::size_t>(wpn[j])];
                ASSERT_TRUE(Used(w.Name)) << u;
                EXPECT_EQ(kNoWeapon.count(c), 0u) << u;
                if (w.Class == 16) {
                    EXPECT_EQ(c, 214) << u;
                }
                if (w.Class == 15) {
                    EXPECT_TRUE(c == 210 || c == 211) << u;
                }
                if (w.Class == 11) {
                    EXPECT_EQ(kAircraft.count(c), 1u) << u;
                }
                if (w.Class == 11 && c == 62) {
                    EXPECT_EQ(w.Range, 1) << u;
                }
                if (w.Class == 11 && c == 215) {
                    EXPECT_GE(w.Range, 1) << u;
                }
                if (w.Class == 17) {
                    EXPECT_TRUE(c != 62 && c != 215) << u;
                }
                if (he[j] > 0) {
                    EXPECT_GT(w.HEKill, 0) << u;
                }
                if (ap[j] > 0 && w.APPen == 0) {
                    ++badAP;
                    EXPECT_EQ(u, faults.BadAPUnit);
                }
                if (j == 0 && r.SabotAmmo > 0) {
                    EXPECT_GT(w.SabotPen, 0) << u;
                }
                if (j == 0 && r.HEATAmmo > 0) {
                    EXPECT_GT(w.HEATPen, 0) << u;
                }
            }
            if (r.Wpn1 == 0) {
                EXPECT_EQ(r.SabotAmmo + r.HEATAmmo, 0) << u;
            }
            if (c == 134) {
                EXPECT_EQ(r.Speed + r.Swim + r.Vision, 0) << u;
            }
        }
        EXPECT_EQ(badAP, 1) << n;
        std::set<int> unused;
        for (int w = 1; w <= kWeaponSlots; ++w)
            if (w != 198 && Used(o.WeaponTable[static_cast<std::size_t>(w)].Name) && carried.count(w) == 0)
                unused.insert(w);
        EXPECT_EQ(unused, std::set<int>{faults.UnusedWeapon}) << n;
    }
}

TEST_F(DemoGame, OnlyCrewBoatsBargesAndThePlantedOrphanAreOutsideFormations)
{
    for (const int n : DemoOobNumbers()) {
        const Oob o = Load(n);
        const DemoFaults faults = BuildDemoOob(n).Faults;
        std::set<int> placed;
        for (int f = 1; f <= kFormationSlots; ++f)
            for (const int v : o.FormationTable[static_cast<std::size_t>(f)].Slot)
                if (v >= 1 && v <= kUnitSlots)
                    placed.insert(o.UnitTable[static_cast<std::size_t>(v)].Class);
        std::set<int> orphans;
        for (int u = 1; u <= kUnitSlots; ++u) {
            const auto& r = o.UnitTable[static_cast<std::size_t>(u)];
            if (Used(r.Name) && r.Nation == n && placed.count(r.Class) == 0)
                orphans.insert(r.Class);
        }
        const int orphanClass = o.UnitTable[static_cast<std::size_t>(faults.OrphanUnit)].Class;
        EXPECT_EQ(orphans, (std::set<int>{10, 31, 155, orphanClass})) << n;
    }
}

TEST(DemoGameWriter, ReportsAFolderItCannotMake)
{
    test::TempDir dir;
    test::WriteText(dir / "Vornex", "a file where the game folder should go");
    std::string error;
    EXPECT_FALSE(WriteDemoGame(dir.path(), &error));
    EXPECT_NE(error.find("Vornex"), std::string::npos) << error;
}

TEST(DemoGameWriter, ReplacesAnEarlierDemo)
{
    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteDemoGame(dir.path(), &error)) << error;
    const fs::path file = dir.path() / "Vornex" / "game data" / "oobs" / OOBFileName(DemoOobNumbers()[0]);
    const auto original = test::ReadBytes(file);
    test::WriteBytes(file, {1, 2, 3});
    ASSERT_TRUE(WriteDemoGame(dir.path(), &error)) << error;
    EXPECT_EQ(test::ReadBytes(file), original);
}

}  // namespace
}  // namespace brackle

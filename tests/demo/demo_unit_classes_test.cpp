// The classes the demo puts its units in, as the unit page treats them: what
// icon it draws for each unit, and what a commit of an unedited unit would force.
#include "demo/demo_game.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>

#include "editors/unit_rules.h"
#include "graphics/icon_map.h"
#include "graphics/unit_icons.h"

namespace brackle {
namespace {

// What the unit page shows for a unit, with every image "found": an image's
// width is the image number it was loaded as.
UnitIcons Shown(const IconMap& map, const UnitRecord& u, int icon)
{
    auto load = [](int v) -> std::optional<IndexedImage> {
        IndexedImage image;
        image.Width = v;
        return image;
    };
    return ComposeUnitIcons(map, icon, u.Class, u.Crew, u.Nation, load);
}

int ImageOf(const std::optional<IndexedImage>& image) { return image ? image->Width : -1; }

TEST(DemoUnitClasses, NoVehicleGunBoatOrAircraftIsDrawnAsSoldiers)
{
    const IconMap map;
    std::set<std::string> kinds;
    for (const int n : DemoOobNumbers()) {
        const DemoOob demo = BuildDemoOob(n);
        for (const DemoUnit& d : demo.Units) {
            if (d.OnFoot)
                continue;
            const UnitRecord& u = demo.Tables.UnitTable[static_cast<std::size_t>(d.Slot)];
            const std::string what = "obat" + std::to_string(n) + " unit " + std::to_string(d.Slot) + " " +
                                     u.Name + " (" + d.Kind + ", class " + std::to_string(u.Class) + ")";
            kinds.insert(d.Kind);
            EXPECT_GE(u.Crew, 1) << what;
            EXPECT_EQ(CrewIconImage(u.Class, u.Crew, u.Nation), std::nullopt) << what;
            for (const int icon : {u.Icon, u.WinterIcon, u.DesertIcon}) {
                const UnitIcons shown = Shown(map, u, icon);
                switch (IconShapeOfClass(u.Class)) {
                case IconShape::None:
                    EXPECT_FALSE(shown.Hull || shown.Turret || shown.Big) << what;
                    break;
                case IconShape::Big:
                    EXPECT_EQ(ImageOf(shown.Big), map.Image(icon, 0)) << what;
                    break;
                case IconShape::HullAndTurret:
                    EXPECT_EQ(ImageOf(shown.Hull), map.Image(icon, 0)) << what << " icon " << icon;
                    EXPECT_EQ(ImageOf(shown.Turret), map.Image(icon, 1)) << what << " icon " << icon;
                    break;
                }
            }
            // Seasonal icons of their own only survive a commit while the page lets them be edited.
            if (u.WinterIcon != u.Icon || u.DesertIcon != u.Icon) {
                EXPECT_TRUE(Shown(map, u, u.Icon).SeasonalEditsEnabled) << what;
            }
        }
    }
    // Every kind with a hull was looked at: armour, carriers, SP guns, towed guns, aircraft, boats.
    for (const char* k : {"lighttank", "medtank", "heavytank", "mbt", "armcar", "td", "spg", "spaa", "mrl",
                          "flametank", "ifv", "apc", "truck", "halftrack", "atgun", "bunker", "fbomber", "patrol",
                          "barge", "boat", "minerkt"})
        EXPECT_EQ(kinds.count(k), 1u) << k;
}

// The squads and teams show the crew-and-side images the demo draws: numbers
// worked out by hand from the image numbering (1000 + 100 side + c; nation 1
// is on side 2, nation 2 on side 1, nation 5 on side 3).
TEST(DemoUnitClasses, SquadsAndTeamsShowTheirCrewAndSideImages)
{
    const std::map<int, int> side = {{1, 2}, {2, 1}, {5, 3}};
    const std::map<std::string, int> c = {
        {"rifle", 12},   // nine men: 13 - 9 = 4 steps of 3
        {"eng", 15},     // eight men
        {"mg", 42},      // the machine-gun team
        {"hmgteam", 42},
        {"atgm", 57},    // three men and their weapon: the small gun team
        {"mortar", 60},  // the mortar team
    };
    const IconMap map;
    for (const int n : DemoOobNumbers()) {
        const DemoOob demo = BuildDemoOob(n);
        std::set<std::string> seen;
        for (const DemoUnit& d : demo.Units) {
            const auto want = c.find(d.Kind);
            if (want == c.end())
                continue;
            const UnitRecord& u = demo.Tables.UnitTable[static_cast<std::size_t>(d.Slot)];
            const int v = 1000 + 100 * side.at(n) + want->second;
            EXPECT_EQ(CrewIconImage(u.Class, u.Crew, u.Nation), v) << n << " " << u.Name;
            const UnitIcons shown = Shown(map, u, u.Icon);
            EXPECT_EQ(ImageOf(shown.Hull), v) << n << " " << u.Name;
            EXPECT_FALSE(shown.Turret) << n << " " << u.Name;
            seen.insert(d.Kind);
        }
        EXPECT_EQ(seen.size(), c.size()) << n;
    }
}

TEST(DemoUnitClasses, CommittingAnUneditedDemoUnitChangesNothing)
{
    for (const int n : DemoOobNumbers()) {
        const DemoOob demo = BuildDemoOob(n);
        ASSERT_FALSE(demo.Units.empty());
        for (const DemoUnit& d : demo.Units) {
            const UnitRecord& u = demo.Tables.UnitTable[static_cast<std::size_t>(d.Slot)];
            UnitRecord committed = u;
            ApplyUnitClassRules(committed);
            EXPECT_TRUE(committed == u) << n << " " << u.Name << " class " << static_cast<int>(u.Class);
        }
    }
}

// The unit list of the demo names each unit in use once, with its kind.
TEST(DemoUnitClasses, TheUnitListCoversEveryUnitInUse)
{
    for (const int n : DemoOobNumbers()) {
        const DemoOob demo = BuildDemoOob(n);
        std::set<int> listed;
        for (const DemoUnit& d : demo.Units) {
            EXPECT_TRUE(listed.insert(d.Slot).second) << d.Slot;
            EXPECT_FALSE(d.Kind.empty()) << d.Slot;
        }
        std::set<int> used;
        for (int s = 1; s <= kUnitSlots; ++s)
            if (!demo.Tables.UnitTable[static_cast<std::size_t>(s)].Name.empty())
                used.insert(s);
        EXPECT_EQ(listed, used) << n;
    }
}

}  // namespace
}  // namespace brackle

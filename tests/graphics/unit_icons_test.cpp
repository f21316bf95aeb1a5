#include "graphics/unit_icons.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

namespace brackle {
namespace {

TEST(UnitIcons, CrewAndSideImageNumbers)
{
    struct Case {
        int unitClass, crew, nation;
        std::optional<int> v;
    } cases[] = {
        {1, 1, 0, 1036},     // any other class: 1000 + 100 s + c, c = 36 for crew 1
        {1, 13, 2, 1100},    // nation 2 fights on side 1; crew 13 gives c = 0
        {1, 40, 2, 1100},    // crew above 13 counts as 13
        {63, 2, 99, 1033},   // nation 99 is on side 0
        {2, 5, 1, 1242},     // machine-gun classes: 1042 + 100 s (nation 1, side 2)
        {244, 1, 0, 1042},
        {4, 3, 5, 1360},     // 1060 + 100 s, nation 5 on side 3
        {254, 9, 0, 1060},
        {3, 3, 0, 1057},     // 1057 + 100 s - 3 q, q = crew div 4
        {3, 4, 0, 1054},
        {150, 8, 0, 1051},
        {3, 12, 0, 1051},    // q is 2 above crew 11
        {1, 0, 0, std::nullopt},    // no crew
        {49, 5, 0, std::nullopt},   // 49, 187 and 188 never
        {187, 5, 0, std::nullopt},
        {5, 5, 0, std::nullopt},    // not a class of crew-and-side icons
        {102, 5, 0, std::nullopt},
        {255, 5, 0, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CrewIconImage(c.unitClass, c.crew, c.nation), c.v)
            << "class " << c.unitClass << " crew " << c.crew << " nation " << c.nation;
}

TEST(UnitIcons, ShapeOfClass)
{
    for (int c : {10, 31, 155, 156, 210, 211})
        EXPECT_EQ(IconShapeOfClass(c), IconShape::None) << c;
    for (int c : {44, 47, 50, 53, 60, 61, 62, 203, 204, 205, 214, 215, 221, 222, 223, 253})
        EXPECT_EQ(IconShapeOfClass(c), IconShape::Big) << c;
    for (int c : {0, 1, 11, 46, 202, 216, 254, 255})
        EXPECT_EQ(IconShapeOfClass(c), IconShape::HullAndTurret) << c;
}

// A loader that has the images in `present` (each a 1x1 picture of colour v % 256)
// and notes what it was asked for.
struct FakeShapes {
    std::set<int> present;
    std::vector<int> asked;
    ShapeImageLoader Loader()
    {
        return [this](int v) -> std::optional<IndexedImage> {
            asked.push_back(v);
            if (!present.count(v))
                return std::nullopt;
            IndexedImage image;
            image.Width = image.Height = 1;
            image.Pixels = {static_cast<std::uint8_t>(v % 256)};
            return image;
        };
    }
};

int Colour(const std::optional<IndexedImage>& image) { return image ? image->Pixels[0] : -1; }

TEST(UnitIcons, ComposeByClass)
{
    const IconMap map;
    struct Case {
        const char* what;
        int icon, unitClass, crew, nation;
        std::set<int> present;
        int hull, turret, big;  // image number shown (-1 none)
        bool seasonal;
    } cases[] = {
        {"class 47: the big image only", 10, 47, 3, 0, {20, 21}, -1, -1, 20, true},
        {"class 31: nothing", 10, 31, 3, 0, {20, 21, 1030}, -1, -1, -1, false},
        {"hull and turret", 10, 46, 3, 0, {20, 21}, 20, 21, -1, true},
        {"turret file missing", 10, 46, 3, 0, {20}, 20, -1, -1, true},
        {"crew-and-side image wins", 10, 1, 2, 0, {20, 21, 1033}, 1033, -1, -1, false},
        {"crew image missing: hull and turret", 10, 1, 2, 0, {20, 21}, 20, 21, -1, true},
        {"icon 0 has no images", 0, 46, 3, 0, {0, 1}, -1, -1, -1, true},
        {"icon capped at 8383", 9000, 46, 3, 0, {16766, 16767}, 16766, 16767, -1, true},
        {"class capped at 255", 10, 400, 3, 0, {20, 21}, 20, 21, -1, true},
    };
    for (Case& c : cases) {
        FakeShapes shapes{c.present, {}};
        const UnitIcons icons = ComposeUnitIcons(map, c.icon, c.unitClass, c.crew, c.nation, shapes.Loader());
        auto shown = [](const std::optional<IndexedImage>& i, int v) { return i ? v : -1; };
        EXPECT_EQ(Colour(icons.Hull), c.hull < 0 ? -1 : c.hull % 256) << c.what;
        EXPECT_EQ(shown(icons.Hull, c.hull), c.hull) << c.what;
        EXPECT_EQ(Colour(icons.Turret), c.turret < 0 ? -1 : c.turret % 256) << c.what;
        EXPECT_EQ(Colour(icons.Big), c.big < 0 ? -1 : c.big % 256) << c.what;
        EXPECT_EQ(icons.SeasonalEditsEnabled, c.seasonal) << c.what;
        if (c.unitClass == 31) {
            EXPECT_TRUE(shapes.asked.empty()) << "a class without icons reads no file";
        }
    }
}

TEST(IconMap, BuiltInRuleAndOverrides)
{
    IconMap map;
    EXPECT_EQ(map.At(0).Hull, -1);
    EXPECT_EQ(map.At(0).Turret, -1);
    EXPECT_EQ(map.At(1).Hull, 2);
    EXPECT_EQ(map.At(101).Turret, 203);
    EXPECT_EQ(map.At(8383).Turret, 16767);
    EXPECT_EQ(map.At(-5).Hull, -1);   // capped to icon 0
    EXPECT_EQ(map.At(99999).Hull, 16766);

    const std::vector<std::string> messages = map.ApplyOverrides(
        "icon,hull,turret\n"
        "5,-1,77\n"
        "\n"
        "abc\n"
        "9000,1,1\n"
        "6,1\n"
        "7,1,2,3\n"
        "# a note\n"
        " 8 , 10 , 11 \r\n"
        "9,40000,1\n");
    EXPECT_EQ(map.At(5).Hull, -1);
    EXPECT_EQ(map.At(5).Turret, 77);
    EXPECT_EQ(map.At(8).Hull, 10);
    EXPECT_EQ(map.At(8).Turret, 11);
    EXPECT_EQ(map.At(6).Hull, 12);  // bad lines change nothing
    EXPECT_EQ(map.At(7).Hull, 14);
    EXPECT_EQ(map.At(9).Hull, 18);
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[0].rfind("line 4: \"abc\"", 0), 0u) << messages[0];
    EXPECT_EQ(messages[1].rfind("line 5:", 0), 0u);
    EXPECT_EQ(messages[2].rfind("line 6:", 0), 0u);
    EXPECT_EQ(messages[3].rfind("line 7:", 0), 0u);
    EXPECT_EQ(messages[4].rfind("line 10:", 0), 0u);
}

TEST(UnitIcons, EditTextsAreReadAsWholeNumbers)
{
    struct Case {
        const char* text;
        std::optional<long> n;
    } cases[] = {
        {"12", 12}, {" 7 ", 7}, {"-3", -3}, {"+4", 4}, {"0", 0},
        {"", std::nullopt}, {"  ", std::nullopt}, {"1a", std::nullopt}, {"1-2", std::nullopt},
        {"-", std::nullopt}, {"+-3", std::nullopt}, {"99999999999999999999999", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IconInputNumber(c.text), c.n) << '"' << c.text << '"';
}

TEST(UnitIcons, ComposeFromTheEditsTexts)
{
    const IconMap map;
    FakeShapes shapes{{20, 21, 1100}, {}};
    // Any of the four texts that is no number hides everything, and nothing is read.
    for (const auto& [icon, cls, crew, nation] : std::vector<std::array<const char*, 4>>{
             {"1-2", "46", "3", "0"}, {"10", "", "3", "0"}, {"10", "46", "x", "0"}, {"10", "46", "3", "4a"}}) {
        EXPECT_FALSE(ComposeUnitIconsFromTexts(map, icon, cls, crew, nation, shapes.Loader()))
            << icon << ' ' << cls << ' ' << crew << ' ' << nation;
    }
    EXPECT_TRUE(shapes.asked.empty());
    const auto plain = ComposeUnitIconsFromTexts(map, " 10", "46", "3", "0", shapes.Loader());
    ASSERT_TRUE(plain);
    EXPECT_EQ(Colour(plain->Hull), 20);
    EXPECT_EQ(Colour(plain->Turret), 21);
    // Numbers beyond the fields are capped, not wrapped: crew 300 counts as 13 and
    // nation 102 as 99 (side 0); a class of 999 is 255, which draws hull and turret.
    const auto noCrewImage = ComposeUnitIconsFromTexts(map, "10", "1", "300", "102", shapes.Loader());
    ASSERT_TRUE(noCrewImage);
    EXPECT_EQ(Colour(noCrewImage->Hull), 20);  // image 1000 is missing
    shapes.present.insert(1000);
    const auto crew = ComposeUnitIconsFromTexts(map, "10", "1", "300", "102", shapes.Loader());
    ASSERT_TRUE(crew);
    EXPECT_EQ(Colour(crew->Hull), 1000 % 256);
    EXPECT_FALSE(crew->SeasonalEditsEnabled);
    const auto bigClass = ComposeUnitIconsFromTexts(map, "10", "999", "3", "0", shapes.Loader());
    ASSERT_TRUE(bigClass);
    EXPECT_EQ(Colour(bigClass->Turret), 21);
}

TEST(IconMap, OneWarningForAFilesProblems)
{
    EXPECT_EQ(IconMapWarningText({}), "");
    const std::string two = IconMapWarningText({"IconMap.csv line 2: a", "IconMap.csv line 5: b"});
    EXPECT_EQ(two, "IconMap.csv could not be used in full (the built-in entries stay):\r\n"
                   "IconMap.csv line 2: a\r\nIconMap.csv line 5: b");
    std::vector<std::string> many;
    for (int i = 1; i <= 13; ++i)
        many.push_back("m" + std::to_string(i));
    const std::string capped = IconMapWarningText(many, 10);
    EXPECT_NE(capped.find("\r\nm10\r\n... and 3 more"), std::string::npos) << capped;
    EXPECT_EQ(capped.find("m11"), std::string::npos);
    EXPECT_EQ(IconMapWarningText(many, 13).find("more"), std::string::npos);
}

}  // namespace
}  // namespace brackle

#include "graphics/unit_icons.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>

namespace brackle {
namespace {

bool OneOf(int v, std::initializer_list<int> list)
{
    return std::find(list.begin(), list.end(), v) != list.end();
}

bool InRanges(int v, std::initializer_list<std::pair<int, int>> ranges)
{
    for (auto [low, high] : ranges)
        if (v >= low && v <= high)
            return true;
    return false;
}

// Classes whose units may be drawn with a crew-and-side image.
bool IsCrewIconClass(int c)
{
    return InRanges(c, {{1, 4}, {7, 7}, {20, 20}, {29, 29}, {40, 40}, {45, 45}, {49, 49}, {51, 51}, {54, 55},
                        {58, 58}, {63, 101}, {110, 119}, {140, 150}, {160, 166}, {168, 174}, {176, 179},
                        {185, 195}, {206, 209}, {212, 213}, {218, 218}, {224, 235}, {240, 244}, {246, 250},
                        {254, 254}});
}

}  // namespace

IconShape IconShapeOfClass(int c)
{
    if (OneOf(c, {10, 31, 155, 156, 210, 211}))
        return IconShape::None;
    if (OneOf(c, {44, 47, 50, 53, 60, 61, 62, 203, 204, 205, 214, 215, 221, 222, 223, 253}))
        return IconShape::Big;
    return IconShape::HullAndTurret;
}

int SideOfNation(int nation)
{
    if (OneOf(nation, {2,  4,  6,  7,  12, 13, 15, 18, 20, 21, 24, 25, 27, 28, 29, 30, 31, 32, 36, 38, 39,
                       41, 42, 46, 48, 51, 52, 56, 58, 59, 63, 66, 68, 71, 73, 74, 76, 81, 84, 88, 89}))
        return 1;
    if (OneOf(nation, {1, 3, 8, 9, 10, 11, 14, 17, 19, 22, 23, 26, 37, 43, 47, 49, 54, 57, 67, 69, 77, 82, 87}))
        return 2;
    if (OneOf(nation, {5, 40, 64, 78, 80}))
        return 3;
    return 0;
}

std::optional<int> CrewIconImage(int c, int crew, int nation)
{
    if (OneOf(c, {49, 187, 188}) || !IsCrewIconClass(c) || crew < 1)
        return std::nullopt;
    crew = std::min(crew, 13);
    const int side = 100 * SideOfNation(nation);
    int v = 0;
    if (OneOf(c, {2, 29, 142, 146, 165, 206, 207, 208, 209, 212, 244}))
        v = 1042 + side;
    else if (OneOf(c, {4, 7, 144, 149, 176, 177, 193, 194, 254}))
        v = 1060 + side;
    else if (OneOf(c, {3, 150}))
        v = 1057 + side - 3 * (crew > 11 ? 2 : crew / 4);
    else
        v = 1000 + side + 3 * (13 - crew);
    return std::max(v, 0);
}

UnitIcons ComposeUnitIcons(const IconMap& map, int icon, int unitClass, int crew, int nation,
                           const ShapeImageLoader& load)
{
    icon = std::clamp(icon, 0, kMaxIcon);
    unitClass = std::clamp(unitClass, 0, 255);
    crew = std::clamp(crew, 0, 255);
    nation = std::clamp(nation, 0, 99);
    auto image = [&](int v) -> std::optional<IndexedImage> {
        if (v < 0)
            return std::nullopt;
        return load(v);
    };
    UnitIcons icons;
    switch (IconShapeOfClass(unitClass)) {
    case IconShape::None:
        return icons;
    case IconShape::Big:
        icons.Big = image(map.Image(icon, 0));
        icons.SeasonalEditsEnabled = true;
        return icons;
    case IconShape::HullAndTurret:
        if (std::optional<int> v = CrewIconImage(unitClass, crew, nation)) {
            if ((icons.Hull = image(*v)))
                return icons;
        }
        icons.Turret = image(map.Image(icon, 1));
        icons.Hull = image(map.Image(icon, 0));
        icons.SeasonalEditsEnabled = true;
        return icons;
    }
    return icons;
}

std::optional<long> IconInputNumber(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20)
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20)
        text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    long v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return v;
}

std::optional<UnitIcons> ComposeUnitIconsFromTexts(const IconMap& map, std::string_view icon,
                                                   std::string_view unitClass, std::string_view crew,
                                                   std::string_view nation, const ShapeImageLoader& load)
{
    const auto i = IconInputNumber(icon);
    const auto c = IconInputNumber(unitClass);
    const auto k = IconInputNumber(crew);
    const auto n = IconInputNumber(nation);
    if (!i || !c || !k || !n)
        return std::nullopt;
    // Each is capped into its range before it can meet an int.
    auto cap = [](long v, long high) { return static_cast<int>(std::clamp(v, -1L, high)); };
    return ComposeUnitIcons(map, cap(*i, kMaxIcon), cap(*c, 255), cap(*k, 255), cap(*n, 99), load);
}

}  // namespace brackle

// Which icon the unit page draws for a unit: by its class one big image, a hull
// and a turret image, a crew-and-side image, or nothing.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "graphics/icon_map.h"
#include "graphics/indexed_image.h"

namespace brackle {

enum class IconShape {
    None,           // classes that show no icon
    Big,            // one big image (the icon's hull image), no turret
    HullAndTurret,  // a hull and a turret image, or a crew-and-side image
};
IconShape IconShapeOfClass(int unitClass);

// The side (0..3) a nation (0..99) fights on, for the crew-and-side icons.
int SideOfNation(int nation);

// The crew-and-side image number of a unit, or nothing when the class shows
// no such image or the crew is 0. Crew above 13 counts as 13.
std::optional<int> CrewIconImage(int unitClass, int crew, int nation);

// Gives the decoded shape image number v (v >= 0), or nothing when its file is
// missing or refuses to decode.
using ShapeImageLoader = std::function<std::optional<IndexedImage>(int v)>;

struct UnitIcons {
    std::optional<IndexedImage> Hull;
    std::optional<IndexedImage> Turret;
    std::optional<IndexedImage> Big;
    // Whether the winter and desert icon edits take input for this unit: off for
    // classes without icons and for units drawn with a crew-and-side image.
    bool SeasonalEditsEnabled = false;
};

// The images of the icon numbered `icon` for a unit of the class, crew and
// nation given (each capped into its range: icon 0..8383, class and crew
// 0..255, nation 0..99).
UnitIcons ComposeUnitIcons(const IconMap& map, int icon, int unitClass, int crew, int nation,
                           const ShapeImageLoader& load);

// A number as the icon display reads an edit: blanks around an optional sign and
// digits, nothing else ("12", " -3 "); nothing for "", "1a", "1-2" or a number
// too long for a long.
std::optional<long> IconInputNumber(std::string_view text);

// ComposeUnitIcons over the texts of the unit page's edits; nothing when one of
// them holds no number (the page then hides every image).
std::optional<UnitIcons> ComposeUnitIconsFromTexts(const IconMap& map, std::string_view icon,
                                                   std::string_view unitClass, std::string_view crew,
                                                   std::string_view nation, const ShapeImageLoader& load);

}  // namespace brackle

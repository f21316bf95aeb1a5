// Every unit class 0..255 and every nation 0..99 against the icon rules, written
// out here from the game's class lists. A class dropped from one of the code's
// lists, or a range cut short by one, shows up as one class drawn the wrong way.
#include "graphics/unit_icons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <sstream>
#include <string>

namespace brackle {
namespace {

// "1, 3, 63..101, 254" -> {1, 3, 63, 64, ..., 101, 254}, so the lists below read as the rules do.
std::set<int> Classes(const std::string& list)
{
    std::set<int> out;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        const std::size_t dots = item.find("..");
        const int low = std::stoi(item.substr(0, dots));
        const int high = dots == std::string::npos ? low : std::stoi(item.substr(dots + 2));
        for (int c = low; c <= high; ++c)
            out.insert(c);
    }
    return out;
}

std::set<int> Union(const std::set<int>& a, const std::set<int>& b)
{
    std::set<int> u = a;
    u.insert(b.begin(), b.end());
    return u;
}

// The air unit classes: drawn with one big image.
const std::set<int> kAircraft = Classes("44, 47, 50, 53, 60, 61, 62, 203, 204, 205, 214, 215, 221, 222, 223, 253");
// The classes that show no icon at all.
const std::set<int> kNoIcon = Classes("10, 31, 155, 156, 210, 211");
// Unit class categories 4 (men on foot, guns) and 5 (machine guns and mortars).
const std::set<int> kCategory4 = Classes(
    "1, 3, 20, 40, 45, 49, 51, 54, 55, 58, 63..101, 110..119, 140..150, 160..164, 166, 168..174, 178, 179, "
    "185..192, 195, 218, 224..235, 240..243, 246..250");
const std::set<int> kCategory5 = Classes("2, 4, 7, 29, 165, 176, 177, 193, 194, 206..209, 212, 213, 244, 254");
// The icon-kind classes as the icon rules list them; the same as categories 4 and 5.
const std::set<int> kIconKind = Classes(
    "1, 2, 3, 4, 7, 20, 29, 40, 45, 49, 51, 54, 55, 58, 63..101, 110..119, 140..150, 160..166, 168..174, "
    "176..179, 185..195, 206..209, 212, 213, 218, 224..235, 240..244, 246..250, 254");
// Icon-kind classes that are never drawn by crew and side.
const std::set<int> kNeverCrew = Classes("49, 187, 188");
// The crew-and-side image groups.
const std::set<int> kMachineGuns = Classes("2, 29, 142, 146, 165, 206, 207, 208, 209, 212, 244");  // 1042 + 100 s
const std::set<int> kMortars = Classes("4, 7, 144, 149, 176, 177, 193, 194, 254");               // 1060 + 100 s
const std::set<int> kLightTeams = Classes("3, 150");                                         // 1057 + 100 s - 3 q
// Any other crew class: 1000 + 100 s + this, by crew 1..13.
constexpr std::array<int, 14> kByCrew = {0, 36, 33, 30, 27, 24, 21, 18, 15, 12, 9, 6, 3, 0};

// The side of each nation: side 1, side 2 and side 3; every other nation is on side 0.
const std::set<int> kSide1 = Classes(
    "2, 4, 6, 7, 12, 13, 15, 18, 20, 21, 24, 25, 27, 28, 29, 30, 31, 32, 36, 38, 39, 41, 42, 46, 48, 51, 52, "
    "56, 58, 59, 63, 66, 68, 71, 73, 74, 76, 81, 84, 88, 89");
const std::set<int> kSide2 =
    Classes("1, 3, 8, 9, 10, 11, 14, 17, 19, 22, 23, 26, 37, 43, 47, 49, 54, 57, 67, 69, 77, 82, 87");
const std::set<int> kSide3 = Classes("5, 40, 64, 78, 80");

int ExpectedSide(int nation)
{
    if (kSide1.count(nation))
        return 1;
    if (kSide2.count(nation))
        return 2;
    if (kSide3.count(nation))
        return 3;
    return 0;
}

bool In(const std::set<int>& s, int c) { return s.count(c) != 0; }

TEST(UnitIconClasses, TheListsAgreeWithEachOther)
{
    // The test's own lists: icon-kind is categories 4 and 5, and no class is in two kinds.
    EXPECT_EQ(Union(kCategory4, kCategory5), kIconKind);
    EXPECT_EQ(kAircraft.size(), 16u);
    for (int c : kIconKind) {
        EXPECT_FALSE(In(kAircraft, c)) << c;
        EXPECT_FALSE(In(kNoIcon, c)) << c;
    }
    for (const std::set<int>* group : {&kMachineGuns, &kMortars, &kLightTeams, &kNeverCrew})
        for (int c : *group)
            EXPECT_TRUE(In(kIconKind, c)) << c;
}

TEST(UnitIconClasses, ShapeOfEveryClass)
{
    for (int c = 0; c <= 255; ++c) {
        const IconShape want = In(kNoIcon, c)      ? IconShape::None
                               : In(kAircraft, c) ? IconShape::Big
                                                  : IconShape::HullAndTurret;
        EXPECT_EQ(IconShapeOfClass(c), want) << "class " << c;
    }
}

TEST(UnitIconClasses, SideOfEveryNation)
{
    EXPECT_EQ(kSide1.size() + kSide2.size() + kSide3.size(), 69u);
    for (int nation = 0; nation <= 99; ++nation) {
        EXPECT_EQ(SideOfNation(nation), ExpectedSide(nation)) << "nation " << nation;
        // The side moves the crew-and-side image by a hundred: a full crew of class 1 is image 1000 + 100 s.
        EXPECT_EQ(CrewIconImage(1, 13, nation), 1000 + 100 * ExpectedSide(nation)) << "nation " << nation;
    }
}

// The crew-and-side image of class c, crew 1..13, on side s; nothing when none applies.
std::optional<int> ExpectedCrewImage(int c, int crew, int side)
{
    if (!In(kIconKind, c) || In(kNeverCrew, c) || crew < 1)
        return std::nullopt;
    if (In(kMachineGuns, c))
        return 1042 + 100 * side;
    if (In(kMortars, c))
        return 1060 + 100 * side;
    if (In(kLightTeams, c)) {
        const int q = crew > 11 ? 2 : crew / 4;
        return 1057 + 100 * side - 3 * q;
    }
    return 1000 + 100 * side + kByCrew[static_cast<std::size_t>(crew)];
}

TEST(UnitIconClasses, CrewImageOfEveryClassAndCrew)
{
    // One nation of each side: 99 (side 0), 2 (side 1), 1 (side 2), 5 (side 3).
    const std::array<std::pair<int, int>, 4> nations = {{{99, 0}, {2, 1}, {1, 2}, {5, 3}}};
    for (int c = 0; c <= 255; ++c) {
        for (int crew = 0; crew <= 20; ++crew) {
            for (auto [nation, side] : nations) {
                const std::optional<int> want = ExpectedCrewImage(c, std::min(crew, 13), side);
                EXPECT_EQ(CrewIconImage(c, crew, nation), want)
                    << "class " << c << " crew " << crew << " nation " << nation;
            }
        }
    }
}

TEST(UnitIconClasses, WhatEveryClassDraws)
{
    // Every image present, each a 1 x 1 picture of colour v % 256: the images a unit
    // of icon 10 (hull 20, turret 21), crew 4, nation 0 shows tell how it is drawn.
    const IconMap map;
    const ShapeImageLoader everyImage = [](int v) -> std::optional<IndexedImage> {
        IndexedImage image;
        image.Width = image.Height = 1;
        image.Pixels = {static_cast<std::uint8_t>(v % 256)};
        return image;
    };
    auto colour = [](const std::optional<IndexedImage>& i) { return i ? i->Pixels[0] : -1; };
    for (int c = 0; c <= 255; ++c) {
        const UnitIcons icons = ComposeUnitIcons(map, 10, c, 4, 0, everyImage);
        int hull = -1, turret = -1, big = -1;
        bool seasonal = true;
        if (In(kNoIcon, c)) {
            seasonal = false;
        } else if (In(kAircraft, c)) {
            big = 20;
        } else if (const std::optional<int> crewImage = ExpectedCrewImage(c, 4, 0)) {
            hull = *crewImage % 256;
            seasonal = false;
        } else {
            hull = 20;
            turret = 21;
        }
        EXPECT_EQ(colour(icons.Hull), hull) << "class " << c;
        EXPECT_EQ(colour(icons.Turret), turret) << "class " << c;
        EXPECT_EQ(colour(icons.Big), big) << "class " << c;
        EXPECT_EQ(icons.SeasonalEditsEnabled, seasonal) << "class " << c;
    }
}

}  // namespace
}  // namespace brackle

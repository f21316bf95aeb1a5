#include "demo/demo_icons.h"

#include "demo/shape_writer.h"

#include <algorithm>
#include <functional>
#include <map>
#include <stdexcept>

namespace brackle {
namespace {

// Colours are indexes into the built-in icon palette.
constexpr std::uint8_t T = kDemoTransparent;
constexpr std::uint8_t kBlack = 1;      // 171717: tyres, weapons, slits
constexpr std::uint8_t kTrack = 2;      // 2B2B2B
constexpr std::uint8_t kGun = 3;        // 434343
constexpr std::uint8_t kTrackLink = 4;  // 5B5B5B
constexpr std::uint8_t kSteel = 6;      // 8B8B8B
constexpr std::uint8_t kConcrete = 7;   // 9F9F9F
constexpr std::uint8_t kRotor = 8;      // B7B7B7
constexpr std::uint8_t kRed = 15;       // D20000
constexpr std::uint8_t kGlass = 118;    // 077BD3
constexpr std::uint8_t kFlame = 243;    // DF8323
constexpr std::uint8_t kWood = 41;      // 734F27
constexpr std::uint8_t kEarth = 43;     // 5B4323

// The paint of a vehicle: dark edges and decks, the body, lit plates.
struct Paint {
    std::uint8_t dark, base, light;
};
constexpr Paint kSummer = {93, 96, 98};   // olive drab
constexpr Paint kWinter = {79, 78, 77};   // whitewash
constexpr Paint kDesert = {25, 21, 18};   // sand
constexpr Paint kAir = {106, 103, 101};   // blue-grey
constexpr Paint kNavy = {5, 6, 7};        // grey

struct Uniform {
    std::uint8_t cloth, helmet;
};
constexpr Uniform kOlive = {97, 92};
constexpr Uniform kSideUniforms[4] = {{97, 92}, {104, 108}, {24, 42}, {89, 48}};

struct IconPair {
    IndexedCanvas hull;
    IndexedCanvas turret;
};

IndexedCanvas Empty() { return IndexedCanvas(4, 4, T); }
IndexedCanvas Vehicle() { return IndexedCanvas(24, 32, T); }

// ---------------------------------------------------------------------------
// Soldiers, seen from above: shoulders, helmet, and the weapon over the right shoulder.

void Soldier(IndexedCanvas& c, int x, int y, const Uniform& u)
{
    c.Disc(x, y, 2, u.cloth);
    c.Disc(x, y, 1, u.helmet);
    c.Line(x + 2, y - 1, x + 3, y - 4, kBlack);
}

// n soldiers in rows of up to four, centred between the rows top and bottom.
void Soldiers(IndexedCanvas& c, int n, int top, int bottom, const Uniform& u)
{
    const int rows = (n + 3) / 4;
    const int y0 = top + (bottom - top - (rows - 1) * 7) / 2;
    for (int r = 0; r < rows; ++r) {
        const int inRow = std::min(4, n - 4 * r);
        const int x0 = (c.Width() - (inRow - 1) * 7) / 2 - 1;
        for (int i = 0; i < inRow; ++i)
            Soldier(c, x0 + 7 * i, y0 + 7 * r, u);
    }
}

enum class Kit { None, MachineGun, HeavyMG, Mortar, Flag, FlagAndRadio, Launcher, AirDefence, Binoculars };

// A team: its kit in the top third, the men below it.
IndexedCanvas Team(int men, Kit kit, const Uniform& u)
{
    IndexedCanvas c(32, 32, T);
    switch (kit) {
    case Kit::None:
        Soldiers(c, men, 3, 29, u);
        return c;
    case Kit::MachineGun:
    case Kit::HeavyMG:
        c.Rect(15, 2, kit == Kit::HeavyMG ? 3 : 2, 9, kBlack);
        c.Line(13, 12, 16, 9, kGun);
        c.Line(19, 12, 16, 9, kGun);
        c.Rect(20, 6, 3, 3, kWood);
        break;
    case Kit::Mortar:
        c.Disc(16, 7, 4, kGun);
        c.Disc(16, 7, 2, kBlack);
        break;
    case Kit::Flag:
    case Kit::FlagAndRadio:
        c.Line(6, 2, 6, 12, kBlack);
        c.Rect(7, 2, 6, 4, kRed);
        if (kit == Kit::FlagAndRadio) {
            c.Line(25, 1, 25, 11, kGun);
            c.Rect(23, 10, 5, 3, kTrack);
        }
        break;
    case Kit::Launcher:
        c.Rect(12, 5, 9, 3, 62);
        c.Rect(20, 4, 2, 5, kBlack);
        break;
    case Kit::AirDefence:
        c.Rect(15, 1, 3, 11, 62);
        c.Rect(15, 1, 3, 2, kBlack);
        break;
    case Kit::Binoculars:
        c.Disc(14, 7, 1, kBlack);
        c.Disc(18, 7, 1, kBlack);
        c.Line(15, 7, 17, 7, kBlack);
        break;
    }
    Soldiers(c, men, 14, 29, u);
    return c;
}

// Two men lying down, rifles forward.
IndexedCanvas Snipers(const Uniform& u)
{
    IndexedCanvas c(32, 32, T);
    for (const int x : {11, 20}) {
        c.Rect(x - 2, 12, 4, 12, u.cloth);
        c.Line(x - 2, 24, x - 3, 28, u.cloth);
        c.Line(x + 1, 24, x + 2, 28, u.cloth);
        c.Disc(x - 1, 11, 1, u.helmet);
        c.Line(x, 3, x, 12, kBlack);
    }
    return c;
}

// A gun and its crew: a small, a middle and a large gun.
IndexedCanvas GunTeam(int size, int men, const Uniform& u)
{
    IndexedCanvas c(32, 32, T);
    const int half = 4 + size;
    c.Rect(16 - half - 2, 8, 2, 5, kBlack);
    c.Rect(16 + half, 8, 2, 5, kBlack);
    c.Rect(16 - half, 9, 2 * half, 3, kGun);
    c.Rect(15, 0, 2 + size / 2, 10, kGun);
    c.Line(15, 12, 12 - size, 17, kGun);
    c.Line(16, 12, 19 + size, 17, kGun);
    Soldiers(c, men, 18, 30, u);
    return c;
}

IndexedCanvas Bunker()
{
    IndexedCanvas c(32, 32, T);
    c.Disc(16, 17, 15, kEarth);
    c.Rect(5, 6, 22, 20, kConcrete);
    c.Frame(5, 6, 22, 20, 5);
    c.Rect(9, 8, 14, 2, kBlack);
    c.Rect(13, 16, 6, 6, 8);
    c.Rect(14, 26, 4, 4, 5);
    return c;
}

// ---------------------------------------------------------------------------
// Vehicles, seen from above, front up; the turret image has the hull's size.

void Tracks(IndexedCanvas& c, int x, int top, int length)
{
    c.Rect(x, top, 4, length, kTrack);
    for (int y = top + 1; y < top + length; y += 3)
        c.Rect(x, y, 4, 1, kTrackLink);
}

// Two tracks and the body between them; half is half the overall width.
void TrackedHull(IndexedCanvas& c, const Paint& p, int half, int top, int length)
{
    const int left = 12 - half;
    Tracks(c, left, top, length);
    Tracks(c, 24 - left - 4, top, length);
    c.Rect(left + 3, top + 1, 2 * half - 6, length - 2, p.base);
    c.Rect(left + 3, top + 1, 2 * half - 6, 2, p.light);
    c.Rect(left + 5, top + length - 7, 2 * half - 10, 4, p.dark);
    for (int x = left + 6; x < 24 - left - 6; x += 2)
        c.Rect(x, top + length - 6, 1, 2, p.base);
}

// A body on axles of wheels (rows of each axle given).
void WheeledHull(IndexedCanvas& c, const Paint& p, int half, int top, int length, std::initializer_list<int> axles)
{
    const int left = 12 - half;
    for (const int y : axles) {
        c.Rect(left, y, 3, 5, kBlack);
        c.Rect(24 - left - 3, y, 3, 5, kBlack);
    }
    c.Rect(left + 2, top, 2 * half - 4, length, p.base);
    c.Frame(left + 2, top, 2 * half - 4, length, p.dark);
    c.Rect(left + 3, top + 1, 2 * half - 6, 2, p.light);
}

void Gun(IndexedCanvas& c, int x, int from, int to, int width)
{
    c.Rect(x - width / 2, from, width, to - from, kGun);
    c.Rect(x - width / 2, from, width, 1, kBlack);  // muzzle
}

void RoundTurret(IndexedCanvas& c, const Paint& p, int cy, int r, int gunFrom, int gunWidth)
{
    Gun(c, 12, gunFrom, cy, gunWidth);
    c.Disc(12, cy, r, p.dark);
    c.Disc(12, cy, r - 1, p.base);
    c.Disc(12 + r / 2, cy + r / 2, 1, p.dark);
}

void BoxTurret(IndexedCanvas& c, const Paint& p, int x, int y, int w, int h, int gunFrom, int gunWidth)
{
    Gun(c, 12, gunFrom, y + 1, gunWidth);
    c.Rect(x, y, w, h, p.base);
    c.Frame(x, y, w, h, p.dark);
    c.Rect(x + 1, y + 1, w - 2, 1, p.light);
}

void MgRing(IndexedCanvas& c, const Paint& p, int cx, int cy)
{
    c.Ring(cx, cy, 3, p.dark);
    c.Line(cx, cy, cx, cy - 8, kBlack);
}

using VehicleDrawer = std::function<IconPair(const Paint&)>;

IconPair LightTank(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 8, 5, 24);
    RoundTurret(i.turret, p, 16, 4, 3, 2);
    return i;
}

IconPair MediumTank(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 10, 4, 26);
    RoundTurret(i.turret, p, 16, 5, 1, 2);
    return i;
}

IconPair HeavyTank(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 11, 3, 28);
    BoxTurret(i.turret, p, 5, 11, 14, 11, 0, 3);
    return i;
}

IconPair MainBattleTank(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 11, 3, 28);
    RoundTurret(i.turret, p, 17, 6, 0, 2);
    i.turret.Disc(9, 19, 1, p.dark);
    return i;
}

// A later tank: a flat, angular turret with a bustle, and a fume extractor on the gun.
IconPair ModernTank(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 11, 3, 28);
    Gun(i.turret, 12, 0, 13, 2);
    i.turret.Rect(11, 5, 3, 3, kGun);
    i.turret.Polygon({{7, 12}, {17, 12}, {20, 16}, {19, 25}, {5, 25}, {4, 16}}, p.dark);
    i.turret.Polygon({{8, 13}, {16, 13}, {19, 16}, {18, 24}, {6, 24}, {5, 16}}, p.base);
    i.turret.Rect(7, 21, 10, 2, p.light);
    i.turret.Disc(15, 17, 1, p.dark);
    return i;
}

IconPair ArmouredCar(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    WheeledHull(i.hull, p, 9, 4, 25, {6, 15, 23});
    RoundTurret(i.turret, p, 14, 4, 2, 2);
    return i;
}

IconPair TankDestroyer(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 10, 4, 26);
    BoxTurret(i.turret, p, 6, 12, 12, 10, 0, 2);
    i.turret.Rect(8, 15, 8, 5, p.dark);  // open top
    i.turret.Rect(10, 3, 5, 2, kGun);     // muzzle brake
    return i;
}

IconPair SelfPropelledHowitzer(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 11, 2, 29);
    BoxTurret(i.turret, p, 5, 14, 14, 14, 0, 3);
    return i;
}

IconPair AntiAircraft(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 10, 4, 26);
    Gun(i.turret, 9, 3, 16, 1);
    Gun(i.turret, 15, 3, 16, 1);
    i.turret.Disc(12, 17, 5, p.dark);
    i.turret.Disc(12, 17, 4, p.base);
    i.turret.Rect(10, 20, 4, 2, kRotor);  // radar dish
    return i;
}

IconPair RocketLauncher(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    WheeledHull(i.hull, p, 9, 2, 28, {4, 18, 24});
    i.hull.Rect(7, 3, 10, 6, p.dark);  // cab
    i.hull.Rect(8, 4, 8, 2, kGlass);
    i.turret.Rect(6, 12, 12, 16, p.dark);
    for (int y = 13; y < 27; y += 3)
        for (int x = 7; x < 17; x += 3)
            i.turret.Rect(x, y, 2, 2, kBlack);
    return i;
}

IconPair FlameTank(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 10, 4, 26);
    RoundTurret(i.turret, p, 16, 5, 5, 3);
    i.turret.Rect(10, 3, 5, 2, kFlame);
    return i;
}

IconPair Halftrack(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    i.hull.Rect(4, 5, 3, 5, kBlack);
    i.hull.Rect(17, 5, 3, 5, kBlack);
    Tracks(i.hull, 3, 14, 16);
    Tracks(i.hull, 17, 14, 16);
    i.hull.Rect(6, 3, 12, 27, p.base);
    i.hull.Frame(6, 3, 12, 27, p.dark);
    i.hull.Rect(7, 4, 10, 5, p.light);  // bonnet
    i.hull.Rect(8, 13, 8, 15, p.dark);  // open compartment
    MgRing(i.turret, p, 12, 15);
    return i;
}

IconPair Carrier(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 10, 3, 27);
    i.hull.Rect(8, 18, 8, 4, p.light);  // roof hatches
    i.hull.Frame(8, 18, 8, 4, p.dark);
    MgRing(i.turret, p, 10, 13);
    return i;
}

IconPair FightingVehicle(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 10, 3, 27);
    i.hull.Rect(8, 22, 8, 3, p.light);
    Gun(i.turret, 12, 2, 12, 1);
    i.turret.Disc(12, 14, 4, p.dark);
    i.turret.Disc(12, 14, 3, p.base);
    i.turret.Rect(15, 13, 2, 4, kGun);  // missile box
    return i;
}

IconPair Recovery(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 10, 4, 26);
    i.turret.Rect(8, 9, 8, 6, p.dark);  // crane base
    i.turret.Rect(11, 14, 2, 16, kSteel);  // jib over the back
    i.turret.Rect(10, 29, 4, 2, kBlack);  // hook
    return i;
}

IconPair CommandVehicle(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    TrackedHull(i.hull, p, 10, 4, 26);
    i.hull.Rect(7, 10, 10, 12, p.light);  // raised roof
    i.hull.Frame(7, 10, 10, 12, p.dark);
    i.turret.Disc(12, 13, 2, p.dark);
    i.turret.Line(8, 20, 3, 4, kGun);
    i.turret.Line(16, 20, 21, 4, kGun);
    return i;
}

IconPair Truck(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    for (const int y : {5, 19, 24}) {
        i.hull.Rect(4, y, 3, 5, kBlack);
        i.hull.Rect(17, y, 3, 5, kBlack);
    }
    i.hull.Rect(7, 1, 10, 4, p.dark);      // bonnet
    i.hull.Rect(6, 5, 12, 6, p.base);      // cab
    i.hull.Rect(7, 6, 10, 2, kGlass);
    i.hull.Rect(5, 12, 14, 18, p.light);   // canvas
    for (int y = 14; y < 30; y += 4)
        i.hull.Rect(5, y, 14, 1, p.dark);  // hoops
    i.turret = Empty();
    return i;
}

IconPair Jeep(const Paint& p)
{
    IconPair i{Vehicle(), Vehicle()};
    for (const int y : {7, 21}) {
        i.hull.Rect(5, y, 2, 4, kBlack);
        i.hull.Rect(17, y, 2, 4, kBlack);
    }
    i.hull.Rect(7, 5, 10, 20, p.base);
    i.hull.Frame(7, 5, 10, 20, p.dark);
    i.hull.Rect(7, 12, 10, 1, kGlass);  // folded screen
    i.hull.Rect(8, 14, 3, 3, p.dark);   // seats
    i.hull.Rect(13, 14, 3, 3, p.dark);
    Gun(i.turret, 12, 12, 20, 1);
    i.turret.Rect(11, 19, 3, 2, kGun);
    return i;
}

// In the order of their numbers: icon 100 + k summer, 150 + k winter, 200 + k desert.
const std::vector<std::pair<const char*, VehicleDrawer>>& Vehicles()
{
    static const std::vector<std::pair<const char*, VehicleDrawer>> kVehicles = {
        {"lighttank", LightTank},  {"medtank", MediumTank},     {"heavytank", HeavyTank},
        {"mbt", MainBattleTank},   {"mbt3", ModernTank},        {"armcar", ArmouredCar},
        {"td", TankDestroyer},     {"spg", SelfPropelledHowitzer}, {"spaa", AntiAircraft},
        {"mrl", RocketLauncher},   {"flametank", FlameTank},    {"halftrack", Halftrack},
        {"apc", Carrier},          {"ifv", FightingVehicle},    {"recovery", Recovery},
        {"cmdveh", CommandVehicle}, {"truck", Truck},           {"jeep", Jeep},
    };
    return kVehicles;
}

// ---------------------------------------------------------------------------
// Guns on their carriages: the carriage is the hull, shield and barrel the turret.

IconPair FieldPiece(int wheelGap, int barrelFrom, int barrelWidth, bool shield)
{
    const Paint& p = kSummer;
    IconPair i{Vehicle(), Vehicle()};
    i.hull.Rect(12 - wheelGap - 3, 12, 3, 7, kBlack);
    i.hull.Rect(12 + wheelGap, 12, 3, 7, kBlack);
    i.hull.Rect(12 - wheelGap, 14, 2 * wheelGap, 2, p.dark);
    i.hull.Line(11, 16, 7, 30, p.dark);
    i.hull.Line(12, 16, 16, 30, p.dark);
    i.hull.Rect(5, 29, 4, 2, kGun);
    i.hull.Rect(15, 29, 4, 2, kGun);
    Gun(i.turret, 12, barrelFrom, 17, barrelWidth);
    if (shield) {
        i.turret.Rect(12 - wheelGap + 1, 11, 2 * wheelGap - 2, 2, p.base);
        i.turret.Rect(12 - wheelGap + 1, 11, 2 * wheelGap - 2, 1, p.light);
    }
    return i;
}

IconPair AntiAircraftGun()
{
    const Paint& p = kSummer;
    IconPair i{Vehicle(), Vehicle()};
    i.hull.Rect(2, 16, 20, 2, p.dark);
    i.hull.Rect(11, 5, 2, 24, p.dark);
    for (const CanvasPoint foot : {CanvasPoint{2, 17}, CanvasPoint{21, 17}, CanvasPoint{12, 5}, CanvasPoint{12, 28}})
        i.hull.Disc(foot.x, foot.y, 1, kGun);
    i.hull.Disc(12, 17, 4, p.base);
    Gun(i.turret, 10, 2, 16, 1);
    Gun(i.turret, 14, 2, 16, 1);
    i.turret.Disc(12, 17, 3, p.light);
    i.turret.Rect(8, 19, 8, 2, p.dark);  // seats
    return i;
}

IconPair HeavyMortar()
{
    const Paint& p = kSummer;
    IconPair i{Vehicle(), Vehicle()};
    i.hull.Disc(12, 22, 6, p.dark);
    i.hull.Disc(12, 22, 4, p.base);
    i.hull.Line(12, 10, 7, 16, kGun);
    i.hull.Line(12, 10, 17, 16, kGun);
    Gun(i.turret, 12, 6, 22, 3);
    i.turret.Disc(12, 7, 2, kBlack);
    return i;
}

// ---------------------------------------------------------------------------
// Aircraft (one big image, front up) and boats.

IndexedCanvas Big() { return IndexedCanvas(48, 48, T); }

void Fuselage(IndexedCanvas& c, const Paint& p, int top, int bottom, int width)
{
    c.Rect(24 - width / 2, top + 2, width, bottom - top - 2, p.base);
    c.Disc(24, top + 2, width / 2, p.base);
    c.Rect(24 - width / 2, top + 2, 1, bottom - top - 2, p.dark);
    c.Rect(23, top + 6, 2, 4, kGlass);
}

void Propeller(IndexedCanvas& c, int cx, int y)
{
    c.Line(cx - 5, y, cx + 5, y, kGun);
    c.Disc(cx, y + 1, 1, kBlack);
}

IconPair PropFighter(const Paint& p)
{
    IconPair i{Big(), Empty()};
    IndexedCanvas& c = i.hull;
    c.Polygon({{4, 18}, {44, 18}, {42, 26}, {6, 26}}, p.base);
    c.Rect(6, 25, 36, 1, p.dark);
    c.Polygon({{15, 38}, {33, 38}, {31, 43}, {17, 43}}, p.base);
    Fuselage(c, p, 4, 44, 6);
    Propeller(c, 24, 3);
    c.Rect(10, 21, 2, 3, kBlack);  // bombs under the wings
    c.Rect(36, 21, 2, 3, kBlack);
    return i;
}

IconPair Bomber(const Paint& p)
{
    IconPair i{Big(), Empty()};
    IndexedCanvas& c = i.hull;
    c.Polygon({{1, 16}, {47, 16}, {45, 23}, {3, 23}}, p.base);
    c.Rect(3, 22, 42, 1, p.dark);
    c.Polygon({{13, 39}, {35, 39}, {33, 44}, {15, 44}}, p.base);
    for (const int x : {9, 17, 31, 39}) {
        c.Rect(x - 1, 12, 3, 8, p.dark);
        Propeller(c, x, 11);
    }
    Fuselage(c, p, 5, 46, 8);
    c.Rect(22, 26, 4, 8, kBlack);  // bomb bay
    return i;
}

IconPair Transport(const Paint& p)
{
    IconPair i{Big(), Empty()};
    IndexedCanvas& c = i.hull;
    c.Polygon({{2, 17}, {46, 17}, {44, 23}, {4, 23}}, p.light);
    c.Polygon({{14, 40}, {34, 40}, {32, 45}, {16, 45}}, p.light);
    for (const int x : {13, 35}) {
        c.Rect(x - 2, 12, 4, 9, p.dark);
        Propeller(c, x, 11);
    }
    Fuselage(c, p, 4, 46, 8);
    return i;
}

IconPair Glider(const Paint& p)
{
    IconPair i{Big(), Empty()};
    IndexedCanvas& c = i.hull;
    c.Polygon({{0, 17}, {48, 17}, {47, 21}, {1, 21}}, p.light);
    c.Polygon({{17, 40}, {31, 40}, {30, 44}, {18, 44}}, p.light);
    Fuselage(c, p, 6, 44, 6);
    c.Rect(23, 8, 2, 6, kGlass);
    return i;
}

IconPair Spotter(const Paint& p)
{
    IconPair i{Big(), Empty()};
    IndexedCanvas& c = i.hull;
    c.Rect(8, 15, 32, 6, p.light);
    c.Frame(8, 15, 32, 6, p.dark);
    c.Polygon({{18, 36}, {30, 36}, {29, 40}, {19, 40}}, p.light);
    Fuselage(c, p, 8, 40, 4);
    Propeller(c, 24, 7);
    return i;
}

IconPair Jet(const Paint& p)
{
    IconPair i{Big(), Empty()};
    IndexedCanvas& c = i.hull;
    c.Polygon({{24, 12}, {44, 32}, {44, 36}, {24, 30}, {4, 36}, {4, 32}}, p.base);
    c.Polygon({{24, 34}, {33, 43}, {33, 45}, {15, 45}, {15, 43}}, p.dark);
    c.Polygon({{24, 2}, {27, 8}, {27, 44}, {21, 44}, {21, 8}}, p.base);
    c.Rect(21, 8, 1, 36, p.dark);
    c.Rect(23, 9, 2, 5, kGlass);
    c.Rect(22, 44, 4, 2, kBlack);  // exhaust
    return i;
}

void Rotor(IndexedCanvas& c, int cx, int cy, int r)
{
    c.Ring(cx, cy, r, kRotor);
    c.Line(cx - r + 2, cy - r + 2, cx + r - 2, cy + r - 2, kGun);
    c.Line(cx - r + 2, cy + r - 2, cx + r - 2, cy - r + 2, kGun);
}

IconPair Helicopter(const Paint& p, int bodyWidth, int rotor, bool stubWings)
{
    IconPair i{Big(), Empty()};
    IndexedCanvas& c = i.hull;
    c.Rect(23, 24, 2, 21, p.dark);  // tail boom
    c.Rect(20, 44, 8, 2, kGun);     // tail rotor
    if (stubWings) {
        c.Rect(14, 19, 20, 3, p.dark);
        c.Rect(14, 18, 2, 5, kBlack);
        c.Rect(32, 18, 2, 5, kBlack);
    }
    c.Disc(24, 12, bodyWidth / 2, p.base);
    c.Rect(24 - bodyWidth / 2, 12, bodyWidth, 14, p.base);
    c.Disc(24, 10, bodyWidth / 2 - 2, kGlass);
    Rotor(c, 24, 17, rotor);
    return i;
}

IconPair Boat(const Paint& p, int width, int length, int cabin, bool gun)
{
    IconPair i{IndexedCanvas(width, length, T), IndexedCanvas(width, length, T)};
    IndexedCanvas& c = i.hull;
    const int mid = width / 2;
    c.Polygon({{mid, 0}, {width - 1, length / 4}, {width - 1, length}, {1, length}, {1, length / 4}}, p.dark);
    c.Polygon({{mid, 2}, {width - 2, length / 4 + 1}, {width - 2, length - 1}, {2, length - 1}, {2, length / 4 + 1}},
              p.light);
    if (cabin > 0) {
        c.Rect(mid - cabin / 2, length / 2 - 2, cabin, cabin + 2, p.base);
        c.Rect(mid - cabin / 2, length / 2 - 2, cabin, 1, kGlass);
    }
    if (gun) {
        Gun(i.turret, mid, length / 4 - 4, length / 4 + 4, 2);
        i.turret.Disc(mid, length / 4 + 4, 3, p.base);
    } else {
        i.turret = Empty();
    }
    return i;
}

IconPair Barge()
{
    IconPair i{IndexedCanvas(20, 36, T), Empty()};
    i.hull.Rect(1, 1, 18, 34, kWood);
    i.hull.Frame(1, 1, 18, 34, kEarth);
    for (int y = 5; y < 33; y += 6)
        i.hull.Rect(3, y, 14, 3, 8);  // cargo
    return i;
}

IconPair RubberBoat()
{
    IconPair i{IndexedCanvas(12, 20, T), Empty()};
    i.hull.Disc(6, 5, 5, kTrack);
    i.hull.Rect(1, 5, 11, 14, kTrack);
    i.hull.Rect(3, 5, 7, 12, kTrackLink);
    i.hull.Rect(5, 16, 3, 4, kBlack);  // motor
    return i;
}

// ---------------------------------------------------------------------------
// Groups of icons and the files they fill.

struct IconGroup {
    int firstIcon;
    std::vector<IconPair> icons;
};

IconGroup Infantry()
{
    const Uniform paras = {97, 37};
    const Uniform crew = {97, kBlack};
    IconGroup g{50, {}};
    auto squad = [&g](IndexedCanvas hull) { g.icons.push_back({std::move(hull), Empty()}); };
    squad(Team(6, Kit::None, kOlive));          // 50 rifle squad
    squad(Team(3, Kit::MachineGun, kOlive));    // 51 machine-gun team
    squad(Team(3, Kit::Mortar, kOlive));        // 52 mortar team
    squad(Snipers(kOlive));                     // 53 snipers
    squad(Team(6, Kit::None, {97, kWood}));     // 54 engineers
    squad(Team(4, Kit::Flag, kOlive));          // 55 company HQ
    squad(Team(5, Kit::FlagAndRadio, kOlive));  // 56 battalion HQ
    squad(Team(3, Kit::None, {59, 92}));        // 57 recon team
    squad(Team(2, Kit::Launcher, kOlive));      // 58 anti-tank missile team
    squad(Team(2, Kit::AirDefence, kOlive));    // 59 air defence team
    squad(Team(2, Kit::Binoculars, kOlive));    // 60 observers
    squad(Team(6, Kit::None, paras));           // 61 paratroops
    squad(Team(3, Kit::HeavyMG, kOlive));       // 62 heavy machine-gun team
    squad(Team(3, Kit::None, crew));            // 63 vehicle crew
    squad(Bunker());                            // 64 bunker
    g.icons.push_back(FieldPiece(6, 0, 2, true));   // 65 anti-tank gun
    g.icons.push_back(FieldPiece(5, 3, 2, true));   // 66 field gun
    g.icons.push_back(FieldPiece(7, 1, 3, false));  // 67 howitzer
    g.icons.push_back(AntiAircraftGun());           // 68 AA gun
    g.icons.push_back(HeavyMortar());               // 69 heavy mortar
    return g;
}

IconGroup Seasonal(int firstIcon, const Paint& paint)
{
    IconGroup g{firstIcon, {}};
    for (const auto& v : Vehicles())
        g.icons.push_back(v.second(paint));
    return g;
}

IconGroup AirAndSea()
{
    IconGroup g{250, {}};
    g.icons.push_back(PropFighter(kAir));             // 250
    g.icons.push_back(Bomber(kAir));                  // 251
    g.icons.push_back(Helicopter(kSummer, 8, 20, true));   // 252 attack helicopter
    g.icons.push_back(Helicopter(kSummer, 12, 22, false)); // 253 transport helicopter
    g.icons.push_back(Glider(kWinter));               // 254
    g.icons.push_back(Spotter(kSummer));              // 255
    g.icons.push_back(Transport(kAir));               // 256
    g.icons.push_back(Jet(kAir));                     // 257
    g.icons.push_back(Helicopter(kAir, 6, 16, false));     // 258 scout helicopter
    g.icons.push_back(Boat(kNavy, 20, 44, 8, true));  // 259 patrol boat
    g.icons.push_back(Boat(kNavy, 16, 28, 6, true));  // 260 small craft
    g.icons.push_back(Barge());                       // 261
    g.icons.push_back(RubberBoat());                  // 262 assault boat
    return g;
}

// One file per group: icon i's hull is image 2 i, its turret 2 i + 1.
DemoShapeFile FileOf(IconGroup g)
{
    if (g.firstIcon % 50 != 0 || g.icons.size() > 50)
        throw std::logic_error("an icon group fills one shape file");
    DemoShapeFile f;
    f.Number = 2 * g.firstIcon / 100;
    for (IconPair& i : g.icons) {
        f.Images.push_back(std::move(i.hull));
        f.Images.push_back(std::move(i.turret));
    }
    return f;
}

// Images 0..60 of the crew-and-side file of one side.
DemoShapeFile CrewAndSide(int side)
{
    const Uniform& u = kSideUniforms[side];
    DemoShapeFile f;
    f.Number = 10 + side;
    for (int image = 0; image <= 60; ++image)
        f.Images.push_back(Empty());
    for (int crew = 1; crew <= 13; ++crew)
        f.Images[static_cast<std::size_t>(3 * (13 - crew))] = Team(crew, Kit::None, u);
    f.Images[42] = Team(2, Kit::MachineGun, u);
    f.Images[51] = GunTeam(2, 6, u);
    f.Images[54] = GunTeam(1, 4, u);
    f.Images[57] = GunTeam(0, 2, u);
    f.Images[60] = Team(3, Kit::Mortar, u);
    return f;
}

}  // namespace

std::vector<DemoShapeFile> DemoShapeFiles()
{
    std::vector<DemoShapeFile> files;
    files.push_back(FileOf(Infantry()));
    files.push_back(FileOf(Seasonal(100, kSummer)));
    files.push_back(FileOf(Seasonal(150, kWinter)));
    files.push_back(FileOf(Seasonal(200, kDesert)));
    files.push_back(FileOf(AirAndSea()));
    for (int side = 0; side < 4; ++side)
        files.push_back(CrewAndSide(side));
    return files;
}

DemoUnitIcons DemoIconsOf(const std::string& unitKind, int era)
{
    static const std::map<std::string, int> kFixed = {
        {"rifle", 50},    {"mg", 51},       {"mortar", 52},     {"sniper", 53},     {"eng", 54},
        {"hq", 55},       {"bnhq", 56},     {"recon", 57},      {"atgm", 58},       {"sam", 59},
        {"fo", 60},       {"para", 61},     {"hmgteam", 62},    {"crew", 63},       {"bunker", 64},
        {"atgun", 65},    {"fieldgun", 66}, {"howitzer", 67},   {"minegun", 67},    {"aagun", 68},
        {"hvymortar", 69},
        {"fbomber", 250}, {"csplane", 250}, {"bomber", 251},    {"attackheli", 252}, {"hvyheli", 252},
        {"transheli", 253}, {"utilheli", 253}, {"glider", 254}, {"spotter", 255},   {"lttrans", 256},
        {"gunship", 256}, {"gajet", 257},   {"weasel", 257},    {"jetfb", 257},     {"recheli", 258},
        {"scoutheli", 258}, {"patrol", 259}, {"smallcraft", 260}, {"barge", 261},   {"boat", 262},
    };
    const auto fixed = kFixed.find(unitKind);
    if (fixed != kFixed.end())
        return {fixed->second, fixed->second, fixed->second};

    // The last main battle tanks have a turret of their own; the rocket minelet battery rides the rocket vehicle.
    const std::string drawn = unitKind == "mbt" && era == 3 ? "mbt3" : unitKind == "minerkt" ? "mrl" : unitKind;
    const auto& vehicles = Vehicles();
    for (std::size_t k = 0; k < vehicles.size(); ++k)
        if (drawn == vehicles[k].first) {
            const int i = static_cast<int>(k);
            return {100 + i, 150 + i, 200 + i};
        }
    throw std::logic_error("no demo icon for the unit kind " + unitKind);
}

}  // namespace brackle

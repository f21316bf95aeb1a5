#include "demo/demo_game.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "demo/demo_icons.h"
#include "demo/demo_pictures.h"
#include "demo/iff_writer.h"
#include "demo/shape_writer.h"
#include "editors/unit_rules.h"
#include "graphics/shape_decoder.h"
#include "graphics/unit_icons.h"
#include "oob/oob_file.h"

namespace brackle {

namespace fs = std::filesystem;

namespace {

// A small fixed generator (SplitMix64), so the demo is the same on every
// platform and standard library.
class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : state_(seed) {}
    std::uint32_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
    }
    // A number in lo..hi, both included.
    int Between(int lo, int hi)
    {
        return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1));
    }

private:
    std::uint64_t state_;
};

std::uint8_t Byte(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

// ---------------------------------------------------------------------------
// Names

struct NamedNation {
    int number;
    const char* name;
};

const NamedNation kNamedNations[] = {
    {1, "Kestrel Republic"},     {2, "Varn Hegemony"},        {3, "Orrin Free State"},
    {4, "Duskmoor Kingdom"},     {5, "Talvane Federation"},   {6, "Halcyra"},
    {7, "Brenmoor Commonwealth"}, {8, "Sarvic Empire"},       {9, "Lyrande Confederacy"},
    {10, "Quellan Marches"},     {11, "Tessary Principality"}, {12, "Corvane League"},
    {13, "Amberly Isles"},       {14, "Rhunwald"},            {15, "Pelagon Coast"},
    {16, "Istra Nova"},          {17, "Veldmark Republic"},   {18, "Sundral Khanate"},
    {19, "Morvay Union"},        {20, "Caldris Dominion"},    {21, "Northvale"},
    {22, "Gethrin Protectorate"}, {23, "Aurisel"},            {24, "Zenmarch"},
    {25, "Ombrel Directorate"},  {26, "Free Cities of Lusk"}, {27, "Harrowden"},
    {28, "Tamsinar Sultanate"},  {29, "Eskervale"},           {30, "Quorn Assembly"},
    {31, "Vessaly"},             {32, "Drummond Reach"},      {40, "Allied Volunteers"},
    {41, "Irregular Forces"},    {42, "Peacekeeping Force"},
};

// Unit class names by number. The editor draws a unit of an icon-kind class
// (1..4, 7, 20, 29, 40, 45, 51, 54, 55, 58, 63..101, 110..119, 140..150 and
// others, see graphics/unit_icons) that has a crew as a group of soldiers in
// its side's uniform, so those classes hold squads and teams: 2 and its like
// show a machine-gun team, 4 and its like a mortar team, 3 and 150 a weapon and
// its crew, the rest as many men as the crew. Only 49, 187 and 188 of them never
// show soldiers. Vehicles, guns and boats live in the other classes, aircraft in
// the big-image classes. The numbers the editor's rules name are named for what
// they are: the aircraft classes, crew (10), assault boat (31), barge and small
// craft (155, 156), the static emplacement (134), the minelet batteries (210,
// 211), the artillery fire-control classes (57, 63, 229, 243) and the empty
// class of erased units (216).
const char* const kClassNames[] = {
    // 0..9
    "Line Infantry", "Rifle Squad", "Machine Gun Team", "ATGM Team", "Mortar Team",
    "Anti-Tank Gun", "Field Gun", "Infantry Mortar Team", "Light Howitzer", "Heavy Mortar",
    // 10..19
    "Crew", "Cyclist Squad", "Mounted Infantry", "Sniper Team", "Sapper Section",
    "HQ Section", "AA Gun", "Recon Team", "Tank Hunter Team", "SAM Team",
    // 20..29
    "Engineer Squad", "Forward Observer", "Commando Team", "Truck", "Jeep",
    "Motorcycle", "Bridging Vehicle", "Mine Clearing Vehicle", "Recovery Vehicle", "Heavy MG Team",
    // 30..39
    "Cavalry Troop", "Assault Boat", "Supply Truck", "Ambulance", "Prime Mover",
    "Mountain Squad", "Ski Troops", "Pathfinder Team", "Marine Squad", "Militia Squad",
    // 40..49
    "Paratroop Squad", "Halftrack", "Armoured Bulldozer", "Minefield", "Attack Helicopter",
    "Assault Pioneer Squad", "Wire Obstacle", "Transport Glider", "Smoke Generator", "SP Anti-Tank Gun",
    // 50..59
    "Transport Helicopter", "Grenadier Squad", "Flamethrower Team", "Fighter-Bomber", "Shock Troop Squad",
    "Tank Killer Squad", "Command Vehicle", "Fire Support Team", "Flame Assault Squad", "Pioneer Squad",
    // 60..69
    "Spotter Plane", "Light Transport Plane", "Level Bomber", "Fire Control Team", "Infantry Squad",
    "Storm Squad", "Motorised Squad", "Mechanised Squad", "Light Rifle Squad", "Guards Rifle Squad",
    // 70..79
    "Reserve Rifle Squad", "Mountain Rifle Squad", "Jungle Squad", "Arctic Squad", "Desert Squad",
    "Urban Assault Squad", "Air Assault Squad", "Airmobile Squad", "Naval Rifle Squad", "Amphibious Assault Squad",
    // 80..89
    "Ranger Squad", "Scout Squad", "Raider Squad", "Partisan Band", "Irregular Squad",
    "Police Squad", "Border Guard Squad", "Home Guard Squad", "Cadet Squad", "Volunteer Squad",
    // 90..99
    "Conscript Squad", "Veteran Squad", "Elite Squad", "Breacher Squad", "Demolition Squad",
    "Anti-Tank Squad", "AT Rocket Team", "Recoilless Rifle Team", "Rifle Grenade Team", "Infantry Section",
    // 100..109
    "Infantry Half-Section", "Fire Team", "Guard Squad", "Motor Rifle Squad", "Mech Infantry Squad",
    "Light Infantry Squad", "Assault Squad", "Security Squad", "Reserve Squad", "Field Workshop",
    // 110..119
    "Signals Team", "Medic Team", "Bridging Team", "Mine Laying Team", "Mine Clearing Team",
    "Obstacle Team", "Radio Relay Team", "Liaison Team", "Military Police", "Training Squad",
    // 120..129
    "Light Tank", "Medium Tank", "Heavy Tank", "Main Battle Tank", "Flame Tank",
    "Tank Destroyer", "Armoured Car", "Captured Tank", "Anti-Tank Team", "LMG Team",
    // 130..139
    "Heavy Weapons Team", "Light Mortar Team", "Radio Team", "Towed Trailer", "Static Emplacement",
    "Medical Team", "Tractor", "Naval Infantry", "Frogman Team", "Special Forces",
    // 140..149
    "Naval Infantry Squad", "Boarding Party", "Naval MG Team", "Beach Party", "Naval Mortar Team",
    "Coast Watch Team", "Marine MG Team", "Harbour Guard Squad", "Dockyard Militia", "Marine Mortar Team",
    // 150..159
    "Gun Crew", "SP Howitzer", "Medium Howitzer", "SP AA Gun", "Rocket Launcher Veh",
    "Barge", "Small Craft", "Recoilless Rifle", "Towed Rocket Artillery", "Observation Post",
    // 160..169
    "Reconnaissance Squad", "Command Squad", "Heavy Weapons Squad", "Bodyguard Squad", "Sentry Squad",
    "Support MG Team", "Escort Squad", "Engineer Vehicle", "Tank Escort Squad", "Infiltration Squad",
    // 170..179
    "Combat Engineer Team", "Fortress Infantry", "Garrison Squad", "Rear Guard Squad", "Forward Patrol",
    "Air Defence Team", "Para Mortar Team", "Mountain Mortar Team", "Ski Patrol", "Long Range Patrol",
    // 180..189
    "Radar Vehicle", "EW Vehicle", "Signals Vehicle", "Decoy Vehicle", "Towed Multiple Rocket",
    "Amphibious Recon Team", "River Crossing Team", "Light IFV", "Tracked ATGM Vehicle", "Anti-Armour Squad",
    // 190..199
    "Air Sentry Team", "Missile Team", "Rocket Team", "Grenade Launcher Team", "Heavy Mortar Team",
    "Heavy Infantry Squad", "Towed SAM", "Trench Line", "Roadblock", "Tank Ditch",
    // 200..209
    "Coastal Gun", "Heavy AA Gun", "Light AA Gun", "Recon Helicopter", "Utility Helicopter",
    "Ground Attack Jet", "Tripod MG Team", "Twin MG Team", "Fortress MG Team", "Guard MG Team",
    // 210..219
    "Rocket Minelet Battery", "Tube Minelet Battery", "Squad MG Team", "Casualty Team", "Wild Weasel",
    "Circling Gunship", "Empty Class", "Tracked Cargo Carrier", "Obstacle Breaching Team", "Patrol Boat",
    // 220..229
    "Snow Vehicle", "Heavy Attack Helicopter", "Scout Helicopter", "Close Support Aircraft", "Modern Rifle Squad",
    "Modern Mech Squad", "Modern Assault Squad", "Modern Engineer Squad", "Modern Recon Team", "Laser Target Team",
    // 230..239
    "Modern ATGM Team", "Modern Command Team", "Modern Raider Team", "Modern Sniper Team", "Modern MANPADS Team",
    "Modern Scout Team", "Towed ATGM", "APC", "Infantry Fighting Veh", "Bus",
    // 240..249
    "Drone Operator Team", "Electronic Warfare Team", "Protection Squad", "Fire Direction Team", "Dismounted MG Team",
    "Civilian Car", "Swimmer Team", "Flame Squad", "Rocket Squad", "Patrol Squad",
    // 250..255
    "Demolition Team", "Quad Bike", "Super Heavy Gun", "Jet Fighter-Bomber", "Mortar Fire Team",
    "Field Rocket Launcher",
};
static_assert(std::size(kClassNames) == kUnitClasses, "one name for every unit class");

// ---------------------------------------------------------------------------
// Weapons. Each kind has a name per era and stats that grow with the era; the
// OOB gets one weapon for each kind and era some unit carries.

struct WeaponKind {
    const char* key;
    std::array<const char*, 4> names;  // per era; unused eras may repeat a name
    int cls, size, warhead, hePen, heKill, apPen, apKill, accuracy, range;
    int apGain;     // APPen added per era
    int heatPen;    // HEATPen in era 0 (0: none)
    int heatGain;   // HEATPen added per era
    int sabotFrom;  // first era with sabot rounds (-1: never)
};

const WeaponKind kWeaponKinds[] = {
    // key          names per era                                         cls sz wh hep hek app apk acc rng apg heat hg sab
    {"rifle", {"Bolt Rifle", "SL Rifle", "Aslt Rifle", "Carbine"}, 1, 1, 1, 1, 8, 0, 0, 6, 6, 0, 0, 0, -1},
    {"smg", {"SMG", "SMG", "SMG", "PDW"}, 1, 1, 1, 1, 7, 0, 0, 5, 3, 0, 0, 0, -1},
    {"lmg", {"LMG", "LMG", "Squad MG", "Squad MG"}, 2, 1, 1, 1, 12, 0, 0, 6, 8, 0, 0, 0, -1},
    {"law", {"AT Rifle", "Bazooka", "LAW", "Heavy LAW"}, 2, 1, 3, 2, 10, 20, 12, 5, 4, 15, 30, 25, -1},
    {"mmg", {"MMG", "GPMG", "GPMG", "GPMG"}, 3, 2, 1, 1, 16, 0, 0, 7, 12, 0, 0, 0, -1},
    {"hmg", {"HMG", "HMG", "HMG", "HMG"}, 4, 2, 2, 2, 18, 4, 8, 7, 14, 1, 0, 0, -1},
    {"mortar", {"81mm Mortar", "81mm Mortar", "81mm Mortar", "81mm Mortar"}, 3, 3, 8, 4, 40, 0, 0, 4, 60, 0, 0, 0, -1},
    {"hmortar", {"120mm Mortar", "120mm Mortar", "120mm Mortar", "120mm Mortar"}, 7, 4, 18, 6, 70, 0, 0, 4, 80, 0, 0, 0, -1},
    {"sniper", {"Sniper Rifle", "Sniper Rifle", "Sniper Rifle", "Sniper Rifle"}, 1, 1, 1, 2, 10, 0, 0, 9, 15, 0, 0, 0, -1},
    {"flame", {"Flamethrower", "Flamethrower", "Flamethrower", "Flamethrower"}, 8, 1, 4, 3, 60, 0, 0, 5, 1, 0, 0, 0, -1},
    {"satchel", {"Satchel Chg", "Satchel Chg", "Demo Charge", "Demo Charge"}, 25, 1, 10, 30, 80, 0, 0, 6, 1, 0, 0, 0, -1},
    {"atgm", {"ATGM", "ATGM", "ATGM", "ATGM"}, 13, 2, 6, 4, 20, 60, 30, 8, 40, 20, 90, 30, -1},
    {"manpads", {"MANPADS", "MANPADS", "MANPADS", "MANPADS"}, 12, 1, 2, 1, 5, 10, 20, 7, 45, 2, 0, 0, -1},
    {"coax", {"Coax MG", "Coax MG", "Coax MG", "Coax MG"}, 5, 2, 1, 1, 14, 0, 0, 7, 12, 0, 0, 0, -1},
    {"lgun", {"37mm Gun", "40mm Gun", "20mm Cannon", "30mm Cannon"}, 5, 3, 2, 2, 12, 25, 20, 7, 20, 10, 0, 0, 3},
    {"tankgun", {"75mm Gun", "90mm Gun", "105mm Gun", "120mm Gun"}, 6, 5, 6, 4, 30, 50, 40, 7, 30, 40, 0, 0, 2},
    {"hvygun", {"88mm Gun", "122mm Gun", "125mm Gun", "130mm Gun"}, 7, 6, 9, 5, 35, 70, 50, 7, 32, 40, 0, 0, 2},
    {"atgun", {"57mm ATG", "76mm ATG", "100mm ATG", "125mm ATG"}, 6, 4, 4, 3, 20, 45, 35, 7, 28, 35, 0, 0, 2},
    {"fieldgun", {"75mm Fld Gun", "85mm Fld Gun", "85mm Fld Gun", "85mm Fld Gun"}, 6, 4, 6, 4, 35, 20, 20, 5, 70, 5, 0, 0, -1},
    {"how", {"105mm How", "122mm How", "155mm How", "155mm How"}, 7, 5, 12, 6, 60, 15, 20, 4, 120, 5, 0, 0, -1},
    {"aa", {"20mm AA", "40mm AA", "35mm AA", "35mm AA"}, 4, 3, 2, 2, 14, 15, 15, 8, 25, 5, 0, 0, -1},
    {"mrl", {"Rocket Pod", "MRL Rocket", "MRL Rocket", "MRL Rocket"}, 14, 5, 10, 5, 60, 0, 0, 3, 150, 0, 0, 0, -1},
    {"vflame", {"Flame Gun", "Flame Gun", "Flame Gun", "Flame Gun"}, 9, 3, 5, 3, 70, 0, 0, 5, 3, 0, 0, 0, -1},
    {"minerkt", {"Minelet Rkt", "Minelet Rkt", "Minelet Rkt", "Minelet Rkt"}, 15, 5, 4, 20, 40, 0, 0, 3, 120, 0, 0, 0, -1},
    {"mineshell", {"Mine Shell", "Mine Shell", "Mine Shell", "Mine Shell"}, 15, 5, 4, 20, 40, 0, 0, 3, 100, 0, 0, 0, -1},
    {"navalgun", {"Naval Gun", "Naval Gun", "76mm Naval", "76mm Naval"}, 10, 5, 8, 5, 40, 20, 20, 5, 60, 5, 0, 0, -1},
    {"aircannon", {"Air MG", "Air Cannon", "Air Cannon", "Air Cannon"}, 11, 0, 2, 2, 20, 15, 15, 6, 3, 10, 0, 0, -1},
    {"rockets", {"Air Rockets", "Air Rockets", "Air Rockets", "Air Rockets"}, 11, 0, 6, 4, 40, 30, 30, 4, 2, 15, 0, 0, -1},
    {"bomb", {"500lb Bomb", "500lb Bomb", "500lb Bomb", "500lb Bomb"}, 11, 0, 24, 6, 80, 0, 0, 1, 1, 0, 0, 0, -1},
    {"gunshipgun", {"Gunship How", "Gunship How", "Gunship How", "Gunship How"}, 11, 0, 10, 5, 60, 10, 10, 5, 3, 0, 0, 0, -1},
    {"cbu", {"Cluster Bomb", "Cluster Bomb", "Cluster Bomb", "Cluster Bomb"}, 14, 0, 12, 6, 70, 0, 0, 2, 1, 0, 0, 0, -1},
    {"asm", {"Air ASM", "Air ASM", "Air ASM", "Guided Bomb"}, 17, 0, 20, 10, 80, 40, 40, 8, 30, 10, 60, 20, -1},
    {"arm", {"Anti Rad Msl", "Anti Rad Msl", "Anti Rad Msl", "Anti Rad Msl"}, 16, 0, 8, 6, 50, 0, 0, 8, 40, 0, 0, 0, -1},
    {"napalm", {"Napalm", "Napalm", "Napalm", "Napalm"}, 18, 0, 20, 4, 90, 0, 0, 2, 1, 0, 0, 0, -1},
};

const WeaponKind& KindOf(const std::string& key)
{
    for (const auto& k : kWeaponKinds)
        if (key == k.key)
            return k;
    throw std::logic_error("no weapon kind " + key);
}

// Slot 198 holds the heavy bomb the game itself expects there.
constexpr int kHeavyBombSlot = 198;

WeaponRecord HeavyBomb()
{
    WeaponRecord w;
    w.Name = "1000lb Bomb";
    w.Class = 11;
    w.WarheadSize = 48;
    w.HEPen = 8;
    w.HEKill = 96;
    w.Accuracy = 1;
    w.Range = 1;
    return w;
}

// ---------------------------------------------------------------------------
// Units. One kind gives one unit per era it exists in.

struct Carried {
    const char* weapon;  // weapon kind key, or "bomb1000" for slot 198
    int he, ap;          // rounds, given only where the weapon has the effect
};

enum Body { Foot, Soft, Light, Medium, Heavy, Air, Boat, Fixed };

struct UnitKind {
    const char* key;
    const char* name;  // at most 12 characters; the era's year follows
    int cls;
    Body body;
    int size, crew, speed, mc;
    std::array<Carried, 4> weapons;
    int firstEra, lastEra;
    bool wholeEra;  // dates span the whole era (HQ units)
    int carry, weight;
};

constexpr Carried kNone = {nullptr, 0, 0};

// Squads and teams that the unit page should draw as soldiers sit in icon-kind
// classes: rifle-type squads as groups of their crew, the machine-gun teams in
// 2 and 29, the ATGM team with its launcher in 3, the mortar team in 4. The
// specialists (snipers, HQs, recon, SAM teams, observers) keep classes without
// soldier icons, so their own icons show. Nothing with a hull - vehicles, guns,
// boats, the bunker - sits in a class that would show soldiers instead.
const UnitKind kUnitKinds[] = {
    // Infantry and teams
    {"rifle", "Rifle Sqd", 1, Foot, 1, 9, 8, 1, {{{"rifle", 60, 0}, {"lmg", 40, 0}, {"law", 3, 2}, kNone}}, 0, 3, false, 0, 9},
    {"mg", "MG Team", 2, Foot, 1, 3, 7, 1, {{{"mmg", 80, 0}, {"rifle", 20, 0}, kNone, kNone}}, 0, 3, false, 0, 4},
    {"mortar", "Mortar Team", 4, Foot, 1, 4, 6, 1, {{{"mortar", 30, 0}, {"rifle", 10, 0}, kNone, kNone}}, 0, 3, false, 0, 5},
    {"sniper", "Sniper Team", 13, Foot, 0, 2, 8, 1, {{{"sniper", 40, 0}, kNone, kNone, kNone}}, 0, 3, false, 0, 2},
    {"eng", "Engineer Sqd", 20, Foot, 1, 8, 7, 1, {{{"rifle", 50, 0}, {"flame", 6, 0}, {"satchel", 4, 0}, kNone}}, 0, 3, false, 0, 8},
    {"hq", "Coy HQ", 15, Foot, 1, 5, 8, 1, {{{"rifle", 30, 0}, {"smg", 20, 0}, kNone, kNone}}, 0, 3, true, 0, 5},
    {"bnhq", "Bn HQ", 15, Foot, 1, 6, 8, 1, {{{"smg", 30, 0}, {"rifle", 20, 0}, kNone, kNone}}, 0, 3, true, 0, 6},
    {"recon", "Recon Team", 17, Foot, 0, 4, 9, 1, {{{"rifle", 40, 0}, {"lmg", 20, 0}, kNone, kNone}}, 0, 3, false, 0, 4},
    {"atgm", "ATGM Team", 3, Foot, 1, 3, 6, 1, {{{"atgm", 0, 4}, {"rifle", 20, 0}, kNone, kNone}}, 2, 3, false, 0, 4},
    {"sam", "SAM Team", 19, Foot, 0, 2, 7, 1, {{{"manpads", 0, 3}, {"rifle", 10, 0}, kNone, kNone}}, 2, 3, false, 0, 3},
    {"fo", "Fwd Observer", 21, Foot, 0, 3, 8, 1, {{{"rifle", 20, 0}, kNone, kNone, kNone}}, 0, 3, false, 0, 3},
    {"para", "Para Sqd", 40, Foot, 1, 8, 9, 1, {{{"rifle", 50, 0}, {"lmg", 40, 0}, {"law", 2, 2}, kNone}}, 0, 3, false, 0, 8},
    {"hmgteam", "HMG Team", 29, Foot, 1, 3, 5, 1, {{{"hmg", 60, 20}, kNone, kNone, kNone}}, 0, 3, false, 0, 5},
    {"bunker", "Bunker", 134, Fixed, 2, 4, 0, 0, {{{"hmg", 90, 30}, {"rifle", 40, 0}, kNone, kNone}}, 0, 3, false, 0, 0},
    {"crew", "Tank Crew", 10, Foot, 0, 3, 8, 1, {{{"smg", 20, 0}, kNone, kNone, kNone}}, 0, 3, false, 0, 3},
    {"boat", "Assault Boat", 31, Boat, 0, 1, 12, 5, {{kNone, kNone, kNone, kNone}}, 0, 3, false, 10, 0},
    // Soft vehicles
    {"truck", "Truck", 23, Soft, 3, 1, 30, 2, {{kNone, kNone, kNone, kNone}}, 0, 3, false, 12, 0},
    {"jeep", "Jeep", 24, Soft, 2, 1, 40, 2, {{{"mmg", 40, 0}, kNone, kNone, kNone}}, 0, 3, false, 4, 0},
    {"halftrack", "Halftrack", 41, Light, 3, 2, 25, 4, {{{"hmg", 60, 20}, kNone, kNone, kNone}}, 0, 1, false, 10, 0},
    {"apc", "APC", 237, Light, 3, 2, 30, 4, {{{"hmg", 80, 30}, kNone, kNone, kNone}}, 1, 3, false, 10, 0},
    {"ifv", "IFV", 238, Light, 3, 3, 32, 4, {{{"lgun", 60, 40}, {"coax", 80, 0}, {"atgm", 0, 4}, kNone}}, 2, 3, false, 8, 0},
    {"recovery", "Recovery Veh", 28, Soft, 4, 3, 24, 4, {{{"hmg", 40, 10}, kNone, kNone, kNone}}, 2, 2, false, 0, 0},
    {"cmdveh", "Command Veh", 56, Light, 3, 4, 30, 4, {{{"hmg", 60, 20}, kNone, kNone, kNone}}, 1, 3, false, 4, 0},
    // Armour
    {"lighttank", "Light Tank", 120, Light, 3, 3, 30, 4, {{{"lgun", 30, 40}, {"coax", 60, 0}, kNone, kNone}}, 0, 1, false, 0, 0},
    {"medtank", "Medium Tank", 121, Medium, 4, 5, 24, 4, {{{"tankgun", 40, 30}, {"coax", 80, 0}, {"hmg", 30, 10}, kNone}}, 0, 1, false, 0, 0},
    {"heavytank", "Heavy Tank", 122, Heavy, 5, 5, 18, 4, {{{"hvygun", 30, 30}, {"coax", 80, 0}, kNone, kNone}}, 0, 1, false, 0, 0},
    {"mbt", "MBT", 123, Heavy, 5, 4, 30, 4, {{{"tankgun", 20, 10}, {"coax", 80, 0}, {"hmg", 30, 10}, kNone}}, 1, 3, false, 0, 0},
    {"armcar", "Armoured Car", 126, Light, 3, 3, 40, 2, {{{"lgun", 30, 30}, {"coax", 60, 0}, kNone, kNone}}, 0, 3, false, 0, 0},
    {"td", "Tank Dest", 125, Medium, 4, 4, 26, 4, {{{"atgun", 20, 40}, {"coax", 40, 0}, kNone, kNone}}, 0, 2, false, 0, 0},
    {"spg", "SP Howitzer", 151, Medium, 5, 5, 26, 4, {{{"how", 40, 5}, {"hmg", 30, 10}, kNone, kNone}}, 1, 3, false, 0, 0},
    {"spaa", "SP AA Gun", 153, Light, 4, 3, 30, 4, {{{"aa", 60, 40}, kNone, kNone, kNone}}, 1, 3, false, 0, 0},
    {"mrl", "Rocket Veh", 154, Light, 4, 3, 30, 2, {{{"mrl", 12, 0}, kNone, kNone, kNone}}, 2, 3, false, 0, 0},
    {"flametank", "Flame Tank", 124, Medium, 4, 4, 22, 4, {{{"vflame", 20, 0}, {"coax", 60, 0}, kNone, kNone}}, 0, 1, false, 0, 0},
    // Guns
    {"atgun", "AT Gun", 5, Fixed, 2, 5, 2, 1, {{{"atgun", 20, 30}, kNone, kNone, kNone}}, 0, 2, false, 0, 12},
    {"fieldgun", "Field Gun", 6, Fixed, 2, 6, 2, 1, {{{"fieldgun", 40, 10}, kNone, kNone, kNone}}, 0, 1, false, 0, 14},
    {"howitzer", "Howitzer", 152, Fixed, 3, 8, 1, 1, {{{"how", 40, 5}, kNone, kNone, kNone}}, 0, 3, false, 0, 20},
    {"aagun", "AA Gun", 16, Fixed, 2, 4, 2, 1, {{{"aa", 60, 40}, kNone, kNone, kNone}}, 0, 2, false, 0, 10},
    {"hvymortar", "Hvy Mortar", 9, Fixed, 2, 5, 2, 1, {{{"hmortar", 30, 0}, kNone, kNone, kNone}}, 1, 3, false, 0, 12},
    {"minerkt", "Mine Rkt Bty", 210, Light, 4, 4, 28, 2, {{{"minerkt", 8, 0}, kNone, kNone, kNone}}, 3, 3, false, 0, 0},
    {"minegun", "Mine Gun Bty", 211, Fixed, 3, 6, 2, 1, {{{"mineshell", 12, 0}, kNone, kNone, kNone}}, 2, 3, false, 0, 20},
    // Aircraft
    {"fbomber", "Fighter-Bmr", 53, Air, 0, 1, 0, 0, {{{"aircannon", 10, 6}, {"bomb", 2, 0}, kNone, kNone}}, 0, 2, false, 0, 0},
    {"bomber", "Level Bomber", 62, Air, 0, 6, 0, 0, {{{"bomb", 8, 0}, {"bomb1000", 4, 0}, kNone, kNone}}, 0, 1, false, 0, 0},
    {"attackheli", "Attack Heli", 44, Air, 0, 2, 0, 0, {{{"atgm", 0, 8}, {"rockets", 12, 6}, kNone, kNone}}, 2, 3, false, 0, 0},
    {"transheli", "Trans Heli", 50, Air, 0, 3, 0, 0, {{kNone, kNone, kNone, kNone}}, 2, 3, false, 12, 0},
    {"glider", "Glider", 47, Air, 0, 2, 0, 0, {{kNone, kNone, kNone, kNone}}, 0, 0, false, 10, 0},
    {"spotter", "Spotter Pln", 60, Air, 0, 2, 0, 0, {{kNone, kNone, kNone, kNone}}, 0, 3, false, 0, 0},
    {"lttrans", "Lt Transport", 61, Air, 0, 3, 0, 0, {{kNone, kNone, kNone, kNone}}, 1, 2, false, 12, 0},
    {"recheli", "Recon Heli", 203, Air, 0, 2, 0, 0, {{{"mmg", 40, 0}, kNone, kNone, kNone}}, 2, 3, false, 0, 0},
    {"utilheli", "Utility Heli", 204, Air, 0, 3, 0, 0, {{{"mmg", 40, 0}, kNone, kNone, kNone}}, 2, 3, false, 6, 0},
    {"gajet", "Strike Jet", 205, Air, 0, 1, 0, 0, {{{"aircannon", 10, 6}, {"asm", 0, 2}, {"cbu", 2, 0}, kNone}}, 2, 3, false, 0, 0},
    {"weasel", "Wild Weasel", 214, Air, 0, 2, 0, 0, {{{"arm", 2, 0}, {"aircannon", 10, 6}, kNone, kNone}}, 2, 3, false, 0, 0},
    {"gunship", "Gunship", 215, Air, 0, 10, 0, 0, {{{"gunshipgun", 30, 10}, {"aircannon", 20, 10}, kNone, kNone}}, 2, 3, false, 0, 0},
    {"hvyheli", "Hvy Atk Heli", 221, Air, 0, 2, 0, 0, {{{"atgm", 0, 16}, {"rockets", 19, 8}, {"aircannon", 20, 10}, kNone}}, 3, 3, false, 0, 0},
    {"scoutheli", "Scout Heli", 222, Air, 0, 2, 0, 0, {{{"mmg", 40, 0}, kNone, kNone, kNone}}, 3, 3, false, 0, 0},
    {"csplane", "CAS Plane", 223, Air, 0, 1, 0, 0, {{{"aircannon", 20, 20}, {"bomb", 4, 0}, kNone, kNone}}, 2, 3, false, 0, 0},
    {"jetfb", "Jet FB", 253, Air, 0, 1, 0, 0, {{{"aircannon", 10, 6}, {"napalm", 2, 0}, {"asm", 0, 2}, kNone}}, 1, 3, false, 0, 0},
    // Boats
    {"patrol", "Patrol Boat", 219, Boat, 4, 8, 20, 5, {{{"navalgun", 30, 10}, {"hmg", 60, 20}, kNone, kNone}}, 1, 3, false, 0, 0},
    {"smallcraft", "Small Craft", 156, Boat, 0, 3, 22, 5, {{{"hmg", 40, 10}, kNone, kNone, kNone}}, 1, 3, false, 6, 0},
    {"barge", "River Barge", 155, Boat, 0, 2, 8, 5, {{kNone, kNone, kNone, kNone}}, 1, 3, false, 20, 0},
};

// ---------------------------------------------------------------------------
// Formations. A platoon kind lists unit kinds ("a|b": the first that exists in
// the era); a company kind lists platoon kinds after its HQ unit.

struct PlatoonKind {
    const char* name;  // at most 12 characters
    int type, page;
    std::vector<const char*> units;
};

const PlatoonKind kPlatoonKinds[] = {
    {"Rifle Plt", 1, 3, {"rifle", "rifle", "rifle", "mg"}},
    {"Weapons Plt", 1, 3, {"mg", "mg", "mortar", "mortar", "hmgteam"}},
    {"Mortar Sect", 0, 2, {"mortar", "mortar", "mortar"}},
    {"Sniper Sect", 0, 3, {"sniper", "sniper"}},
    {"Engineer Plt", 1, 3, {"eng", "eng", "eng", "truck"}},
    {"Recon Plt", 1, 4, {"recon", "recon", "jeep", "jeep"}},
    {"ATGM Sect", 0, 3, {"atgm", "atgm", "atgm"}},
    {"SAM Sect", 0, 2, {"sam", "sam"}},
    {"FO Team", 0, 2, {"fo"}},
    {"HMG Sect", 0, 3, {"hmgteam", "hmgteam"}},
    {"Bunker Line", 0, 4, {"bunker", "bunker"}},
    {"Mot Rif Plt", 1, 3, {"rifle", "rifle", "rifle", "truck", "truck", "truck"}},
    {"Mech Plt", 1, 3, {"rifle", "rifle", "rifle", "halftrack|apc", "halftrack|apc", "halftrack|apc"}},
    {"IFV Plt", 1, 3, {"rifle", "rifle", "rifle", "ifv", "ifv", "ifv"}},
    {"Lt Tank Plt", 1, 1, {"lighttank", "lighttank", "lighttank"}},
    {"Tank Plt", 1, 1, {"mbt|medtank", "mbt|medtank", "mbt|medtank", "mbt|medtank"}},
    {"Hvy Tank Plt", 1, 1, {"heavytank", "heavytank", "heavytank"}},
    {"Flame Sect", 0, 1, {"flametank", "flametank"}},
    {"Armd Car Plt", 1, 4, {"armcar", "armcar", "armcar"}},
    {"TD Plt", 1, 1, {"td", "td", "td", "td"}},
    {"AT Gun Sect", 0, 2, {"atgun", "atgun", "truck"}},
    {"Fld Gun Bty", 1, 2, {"fieldgun", "fieldgun", "fieldgun", "fieldgun", "truck", "truck"}},
    {"How Bty", 1, 2, {"howitzer", "howitzer", "howitzer", "howitzer", "truck", "truck"}},
    {"SP How Bty", 1, 2, {"spg", "spg", "spg", "spg"}},
    {"AA Sect", 0, 2, {"aagun", "aagun", "truck"}},
    {"SPAA Sect", 0, 2, {"spaa", "spaa"}},
    {"Rocket Bty", 1, 2, {"mrl", "mrl", "mrl"}},
    {"Hvy Mor Bty", 1, 2, {"hvymortar", "hvymortar", "hvymortar", "hvymortar"}},
    {"Mine Rkt Bty", 1, 2, {"minerkt", "minerkt"}},
    {"Mine Gun Bty", 1, 2, {"minegun", "minegun"}},
    {"Fighter Flt", 1, 4, {"fbomber", "fbomber"}},
    {"Bomber Flt", 1, 4, {"bomber", "bomber", "bomber"}},
    {"Atk Heli Flt", 1, 4, {"attackheli", "attackheli"}},
    {"Air Aslt Plt", 1, 5, {"transheli", "transheli", "para|rifle", "para|rifle", "para|rifle"}},
    {"Glider Plt", 1, 5, {"glider", "glider", "para|rifle", "para|rifle", "para|rifle"}},
    {"Spotter Flt", 0, 4, {"spotter"}},
    {"Airlift Flt", 1, 4, {"lttrans", "lttrans"}},
    {"Rec Heli Flt", 1, 4, {"recheli", "recheli"}},
    {"Utility Flt", 1, 4, {"utilheli", "utilheli"}},
    {"Strike Flt", 1, 4, {"gajet", "gajet"}},
    {"Weasel Flt", 1, 4, {"weasel", "weasel"}},
    {"Gunship Flt", 0, 4, {"gunship"}},
    {"Hvy Heli Flt", 1, 4, {"hvyheli", "hvyheli"}},
    {"Scout Flt", 1, 4, {"scoutheli", "scoutheli"}},
    {"CAS Flt", 1, 4, {"csplane", "csplane"}},
    {"Jet FB Flt", 1, 4, {"jetfb", "jetfb"}},
    {"Patrol Flot", 4, 4, {"patrol", "patrol", "smallcraft", "smallcraft"}},
};

// Picked infantry and armour platoons also come as guards and as reservists.
const char* const kGuardedPlatoons[] = {"Rifle Plt", "Mech Plt", "Tank Plt", "IFV Plt"};

struct CompanyKind {
    const char* name;
    int type, page;
    std::vector<const char*> platoons;  // "a|b": the first that exists in the era
};

const CompanyKind kCompanyKinds[] = {
    {"Rifle Coy", 2, 3, {"Rifle Plt", "Rifle Plt", "Rifle Plt", "Weapons Plt"}},
    {"Mot Coy", 2, 3, {"Mot Rif Plt", "Mot Rif Plt", "Mot Rif Plt", "Mortar Sect"}},
    {"Mech Coy", 2, 3, {"IFV Plt|Mech Plt", "IFV Plt|Mech Plt", "IFV Plt|Mech Plt", "ATGM Sect|HMG Sect"}},
    {"Tank Coy", 2, 1, {"Tank Plt", "Tank Plt", "Tank Plt"}},
    {"Recon Coy", 2, 4, {"Recon Plt", "Recon Plt", "Armd Car Plt"}},
    {"Art Grp", 3, 2, {"SP How Bty|How Bty", "How Bty", "FO Team"}},
    {"Combat Grp", 3, 1, {"Tank Plt", "Tank Plt", "IFV Plt|Mech Plt", "IFV Plt|Mech Plt"}},
    {"AD Grp", 3, 2, {"SPAA Sect|AA Sect", "SAM Sect|AA Sect"}},
};

// Eras: the year indexes each generation of equipment is in service.
constexpr int kEras = 4;
constexpr int kEraStart[kEras] = {40, 52, 68, 88};
constexpr int kEraEnd[kEras] = {58, 74, 94, 120};

std::string EraLabel(int era) { return std::to_string(kEraStart[era] % 100); }

struct Date {
    int year, month;
    bool operator<(const Date& o) const { return year != o.year ? year < o.year : month < o.month; }
};

class Builder {
public:
    Builder(int nation, const std::string& code)
        : n_(nation), code_(code), rnd_(0xB4AC1E00ULL + static_cast<std::uint64_t>(nation) * 7919ULL)
    {
        oob_.CurrentOOB = static_cast<std::uint16_t>(nation);
    }

    DemoOob Build(const std::string& nationName);

private:
    int WeaponFor(const std::string& key, int era);
    int AddUnit(const UnitKind& k, int era);
    int AddFormation(const std::string& name, int type, int page, const std::vector<int>& slots,
                     int expMod = 0, int moraleMod = 0);
    std::optional<int> UnitOf(const std::string& alternatives, int era) const;
    std::optional<int> PlatoonOf(const std::string& alternatives, int era) const;
    Date StartOf(int code) const;
    Date EndOf(int code) const;
    void Check(const std::string& name) const;
    bool Lacks(const std::string& unitKind) const;

    int n_;
    std::string code_;
    DemoRandom rnd_;
    Oob oob_;
    DemoFaults faults_;
    int nextUnit_ = 1;
    int nextWeapon_ = 1;
    int nextFormation_ = 1;
    std::map<std::pair<std::string, int>, int> weapons_;
    std::map<std::pair<std::string, int>, int> units_;
    std::map<std::pair<std::string, int>, int> platoons_;
    std::vector<DemoUnit> unitKinds_;
};

void Builder::Check(const std::string& name) const
{
    if (name.empty() || name.size() > kNameLength || name.front() == ' ' || name.back() == ' ')
        throw std::logic_error("demo name does not fit a record: \"" + name + "\"");
}

// Each nation fields its own mix: some never built some kinds of equipment.
bool Builder::Lacks(const std::string& unitKind) const
{
    static const std::map<int, std::vector<std::string>> kLacking = {
        {2, {"glider", "weasel", "lighttank", "flametank", "gunship"}},
        {5, {"bomber", "heavytank", "hvyheli", "minerkt", "csplane", "para"}},
    };
    const auto found = kLacking.find(n_);
    return found != kLacking.end() &&
           std::find(found->second.begin(), found->second.end(), unitKind) != found->second.end();
}

int Builder::WeaponFor(const std::string& key, int era)
{
    if (key == "bomb1000")
        return kHeavyBombSlot;
    const auto found = weapons_.find({key, era});
    if (found != weapons_.end())
        return found->second;
    if (nextWeapon_ == kHeavyBombSlot)
        ++nextWeapon_;
    const int slot = nextWeapon_++;
    if (slot > kWeaponSlots)
        throw std::logic_error("demo weapons do not fit");
    const WeaponKind& k = KindOf(key);
    WeaponRecord& w = oob_.WeaponTable[static_cast<std::size_t>(slot)];
    w.Name = std::string(k.names[static_cast<std::size_t>(era)]) + " " + code_ + std::to_string(era + 1);
    Check(w.Name);
    const int jitter = rnd_.Between(-2, 2);
    w.Class = Byte(k.cls);
    w.Size = Byte(k.size);
    w.WarheadSize = Byte(k.warhead + era);
    w.HEPen = Byte(k.hePen + era);
    w.HEKill = Byte(k.heKill == 0 ? 0 : k.heKill + 4 * era + jitter);
    w.APPen = Byte(k.apPen == 0 ? 0 : k.apPen + k.apGain * era + jitter);
    w.APKill = Byte(k.apKill == 0 ? 0 : k.apKill + 4 * era);
    w.Accuracy = Byte(k.accuracy + (era + 1) / 2);
    w.Range = Byte(k.range <= 3 ? k.range : k.range + 4 * era);
    if (k.sabotFrom >= 0 && era >= k.sabotFrom) {
        w.SabotPen = Byte(w.APPen + 30 + 10 * era);
        w.SabotRange = Byte(w.Range + 5);
    }
    if (k.heatPen > 0)
        w.HEATPen = Byte(k.heatPen + k.heatGain * era + jitter);
    weapons_[{key, era}] = slot;
    return slot;
}

int Builder::AddUnit(const UnitKind& k, int era)
{
    const int slot = nextUnit_++;
    if (slot > kUnitSlots)
        throw std::logic_error("demo units do not fit");
    UnitRecord& u = oob_.UnitTable[static_cast<std::size_t>(slot)];
    u.Name = std::string(k.name) + " " + EraLabel(era);
    Check(u.Name);
    u.Class = Byte(k.cls);
    u.Nation = Byte(n_);
    u.Size = Byte(k.size);
    u.Crew = Byte(k.crew);
    u.Speed = Byte(k.body == Fixed && k.cls == 134 ? 0 : k.speed + (k.body == Foot ? 0 : 2 * era));
    u.MC = Byte(k.mc);
    u.Carry = Byte(k.carry);
    u.Weight = Byte(k.weight);
    const DemoUnitIcons icons = DemoIconsOf(k.key, era);
    u.Icon = static_cast<std::uint16_t>(icons.Summer);
    u.WinterIcon = static_cast<std::uint16_t>(icons.Winter);
    u.DesertIcon = static_cast<std::uint16_t>(icons.Desert);
    // The unit page holds the seasonal icons of a unit it draws without an icon,
    // or as soldiers, at the summer icon; so do these units, or a commit would change them.
    if (IconShapeOfClass(k.cls) == IconShape::None || CrewIconImage(k.cls, k.crew, n_))
        u.WinterIcon = u.DesertIcon = u.Icon;
    u.PictureID = static_cast<std::uint16_t>(DemoPictureOf(k.key));
    u.SoundByte = Byte(k.body == Foot || k.body == Fixed ? 1 : (k.body == Air ? 5 : 2));

    if (k.wholeEra) {
        u.YrAvail = Byte(kEraStart[era]);
        u.MonthAvail = 1;
        u.YrUnavail = Byte(kEraEnd[era]);
        u.MonthUnAvail = 12;
    } else {
        u.YrAvail = Byte(kEraStart[era] + rnd_.Between(0, 2));
        u.MonthAvail = Byte(rnd_.Between(1, 12));
        u.YrUnavail = Byte(std::max(u.YrAvail + 4, kEraEnd[era] - rnd_.Between(0, 2)));
        u.MonthUnAvail = Byte(rnd_.Between(1, 12));
        if (u.YrUnavail >= 120) {
            u.YrUnavail = 120;
            u.MonthUnAvail = 12;
        }
    }

    std::array<std::uint8_t*, 4> wpn = {&u.Wpn1, &u.Wpn2, &u.Wpn3, &u.Wpn4};
    std::array<std::uint8_t*, 4> he = {&u.Wpn1HEAmmo, &u.Wpn2HEAmmo, &u.Wpn3HEAmmo, &u.Wpn4HEAmmo};
    std::array<std::uint8_t*, 4> ap = {&u.Wpn1APAmmo, &u.Wpn2APAmmo, &u.Wpn3APAmmo, &u.Wpn4APAmmo};
    std::array<std::uint8_t*, 4> sound = {&u.WPNSound1, &u.WPNSound2, &u.WPNSound3, &u.WPNSound4};
    int armed = 0;
    for (std::size_t j = 0; j < 4; ++j) {
        const Carried& c = k.weapons[j];
        if (!c.weapon)
            continue;
        // An ATGM arrives with the third era of equipment.
        if (std::string(c.weapon) == "atgm" && j > 0 && era < 3)
            continue;
        const int w = WeaponFor(c.weapon, era);
        const WeaponRecord& wr = oob_.WeaponTable[static_cast<std::size_t>(w)];
        *wpn[j] = Byte(w);
        *he[j] = wr.HEKill > 0 ? Byte(c.he) : 0;
        *ap[j] = wr.APPen > 0 && wr.APPen != 222 ? Byte(c.ap) : 0;
        *sound[j] = wr.Class;
        ++armed;
        if (j == 0) {
            if (wr.SabotPen > 0)
                u.SabotAmmo = Byte(6 + 2 * era);
            if (wr.HEATPen > 0 && wr.Class != 13)
                u.HEATAmmo = 4;
        }
    }
    u.ROF = Byte(armed == 0 ? 0 : 2 + era / 2);

    const int armour[] = {0, 0, 3, 8, 14, 0, 1, 20};  // by Body
    const int a = armour[k.body] == 0 ? 0 : armour[k.body] + 3 * era;
    if (a > 0) {
        u.SteelHF = Byte(a);
        u.SteelHS = Byte(a * 2 / 3);
        u.SteelHR = Byte(a / 2);
        u.SteelTF = Byte(k.body == Fixed ? 0 : a + 2);
        u.SteelTS = Byte(k.body == Fixed ? 0 : a * 2 / 3);
        u.SteelTR = Byte(k.body == Fixed ? 0 : a / 2);
        u.SteelTop = Byte(std::max(1, a / 6));
        const int heat = era >= 2 ? a + 4 * (era - 1) : a;
        u.HEATHF = Byte(heat);
        u.HEATHS = Byte(heat * 2 / 3);
        u.HEATHR = Byte(heat / 2);
        u.HEATTF = Byte(k.body == Fixed ? 0 : heat + 2);
        u.HEATTS = Byte(k.body == Fixed ? 0 : heat * 2 / 3);
        u.HEATTR = Byte(k.body == Fixed ? 0 : heat / 2);
        u.HEATTop = Byte(std::max(1, heat / 6));
        if (era == 3 && k.body == Heavy) {
            u.ERAHF = 8;
            u.ERAHS = 5;
            u.ERATF = 8;
            u.ERATS = 5;
        }
    }

    const bool armoured = k.body == Light || k.body == Medium || k.body == Heavy;
    u.Vision = Byte(k.cls == 134 ? 0 : (armoured && era >= 2 ? 40 + era : 20 + era));
    u.FC = Byte(armoured ? 2 * era : 0);
    u.RF = Byte(armoured && era >= 2 ? 20 : 0);
    u.Stabiliser = Byte(armoured && era >= 1 ? era : 0);
    const std::string key = k.key;
    u.Swim = Byte(k.body == Boat || key == "ifv" || key == "apc" ? 1 : 0);
    u.Radio = Byte(k.body == Foot ? 1 : 2);
    // Smoke dischargers go on soft vehicles, halftracks and command vehicles only.
    u.SD = Byte((k.body == Soft || key == "halftrack" || key == "cmdveh") && era >= 1 ? 2 : 0);
    const bool noSurvive = k.body == Air || k.body == Boat || armoured;
    u.Survive = Byte(noSurvive ? 0 : rnd_.Between(2, 5));
    u.Cost = static_cast<std::uint16_t>(std::clamp(
        10 + 4 * a + 2 * k.crew + 10 * armed + 5 * era + (k.body == Air ? 120 : 0) + rnd_.Between(0, 9), 1, 9999));
    // The zeros the editor forces on a commit by class (Survive of the icon-kind
    // classes among them), so committing a demo unit unedited changes nothing.
    ApplyUnitClassRules(u);
    units_[{k.key, era}] = slot;
    unitKinds_.push_back({slot, k.key, k.body == Foot});
    return slot;
}

int Builder::AddFormation(const std::string& name, int type, int page, const std::vector<int>& slots,
                          int expMod, int moraleMod)
{
    const int f = nextFormation_++;
    if (f > kFormationSlots)
        throw std::logic_error("demo formations do not fit");
    FormationRecord& r = oob_.FormationTable[static_cast<std::size_t>(f)];
    r.Name = name;
    Check(r.Name);
    r.Nation = Byte(n_);
    r.Page = Byte(page);
    r.FormType = Byte(type);
    r.ExpMod = static_cast<std::int8_t>(expMod);
    r.MoraleMod = static_cast<std::int8_t>(moraleMod);
    Date start{0, 1};
    Date end{200, 12};
    for (std::size_t i = 0; i < slots.size() && i < 10; ++i) {
        r.Slot[i] = static_cast<std::uint16_t>(slots[i]);
        start = std::max(start, StartOf(slots[i]));
        end = std::min(end, EndOf(slots[i]));
    }
    r.YrAvail = Byte(start.year);
    r.MonthAvail = Byte(start.month);
    r.YrUntil = Byte(end.year);
    r.MonthUntil = Byte(end.month);
    return f;
}

Date Builder::StartOf(int code) const
{
    if (code >= 1000) {
        const auto& f = oob_.FormationTable[static_cast<std::size_t>(code - 1000)];
        return {f.YrAvail, f.MonthAvail};
    }
    const auto& u = oob_.UnitTable[static_cast<std::size_t>(code)];
    return {u.YrAvail, u.MonthAvail};
}

Date Builder::EndOf(int code) const
{
    if (code >= 1000) {
        const auto& f = oob_.FormationTable[static_cast<std::size_t>(code - 1000)];
        return {f.YrUntil, f.MonthUntil};
    }
    const auto& u = oob_.UnitTable[static_cast<std::size_t>(code)];
    return {u.YrUnavail, u.MonthUnAvail};
}

// The first of "a|b|c" found in table for the era.
std::optional<int> FirstOf(const std::map<std::pair<std::string, int>, int>& table,
                           const std::string& alternatives, int era)
{
    std::size_t from = 0;
    while (from <= alternatives.size()) {
        const auto bar = alternatives.find('|', from);
        const std::string key = alternatives.substr(from, bar == std::string::npos ? std::string::npos : bar - from);
        const auto found = table.find({key, era});
        if (found != table.end())
            return found->second;
        if (bar == std::string::npos)
            break;
        from = bar + 1;
    }
    return std::nullopt;
}

std::optional<int> Builder::UnitOf(const std::string& alternatives, int era) const
{
    return FirstOf(units_, alternatives, era);
}

std::optional<int> Builder::PlatoonOf(const std::string& alternatives, int era) const
{
    return FirstOf(platoons_, alternatives, era);
}

DemoOob Builder::Build(const std::string& nationName)
{
    // Units, era by era, so each generation sits together in the list.
    for (int era = 0; era < kEras; ++era) {
        for (const auto& k : kUnitKinds)
            if (era >= k.firstEra && era <= k.lastEra && !Lacks(k.key))
                AddUnit(k, era);
        if (era == 1) {
            // An erased slot, left where a unit once was.
            faults_.ErasedUnit = nextUnit_++;
            UnitRecord& erased = oob_.UnitTable[static_cast<std::size_t>(faults_.ErasedUnit)];
            erased.Class = 216;
            erased.Nation = Byte(n_);
        }
    }

    // The X3 radio code goes on the battalion HQ units: a formation built on one
    // must not outlive it.
    for (int era = 0; era < kEras; ++era)
        oob_.UnitTable[static_cast<std::size_t>(*UnitOf("bnhq", era))].Radio = Byte(3 + 10 * era);

    // A machine gun team issued armour-piercing rounds its gun cannot use.
    faults_.BadAPUnit = *UnitOf("mg", 0);
    oob_.UnitTable[static_cast<std::size_t>(faults_.BadAPUnit)].Wpn1APAmmo = 20;

    // The recovery vehicle has no formation of its own.
    faults_.OrphanUnit = *UnitOf("recovery", 2);

    // Foreign units: equipment captured from, or lent by, a neighbour.
    const int other = n_ == 1 ? 2 : 1;
    const char* foreign[] = {"Captured MBT", "Loaned Truck", "Captured APC"};
    const char* foreignKind[] = {"mbt", "truck", "apc"};
    const int foreignClass[] = {127, 23, 237};
    for (int i = 0; i < 3; ++i) {
        const int slot = nextUnit_++;
        UnitRecord u = oob_.UnitTable[static_cast<std::size_t>(*UnitOf(foreignKind[i], 2))];
        u.Name = foreign[i];
        u.Class = Byte(foreignClass[i]);
        u.Nation = Byte(other);
        u.Radio = 2;
        ApplyUnitClassRules(u);
        oob_.UnitTable[static_cast<std::size_t>(slot)] = u;
        faults_.ForeignUnits.push_back(slot);
        unitKinds_.push_back({slot, foreignKind[i], false});
    }

    // Formation 1 upwards: the battalion headquarters of each era. Only formation 1
    // may be of the Bn HQ type; the later eras' headquarters are company types.
    for (int era = 0; era < kEras; ++era) {
        std::vector<int> slots = {*UnitOf("bnhq", era)};
        for (const char* k : {"cmdveh", "jeep", "fo", "truck"})
            if (const auto u = UnitOf(k, era))
                slots.push_back(*u);
        AddFormation("Bn HQ " + EraLabel(era), era == 0 ? 5 : 2, 10, slots);
    }

    for (int era = 0; era < kEras; ++era) {
        for (const auto& p : kPlatoonKinds) {
            std::vector<int> slots;
            bool complete = true;
            for (const char* key : p.units) {
                const auto u = UnitOf(key, era);
                if (!u) {
                    complete = false;
                    break;
                }
                slots.push_back(*u);
            }
            if (!complete)
                continue;
            const std::string base = p.name;
            platoons_[{base, era}] = AddFormation(base + " " + EraLabel(era), p.type, p.page, slots);
            for (const char* g : kGuardedPlatoons) {
                if (base != g)
                    continue;
                // Guards and reservists: the same men, trained and keen, or not.
                std::string shortName = base.substr(0, base.size() - 4);  // without " Plt"
                AddFormation("Gd " + shortName + " " + EraLabel(era), p.type, p.page, slots, 10, 10);
                AddFormation("Res " + shortName + " " + EraLabel(era), p.type, p.page, slots, -10, -5);
            }
        }
        for (const auto& c : kCompanyKinds) {
            std::vector<int> slots = {*UnitOf("hq", era)};
            bool complete = true;
            for (const char* key : c.platoons) {
                const auto p = PlatoonOf(key, era);
                if (!p) {
                    complete = false;
                    break;
                }
                slots.push_back(1000 + *p);
            }
            if (complete)
                AddFormation(std::string(c.name) + " " + EraLabel(era), c.type, c.page, slots);
        }
    }

    // A forward HQ kept on the books four years after its X3 HQ unit was retired.
    faults_.LateUnit = *UnitOf("bnhq", 0);
    faults_.LateFormation = AddFormation("Fwd HQ 40", 5, 10, {faults_.LateUnit, *UnitOf("jeep", 0)});
    oob_.FormationTable[static_cast<std::size_t>(faults_.LateFormation)].YrUntil =
        Byte(oob_.UnitTable[static_cast<std::size_t>(faults_.LateUnit)].YrUnavail + 4);

    // A support platoon whose third slot still names the erased unit.
    faults_.BrokenLinkFormation =
        AddFormation("Support Plt 52", 1, 3, {*UnitOf("mg", 1), *UnitOf("mg", 1), *UnitOf("mortar", 1)});
    faults_.BrokenLinkSlot = 3;
    oob_.FormationTable[static_cast<std::size_t>(faults_.BrokenLinkFormation)].Slot[2] =
        static_cast<std::uint16_t>(faults_.ErasedUnit);

    // A section with a whole platoon tucked inside it.
    faults_.PlatoonInPlatoon =
        AddFormation("Mixed Sect 68", 0, 3, {*UnitOf("rifle", 2), 1000 + *PlatoonOf("Sniper Sect", 2)});

    // A prototype gun that never got past its trials.
    if (nextWeapon_ == kHeavyBombSlot)
        ++nextWeapon_;
    faults_.UnusedWeapon = nextWeapon_++;
    WeaponRecord& trials = oob_.WeaponTable[static_cast<std::size_t>(faults_.UnusedWeapon)];
    trials.Name = "Trials Gun " + code_;
    trials.Class = 6;
    trials.Size = 4;
    trials.WarheadSize = 5;
    trials.HEPen = 3;
    trials.HEKill = 25;
    trials.APPen = 55;
    trials.APKill = 40;
    trials.Accuracy = 6;
    trials.Range = 30;
    oob_.WeaponTable[kHeavyBombSlot] = HeavyBomb();

    oob_.OOBInfo = "Brackle demo OOB - " + nationName + " - invented data, free to use";
    if (oob_.OOBInfo.size() > kInfoLength)
        throw std::logic_error("demo info text too long");
    oob_.Names.NationNames = DemoNationNames();
    oob_.Names.UnitClassNames.assign(1024, std::string());
    const auto& classes = DemoUnitClassNames();
    std::copy(classes.begin(), classes.end(), oob_.Names.UnitClassNames.begin());

    std::fill(oob_.OOBBuffer.begin(), oob_.OOBBuffer.end(), std::uint8_t{0});
    WriteTablesToBuffer(oob_);
    oob_.LoadedSize = kBufferSize;
    oob_.FileLoaded = true;
    return DemoOob{std::move(oob_), std::move(faults_), std::move(unitKinds_)};
}

std::string NationCode(int n)
{
    switch (n) {
    case 1: return "K";
    case 2: return "V";
    case 5: return "T";
    default: return "X";
    }
}

}  // namespace

const std::vector<int>& DemoOobNumbers()
{
    static const std::vector<int> kNumbers = {1, 2, 5};
    return kNumbers;
}

const std::vector<std::string>& DemoNationNames()
{
    static const std::vector<std::string> kNames = [] {
        std::vector<std::string> names(kNations + 1);
        for (int n = 1; n <= kNations; ++n)
            names[static_cast<std::size_t>(n)] = "Unused nation " + std::to_string(n);
        for (const auto& nn : kNamedNations)
            names[static_cast<std::size_t>(nn.number)] = nn.name;
        return names;
    }();
    return kNames;
}

const std::vector<std::string>& DemoUnitClassNames()
{
    static const std::vector<std::string> kNames(std::begin(kClassNames), std::end(kClassNames));
    return kNames;
}

std::string DemoIniText()
{
    std::string t;
    auto line = [&t](const std::string& s) { t += s + "\r\n"; };
    line("; Brackle settings and names for the demo game. All names are invented.");
    line("[Brackle]");
    line("TransparentColour=240");
    line("Hints=1");
    line("HintDelay=1");
    line("ForumURL=https://forum.brackle.example/vornex");
    line("");
    line("[NationNames]");
    const auto& nations = DemoNationNames();
    for (int n = 1; n <= kNations; ++n)
        line("obat" + std::to_string(n) + "=" + nations[static_cast<std::size_t>(n)]);
    line("");
    line("[UnitClassNames]");
    const auto& classes = DemoUnitClassNames();
    for (int c = 0; c < kUnitClasses; ++c)
        line("UnitClass" + std::to_string(c) + "=" + classes[static_cast<std::size_t>(c)]);
    return t;
}

DemoOob BuildDemoOob(int n)
{
    Builder b(n, NationCode(n));
    return b.Build(DemoNationNames()[static_cast<std::size_t>(n)]);
}

bool WriteDemoGame(const fs::path& dir, std::string* error)
{
    auto fail = [error](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    const fs::path root = dir / "Vornex";
    const fs::path editor = root / "Brackle";
    const fs::path data = root / "game data";
    for (const fs::path& d : {editor, data / "oobs", data / "graphics", data / "pictures"}) {
        std::error_code ec;
        fs::create_directories(d, ec);
        if (ec || !fs::is_directory(d))
            return fail(d.string() + ": " + (ec ? ec.message() : "not a folder"));
    }

    const std::string ini = DemoIniText();
    SaveResult r = WriteFileAtomically(editor / "BRVX.ini", ini.data(), ini.size());
    if (!r.ok)
        return fail(r.path.string() + ": " + r.reason);

    for (const int n : DemoOobNumbers()) {
        DemoOob demo;
        try {
            demo = BuildDemoOob(n);
        } catch (const std::exception& e) {
            return fail(std::string("cannot build demo OOB: ") + e.what());
        }
        r = WriteFileAtomically(data / "oobs" / OOBFileName(n), demo.Tables.OOBBuffer.data(),
                                demo.Tables.LoadedSize);
        if (!r.ok)
            return fail(r.path.string() + ": " + r.reason);
    }

    try {
        for (const DemoShapeFile& f : DemoShapeFiles()) {
            const std::vector<std::uint8_t> bytes = EncodeShapeFile(f.Images);
            r = WriteFileAtomically(data / "graphics" / ShapeFileName(f.Number), bytes.data(), bytes.size());
            if (!r.ok)
                return fail(r.path.string() + ": " + r.reason);
        }
        for (const DemoPicture& p : DemoPictures()) {
            const std::vector<std::uint8_t> bytes = EncodeIff(p.Image, p.Palette, p.Options);
            r = WriteFileAtomically(data / "pictures" / DemoPictureFileName(p.Number), bytes.data(), bytes.size());
            if (!r.ok)
                return fail(r.path.string() + ": " + r.reason);
        }
    } catch (const std::exception& e) {
        return fail(std::string("cannot draw the demo graphics: ") + e.what());
    }
    return true;
}

}  // namespace brackle

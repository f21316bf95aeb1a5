#include "oob/names.h"

#include <array>

namespace brackle {

std::string WeaponClassName(int n)
{
    static const std::array<const char*, 27> kNames = {
        "Unknown Class",
        "Primary Inf Weapon (Rifles, SMGs etc)",
        "Secondary Inf Weapon (LMGs, LAWs etc)",
        "Team Weapon (MMGs, Mortars, etc)",
        "FLAK, AA capable MG/Autocannon",
        "Light Gun, autocannon, CMG, BMG",
        "Medium guns < c. 101mm",
        "Guns,Howitzers > c. 101mm",
        "Infantry Flame",
        "Vehicle flame",
        "Naval Artillery",
        "off-map Aircraft Weapon - Mg, Cannon, Bombs, Rockets",
        "Surface to Air Missile",
        "Anti Tank Guided Missile",
        "Aircraft Cluster Bomb, MLRS",
        "Cluster minelets, FASCAM etc",
        "Anti Radiation Missile",
        "Air to Surface Missile, LGB",
        "Napalm",
        "Auto Cannon",
        "Top Attack ATGM",
        "Multi-Charge ATGM",
        "Multi-Charge HEAT",
        "Top Attack HEAT",
        "Top Attack HEAT-Inertial Guidance ",
        "Explosives ",
        "HESH Gun ",
    };
    if (n < 1 || n > 26)
        return "Unknown Class";
    return kNames[static_cast<std::size_t>(n)];
}

std::string MoveClassName(int n)
{
    switch (n) {
    case 0: return "Default";
    case 1: return "Leg";
    case 2: return "Wheel";
    case 3: return "A/T Wheel";
    case 4: return "Track";
    case 5: return "Boat";
    case 7: return "Ship";
    case 8: return "Snowmobile";
    default: return "UNUSED";
    }
}

std::string PageName(int n)
{
    switch (n) {
    case 0: return "Default";
    case 1: return "Armour";
    case 2: return "Artillery";
    case 3: return "Infantry";
    case 4: return "Misc.";
    case 5: return "Air Transport + Troops";
    case 10: return "Battalion HQ.";
    default: return "Unknown";
    }
}

std::string FormTypeName(int n)
{
    switch (n) {
    case 0: return "Section";
    case 1: return "Platoon";
    case 2: return "Company";
    case 3: return "Combat Group";
    case 4: return "Naval";
    case 5: return "Bn HQ";
    default: return "Unknown";
    }
}

std::string NationName(const NameTables& names, int n)
{
    if (n <= 0 || n > kNations)
        return "Unknown";
    return names.NationNames[static_cast<std::size_t>(n)];
}

std::string UnitClassName(const NameTables& names, int n)
{
    // A class is a byte; keep the lookup inside 0..255 whatever the caller passes.
    return names.UnitClassNames[static_cast<std::size_t>(n & 0xFF)];
}

}  // namespace brackle

// The in-memory model of one OOB file: the unit, weapon and formation tables,
// the info text, and the name tables read from BRVX.ini.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "oob/history.h"

namespace brackle {

constexpr int kUnitSlots = 999;
constexpr int kWeaponSlots = 249;
constexpr int kFormationSlots = 999;
constexpr int kNations = 99;
constexpr int kUnitClasses = 256;
constexpr std::size_t kNameLength = 15;
constexpr std::size_t kInfoLength = 80;
constexpr std::size_t kBufferSize = 200000;

struct UnitRecord {
    std::string Name;
    std::uint8_t Class = 0;
    std::uint16_t Icon = 0;
    std::uint16_t PictureID = 0;
    std::uint8_t Size = 0;
    std::uint8_t Crew = 0;
    std::uint8_t Wpn1 = 0, Wpn2 = 0, Wpn3 = 0, Wpn4 = 0;
    std::uint8_t Wpn1HEAmmo = 0, Wpn1APAmmo = 0, Wpn2HEAmmo = 0, Wpn2APAmmo = 0;
    std::uint8_t Wpn3HEAmmo = 0, Wpn3APAmmo = 0, Wpn4HEAmmo = 0, Wpn4APAmmo = 0;
    std::uint8_t Speed = 0;
    std::uint8_t SteelHF = 0, SteelHS = 0, SteelHR = 0, SteelTF = 0, SteelTS = 0, SteelTR = 0, SteelTop = 0;
    std::uint8_t HEATHF = 0, HEATHS = 0, HEATHR = 0, HEATTF = 0, HEATTS = 0, HEATTR = 0, HEATTop = 0;
    std::uint8_t ERAHF = 0, ERAHS = 0, ERAHR = 0, ERATF = 0, ERATS = 0, ERATR = 0, ERATop = 0;
    std::uint8_t Radio = 0;
    std::uint8_t YrAvail = 0;
    std::uint8_t YrUnavail = 0;
    std::uint16_t Cost = 0;
    std::uint8_t Nation = 0;
    std::uint8_t FC = 0;
    std::uint8_t SabotAmmo = 0;
    std::uint8_t HEATAmmo = 0;
    std::uint8_t Stabiliser = 0;
    std::uint8_t Survive = 0;
    std::uint8_t Vision = 0;
    std::uint8_t Swim = 0;
    std::uint8_t SD = 0;
    std::uint8_t ROF = 0;
    std::uint8_t Carry = 0;
    std::uint8_t Weight = 0;
    std::uint8_t EW = 0;
    std::uint8_t RF = 0;
    std::uint8_t MC = 0;
    std::uint8_t MonthAvail = 0;
    std::uint8_t MonthUnAvail = 0;
    std::uint8_t SoundByte = 0;
    std::uint8_t WPNSound1 = 0, WPNSound2 = 0, WPNSound3 = 0, WPNSound4 = 0;
    std::uint8_t SpareA = 0, SpareB = 0;  // no meaning here; carried from load to save
    std::uint16_t WinterIcon = 0;
    std::uint16_t DesertIcon = 0;

    bool operator==(const UnitRecord&) const = default;
};

struct WeaponRecord {
    std::string Name;
    std::uint8_t Class = 0;
    std::uint8_t Size = 0;
    std::uint8_t WarheadSize = 0;
    std::uint8_t HEPen = 0;
    std::uint8_t HEKill = 0;
    std::uint8_t APPen = 0;
    std::uint8_t APKill = 0;
    std::uint8_t Accuracy = 0;
    std::uint8_t Range = 0;
    std::uint8_t SabotRange = 0;
    std::uint8_t SabotPen = 0;
    std::uint8_t HEATPen = 0;

    bool operator==(const WeaponRecord&) const = default;
};

struct FormationRecord {
    std::string Name;
    std::uint8_t Nation = 0;
    std::uint8_t YrAvail = 0;
    std::uint8_t MonthAvail = 0;
    std::uint8_t YrUntil = 0;
    std::uint8_t MonthUntil = 0;
    std::uint8_t Page = 0;
    std::uint8_t FormType = 0;
    // 0 empty, 1..999 a unit slot, 1000 + f formation slot f.
    std::array<std::uint16_t, 10> Slot{};
    std::int8_t ExpMod = 0;
    std::int8_t MoraleMod = 0;

    bool operator==(const FormationRecord&) const = default;
};

// Nation and unit class names from BRVX.ini. Index 0 of NationNames is unused.
struct NameTables {
    std::vector<std::string> NationNames = std::vector<std::string>(kNations + 1);
    // Room for 1024 entries; only 0..255 are ever filled.
    std::vector<std::string> UnitClassNames = std::vector<std::string>(1024);
};

// The one loaded OOB file. Tables are indexed by slot number; index 0 is unused.
struct Oob {
    std::vector<UnitRecord> UnitTable = std::vector<UnitRecord>(kUnitSlots + 1);
    std::vector<WeaponRecord> WeaponTable = std::vector<WeaponRecord>(kWeaponSlots + 1);
    std::vector<FormationRecord> FormationTable = std::vector<FormationRecord>(kFormationSlots + 1);
    std::string OOBInfo;
    std::uint16_t CurrentOOB = 0;
    // The file as last read; bytes the editor does not interpret go back to disk from here.
    std::vector<std::uint8_t> OOBBuffer = std::vector<std::uint8_t>(kBufferSize);
    std::size_t LoadedSize = 0;
    bool FileLoaded = false;
    NameTables Names;

    int CurrentUnit = 1;
    int CurrentWeapon = 1;
    int CurrentFormation = 1;

    // Each state of the tables has its own revision number: every change gives
    // a new one, an undo or a redo goes back to the number its state had. A load
    // or a save remembers the number, so the file has unsaved changes while they
    // differ. LastRevision is the highest number given out so far.
    std::uint64_t Revision = 0;
    std::uint64_t SavedRevision = 0;
    std::uint64_t LastRevision = 0;
    // The steps that can be undone and redone; a load empties it.
    EditHistory History;
};

}  // namespace brackle

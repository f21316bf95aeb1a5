// The weapon record's fields, described once: control, caption, the note the
// page shows beside it. Every number is a byte a commit clamps into 0..255.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "oob/records.h"

namespace brackle {

// One id per field, in the order the page is filled and stored.
enum WeaponFieldId : int {
    WfName, WfClass, WfSize, WfWarheadSize, WfHEPen, WfHEKill, WfAPPen, WfAPKill, WfSabotPen, WfSabotRange,
    WfHEATPen, WfRange, WfAccuracy,
    WeaponFieldCount
};

struct WeaponField {
    WeaponFieldId Id;
    const char* Control;  // the edit's object name
    const char* Caption;  // the label beside the edit
    int MaxChars;
    std::uint8_t WeaponRecord::*Byte = nullptr;  // nullptr for the name
    const char* Note = nullptr;   // a fixed note shown beside the field
    const char* Hint = nullptr;   // the edit's hint, when it has its own
};

const std::array<WeaponField, WeaponFieldCount>& WeaponFields();
inline const WeaponField& WeaponFieldOf(WeaponFieldId id) { return WeaponFields()[id]; }

using WeaponTexts = std::array<std::string, WeaponFieldCount>;

// What the page shows: plain numbers, the name trimmed.
WeaponTexts TextsOfWeapon(const WeaponRecord& weapon);

// Stores the page's texts: the name trimmed and cut to 15, every number
// clamped into 0..255. Every text is checked first; when one cannot be read
// the weapon is left as it was and that field is given back.
std::optional<WeaponFieldId> StoreWeaponTexts(const WeaponTexts& texts, WeaponRecord& weapon);

}  // namespace brackle

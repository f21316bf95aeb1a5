// The unit record's fields, described once: which control shows a field, the
// range a commit clamps it to, how many characters can be typed, and what the
// field is called. Showing, storing and laying out a unit all walk this table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "oob/records.h"
#include "transfer/paste_options.h"

namespace brackle {

// One id per field, in the order a commit stores them.
enum UnitFieldId : int {
    UfName, UfNation, UfClass, UfMC, UfYrAvail, UfYrUnavail, UfCost, UfCrew, UfSize, UfCarry, UfWeight,
    UfPictureID, UfSpeed, UfSwim, UfEW, UfRadio, UfVision, UfIcon, UfWinterIcon, UfDesertIcon, UfFC, UfROF,
    UfSD, UfRF, UfStabiliser, UfSabotAmmo, UfHEATAmmo, UfSurvive,
    UfWpn1, UfWpn2, UfWpn3, UfWpn4,
    UfWpn1HEAmmo, UfWpn1APAmmo, UfWpn2HEAmmo, UfWpn2APAmmo, UfWpn3HEAmmo, UfWpn3APAmmo, UfWpn4HEAmmo,
    UfWpn4APAmmo,
    UfSteelHF, UfSteelHS, UfSteelHR, UfSteelTF, UfSteelTS, UfSteelTR, UfSteelTop,
    UfHEATHF, UfHEATHS, UfHEATHR, UfHEATTF, UfHEATTS, UfHEATTR, UfHEATTop,
    UfERAHF, UfERAHS, UfERAHR, UfERATF, UfERATS, UfERATR, UfERATop,
    UfMonthAvail, UfMonthUnAvail, UfSoundByte, UfWPNSound1, UfWPNSound2, UfWPNSound3, UfWPNSound4,
    UnitFieldCount
};

struct UnitField {
    UnitFieldId Id;
    const char* Control;  // the edit's object name
    const char* Title;    // the field's name in messages and hints ("Weapon 1 HE rounds")
    long Low;             // a commit clamps the typed number into Low..High
    long High;
    int MaxChars;         // the most characters the edit accepts
    std::uint8_t UnitRecord::*Byte = nullptr;
    std::uint16_t UnitRecord::*Word = nullptr;  // 16-bit fields; nullptr for bytes and the name
    // Years and months: clamped on every commit, untouched or not, as the file
    // clamps them on save anyway (a month shown as 0 is stored as 1).
    bool ClampAlways = false;
};

// The field table, indexed by UnitFieldId.
const std::array<UnitField, UnitFieldCount>& UnitFields();
inline const UnitField& UnitFieldOf(UnitFieldId id) { return UnitFields()[id]; }

// The order the page is filled in: the class comes before EW, RF and SD and the
// weapons before ROF, so the indicators that read them see the new values.
const std::array<UnitFieldId, UnitFieldCount>& UnitShowOrder();

// The texts of a unit page, one per field.
using UnitTexts = std::array<std::string, UnitFieldCount>;

// What the page shows for a stored unit: plain decimal numbers, the name trimmed.
std::string UnitFieldText(const UnitRecord& unit, UnitFieldId id);
UnitTexts TextsOfUnit(const UnitRecord& unit);

// The first field whose text no number can be read from ("-", "1-2"), if any.
std::optional<UnitFieldId> UnreadableUnitField(const UnitTexts& texts);

// A commit stores clamped values and applies the class rules; a copy into the
// paste buffer takes the months as 0..12 and applies no class rules.
enum class UnitStore { Commit, Copy };

// The number a commit (or a copy) stores for a numeric field from its text: the
// text clamped into the field's range, then into the field's width (a 16-bit
// field clamps 65536..99999 to 65535; the nation keeps its low 8 bits). Nothing
// when the text is no number.
// shown is the record the page's texts were written from. A field whose text is
// still the one shown for it keeps shown's value, even beyond the field's range
// (a Cost of 1234 or weapon 252 from some file), so a commit of an untouched
// page loses nothing; years and months are clamped all the same.
std::optional<long> UnitFieldValue(UnitFieldId id, std::string_view text, UnitStore mode = UnitStore::Commit,
                                   const UnitRecord* shown = nullptr);

// Stores the page's texts into the unit, each as UnitFieldValue gives it, then
// (on a commit) applies the class rules. Every text is checked first: when one
// cannot be read the unit is left exactly as it was and that field is given back.
std::optional<UnitFieldId> StoreUnitTexts(const UnitTexts& texts, UnitRecord& unit,
                                          UnitStore mode = UnitStore::Commit, const UnitRecord* shown = nullptr);

// Copies one field's value from one record to another.
void CopyUnitField(const UnitRecord& from, UnitRecord& to, UnitFieldId id);

// The texts the Erase command puts on the page; nothing is stored until a commit.
UnitTexts ErasedUnitTexts();

// The fields a paste writes into the page, in the order it writes them.
std::vector<UnitFieldId> UnitPasteFields(const PasteOptions& options);

// The message of a commit refused because a field's text is no number.
// kind is the record's name as the messages use it: "Unit", "Weapon", "Formation".
std::string UnreadableFieldMessage(std::string_view title, std::string_view text, std::string_view kind);

}  // namespace brackle

// The unit page's game rules over the page's texts and the tables: the weapon
// rules checked before a commit, the class rules applied after it, and the
// colour indicators beside the fields. No window is needed to run them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "oob/records.h"

namespace brackle {

// Colours the indicators paint with; WindowText is the system's normal text colour.
enum class Colour { WindowText, Navy, Blue, Red, Maroon, Fuchsia };

// Unit classes the rules name by number.
bool IsAircraftClass(int c);   // 44, 47, 50, 53, 60, 61, 62, 203, 204, 205, 214, 215, 221, 222, 223, 253
bool IsNoWeaponClass(int c);   // gliders, transports and spotter planes: 47, 50, 60, 61

// The category 1..7 of a unit class; 1 for classes outside 0..255 and for table entries of 0.
int UnitClassCategory(int c);

// A strictly decimal number in the trimmed text ("12", "-3"), or nothing ("", "1a", "-", "+1").
// An overlong digit string saturates at the end of long's range, so it counts as
// beyond every bound, as ClampValue counts it.
std::optional<long> NumberIn(std::string_view text);

// One message of the weapon rules. Error messages block the save; warnings advise.
struct RuleMessage {
    bool Error = true;
    std::string Text;  // line breaks are CR LF
};

struct WeaponCheck {
    bool Ok = true;                      // no blocking rule failed
    std::vector<RuleMessage> Messages;   // in the order shown, every slot checked
};

// The weapon rules for the four weapon slots of a unit of class unitClass;
// weapon data from the stored table (indexed by weapon number; a number beyond
// the table finds no weapon). A slot holding no weapon 1..249 passes.
WeaponCheck CheckUnitWeapons(long unitClass, const std::array<long, 4>& weaponNumbers,
                             const std::vector<WeaponRecord>& weapons);
// The same over the page's texts: the class text and the four weapon texts, each
// read as the commit stores it (UnitFieldValue, with shown as there), so the rules
// judge exactly what is stored: "5a" is weapon 5, "300" is weapon 249. A text
// that is no number counts as 0; the commit refuses it anyway.
WeaponCheck CheckUnitWeapons(std::string_view classText, const std::array<std::string, 4>& weaponTexts,
                             const std::vector<WeaponRecord>& weapons, const UnitRecord* shown = nullptr);

// The class rules applied to a stored unit after a save (forced zeros).
void ApplyUnitClassRules(UnitRecord& unit);

// The indicators read numbers from the trimmed texts they are given, the class
// text included; when one of those is no number the indicator keeps its reset
// look. A weapon text that is no number counts as an empty slot.

// An indicator's look: the edit's text colour, its label's colour and caption.
struct Indicator {
    Colour Edit = Colour::WindowText;
    Colour Label = Colour::Navy;
    std::string Caption;  // empty when the label's caption does not change
};

Colour EraIndicator(std::string_view eraText);          // > 10: Blue
Colour SurviveIndicator(std::string_view surviveText);  // > 6: Maroon
Indicator VisionIndicator(std::string_view visionText); // Label58: "Vision" / "TI/GSR"
Indicator FCIndicator(std::string_view fcText);         // Label61: "Fire control" / "AA Radar n"
Indicator RFIndicator(std::string_view rfText, std::string_view classText);  // Label60
Indicator SDIndicator(std::string_view sdText, std::string_view classText);  // Label62, no caption
Indicator ROFIndicator(std::string_view rofText, const std::array<std::string, 4>& weaponTexts);  // Label63

// The EW indicator: UnitEWEdit, Label42 and the caption label LabelEW.
struct EWIndicatorState {
    Colour Edit = Colour::WindowText;
    Colour Label42 = Colour::Navy;
    Colour LabelEW = Colour::Blue;
    bool LabelEWVisible = false;
    std::string LabelEWText;
};
EWIndicatorState EWIndicator(std::string_view ewText, std::string_view classText);

// The nation indicator. Text is what UnitNationEdit must hold ("0" replaces an
// empty text or one that is no number); Edit and Label colour it and UnitNationLabel.
struct NationIndicatorState {
    std::string Text;
    Colour Edit = Colour::WindowText;
    Colour Label = Colour::Navy;
};
NationIndicatorState NationIndicator(std::string_view nationText, std::string_view nameText,
                                     std::string_view classText, int currentOOB);

}  // namespace brackle

// The formation page's game rules over the page's texts and the tables: what a
// formation of each type may hold, the labels beside each slot, the checks a
// commit runs, the totals, and the rule that only formation 1 is the Bn HQ.
// No window is needed to run them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "editors/formation_fields.h"
#include "editors/unit_rules.h"
#include "oob/records.h"

namespace brackle {

// The formation types the rules name.
enum FormTypeCode : int { FormSection = 0, FormPlatoon = 1, FormCompany = 2, FormCombatGroup = 3, FormBnHq = 5 };

// Companies, combat groups and the Bn HQ may hold sub-formations.
bool IsCompanyFormType(long formType);

// What the page works with for a formation type on formation number formation.
struct TypeRuleState {
    bool IsCompanyType = false;
    bool IsCombatGroup = false;
    std::string Description;  // LabelCo
};
TypeRuleState TypeRule(long formType, int formation);

// A text an edit must hold a number in, after its change rule: Value is the
// number (0 when the text is no decimal number, empty included).
struct EditNumber {
    long Value = 0;
    std::string Text;
};
// The text is kept when it is a number, else it becomes "0" (nation and slot edits).
EditNumber NumberOrZero(std::string_view text);
// The text becomes the plain number, "0" when it is none (type edit; " 03" gives "3").
EditNumber PlainNumber(std::string_view text);

// The nation edit after its change rule: navy label and normal edit for the
// file's own nation, both maroon for any other.
struct FormationNationLook {
    std::string Text;
    Colour Edit = Colour::WindowText;
    Colour Label = Colour::Navy;
};
FormationNationLook FormationNationIndicator(std::string_view nationText, int currentOOB);

// "Formation 007".
std::string FormationNumberText(int formation);

// A formation's availability as the slot labels show it: "3/45 to 12/60"
// (month / year index).
std::string AvailabilityText(const FormationRecord& formation);

// The record a slot value of 1000 and more names: formation v - 1000, or nullptr
// when that is no formation of the table (1000 itself, 2000 and beyond).
const FormationRecord* SubFormation(const Oob& oob, long slotValue);

// The three labels beside slot k (1..10) for the text of its edit.
struct SlotView {
    std::string EditText;  // what the edit must hold: "0" replaces a text that is no number
    bool Empty = false;    // the edit holds 0
    std::string Name;
    Colour NameColour = Colour::WindowText;
    std::string Type;
    Colour TypeColour = Colour::Navy;
    std::string Date;
    Colour DateColour = Colour::Navy;
};
// The labels describe the value a commit stores from the text
// (FormationFieldValue, with shown as there): "2500" is formation 999. A slot
// naming no formation of the table (1000, and a kept 2000 and beyond) is checked
// as an empty formation: a Section with an empty name.
SlotView SlotViewOf(const Oob& oob, int k, std::string_view slotText, const TypeRuleState& type,
                    const FormationRecord* shown = nullptr);

// The rules a commit checks on the ten slot values for a formation of type
// formType. Slot 1 is checked first and alone; then all nine others, their
// faults collected in one message. Line breaks are CR LF.
struct FormationCheck {
    bool Ok = true;
    std::string Message;  // empty when Ok
};
FormationCheck CheckFormationSlots(const Oob& oob, long formType,
                                   const std::array<long, kFormationSlotCount>& slotValues);
// The same over the slot texts, each read as the commit stores it
// (FormationFieldValue, with shown as there), so the rules judge exactly what is
// stored: "2500" is checked as formation 999. A text that is no number counts as 0.
FormationCheck CheckFormationSlots(const Oob& oob, long formType,
                                   const std::array<std::string, kFormationSlotCount>& slotTexts,
                                   const FormationRecord* shown = nullptr);

// The number of units a formation holds: 1 for a unit in slot 1, then each of
// slots 2..10 as Totalise counts it (a sub-formation counts its filled slots).
int FormationUnitCount(const Oob& oob, const FormationRecord& formation);
// The crews of the ten slots as TotalCrew counts them.
int FormationCrew(const Oob& oob, const FormationRecord& formation);

// Only formation 1 may be the Bn HQ: a type-5 formation elsewhere becomes a
// Company. Gives the message to show when the record was changed.
std::optional<std::string> ApplyBnHqRule(int formation, FormationRecord& record);

// Formation 1's type is not picked from the list: it is the Bn HQ.
bool TypeIsBnHqOnly(int formation);
std::string BnHqOnlyMessage();

}  // namespace brackle

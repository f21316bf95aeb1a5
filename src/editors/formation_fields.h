// The formation record's fields, described once: which control shows a field,
// what it is called in messages, the range a commit or a copy clamps it to and
// how many characters can be typed. Showing, storing and copying a formation
// walk this table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "oob/records.h"

namespace brackle {

// One id per field, in the order a commit stores them.
enum FormationFieldId : int {
    FfName, FfNation, FfYrAvail, FfMonthAvail, FfYrUntil, FfMonthUntil, FfPage, FfFormType, FfExpMod,
    FfMoraleMod,
    FfSlot1, FfSlot2, FfSlot3, FfSlot4, FfSlot5, FfSlot6, FfSlot7, FfSlot8, FfSlot9, FfSlot10,
    FormationFieldCount
};

constexpr int kFormationSlotCount = 10;

// The field of slot k, k = 1..10.
constexpr FormationFieldId SlotField(int k)
{
    return static_cast<FormationFieldId>(FfSlot1 + k - 1);
}

// The edits whose length is not limited (the month edits).
constexpr int kAnyLength = 32767;

struct FormationField {
    FormationFieldId Id;
    const char* Control;  // the edit's object name
    const char* Title;    // the field's name in messages ("Experience modifier")
    long Low;             // a commit or a copy clamps the typed number into Low..High
    long High;
    int MaxChars;         // the most characters the edit accepts
    std::uint8_t FormationRecord::*Byte = nullptr;
    std::int8_t FormationRecord::*Signed = nullptr;  // the two modifiers
    int Slot = -1;        // 0..9 for the slot fields, -1 for the others
    // Years and months: clamped on every commit, untouched or not, as the file
    // clamps them on save anyway.
    bool ClampAlways = false;
};

// The field table, indexed by FormationFieldId.
const std::array<FormationField, FormationFieldCount>& FormationFields();
inline const FormationField& FormationFieldOf(FormationFieldId id) { return FormationFields()[id]; }

// The texts of a formation page, one per field.
using FormationTexts = std::array<std::string, FormationFieldCount>;

// What the page shows for a stored formation: plain decimal numbers (the
// modifiers signed), the name trimmed.
std::string FormationFieldText(const FormationRecord& formation, FormationFieldId id);
FormationTexts TextsOfFormation(const FormationRecord& formation);

// The first field whose text no number can be read from ("-", "1-2"), if any.
std::optional<FormationFieldId> UnreadableFormationField(const FormationTexts& texts);

// The number a commit (or a copy) stores for a numeric field from its text: the
// text clamped into the field's range; nothing when it is no number.
// shown is the record the page's texts were written from. A field whose text is
// still the one shown for it keeps shown's value, even beyond the field's range
// (a slot of 2500 or a modifier of -40 from some file), so a commit of an
// untouched page loses nothing; years and months are clamped all the same.
std::optional<long> FormationFieldValue(FormationFieldId id, std::string_view text,
                                        const FormationRecord* shown = nullptr);

// Stores the page's texts into the formation: the name trimmed and cut to 15
// characters, every number as FormationFieldValue gives it. Every text is checked
// first: when one cannot be read the formation is left exactly as it was and
// that field is given back.
std::optional<FormationFieldId> StoreFormationTexts(const FormationTexts& texts, FormationRecord& formation,
                                                    const FormationRecord* shown = nullptr);

}  // namespace brackle

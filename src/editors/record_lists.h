// The slot lists of the record pages and stepping between slots.
#pragma once

#include <string>
#include <string_view>

#include "oob/records.h"

namespace brackle {

// The list kinds: 1 units, 2 weapons, 3 formations.
int LastSlot(int kind);  // 999, 249, 999

// A list entry: the slot in at least three digits, two blanks, the name.
// Unit and weapon names are shown as stored; formation names trimmed.
std::string ListEntryText(const Oob& oob, int kind, int slot);

// The slot a step of delta leads to. Forward steps stop at last; a step back
// happens only when the slot is above the step's size, else the slot stays.
int StepSlot(int current, int delta, int last);

}  // namespace brackle

namespace brackle {

// The text in capitals, ASCII and Latin-1 letters alike (names are compared ignoring case).
std::string Upper(std::string text);

// The next slot after current whose name, in capitals and trimmed, contains
// needle (already in capitals); the search wraps round and tests the current
// slot last. 0 when no name contains it.
int FindNext(const Oob& oob, int kind, int current, std::string_view needle);

// Renames every record whose whole name, in capitals, is find (in capitals) to
// replacement cut to 15 characters; a name that merely contains find stays.
// Gives how many records were renamed.
int ReplaceWholeNames(Oob& oob, int kind, std::string_view find, std::string_view replacement);

// The record's name as stored.
const std::string& SlotName(const Oob& oob, int kind, int slot);

// True when the slot holds a record: its name is not empty.
bool SlotInUse(const Oob& oob, int kind, int slot);

}  // namespace brackle

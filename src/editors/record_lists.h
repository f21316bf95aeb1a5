// The slot lists of the record pages and stepping between slots.
#pragma once

#include <string>

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

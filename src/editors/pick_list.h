// The pick list's entries: one list per kind, entry index = the number chosen.
#pragma once

#include <string>
#include <vector>

#include "oob/records.h"

namespace brackle {

enum PickKind : int {
    PickUnit = 0,
    PickFormation = 1,
    PickMoveClass = 2,
    PickFormType = 3,
    PickNation = 4,
    PickUnitClass = 5,
    PickWeapon = 6,
    PickWeaponClass = 7,
    PickPage = 8,
};

struct PickList {
    std::string Caption;               // "Pick List : Unit" ...
    std::vector<std::string> Entries;  // "005 - Rifle Squad", "06 - UNUSED" ...
    std::vector<bool> Invalid;         // entries that carry "XX INVALID CHOICE XX"
};

// The entries of a kind. editedFormType is the FormType of the formation on the
// Formations page; it decides which formations are excluded from kind 1.
PickList MakePickList(int kind, const Oob& oob, int editedFormType);

// Every slot of the unit, weapon or formation table (kind PickUnit, PickWeapon or
// PickFormation), for choosing the slot a record moves to: no formation is
// excluded, since a move target is a slot, not a formation to nest.
PickList MakeSlotList(int kind, const Oob& oob);

// The entry a list opens on for a field holding current: that entry, or -1 (none
// selected) when current is no entry of the list or one that may not be chosen,
// so that OK at once never changes the field.
int PickStartEntry(const PickList& list, long current);

// The number a choice gives: -2 when cancelled (chosen < 0), 0 for an excluded
// formation, else the entry's index.
int PickResult(const PickList& list, int chosen);

}  // namespace brackle

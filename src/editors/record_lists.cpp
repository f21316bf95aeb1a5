#include "editors/record_lists.h"

#include <algorithm>

#include "oob/text.h"

namespace brackle {

int LastSlot(int kind)
{
    return kind == 2 ? kWeaponSlots : (kind == 1 ? kUnitSlots : kFormationSlots);
}

std::string ListEntryText(const Oob& oob, int kind, int slot)
{
    std::string entry = Pad3(slot) + "  ";
    if (kind == 1)
        entry += oob.UnitTable[slot].Name;
    else if (kind == 2)
        entry += oob.WeaponTable[slot].Name;
    else
        entry += Trim(oob.FormationTable[slot].Name);
    return entry;
}

int StepSlot(int current, int delta, int last)
{
    if (delta > 0)
        return std::min(current + delta, last);
    return current > -delta ? current + delta : current;
}

}  // namespace brackle

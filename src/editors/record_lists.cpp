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

namespace {

std::string& NameOf(Oob& oob, int kind, int slot)
{
    if (kind == 1)
        return oob.UnitTable[slot].Name;
    if (kind == 2)
        return oob.WeaponTable[slot].Name;
    return oob.FormationTable[slot].Name;
}

const std::string& NameOf(const Oob& oob, int kind, int slot)
{
    return NameOf(const_cast<Oob&>(oob), kind, slot);
}

}  // namespace

std::string Upper(std::string text)
{
    for (char& c : text) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
            c = static_cast<char>(b - 0x20);
    }
    return text;
}

int FindNext(const Oob& oob, int kind, int current, std::string_view needle)
{
    const int last = LastSlot(kind);
    for (int i = 1; i <= last; ++i) {
        const int slot = (current - 1 + i) % last + 1;
        if (Upper(Trim(NameOf(oob, kind, slot))).find(needle) != std::string::npos)
            return slot;
    }
    return 0;
}

int ReplaceWholeNames(Oob& oob, int kind, std::string_view find, std::string_view replacement)
{
    int renamed = 0;
    if (find.empty())
        return 0;  // an empty search would name every empty slot
    for (int slot = 1; slot <= LastSlot(kind); ++slot) {
        std::string& name = NameOf(oob, kind, slot);
        if (Upper(name) == find) {
            name = std::string(replacement.substr(0, kNameLength));
            ++renamed;
        }
    }
    return renamed;
}

const std::string& SlotName(const Oob& oob, int kind, int slot)
{
    return NameOf(oob, kind, slot);
}

bool SlotInUse(const Oob& oob, int kind, int slot)
{
    return !Trim(NameOf(oob, kind, slot)).empty();
}

}  // namespace brackle

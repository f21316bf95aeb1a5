#include "oob/totals.h"

namespace brackle {

bool UnitInAnyFormation(const Oob& oob, int n)
{
    for (int f = 1; f <= kFormationSlots; ++f) {
        for (auto s : oob.FormationTable[static_cast<std::size_t>(f)].Slot) {
            if (s == n)
                return true;
        }
    }
    return false;
}

namespace {

// The formation a slot value of 1000 and more names, or nullptr when it is out of the table.
const FormationRecord* NamedFormation(const Oob& oob, int n)
{
    const int f = n - 1000;
    if (f < 1 || f > kFormationSlots)
        return nullptr;
    return &oob.FormationTable[static_cast<std::size_t>(f)];
}

}  // namespace

int Totalise(const Oob& oob, int n)
{
    if (n <= 0)
        return 0;
    if (n <= kUnitSlots)
        return 1;
    const FormationRecord* f = NamedFormation(oob, n);
    if (!f)
        return 0;
    int count = 0;
    for (auto s : f->Slot) {
        if (s != 0)
            ++count;
    }
    return count;
}

int TotalCrew(const Oob& oob, int n)
{
    if (n <= 0)
        return 0;
    if (n <= kUnitSlots)
        return oob.UnitTable[static_cast<std::size_t>(n)].Crew;
    const FormationRecord* f = NamedFormation(oob, n);
    if (!f)
        return 0;
    int crew = 0;
    for (auto s : f->Slot) {
        if (s >= 1 && s <= kUnitSlots)
            crew += oob.UnitTable[s].Crew;
    }
    return crew;
}

}  // namespace brackle

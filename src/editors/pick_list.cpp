#include "editors/pick_list.h"

#include <cstdio>

#include "oob/names.h"
#include "oob/text.h"

namespace brackle {

namespace {

struct KindInfo {
    const char* caption;
    int last;    // entries are 0..last
    int digits;  // the number is zero-padded to at least this many digits
};

// Indexed by PickKind.
constexpr KindInfo kKinds[] = {
    {"Pick List : Unit", kUnitSlots, 3},
    {"Pick List : Formation", kFormationSlots, 3},
    {"Pick List : Movement Class", 9, 2},
    {"Pick List : Formation Type", 4, 2},  // Bn HQ (5) is never offered
    {"Pick List : Nationality", kNations, 2},
    {"Pick List : Unit Class", kUnitClasses - 1, 2},
    {"Pick List : Unit Weapon", kWeaponSlots, 3},
    {"Pick List : Weapon Class", 26, 2},
    {"Pick List : Purchase Page", 10, 2},
};
constexpr int kKindCount = static_cast<int>(sizeof kKinds / sizeof kKinds[0]);

const char* const kNoUnit = "NO UNIT";
const char* const kNoWeapon = "NO WEAPON IN SLOT";
const char* const kInvalidChoice = "XX INVALID CHOICE XX";

std::string Number(int n, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.*d", digits, n);
    return buf;
}

// Whether formation f may not go into a slot of a formation of type editedFormType:
// only sections and platoons nest, and a combat group takes sections alone.
// A free slot is never excluded.
constexpr int kAnyFormation = -1;

bool ExcludedFormation(const FormationRecord& f, int editedFormType)
{
    if (editedFormType == kAnyFormation || Trim(f.Name).empty())
        return false;
    if (f.FormType > 1)
        return true;
    return editedFormType == 3 && f.FormType != 0;
}

}  // namespace

PickList MakePickList(int kind, const Oob& oob, int editedFormType)
{
    PickList list;
    if (kind < 0 || kind >= kKindCount)
        return list;
    const KindInfo& info = kKinds[kind];
    list.Caption = info.caption;
    list.Entries.reserve(static_cast<std::size_t>(info.last) + 1);
    list.Invalid.assign(static_cast<std::size_t>(info.last) + 1, false);
    for (int n = 0; n <= info.last; ++n) {
        const auto i = static_cast<std::size_t>(n);
        std::string text;
        switch (kind) {
        case PickUnit: text = n == 0 ? kNoUnit : oob.UnitTable[i].Name; break;
        case PickFormation:
            if (n == 0) {
                text = kNoUnit;
            } else if (ExcludedFormation(oob.FormationTable[i], editedFormType)) {
                text = kInvalidChoice;
                list.Invalid[i] = true;
            } else {
                text = oob.FormationTable[i].Name;
            }
            break;
        case PickMoveClass: text = MoveClassName(n); break;
        case PickFormType: text = FormTypeName(n); break;
        case PickNation: text = NationName(oob.Names, n); break;
        case PickUnitClass: text = UnitClassName(oob.Names, n); break;
        case PickWeapon: text = n == 0 ? kNoWeapon : oob.WeaponTable[i].Name; break;
        case PickWeaponClass: text = WeaponClassName(n); break;
        case PickPage: text = PageName(n); break;
        }
        list.Entries.push_back(Number(n, info.digits) + " - " + text);
    }
    return list;
}

PickList MakeSlotList(int kind, const Oob& oob)
{
    return MakePickList(kind, oob, kAnyFormation);
}

int PickStartEntry(const PickList& list, long current)
{
    if (current < 0 || static_cast<unsigned long>(current) >= list.Entries.size())
        return -1;
    const auto i = static_cast<std::size_t>(current);
    if (i < list.Invalid.size() && list.Invalid[i])
        return -1;
    return static_cast<int>(current);
}

int PickResult(const PickList& list, int chosen)
{
    if (chosen < 0)
        return -2;
    const auto i = static_cast<std::size_t>(chosen);
    if (i < list.Invalid.size() && list.Invalid[i])
        return 0;
    return chosen;
}

}  // namespace brackle

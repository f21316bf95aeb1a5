#include "oob/oob_layout.h"

#include <algorithm>
#include <type_traits>

namespace brackle {
namespace {

using U = UnitRecord;
using W = WeaponRecord;
using F = FormationRecord;

#define NUM(Rec, f, base, stride, pos, bytes, how)                                              \
    LayoutField<Rec>                                                                            \
    {                                                                                           \
        #f, base, stride, pos, bytes, Stored::how, [](const Rec& r) -> long { return r.f; },   \
            [](Rec& r, long v) { r.f = static_cast<std::remove_cvref_t<decltype(r.f)>>(v); }    \
    }
#define NAME(Rec, base) \
    LayoutField<Rec> { "Name", base, kNameLength, 0, kNameLength, Stored::Name, nullptr, nullptr }
#define SLOT(k)                                                                                             \
    LayoutField<F>                                                                                          \
    {                                                                                                       \
        "Slot" #k, 151080, 20, 2 * ((k) - 1), 2, Stored::Word, [](const F& r) -> long { return r.Slot[(k) - 1]; }, \
            [](F& r, long v) { r.Slot[(k) - 1] = static_cast<std::uint16_t>(v); }                          \
    }

// In the order of the record's fields (the order the diff reports them in).
const LayoutField<U> kUnitFields[] = {
    NAME(U, kUnitNameOffset),
    NUM(U, Class, 25080, 1, 0, 1, Byte),
    NUM(U, Icon, 88080, 2, 0, 2, Word),
    NUM(U, PictureID, 75080, 2, 0, 2, Word),
    NUM(U, Size, 27080, 1, 0, 1, Byte),
    NUM(U, Crew, 28080, 1, 0, 1, Byte),
    NUM(U, Wpn1, 29080, 4, 0, 1, Byte),
    NUM(U, Wpn2, 29080, 4, 1, 1, Byte),
    NUM(U, Wpn3, 29080, 4, 2, 1, Byte),
    NUM(U, Wpn4, 29080, 4, 3, 1, Byte),
    NUM(U, Wpn1HEAmmo, 33080, 8, 0, 1, Byte),
    NUM(U, Wpn1APAmmo, 33080, 8, 1, 1, Byte),
    NUM(U, Wpn2HEAmmo, 33080, 8, 2, 1, Byte),
    NUM(U, Wpn2APAmmo, 33080, 8, 3, 1, Byte),
    NUM(U, Wpn3HEAmmo, 33080, 8, 4, 1, Byte),
    NUM(U, Wpn3APAmmo, 33080, 8, 5, 1, Byte),
    NUM(U, Wpn4HEAmmo, 33080, 8, 6, 1, Byte),
    NUM(U, Wpn4APAmmo, 33080, 8, 7, 1, Byte),
    NUM(U, Speed, 41080, 1, 0, 1, Byte),
    NUM(U, SteelHF, 42080, 14, 0, 1, Byte),
    NUM(U, SteelHS, 42080, 14, 1, 1, Byte),
    NUM(U, SteelHR, 42080, 14, 2, 1, Byte),
    NUM(U, SteelTF, 42080, 14, 3, 1, Byte),
    NUM(U, SteelTS, 42080, 14, 4, 1, Byte),
    NUM(U, SteelTR, 42080, 14, 5, 1, Byte),
    NUM(U, SteelTop, 42080, 14, 6, 1, Byte),
    NUM(U, HEATHF, 42080, 14, 7, 1, Byte),
    NUM(U, HEATHS, 42080, 14, 8, 1, Byte),
    NUM(U, HEATHR, 42080, 14, 9, 1, Byte),
    NUM(U, HEATTF, 42080, 14, 10, 1, Byte),
    NUM(U, HEATTS, 42080, 14, 11, 1, Byte),
    NUM(U, HEATTR, 42080, 14, 12, 1, Byte),
    NUM(U, HEATTop, 42080, 14, 13, 1, Byte),
    NUM(U, ERAHF, 56080, 7, 0, 1, Byte),
    NUM(U, ERAHS, 56080, 7, 1, 1, Byte),
    NUM(U, ERAHR, 56080, 7, 2, 1, Byte),
    NUM(U, ERATF, 56080, 7, 3, 1, Byte),
    NUM(U, ERATS, 56080, 7, 4, 1, Byte),
    NUM(U, ERATR, 56080, 7, 5, 1, Byte),
    NUM(U, ERATop, 56080, 7, 6, 1, Byte),
    NUM(U, Radio, 69080, 1, 0, 1, Byte),
    NUM(U, YrAvail, 70080, 1, 0, 1, Year),
    NUM(U, YrUnavail, 71080, 1, 0, 1, Year),
    NUM(U, Cost, 72080, 2, 0, 2, Word),
    NUM(U, Nation, 74080, 1, 0, 1, Byte),
    NUM(U, FC, 78080, 1, 0, 1, Byte),
    NUM(U, SabotAmmo, 79080, 1, 0, 1, Byte),
    NUM(U, HEATAmmo, 80080, 1, 0, 1, Byte),
    NUM(U, Stabiliser, 82080, 1, 0, 1, Byte),
    NUM(U, Survive, 86080, 1, 0, 1, Byte),
    NUM(U, Vision, 77080, 1, 0, 1, Byte),
    NUM(U, Swim, 90080, 1, 0, 1, Byte),
    NUM(U, SD, 92080, 1, 0, 1, Byte),
    NUM(U, ROF, 81080, 1, 0, 1, Byte),
    NUM(U, Carry, 85080, 1, 0, 1, Byte),
    NUM(U, Weight, 87080, 1, 0, 1, Byte),
    NUM(U, EW, 84080, 1, 0, 1, Byte),
    NUM(U, RF, 83080, 1, 0, 1, Byte),
    NUM(U, MC, 91080, 1, 0, 1, Byte),
    NUM(U, MonthAvail, 93080, 1, 0, 1, Month),
    NUM(U, MonthUnAvail, 94080, 1, 0, 1, Month),
    NUM(U, SoundByte, 95080, 1, 0, 1, Byte),
    NUM(U, WPNSound1, 96080, 4, 0, 1, Byte),
    NUM(U, WPNSound2, 96080, 4, 1, 1, Byte),
    NUM(U, WPNSound3, 96080, 4, 2, 1, Byte),
    NUM(U, WPNSound4, 96080, 4, 3, 1, Byte),
    NUM(U, SpareA, 26080, 1, 0, 1, Byte),
    NUM(U, SpareB, 100080, 1, 0, 1, Byte),
    NUM(U, WinterIcon, 101080, 2, 0, 2, Word),
    NUM(U, DesertIcon, 103080, 2, 0, 2, Word),
};

const LayoutField<W> kWeaponFields[] = {
    NAME(W, kWeaponNameOffset),
    NUM(W, Class, 3830, 1, 0, 1, Byte),
    NUM(W, Size, 4330, 1, 0, 1, Byte),
    NUM(W, WarheadSize, 4580, 1, 0, 1, Byte),
    NUM(W, HEPen, 4830, 2, 0, 1, Byte),
    NUM(W, HEKill, 5330, 2, 0, 1, Byte),
    NUM(W, APPen, 4830, 2, 1, 1, Byte),
    NUM(W, APKill, 5330, 2, 1, 1, Byte),
    NUM(W, Accuracy, 5830, 1, 0, 1, Byte),
    NUM(W, Range, 6080, 1, 0, 1, Byte),
    NUM(W, SabotRange, 6330, 1, 0, 1, Byte),
    NUM(W, SabotPen, 6580, 1, 0, 1, Byte),
    NUM(W, HEATPen, 6830, 1, 0, 1, Byte),
};

const LayoutField<F> kFormationFields[] = {
    NAME(F, kFormationNameOffset),
    NUM(F, Nation, 146080, 1, 0, 1, Byte),
    NUM(F, YrAvail, 147080, 1, 0, 1, Year),
    NUM(F, MonthAvail, 171080, 1, 0, 1, Month),
    NUM(F, YrUntil, 148080, 1, 0, 1, Year),
    NUM(F, MonthUntil, 172080, 1, 0, 1, MonthUntil),
    NUM(F, Page, 149080, 1, 0, 1, Byte),
    NUM(F, FormType, 150080, 1, 0, 1, Byte),
    SLOT(1), SLOT(2), SLOT(3), SLOT(4), SLOT(5), SLOT(6), SLOT(7), SLOT(8), SLOT(9), SLOT(10),
    NUM(F, ExpMod, 173080, 1, 0, 1, SignedByte),
    NUM(F, MoraleMod, 174080, 1, 0, 1, SignedByte),
};

#undef NUM
#undef NAME
#undef SLOT

}  // namespace

std::span<const LayoutField<UnitRecord>> UnitLayout() { return kUnitFields; }
std::span<const LayoutField<WeaponRecord>> WeaponLayout() { return kWeaponFields; }
std::span<const LayoutField<FormationRecord>> FormationLayout() { return kFormationFields; }

namespace {

template <typename Record>
std::size_t EndOf(std::span<const LayoutField<Record>> fields, std::size_t lastSlot)
{
    std::size_t end = 0;
    for (const LayoutField<Record>& f : fields)
        end = std::max(end, f.At(lastSlot) + f.Bytes);
    return end;
}

}  // namespace

std::size_t LayoutEnd()
{
    static const std::size_t end = std::max({kInfoOffset + kInfoLength, EndOf(UnitLayout(), kUnitSlots),
                                             EndOf(WeaponLayout(), kWeaponSlots),
                                             EndOf(FormationLayout(), kFormationSlots)});
    return end;
}

}  // namespace brackle

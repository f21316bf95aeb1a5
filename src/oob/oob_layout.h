// Where each field of a record sits in the OOB file, named as the record names
// it. The reader, the writer and the diff of two files all walk these tables.
//
// The file is a structure of arrays: a field's column starts at Base, slot s's
// entry at Base + s * Stride, the field Pos bytes into the entry and Bytes long.
// Numbers are little-endian.
#pragma once

#include <cstddef>
#include <span>

#include "oob/records.h"

namespace brackle {

inline constexpr std::size_t kInfoOffset = 0;
inline constexpr std::size_t kWeaponNameOffset = 80;
inline constexpr std::size_t kUnitNameOffset = 10080;
inline constexpr std::size_t kFormationNameOffset = 131080;

// How a field is stored. Years are written as 1..120 and months as 1..12 (a
// zero month as 1, or as 12 for the month a formation runs until).
enum class Stored { Name, Byte, SignedByte, Word, Year, Month, MonthUntil };

template <typename Record>
struct LayoutField {
    const char* Name;
    std::size_t Base;
    std::size_t Stride;
    std::size_t Pos;
    std::size_t Bytes;
    Stored How;
    long (*Get)(const Record&);   // nullptr for the name
    void (*Set)(Record&, long);   // nullptr for the name

    std::size_t At(std::size_t slot) const { return Base + slot * Stride + Pos; }
};

std::span<const LayoutField<UnitRecord>> UnitLayout();
std::span<const LayoutField<WeaponRecord>> WeaponLayout();
std::span<const LayoutField<FormationRecord>> FormationLayout();

// Where the last field of the file ends: a shorter file lacks some records' fields.
std::size_t LayoutEnd();

}  // namespace brackle

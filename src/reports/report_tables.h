// How the checks read the tables: records by number, plain numbers, foreign
// nations, and the one way a stop on a record without a date is worded.
#pragma once

#include <cstddef>
#include <string>

#include "oob/records.h"

namespace brackle {

inline const UnitRecord& UnitAt(const Oob& oob, int u)
{
    return oob.UnitTable[static_cast<std::size_t>(u)];
}

inline const FormationRecord& FormationAt(const Oob& oob, int f)
{
    return oob.FormationTable[static_cast<std::size_t>(f)];
}

// A unit's weapon number is a byte, so it can name 250..255, past the table:
// such a weapon reads as an empty record (no name, every number 0).
inline const WeaponRecord& WeaponAt(const Oob& oob, int w)
{
    static const WeaponRecord kNoWeapon;
    if (w < 1 || w > kWeaponSlots)
        return kNoWeapon;
    return oob.WeaponTable[static_cast<std::size_t>(w)];
}

inline std::string Num(long n)
{
    return std::to_string(n);
}

// Foreign: a nation other than the loaded file's own.
inline bool IsForeign(const Oob& oob, int nation)
{
    return nation != oob.CurrentOOB;
}

// "Formation 450 Year Zero has year index 0 in its start date: the check stops here."
// record names the record ("Unit 12 Panzer IV"), problem what forms no date ("month 13").
inline std::string NoDateStopMessage(const std::string& record, const std::string& problem, bool startDate)
{
    return record + " has " + problem + (startDate ? " in its start date" : " in its end date") +
           ": the check stops here.";
}

}  // namespace brackle

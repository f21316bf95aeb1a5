// The transfer records every copy, paste and move passes through: a whole
// record and the number of the file it came from.
#pragma once

#include <cstdint>

#include "oob/records.h"

namespace brackle {

constexpr std::int32_t kNoSourceNation = 100;  // a record that never came from a file

template <typename Record>
struct TransferRecord {
    Record Rec{};
    std::int32_t SourceNation = kNoSourceNation;
};

using XferUnitRecord = TransferRecord<UnitRecord>;
using XferWeaponRecord = TransferRecord<WeaponRecord>;
using XferFormationRecord = TransferRecord<FormationRecord>;

}  // namespace brackle

#include "editors/bulk_edits.h"

#include <cstdio>

#include "oob/names.h"

namespace brackle {

BulkCounts RenumberNation(Oob& oob, int from, int to)
{
    BulkCounts counts;
    const auto nation = static_cast<std::uint8_t>(to);
    for (int u = 1; u <= kUnitSlots; ++u) {
        UnitRecord& unit = oob.UnitTable[static_cast<std::size_t>(u)];
        if (unit.Nation == from) {
            unit.Nation = nation;
            ++counts.Units;
        }
    }
    for (int f = 1; f <= kFormationSlots; ++f) {
        FormationRecord& formation = oob.FormationTable[static_cast<std::size_t>(f)];
        if (formation.Nation == from) {
            formation.Nation = nation;
            ++counts.Formations;
        }
    }
    return counts;
}

int ResetAllIcons(Oob& oob)
{
    int count = 0;
    for (int u = 1; u <= kUnitSlots; ++u) {
        UnitRecord& unit = oob.UnitTable[static_cast<std::size_t>(u)];
        if (unit.WinterIcon != unit.Icon || unit.DesertIcon != unit.Icon) {
            unit.WinterIcon = unit.Icon;
            unit.DesertIcon = unit.Icon;
            ++count;
        }
    }
    return count;
}

int ReclassifyUnits(Oob& oob, int from, int to)
{
    int count = 0;
    const auto cls = static_cast<std::uint8_t>(to);
    for (int u = 1; u <= kUnitSlots; ++u) {
        UnitRecord& unit = oob.UnitTable[static_cast<std::size_t>(u)];
        if (unit.Class == from) {
            unit.Class = cls;
            ++count;
        }
    }
    return count;
}

BulkCounts DeleteNation(Oob& oob, int nation, bool units, bool formations)
{
    BulkCounts counts;
    if (units) {
        for (int u = 1; u <= kUnitSlots; ++u) {
            UnitRecord& unit = oob.UnitTable[static_cast<std::size_t>(u)];
            if (unit.Nation != nation)
                continue;
            UnitRecord cleared;
            cleared.EW = unit.EW;
            cleared.SpareA = unit.SpareA;
            cleared.SpareB = unit.SpareB;
            unit = cleared;
            ++counts.Units;
        }
    }
    if (formations) {
        for (int f = 1; f <= kFormationSlots; ++f) {
            FormationRecord& formation = oob.FormationTable[static_cast<std::size_t>(f)];
            if (formation.Nation != nation)
                continue;
            formation = FormationRecord{};
            ++counts.Formations;
        }
    }
    return counts;
}

std::string CurrentKobText(const NameTables& names, int currentOOB)
{
    char number[16];
    std::snprintf(number, sizeof number, "%.2d", currentOOB);
    return std::string("Current Kob : ") + number + " - " + NationName(names, currentOOB);
}

std::string ProcessedText(const BulkCounts& counts)
{
    return "Processed : " + std::to_string(counts.Units) + " Units, " + std::to_string(counts.Formations) +
           " Formations";
}

std::string ReclassifiedText(int units)
{
    std::string text = "Reclassified : " + std::to_string(units);
    if (units > 0)
        text += " Units";
    return text;
}


}  // namespace brackle

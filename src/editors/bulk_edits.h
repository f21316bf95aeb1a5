// The bulk edits of the File menu: renumbering a nation, reclassifying units,
// and deleting every unit and formation of a nation. They write straight into
// the tables; no commit is involved and nothing is checked against the rules.
#pragma once

#include <string>
#include <string_view>

#include "oob/records.h"
#include "oob/text.h"  // NotANumberText, for the dialogs' refusals

namespace brackle {

// How many units and formations an edit matched.
struct BulkCounts {
    int Units = 0;
    int Formations = 0;

    bool operator==(const BulkCounts&) const = default;
};

// Every unit and formation whose Nation is from gets to (a nation byte, 0..255).
// Counts every match, also when from == to. Nothing else changes.
BulkCounts RenumberNation(Oob& oob, int from, int to);

// Every unit whose Class is from gets to (0..255); gives how many. The class
// rules a commit applies are not applied.
int ReclassifyUnits(Oob& oob, int from, int to);

// Sets WinterIcon and DesertIcon of every unit 1..999 to its Icon; gives how
// many units changed.
int ResetAllIcons(Oob& oob);

// Clears, when units is set, every unit whose Nation is nation: an empty name and
// 0 in every field but EW, SpareA and SpareB, which keep their values; when
// formations is set, every formation of that nation becomes empty (name and all
// fields 0). Formation slots that refer to a cleared record are left as they are.
BulkCounts DeleteNation(Oob& oob, int nation, bool units, bool formations);

// "Current Kob : 07 - " + the nation's name: the file number with at least two digits.
std::string CurrentKobText(const NameTables& names, int currentOOB);

// "Processed : 5 Units, 0 Formations".
std::string ProcessedText(const BulkCounts& counts);

// "Reclassified : 3 Units"; "Reclassified : 0" when nothing matched.
std::string ReclassifiedText(int units);

}  // namespace brackle

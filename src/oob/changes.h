// Whether the loaded file has changes that are not on disk yet. A command takes
// a snapshot of the tables before it runs and compares afterwards, so a commit
// that stores exactly what was there leaves the file unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "oob/records.h"

namespace brackle {

struct TablesSnapshot {
    std::vector<UnitRecord> Units;
    std::vector<WeaponRecord> Weapons;
    std::vector<FormationRecord> Formations;
    std::string Info;
    std::uint64_t Revision = 0;  // the document's revision when the snapshot was taken
};

TablesSnapshot SnapshotTables(const Oob& oob);
// True when a record or the info text differs from the snapshot.
bool TablesDiffer(const TablesSnapshot& before, const Oob& oob);

// Gives the tables a new revision: a change that no undo step knows of.
void MarkChanged(Oob& oob);
// The tables are now what is on disk (after a load or a save).
void MarkSaved(Oob& oob);
bool HasUnsavedChanges(const Oob& oob);

// Marks a change when the tables differ from before; gives whether they did.
bool MarkChangedIfDiffer(const TablesSnapshot& before, Oob& oob);

}  // namespace brackle

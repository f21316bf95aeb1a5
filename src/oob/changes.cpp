#include "oob/changes.h"

namespace brackle {

TablesSnapshot SnapshotTables(const Oob& oob)
{
    return TablesSnapshot{oob.UnitTable, oob.WeaponTable, oob.FormationTable, oob.OOBInfo, oob.Revision};
}

bool TablesDiffer(const TablesSnapshot& before, const Oob& oob)
{
    return before.Info != oob.OOBInfo || before.Units != oob.UnitTable || before.Weapons != oob.WeaponTable ||
           before.Formations != oob.FormationTable;
}

void MarkChanged(Oob& oob)
{
    oob.Revision = ++oob.LastRevision;
}

void MarkSaved(Oob& oob)
{
    oob.SavedRevision = oob.Revision;
}

bool HasUnsavedChanges(const Oob& oob)
{
    return oob.Revision != oob.SavedRevision;
}

bool MarkChangedIfDiffer(const TablesSnapshot& before, Oob& oob)
{
    if (!TablesDiffer(before, oob))
        return false;
    MarkChanged(oob);
    return true;
}

}  // namespace brackle

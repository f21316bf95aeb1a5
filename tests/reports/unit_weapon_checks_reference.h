// The unit and weapon searches written the plain way, loop inside loop, exactly
// as the report reads: the reference the indexed searches of
// reports/unit_weapon_checks are compared with (tests and benchmark only).
#pragma once

#include "oob/records.h"
#include "reports/report_sink.h"

namespace brackle::reference {

// Week by week, every slot of every formation, the status line set for each week.
ReportEnd FindOrphanClasses(const Oob& oob, ReportSink& sink);

// Every unit's four slots searched again for every weapon.
void FindUnusedWeapons(const Oob& oob, ReportSink& sink);
void ClearUnusedWeapons(Oob& oob, ReportSink& sink);

}  // namespace brackle::reference

// The unit and weapon searches, and clearing the unused weapons. Each writes
// its lines to a sink; rows are 0-based.
#pragma once

#include <string>
#include <vector>

#include "oob/records.h"
#include "reports/report_sink.h"

namespace brackle {

std::vector<std::string> ClassRows(const Oob& oob);
void FindUnitsOfClass(const Oob& oob, int unitClass, ReportSink& sink);
void FindForeignUnits(const Oob& oob, ReportSink& sink);
ReportEnd FindOrphanClasses(const Oob& oob, ReportSink& sink);
void FindBadAmmo(const Oob& oob, ReportSink& sink);
std::vector<std::string> WeaponRows(const Oob& oob);
bool FindWeaponUsers(const Oob& oob, int row, ReportSink& sink);
std::vector<std::string> WeaponClassRows();
void FindWeaponsOfClass(const Oob& oob, int row, ReportSink& sink);
void FindUnusedWeapons(const Oob& oob, ReportSink& sink);
void ClearUnusedWeapons(Oob& oob, ReportSink& sink);

}  // namespace brackle

// The unit and weapon searches of the report window: units of a class, foreign
// units, orphan classes and units without a container formation, bad ammunition,
// weapon users, weapons of a class, unused weapons and their clearing.
//
// Every search writes its lines, headings included, to a ReportSink in order;
// the caller clears the result area first (ClearUnusedWeapons appends to it).
// Row numbers are 0-based.
#pragma once

#include <string>
#include <vector>

#include "oob/records.h"
#include "reports/report_sink.h"

namespace brackle {

// The 256 rows of both unit class lists, row c for class c: "07 - " + class name.
std::vector<std::string> ClassRows(const Oob& oob);

// Every in-use unit of the class, with its dates, X3 mark and foreign nation.
void FindUnitsOfClass(const Oob& oob, int unitClass, ReportSink& sink);

// Every in-use unit whose nation is not the file's.
void FindForeignUnits(const Oob& oob, ReportSink& sink);

// Units of the file's nation whose class is in no formation (orphans), then
// units with a week of their lifetime that no formation holding their class
// covers. The status line names the unit being examined. A named unit, or a
// named formation the search must test, whose year index and month form no date
// stops the search there: the lines written so far stay and the end says which
// record, field and value. Empty records whose dates form no date are passed by.
ReportEnd FindOrphanClasses(const Oob& oob, ReportSink& sink);

// Ammunition a unit carries that its weapon cannot use, or that no weapon gets.
void FindBadAmmo(const Oob& oob, ReportSink& sink);

// The 249 rows of the weapon list, row r for weapon r + 1: "012 - " + name.
std::vector<std::string> WeaponRows(const Oob& oob);

// Every weapon slot of an in-use unit that holds weapon row + 1. False, and
// nothing written, when that weapon is empty (or the row is past the table).
bool FindWeaponUsers(const Oob& oob, int row, ReportSink& sink);

// The 26 rows of the weapon class list, row r for class r + 1.
std::vector<std::string> WeaponClassRows();

// Every weapon, empty ones included, of weapon class row + 1.
void FindWeaponsOfClass(const Oob& oob, int row, ReportSink& sink);

// Named weapons 1..248 that are not used; the status line names each weapon examined.
void FindUnusedWeapons(const Oob& oob, ReportSink& sink);

// After the user confirmed "Delete ALL Unused Weapons?": appends its lines,
// clears the unused weapons, and rewrites weapon 198 to its fixed record.
// Weapon 249 is never touched. When a record changed, the clearing is one undo
// step ("Clear unused weapons: 3 weapons").
void ClearUnusedWeapons(Oob& oob, ReportSink& sink);

}  // namespace brackle

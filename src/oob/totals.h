// Formation totals and lookups over the loaded tables.
#pragma once

#include "oob/records.h"

namespace brackle {

// True when some slot of some formation 1..999 holds n (a unit number, or 1000 + formation).
bool UnitInAnyFormation(const Oob& oob, int n);

// How many units a slot value stands for: 0 empty, 1 a unit, or the number of
// filled slots of the formation it names (nested formations are not followed).
int Totalise(const Oob& oob, int n);

// The crew a slot value stands for: a unit's crew, or the crews of the units in
// the formation it names. A formation inside that formation counts as 0, just as
// Totalise does not follow nesting.
int TotalCrew(const Oob& oob, int n);

}  // namespace brackle

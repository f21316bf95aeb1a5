// Literal readings of the formation checks that run on indexes in the core: the
// same loops, in the same order, with no index. Slow on a full file; the tests
// and the benchmark compare the core functions against them.
#pragma once

#include <string>
#include <vector>

#include "oob/records.h"
#include "reports/report_sink.h"

namespace brackle::reference {

// Every pass unit by unit and month by month: each unit slot's class is searched
// through the whole unit table at every month of the formation's lifetime.
ReportEnd CheckFormationDates(const Oob& oob, ReportSink& sink);

// Each row asks UnitInAnyFormation, which walks every slot of every formation.
std::vector<std::string> TemplateUnitRows(const Oob& oob);

}  // namespace brackle::reference

// The formation checks: formations using a unit class, broken links, template
// units, platoon and company finders, X3 dates, formation dates and platoons in
// platoons. Each writes its lines to a sink; rows are 0-based.
#pragma once

#include <string>
#include <vector>

#include "oob/records.h"
#include "reports/report_sink.h"

namespace brackle {

void FindFormationsUsingClass(const Oob& oob, int unitClass, ReportSink& sink);
void CheckBrokenLinks(const Oob& oob, const std::string& startedAt, ReportSink& sink);
std::vector<std::string> TemplateUnitRows(const Oob& oob);
bool ShowTemplateUnitUsers(const Oob& oob, int row, ReportSink& sink);
std::vector<std::string> PlatoonRows(const Oob& oob);
bool ShowPlatoonUsers(const Oob& oob, int row, ReportSink& sink);
std::vector<std::string> CompanyRows(const Oob& oob);
bool ShowCompanyContents(const Oob& oob, int row, ReportSink& sink);
void CheckX3Dates(const Oob& oob, ReportSink& sink);
ReportEnd CheckFormationDates(const Oob& oob, ReportSink& sink);
void CheckPlatoonsInPlatoons(const Oob& oob, ReportSink& sink);

}  // namespace brackle

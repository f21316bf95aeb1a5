// The reports of the "Formation Checks" page of the report window: formations
// using a unit class, broken links, template unit, platoon and company finders,
// X3 dates, formation dates and platoons in platoons. Each reads the tables and
// writes its lines, headings and closing lines included, to a sink; whoever runs
// it clears the result area first. None of them changes a record.
#pragma once

#include <string>
#include <vector>

#include "oob/records.h"
#include "reports/report_sink.h"

namespace brackle {

// Every formation, in use or not, holding a unit of class unitClass directly
// (units in sub-formations do not count), then the count.
void FindFormationsUsingClass(const Oob& oob, int unitClass, ReportSink& sink);

// Formations of another nation, mixing air and ground units, or with slots that
// point at no unit, at no formation or at a formation of another nation.
// startedAt: the "Started at" date and time text, given by the caller.
void CheckBrokenLinks(const Oob& oob, const std::string& startedAt, ReportSink& sink);

// The 999 rows of the template unit list, row r for unit r + 1.
std::vector<std::string> TemplateUnitRows(const Oob& oob);
// The formations holding the unit of row (0-based). False, writing nothing, when
// the row names no unit in use: the click is ignored.
bool ShowTemplateUnitUsers(const Oob& oob, int row, ReportSink& sink);

// The 999 rows of the platoon list, row r for formation r + 1; "*INVALID*" for
// a formation that is no Section, Platoon or Naval formation in use.
std::vector<std::string> PlatoonRows(const Oob& oob);
// The formations holding the platoon of row. False, writing nothing, for an "*INVALID*" row.
bool ShowPlatoonUsers(const Oob& oob, int row, ReportSink& sink);

// The 999 rows of the company list; "*INVALID*" for anything but a Company or a
// Combat Group in use.
std::vector<std::string> CompanyRows(const Oob& oob);
// The slots of the company of row. False, writing nothing, for an "*INVALID*" row.
bool ShowCompanyContents(const Oob& oob, int row, ReportSink& sink);

// Template units with the X3 radio code that are not available for the whole
// lifetime of their formation, compared on the stored years and months.
void CheckX3Dates(const Oob& oob, ReportSink& sink);

// Three passes: the first month of each formation's lifetime at which a unit
// slot's class has no unit of the file's nation available (years 49..120), the
// dates of sub-formations against their parent's, and companies in companies.
// Progress goes to sink.Status. A record in use whose year index and month form
// no date stops the run there: the lines written stay and the result says which
// record, field and value. A sub-formation slot naming a free record whose dates
// form no date (a free slot of the file's own nation has its dates cleared to 0
// on load) is skipped.
ReportEnd CheckFormationDates(const Oob& oob, ReportSink& sink);

// Sections holding a formation in slots 2..10.
void CheckPlatoonsInPlatoons(const Oob& oob, ReportSink& sink);

}  // namespace brackle

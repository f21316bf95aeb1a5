#include "reports/report_catalogue.h"

#include <algorithm>

#include "oob/text.h"
#include "reports/formation_checks.h"
#include "reports/unit_weapon_checks.h"

namespace brackle {

namespace {

bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& s, const std::string& suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void Rows(const std::vector<std::string>& rows, ReportSink& sink)
{
    for (const std::string& row : rows)
        sink.Line(row);
}

}  // namespace

const std::vector<ReportInfo>& ReportCatalogue()
{
    static const std::vector<ReportInfo> catalogue = {
        {"formations-using-class", ReportArg::UnitClass, "formations holding a unit of class C"},
        {"broken-links", ReportArg::None, "formations whose slots point at nothing or at another nation"},
        {"template-units", ReportArg::None, "the list of units, template units marked"},
        {"template-users", ReportArg::Unit, "the formations that use unit U"},
        {"platoons", ReportArg::None, "the list of platoons"},
        {"platoon-users", ReportArg::Formation, "the formations that hold platoon F"},
        {"companies", ReportArg::None, "the list of companies"},
        {"company-contents", ReportArg::Formation, "what company F holds"},
        {"x3-dates", ReportArg::None, "formations that outlive an X3 template unit"},
        {"formation-dates", ReportArg::None, "gaps and date conflicts in formations"},
        {"platoons-in-platoons", ReportArg::None, "platoons holding platoons"},
        {"unit-classes", ReportArg::None, "the list of unit classes"},
        {"units-of-class", ReportArg::UnitClass, "the units of class C"},
        {"foreign-units", ReportArg::None, "units of another nation"},
        {"orphan-classes", ReportArg::None, "units no formation can place, and when"},
        {"bad-ammo", ReportArg::None, "rounds a weapon cannot use"},
        {"weapons", ReportArg::None, "the list of weapons"},
        {"weapon-users", ReportArg::Weapon, "the units that carry weapon W"},
        {"weapon-classes", ReportArg::None, "the list of weapon classes"},
        {"weapons-of-class", ReportArg::WeaponClass, "the weapons of weapon class C"},
        {"unused-weapons", ReportArg::None, "weapons no unit carries"},
    };
    return catalogue;
}

const ReportInfo* FindReport(const std::string& name)
{
    for (const ReportInfo& r : ReportCatalogue()) {
        if (name == r.Name)
            return &r;
    }
    return nullptr;
}

std::string ArgRange(ReportArg arg)
{
    switch (arg) {
    case ReportArg::UnitClass: return "0..255";
    case ReportArg::Unit:
    case ReportArg::Formation: return "1..999";
    case ReportArg::Weapon: return "1..249";
    case ReportArg::WeaponClass: return "1..26";
    case ReportArg::None: break;
    }
    return "";
}

bool ArgInRange(ReportArg arg, long value)
{
    switch (arg) {
    case ReportArg::UnitClass: return value >= 0 && value <= 255;
    case ReportArg::Unit:
    case ReportArg::Formation: return value >= 1 && value <= kUnitSlots;
    case ReportArg::Weapon: return value >= 1 && value <= kWeaponSlots;
    case ReportArg::WeaponClass: return value >= 1 && value <= 26;
    case ReportArg::None: return true;
    }
    return false;
}

ReportEnd RunReport(const Oob& oob, const ReportInfo& report, long arg, const std::string& startedAt,
                    ReportSink& sink)
{
    const std::string name = report.Name;
    const int a = static_cast<int>(arg);
    if (name == "formations-using-class")
        FindFormationsUsingClass(oob, a, sink);
    else if (name == "broken-links")
        CheckBrokenLinks(oob, startedAt, sink);
    else if (name == "template-units")
        Rows(TemplateUnitRows(oob), sink);
    else if (name == "template-users")
        ShowTemplateUnitUsers(oob, a - 1, sink);
    else if (name == "platoons")
        Rows(PlatoonRows(oob), sink);
    else if (name == "platoon-users")
        ShowPlatoonUsers(oob, a - 1, sink);
    else if (name == "companies")
        Rows(CompanyRows(oob), sink);
    else if (name == "company-contents")
        ShowCompanyContents(oob, a - 1, sink);
    else if (name == "x3-dates")
        CheckX3Dates(oob, sink);
    else if (name == "formation-dates")
        return CheckFormationDates(oob, sink);
    else if (name == "platoons-in-platoons")
        CheckPlatoonsInPlatoons(oob, sink);
    else if (name == "unit-classes")
        Rows(ClassRows(oob), sink);
    else if (name == "units-of-class")
        FindUnitsOfClass(oob, a, sink);
    else if (name == "foreign-units")
        FindForeignUnits(oob, sink);
    else if (name == "orphan-classes")
        return FindOrphanClasses(oob, sink);
    else if (name == "bad-ammo")
        FindBadAmmo(oob, sink);
    else if (name == "weapons")
        Rows(WeaponRows(oob), sink);
    else if (name == "weapon-users")
        FindWeaponUsers(oob, a - 1, sink);
    else if (name == "weapon-classes")
        Rows(WeaponClassRows(), sink);
    else if (name == "weapons-of-class")
        FindWeaponsOfClass(oob, a - 1, sink);
    else if (name == "unused-weapons")
        FindUnusedWeapons(oob, sink);
    return {};
}

std::optional<int> RecordNumberOfLine(const std::string& line)
{
    if (line.size() < 3)
        return std::nullopt;
    const std::string head = line.substr(0, 3);
    const std::size_t first = head.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    int n = 0;
    for (std::size_t i = first; i < head.size(); ++i) {
        if (head[i] < '0' || head[i] > '9')
            return std::nullopt;
        n = n * 10 + (head[i] - '0');
    }
    if (n < 1)
        return std::nullopt;
    return std::min(n, 999);
}

int CountFindings(const std::string& reportName, const std::vector<std::string>& lines)
{
    int n = 0;
    for (const std::string& line : lines) {
        bool finding = false;
        if (reportName == "broken-links")
            finding = StartsWith(line, "Formation ");
        else if (reportName == "x3-dates")
            finding = StartsWith(line, " ==> ");
        else if (reportName == "formation-dates")
            finding = line.find(" not available at date ") != std::string::npos || StartsWith(line, "WARNING") ||
                      line.find(" Sub Formation Slot ") != std::string::npos;
        else if (reportName == "platoons-in-platoons")
            finding = StartsWith(line, "  ERROR -  Slot ");
        else if (reportName == "foreign-units" || reportName == "bad-ammo")
            finding = StartsWith(line, "Unit ");
        else if (reportName == "unused-weapons")
            finding = EndsWith(line, " - UNUSED ");
        else if (reportName == "orphan-classes")
            finding = EndsWith(line, " - ORPHANED -") ||
                      line.find(" - has no corresponding formation at - ") != std::string::npos;
        n += finding ? 1 : 0;
    }
    return n;
}

std::vector<CheckResult> CheckWholeFile(const Oob& oob, const std::string& startedAt)
{
    const struct {
        const char* name;
        bool blocking;
    } checks[] = {
        {"broken-links", true},  {"x3-dates", true},      {"formation-dates", false}, {"platoons-in-platoons", true},
        {"foreign-units", false}, {"bad-ammo", true}, {"unused-weapons", false},
    };
    std::vector<CheckResult> results;
    for (const auto& c : checks) {
        LinesSink sink;
        CheckResult r;
        r.Name = c.name;
        r.Blocking = c.blocking;
        r.End = RunReport(oob, *FindReport(c.name), 0, startedAt, sink);
        r.Lines = std::move(sink.lines);
        r.Findings = CountFindings(r.Name, r.Lines);
        results.push_back(std::move(r));
    }
    return results;
}

}  // namespace brackle

// Every report by the name brackle-cli knows it by, and the check of a whole
// file that a mod pack's build can run.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "oob/records.h"
#include "reports/report_sink.h"

namespace brackle {

// What a report's argument is: none, a unit class (0..255), or the number of
// the clicked row's unit, formation or weapon (row + 1), or a weapon class (1..26).
enum class ReportArg { None, UnitClass, Unit, Formation, Weapon, WeaponClass };

struct ReportInfo {
    const char* Name;  // "broken-links", "units-of-class", ...
    ReportArg Arg;
    const char* What;  // one line for the help text
};

const std::vector<ReportInfo>& ReportCatalogue();
const ReportInfo* FindReport(const std::string& name);

// The text of the argument's range, "0..255", "1..999", "1..249" or "1..26".
std::string ArgRange(ReportArg arg);
bool ArgInRange(ReportArg arg, long value);

// Runs the named report on the tables into sink: the lines of its result area,
// or the rows of a list. A detail whose row the window ignores writes nothing.
// startedAt is the time text of broken-links. The name and argument must be
// valid (FindReport, ArgInRange).
ReportEnd RunReport(const Oob& oob, const ReportInfo& report, long arg, const std::string& startedAt,
                    ReportSink& sink);

// The record a result line names: its first three characters read as a number
// (leading blanks allowed), lowered to 999; nothing when they form no number of
// 1 or more ("12 formations found ..." names none).
std::optional<int> RecordNumberOfLine(const std::string& line);

// The checks a whole-file check runs, in order, and how many findings each
// report's lines hold.
struct CheckResult {
    std::string Name;
    std::vector<std::string> Lines;
    int Findings = 0;
    bool Blocking = false;  // findings here fail the check
    ReportEnd End;
};
std::vector<CheckResult> CheckWholeFile(const Oob& oob, const std::string& startedAt);
int CountFindings(const std::string& reportName, const std::vector<std::string>& lines);

}  // namespace brackle

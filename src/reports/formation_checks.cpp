#include "reports/formation_checks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "editors/unit_rules.h"
#include "oob/names.h"
#include "oob/text.h"
#include "reports/report_dates.h"
#include "reports/report_tables.h"

namespace brackle {

namespace {

// A record is in use when its name holds something besides blanks and control bytes.
bool InUse(const std::string& name)
{
    return std::any_of(name.begin(), name.end(), [](char ch) { return static_cast<unsigned char>(ch) > 0x20; });
}

bool IsUnitCode(int v)
{
    return v >= 1 && v <= kUnitSlots;
}

// The formation a code of 1000 and more names, or 0 when it lies outside 1..999.
int FormationOfCode(int v)
{
    const int d = v - 1000;
    return d >= 1 && d <= kFormationSlots ? d : 0;
}

// ---------------------------------------------------------------------------
// Broken links

// Classifies the units of formation f, its own and those of its sub-formations,
// as air or ground; writes an ILLEGAL finding for every formation code found in
// a sub-formation. True when both kinds are present off purchase page 5.
bool HasMixedAirGround(const Oob& oob, int f, const std::string& prefix, ReportSink& sink)
{
    bool air = false;
    bool ground = false;
    auto classify = [&](int u) {
        if (IsAircraftClass(UnitAt(oob, u).Class))
            air = true;
        else
            ground = true;
    };
    const FormationRecord& form = FormationAt(oob, f);
    for (int i = 1; i <= 10; ++i) {
        const int v = form.Slot[static_cast<std::size_t>(i - 1)];
        if (v <= 0)
            continue;
        if (v < 1000) {
            classify(v);
            continue;
        }
        const int d = FormationOfCode(v);
        if (d == 0)
            continue;
        const FormationRecord& sub = FormationAt(oob, d);
        std::string illegal;  // the same finding for every formation code in the sub-formation
        for (int w : sub.Slot) {
            if (w > 1000) {
                if (illegal.empty())
                    illegal = prefix + "Slot " + Num(i) + " points to sub formation " + Num(d) + Trim(sub.Name) +
                              " which itself contains formations - ILLEGAL!";
                sink.Line(illegal);
            } else if (IsUnitCode(w)) {
                classify(w);
            }
        }
    }
    return air && ground && form.Page != 5;
}

// ---------------------------------------------------------------------------
// Formation dates

enum class DateField { Start, End };

// The run stops at a record in use whose year index and month form no date.
std::string NoDateMessage(const char* kind, int number, const std::string& name, int yearIndex, int month,
                          DateField field)
{
    return NoDateStopMessage(std::string(kind) + " " + Num(number) + " " + Trim(name),
                             yearIndex == 0 ? "year index 0" : "month " + Num(month), field == DateField::Start);
}

std::string UnitNoDate(const Oob& oob, int u, DateField field)
{
    const UnitRecord& unit = UnitAt(oob, u);
    if (field == DateField::Start)
        return NoDateMessage("Unit", u, unit.Name, unit.YrAvail, unit.MonthAvail, field);
    return NoDateMessage("Unit", u, unit.Name, unit.YrUnavail, unit.MonthUnAvail, field);
}

std::string FormationNoDate(const Oob& oob, int f, DateField field)
{
    const FormationRecord& form = FormationAt(oob, f);
    if (field == DateField::Start)
        return NoDateMessage("Formation", f, form.Name, form.YrAvail, form.MonthAvail, field);
    return NoDateMessage("Formation", f, form.Name, form.YrUntil, form.MonthUntil, field);
}

// The gap pass examines the years 49..120 only; its months are numbered from
// January 1949 on (a grid month). Each unit date is a month number y * 12 + m - 1.
constexpr int kGapFirstYear = 49;
constexpr int kGapLastYear = 120;
constexpr int kGridMonths = (kGapLastYear - kGapFirstYear + 1) * 12;
constexpr int kGridBase = kGapFirstYear * 12;

enum class Cover : std::uint8_t {
    Covered,  // a unit of the file's nation without the X3 code is available
    Gap,      // no such unit: the class is not available
    Stop,     // the search meets a unit whose dates form no date before it finds one
};

// What ClassAvailableAt answers for one class at every grid month, worked out once
// per run. The search goes through the units of the class and the file's nation in
// use, in table order, and ends at the first one available without the X3 code;
// X3 units it meets before that set the formation's X3 flag; a unit whose dates
// form no date stops the run when the search reaches it.
struct ClassCoverage {
    std::vector<int> reached;  // the units the search goes through, in table order
    int firstNoDate = 0;       // the first of them whose dates form no date, 0 none
    std::array<Cover, kGridMonths> state{};
    std::array<std::int16_t, kGridMonths + 1> nextUncovered{};  // first month >= t not Covered
    std::array<std::int16_t, kGridMonths + 1> x3Before{};       // months < t at which X3 units set the flag
    bool built = false;
};

bool DatesValid(const UnitRecord& unit)
{
    return MonthStart(unit.YrAvail, unit.MonthAvail) && MonthStart(unit.YrUnavail, unit.MonthUnAvail);
}

void BuildCoverage(const Oob& oob, ClassCoverage& cov)
{
    std::array<bool, kGridMonths> covered{};
    std::array<bool, kGridMonths> x3{};
    for (int u : cov.reached) {
        const UnitRecord& unit = UnitAt(oob, u);
        if (!DatesValid(unit)) {
            cov.firstNoDate = u;
            break;
        }
        const int lo = std::max(unit.YrAvail * 12 + unit.MonthAvail - 1 - kGridBase, 0);
        const int hi = std::min(unit.YrUnavail * 12 + unit.MonthUnAvail - 1 - kGridBase, kGridMonths - 1);
        const bool isX3 = IsX3Radio(unit);
        for (int t = lo; t <= hi; ++t) {
            if (covered[static_cast<std::size_t>(t)])
                continue;
            if (isX3)
                x3[static_cast<std::size_t>(t)] = true;
            else
                covered[static_cast<std::size_t>(t)] = true;
        }
    }
    const Cover open = cov.firstNoDate != 0 ? Cover::Stop : Cover::Gap;
    cov.nextUncovered[kGridMonths] = kGridMonths;
    for (int t = kGridMonths - 1; t >= 0; --t) {
        const auto i = static_cast<std::size_t>(t);
        cov.state[i] = covered[i] ? Cover::Covered : open;
        cov.nextUncovered[i] = covered[i] ? cov.nextUncovered[i + 1] : static_cast<std::int16_t>(t);
    }
    cov.x3Before[0] = 0;
    for (int t = 0; t < kGridMonths; ++t) {
        const auto i = static_cast<std::size_t>(t);
        cov.x3Before[i + 1] = static_cast<std::int16_t>(cov.x3Before[i] + (x3[i] ? 1 : 0));
    }
    cov.built = true;
}

// Pass 1: the first month of each formation's lifetime at which a unit slot's
// class is not available.
class GapPass {
public:
    GapPass(const Oob& oob, ReportSink& sink) : oob_(oob), sink_(sink)
    {
        for (int u = 1; u <= kUnitSlots; ++u) {
            const UnitRecord& unit = UnitAt(oob, u);
            if (InUse(unit.Name) && !IsForeign(oob, unit.Nation))
                classes_[unit.Class].reached.push_back(u);
        }
    }

    // The stop message, or nothing when the pass ran to its end.
    std::optional<std::string> Run()
    {
        sink_.Line("Checking gaps in formations");
        sink_.Line("");
        for (int f = 1; f <= kFormationSlots; ++f) {
            const FormationRecord& form = FormationAt(oob_, f);
            if (!InUse(form.Name))
                continue;
            sink_.Status("Checking " + Num(f) + " == " + Trim(form.Name));
            x3_ = false;
            if (auto stop = CheckFormation(f))
                return stop;
            if (x3_) {
                sink_.Line("");
                sink_.Line("WARNING  Formation " + Num(f) + " - Units ignored due to X3 radiocode");
                sink_.Line("");
            }
        }
        return std::nullopt;
    }

private:
    struct UnitSlot {
        int slot;
        int cls;
        ClassCoverage* cov;
    };
    enum class Month { Available, Gap, Stop };

    ClassCoverage& Coverage(int cls)
    {
        ClassCoverage& cov = classes_[static_cast<std::size_t>(cls)];
        if (!cov.built)
            BuildCoverage(oob_, cov);
        return cov;
    }

    void GapLine(int f, int slot, int cls, int y, int m)
    {
        sink_.Line("Formation " + Num(f) + "  " + FormationAt(oob_, f).Name + " - Slot " + Num(slot) + " " +
                   UnitClassName(oob_.Names, cls) + " not available at date " + Num(m) + "\\" + Num(y + 1900));
    }

    std::optional<std::string> CheckFormation(int f)
    {
        const FormationRecord& form = FormationAt(oob_, f);
        slots_.clear();
        for (int s = 1; s <= 10; ++s) {
            const int v = form.Slot[static_cast<std::size_t>(s - 1)];
            if (IsUnitCode(v)) {
                const int cls = UnitAt(oob_, v).Class;
                slots_.push_back({s, cls, &Coverage(cls)});
            }
        }
        if (slots_.empty())
            return std::nullopt;  // every month is available; nothing is converted
        const int y0 = std::max<int>(form.YrAvail, kGapFirstYear);
        const int y1 = std::min<int>(form.YrUntil, kGapLastYear);
        for (int y = y0; y <= y1; ++y) {
            const int m0 = y == y0 ? form.MonthAvail : 1;
            const int m1 = y == y1 ? form.MonthUntil : 12;
            if (m0 > m1)
                continue;
            // The months of a year in order: month 0, 1..12, then 13 and above.
            Month r = Month::Available;
            if (m0 == 0)
                r = MonthWithoutDate(f, y, 0, y0);
            if (r == Month::Available && std::max(m0, 1) <= std::min(m1, 12))
                r = MonthsWithDate(f, y, std::max(m0, 1), std::min(m1, 12));
            for (int m = std::max(m0, 13); r == Month::Available && m <= m1; ++m)
                r = MonthWithoutDate(f, y, m, y0);
            if (r == Month::Stop)
                return std::move(stop_);
            if (r == Month::Gap)
                return std::nullopt;
        }
        return std::nullopt;
    }

    // Months lo..hi (1..12) of year y, all forming dates: the first month at
    // which some slot's class is not covered is the one the formation stops at.
    Month MonthsWithDate(int f, int y, int lo, int hi)
    {
        const int ta = (y - kGapFirstYear) * 12 + lo - 1;
        const int tb = (y - kGapFirstYear) * 12 + hi - 1;
        int first = tb + 1;
        for (const UnitSlot& us : slots_)
            first = std::min<int>(first, us.cov->nextUncovered[static_cast<std::size_t>(ta)]);
        const int last = std::min(first, tb);
        for (const UnitSlot& us : slots_) {
            if (us.cov->x3Before[static_cast<std::size_t>(last + 1)] != us.cov->x3Before[static_cast<std::size_t>(ta)])
                x3_ = true;
        }
        if (first > tb)
            return Month::Available;
        const int m = first % 12 + 1;
        for (const UnitSlot& us : slots_) {
            switch (us.cov->state[static_cast<std::size_t>(first)]) {
            case Cover::Covered:
                break;
            case Cover::Gap:
                GapLine(f, us.slot, us.cls, y, m);
                break;
            case Cover::Stop: {
                const int u = us.cov->firstNoDate;
                const UnitRecord& unit = UnitAt(oob_, u);
                stop_ = UnitNoDate(oob_, u, MonthStart(unit.YrAvail, unit.MonthAvail) ? DateField::End
                                                                                         : DateField::Start);
                return Month::Stop;
            }
            }
        }
        return Month::Gap;
    }

    // Month m of year y forms no date. A class with no unit to go through is not
    // available; the first unit of any other class has its start date converted,
    // then the month examined, and one of them stops the run.
    Month MonthWithoutDate(int f, int y, int m, int y0)
    {
        bool gap = false;
        for (const UnitSlot& us : slots_) {
            if (us.cov->reached.empty()) {
                GapLine(f, us.slot, us.cls, y, m);
                gap = true;
                continue;
            }
            const int u = us.cov->reached.front();
            const UnitRecord& unit = UnitAt(oob_, u);
            if (!MonthStart(unit.YrAvail, unit.MonthAvail)) {
                stop_ = UnitNoDate(oob_, u, DateField::Start);
            } else {
                // Month 0, or the first month of the first year, is the formation's
                // start month; any later month past 12 comes from its end month.
                const FormationRecord& form = FormationAt(oob_, f);
                const bool start = y == y0 && m == form.MonthAvail;
                stop_ = FormationNoDate(oob_, f, start ? DateField::Start : DateField::End);
            }
            return Month::Stop;
        }
        return gap ? Month::Gap : Month::Available;
    }

    const Oob& oob_;
    ReportSink& sink_;
    std::vector<ClassCoverage> classes_ = std::vector<ClassCoverage>(kUnitClasses);
    std::vector<UnitSlot> slots_;
    bool x3_ = false;
    std::string stop_;
};

// Pass 2: the dates of sub-formations against their parent's.
std::optional<std::string> NestedDatesPass(const Oob& oob, ReportSink& sink)
{
    sink.Line("");
    sink.Line("============ checking formations =========");
    sink.Line("");
    for (int f = 1; f <= kFormationSlots; ++f) {
        const FormationRecord& form = FormationAt(oob, f);
        if (!InUse(form.Name))
            continue;
        const std::string name = Trim(form.Name);
        sink.Status("Checking " + Num(f) + " == " + name);
        const auto p = MonthStart(form.YrAvail, form.MonthAvail);
        if (!p)
            return FormationNoDate(oob, f, DateField::Start);
        const auto q = MonthStart(form.YrUntil, form.MonthUntil);
        if (!q)
            return FormationNoDate(oob, f, DateField::End);
        const std::string prefix = Num(f) + " - " + name + " - ";
        for (int s = 1; s <= 10; ++s) {
            const int v = form.Slot[static_cast<std::size_t>(s - 1)];
            if (v <= 1000)
                continue;
            const int d = FormationOfCode(v);
            if (d == 0)
                continue;
            const FormationRecord& sub = FormationAt(oob, d);
            const auto start = MonthStart(sub.YrAvail, sub.MonthAvail);
            const auto end = MonthStart(sub.YrUntil, sub.MonthUntil);
            if (!start || !end) {
                if (!InUse(sub.Name))
                    continue;  // a free slot; Broken Links reports the link
                return FormationNoDate(oob, d, !start ? DateField::Start : DateField::End);
            }
            const std::string head =
                prefix + " Sub Formation Slot " + Num(s) + " => " + Num(d) + " " + Trim(sub.Name);
            if (*start > *q)
                sink.Line(head + " Starts AFTER Formation END Date - ERROR!");
            if (*end < *p)
                sink.Line(head + " Ends BEFORE Company START Date - ERROR!");
            if (*start > *p)
                sink.Line(head + " Starts after Company Start Date");
            if (*end < *q)
                sink.Line(head + " Finishes Before Company End Date");
        }
    }
    return std::nullopt;
}

// Pass 3: companies holding companies.
void CompaniesInCompaniesPass(const Oob& oob, ReportSink& sink)
{
    sink.Line("");
    sink.Line("============ companies containing companies check =========");
    sink.Line("");
    for (int f = 1; f <= kFormationSlots; ++f) {
        const FormationRecord& form = FormationAt(oob, f);
        if (!InUse(form.Name))
            continue;
        const std::string t = "Checking " + Num(f) + " == " + Trim(form.Name);
        sink.Status(t);
        if (form.FormType == 0 || form.FormType == 1)
            continue;
        for (int s = 1; s <= 10; ++s) {
            const int v = form.Slot[static_cast<std::size_t>(s - 1)];
            if (v <= 1000)
                continue;
            const int d = FormationOfCode(v);
            if (d == 0)
                continue;
            const FormationRecord& sub = FormationAt(oob, d);
            if (sub.FormType > 1)
                sink.Line(t + " Sub Formation Slot " + Num(s) + " => " + Num(d) + " " + Trim(sub.Name) +
                          " is a COMPANY inside a COMPANY type formation!");
        }
    }
    sink.Line("");
    sink.Line("============ run complete =========");
    sink.Line("");
}

bool IsPlatoonRow(const Oob& oob, int f)
{
    const FormationRecord& form = FormationAt(oob, f);
    return InUse(form.Name) && (form.FormType == 0 || form.FormType == 1 || form.FormType == 4);
}

bool IsCompanyRow(const Oob& oob, int f)
{
    const FormationRecord& form = FormationAt(oob, f);
    return InUse(form.Name) && (form.FormType == 2 || form.FormType == 3);
}

bool ValidRow(int row)
{
    return row >= 0 && row < kFormationSlots;
}

}  // namespace

void FindFormationsUsingClass(const Oob& oob, int unitClass, ReportSink& sink)
{
    int count = 0;
    for (int f = 1; f <= kFormationSlots; ++f) {
        const FormationRecord& form = FormationAt(oob, f);
        bool hit = false;
        bool x3 = false;
        for (int v : form.Slot) {
            if (IsUnitCode(v) && UnitAt(oob, v).Class == unitClass) {
                hit = true;
                if (IsX3Radio(UnitAt(oob, v)))
                    x3 = true;
            }
        }
        if (!hit)
            continue;
        sink.Line(Pad3(f) + "  " + Trim(form.Name) + " - Available: " + Zero2(form.MonthAvail) + "/" +
                  Zero2(form.YrAvail) + "-" + Zero2(form.MonthUntil) + "/" + Zero2(form.YrUntil) +
                  (x3 ? " *X3 CODE*" : ""));
        ++count;
    }
    sink.Line(Num(count) + " formations found using UC " + Num(unitClass));
}

void CheckBrokenLinks(const Oob& oob, const std::string& startedAt, ReportSink& sink)
{
    sink.Line("Started at " + startedAt);
    for (int f = 1; f <= kFormationSlots; ++f) {
        const FormationRecord& form = FormationAt(oob, f);
        if (!InUse(form.Name))
            continue;
        const std::string prefix = "Formation " + Num(f) + " - " + Trim(form.Name) + " - ";
        if (IsForeign(oob, form.Nation))
            sink.Line(prefix + "Formation is not of this nationality ( is " + Num(form.Nation) + " )");
        if (HasMixedAirGround(oob, f, prefix, sink))
            sink.Line(prefix + "Formation contains mixed air and ground units, but is NOT type 5 purchase screen");
        for (int i = 1; i <= 10; ++i) {
            const int v = form.Slot[static_cast<std::size_t>(i - 1)];
            if (v <= 0)
                continue;
            if (i == 1 && v >= 1000) {
                sink.Line(prefix + "Formation in slot 1 or unit>" + Num(v));
                continue;
            }
            if (v <= kUnitSlots) {
                if (!InUse(UnitAt(oob, v).Name))
                    sink.Line(prefix + "Slot " + Num(i) + " Points to a non-existing unit " + Num(v));
                continue;
            }
            const int d = v - 1000;
            const int named = FormationOfCode(v);
            if (named == 0 || !InUse(FormationAt(oob, named).Name))
                sink.Line(prefix + "Slot " + Num(i) + " Points to a non-existing formation " + Num(d));
            if (named != 0 && IsForeign(oob, FormationAt(oob, named).Nation)) {
                const FormationRecord& sub = FormationAt(oob, named);
                sink.Line(prefix + "Slot " + Num(i) + " Points to a sub formation not of the parent nationality " +
                          Num(d) + " " + Trim(sub.Name) + " " + " (is nation " + Num(sub.Nation) + ")");
            }
        }
    }
    sink.Line("Run completed");
}

std::vector<std::string> TemplateUnitRows(const Oob& oob)
{
    std::vector<bool> used(kUnitSlots + 1, false);
    for (int f = 1; f <= kFormationSlots; ++f) {
        for (int v : FormationAt(oob, f).Slot) {
            if (IsUnitCode(v))
                used[static_cast<std::size_t>(v)] = true;
        }
    }
    std::vector<std::string> rows;
    rows.reserve(kUnitSlots);
    for (int u = 1; u <= kUnitSlots; ++u) {
        const UnitRecord& unit = UnitAt(oob, u);
        std::string row = Pad3(u) + " - ";
        if (InUse(unit.Name)) {
            row += Trim(unit.Name);
            if (used[static_cast<std::size_t>(u)]) {
                row += " - Template Unit ";
                if (IsX3Radio(unit))
                    row += " (X3!)";
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

bool ShowTemplateUnitUsers(const Oob& oob, int row, ReportSink& sink)
{
    if (row < 0 || row >= kUnitSlots)
        return false;
    const int u = row + 1;
    const UnitRecord& unit = UnitAt(oob, u);
    if (!InUse(unit.Name))
        return false;
    sink.Line("unit " + Num(u) + " " + Trim(unit.Name) + (IsX3Radio(unit) ? " has an X3 Radio Code" : ""));
    for (int f = 1; f <= kFormationSlots; ++f) {
        const FormationRecord& form = FormationAt(oob, f);
        if (std::find(form.Slot.begin(), form.Slot.end(), u) != form.Slot.end())
            sink.Line("Used in Formation " + Num(f) + " " + Trim(form.Name));
    }
    return true;
}

namespace {

// The rows of a finder list: "%.3d - " and the formation's name, its type when
// withType, and its nation when foreign; "*INVALID*" for a formation the list
// does not offer.
std::vector<std::string> FinderRows(const Oob& oob, bool (*offered)(const Oob&, int), bool withType)
{
    std::vector<std::string> rows;
    rows.reserve(kFormationSlots);
    for (int f = 1; f <= kFormationSlots; ++f) {
        const FormationRecord& form = FormationAt(oob, f);
        std::string row = Pad3(f) + " - ";
        if (!offered(oob, f)) {
            row += "*INVALID*";
        } else {
            row += Trim(form.Name);
            if (withType)
                row += " - " + FormTypeName(form.FormType);
            if (IsForeign(oob, form.Nation))
                row += " - nation is " + Num(form.Nation) + "!";
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace

std::vector<std::string> PlatoonRows(const Oob& oob)
{
    return FinderRows(oob, IsPlatoonRow, false);
}

bool ShowPlatoonUsers(const Oob& oob, int row, ReportSink& sink)
{
    if (!ValidRow(row) || !IsPlatoonRow(oob, row + 1))
        return false;
    const int p = row + 1;
    sink.Line("Platoon " + Num(p) + " " + Trim(FormationAt(oob, p).Name) + " used in the following:");
    for (int f = 1; f <= kFormationSlots; ++f) {
        const FormationRecord& form = FormationAt(oob, f);
        if (std::find(form.Slot.begin(), form.Slot.end(), 1000 + p) != form.Slot.end())
            sink.Line("Used in Formation " + Num(f) + " " + Trim(form.Name) + " of type " + Num(form.FormType) +
                      " - " + FormTypeName(form.FormType));
    }
    return true;
}

std::vector<std::string> CompanyRows(const Oob& oob)
{
    return FinderRows(oob, IsCompanyRow, true);
}

bool ShowCompanyContents(const Oob& oob, int row, ReportSink& sink)
{
    if (!ValidRow(row) || !IsCompanyRow(oob, row + 1))
        return false;
    const int c = row + 1;
    const FormationRecord& company = FormationAt(oob, c);
    sink.Line("Company " + Num(c) + " " + Trim(company.Name) + " uses the following subordinate units or platoons:");
    for (int v : company.Slot) {
        if (v <= 0)
            continue;
        if (v > 1000) {
            const int d = v - 1000;
            if (FormationOfCode(v) == 0) {
                // Past the table: no record to name.
                sink.Line("Formation " + Num(d) + " BROKEN LINK!");
                continue;
            }
            const FormationRecord& sub = FormationAt(oob, d);
            const std::string name = InUse(sub.Name) ? Trim(sub.Name) : "BROKEN LINK!";
            std::string line = "Formation " + Num(d) + " " + name + " (" + FormTypeName(sub.FormType) + ")";
            if (IsForeign(oob, sub.Nation))
                line += " Wrong Country! (" + Num(sub.Nation) + ")";
            sink.Line(line);
        } else if (v == 1000) {
            sink.Line("Template Unit 1000 BROKEN LINK!");
        } else {
            const UnitRecord& unit = UnitAt(oob, v);
            const std::string name = InUse(unit.Name) ? Trim(unit.Name) : "BROKEN LINK!";
            std::string line = "Template Unit " + Num(v) + " " + name + " (class " + Num(unit.Class) + " " +
                               UnitClassName(oob.Names, unit.Class) + ")";
            if (IsForeign(oob, unit.Nation))
                line += " Wrong Country! (" + Num(unit.Nation) + ")";
            sink.Line(line);
        }
    }
    return true;
}

void CheckX3Dates(const Oob& oob, ReportSink& sink)
{
    sink.Line(" problem X3 template units in formations found:");
    for (int f = 1; f <= kFormationSlots; ++f) {
        const FormationRecord& form = FormationAt(oob, f);
        if (!InUse(form.Name))
            continue;
        for (int j = 1; j <= 10; ++j) {
            const int u = form.Slot[static_cast<std::size_t>(j - 1)];
            if (!IsUnitCode(u) || !IsX3Radio(UnitAt(oob, u)))
                continue;
            const UnitRecord& unit = UnitAt(oob, u);
            std::string t;
            if (unit.YrAvail > form.YrAvail)
                t += " -- Unit start year (" + Num(unit.YrAvail) + ") > formation start year (" +
                     Num(form.YrAvail) + ") ";
            if (unit.YrAvail == form.YrAvail && unit.MonthAvail > form.MonthAvail)
                t += " -- Start years equal(" + Num(form.YrAvail) + " }, but unit start month (" +
                     Num(unit.MonthAvail) + ") > Formation start month (" + Num(form.MonthAvail) + ")";
            if (unit.YrUnavail < form.YrUntil)
                t += " -- Unit end year (" + Num(unit.YrUnavail) + ") < Formation end year (" + Num(form.YrUntil) +
                     ") ";
            if (unit.YrUnavail == form.YrUntil && unit.MonthUnAvail < form.MonthUntil)
                t += " -- End Years equal (" + Num(form.YrUntil) + "), but Unit End Month (" +
                     Num(unit.MonthUnAvail) + ") is < Formation End Month (" + Num(form.MonthUntil) + ") ";
            if (t.empty())
                continue;
            sink.Line("Formation " + Num(f) + " " + Trim(form.Name) + " Slot " + Num(j) + " " + Trim(unit.Name));
            sink.Line(" ==> " + t);
        }
    }
}

ReportEnd CheckFormationDates(const Oob& oob, ReportSink& sink)
{
    if (auto stop = GapPass(oob, sink).Run())
        return {true, *stop};
    if (auto stop = NestedDatesPass(oob, sink))
        return {true, *stop};
    CompaniesInCompaniesPass(oob, sink);
    return {};
}

void CheckPlatoonsInPlatoons(const Oob& oob, ReportSink& sink)
{
    sink.Line("Checking for any platoons containing platoons");
    sink.Line("");
    for (int f = 1; f <= kFormationSlots; ++f) {
        const FormationRecord& form = FormationAt(oob, f);
        if (!InUse(form.Name))
            continue;
        std::string t = "Checking " + Num(f) + " == " + Trim(form.Name);
        sink.Status(t);
        if (form.FormType != 0)
            continue;
        t += " is a platoon";
        bool headed = false;
        for (int s = 2; s <= 10; ++s) {
            const int v = form.Slot[static_cast<std::size_t>(s - 1)];
            if (v <= 999)
                continue;
            if (!headed) {
                sink.Line(t);
                headed = true;
            }
            sink.Line("  ERROR -  Slot " + Num(s) + " contains a platoon (" + Num(v) + ")");
        }
    }
    sink.Line("");
    sink.Line("============ run complete =========");
    sink.Line("");
}

}  // namespace brackle

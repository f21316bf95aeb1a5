#include "reports/formation_checks_reference.h"

#include <cstdint>

#include "oob/names.h"
#include "oob/text.h"
#include "oob/totals.h"
#include "reports/report_dates.h"

namespace brackle::reference {

namespace {

// The conversion of a year index and a month that form no date ends the run.
struct NoDate {
    std::string message;
};

std::string Str(long n)
{
    return std::to_string(n);
}

// "Trimmed name not empty", without building the trimmed text on every test of
// the inner loop (the literal search asks it for every unit at every month).
bool Named(const std::string& name)
{
    for (char ch : name) {
        if (static_cast<unsigned char>(ch) > 0x20)
            return true;
    }
    return false;
}

// who: the record as the message names it, built only when the date fails.
template <typename Who>
std::int64_t DateOrStop(int yearIndex, int month, Who who, int fieldYear, int fieldMonth, const char* which)
{
    const auto d = MonthStart(yearIndex, month);
    if (!d) {
        std::string what = fieldYear == 0 ? "year index 0" : "month " + Str(fieldMonth);
        throw NoDate{who() + " has " + what + " in its " + which + " date: the check stops here."};
    }
    return *d;
}

class LiteralDates {
public:
    LiteralDates(const Oob& oob, ReportSink& sink) : oob_(oob), sink_(sink) {}

    void Pass1()
    {
        sink_.Line("Checking gaps in formations");
        sink_.Line("");
        for (f_ = 1; f_ <= 999; ++f_) {
            const FormationRecord& form = oob_.FormationTable[f_];
            if (Trim(form.Name).empty())
                continue;
            sink_.Status("Checking " + Str(f_) + " == " + Trim(form.Name));
            x3Flag_ = false;
            int y0 = form.YrAvail;
            if (y0 < 49)
                y0 = 49;
            int y1 = form.YrUntil;
            if (y1 > 120)
                y1 = 120;
            y0_ = y0;
            bool stop = false;
            for (int y = y0; y <= y1 && !stop; ++y) {
                const int m0 = y == y0 ? form.MonthAvail : 1;
                const int m1 = y == y1 ? form.MonthUntil : 12;
                for (int m = m0; m <= m1; ++m) {
                    if (!SlotsAvailableAt(y, m)) {
                        stop = true;
                        break;
                    }
                }
            }
            if (x3Flag_) {
                sink_.Line("");
                sink_.Line("WARNING  Formation " + Str(f_) + " - Units ignored due to X3 radiocode");
                sink_.Line("");
            }
        }
    }

    void Pass2()
    {
        sink_.Line("");
        sink_.Line("============ checking formations =========");
        sink_.Line("");
        for (int f = 1; f <= 999; ++f) {
            const FormationRecord& form = oob_.FormationTable[f];
            const std::string name = Trim(form.Name);
            if (name.empty())
                continue;
            sink_.Status("Checking " + Str(f) + " == " + name);
            auto who = [&] { return "Formation " + Str(f) + " " + name; };
            const auto p = DateOrStop(form.YrAvail, form.MonthAvail, who, form.YrAvail, form.MonthAvail, "start");
            const auto q = DateOrStop(form.YrUntil, form.MonthUntil, who, form.YrUntil, form.MonthUntil, "end");
            const std::string prefix = Str(f) + " - " + name + " - ";
            for (int s = 1; s <= 10; ++s) {
                const int v = form.Slot[s - 1];
                if (v <= 1000)
                    continue;
                const int d = v - 1000;
                if (d > 999)
                    continue;
                const FormationRecord& sub = oob_.FormationTable[d];
                const std::string subName = Trim(sub.Name);
                // A free record whose dates form no date: its slot is skipped.
                if (subName.empty() &&
                    (!MonthStart(sub.YrAvail, sub.MonthAvail) || !MonthStart(sub.YrUntil, sub.MonthUntil)))
                    continue;
                auto subWho = [&] { return "Formation " + Str(d) + " " + subName; };
                const auto start = DateOrStop(sub.YrAvail, sub.MonthAvail, subWho, sub.YrAvail, sub.MonthAvail, "start");
                const auto end = DateOrStop(sub.YrUntil, sub.MonthUntil, subWho, sub.YrUntil, sub.MonthUntil, "end");
                const std::string head = prefix + " Sub Formation Slot " + Str(s) + " => " + Str(d) + " " + subName;
                if (start > q)
                    sink_.Line(head + " Starts AFTER Formation END Date - ERROR!");
                if (end < p)
                    sink_.Line(head + " Ends BEFORE Company START Date - ERROR!");
                if (start > p)
                    sink_.Line(head + " Starts after Company Start Date");
                if (end < q)
                    sink_.Line(head + " Finishes Before Company End Date");
            }
        }
    }

    void Pass3()
    {
        sink_.Line("");
        sink_.Line("============ companies containing companies check =========");
        sink_.Line("");
        for (int f = 1; f <= 999; ++f) {
            const FormationRecord& form = oob_.FormationTable[f];
            if (Trim(form.Name).empty())
                continue;
            const std::string t = "Checking " + Str(f) + " == " + Trim(form.Name);
            sink_.Status(t);
            if (form.FormType != 0 && form.FormType != 1) {
                for (int s = 1; s <= 10; ++s) {
                    const int v = form.Slot[s - 1];
                    if (v > 1000 && v - 1000 <= 999) {
                        const int d = v - 1000;
                        if (oob_.FormationTable[d].FormType > 1)
                            sink_.Line(t + " Sub Formation Slot " + Str(s) + " => " + Str(d) + " " +
                                       Trim(oob_.FormationTable[d].Name) +
                                       " is a COMPANY inside a COMPANY type formation!");
                    }
                }
            }
        }
        sink_.Line("");
        sink_.Line("============ run complete =========");
        sink_.Line("");
    }

private:
    bool SlotsAvailableAt(int y, int m)
    {
        bool ok = true;
        const FormationRecord& form = oob_.FormationTable[f_];
        for (int s = 1; s <= 10; ++s) {
            const int u = form.Slot[s - 1];
            if (u >= 1 && u <= 999) {
                const int c = oob_.UnitTable[u].Class;
                if (!ClassAvailableAt(c, y, m)) {
                    ok = false;
                    sink_.Line("Formation " + Str(f_) + "  " + form.Name + " - Slot " + Str(s) + " " +
                               UnitClassName(oob_.Names, c) + " not available at date " + Str(m) + "\\" +
                               Str(y + 1900));
                }
            }
        }
        return ok;
    }

    bool ClassAvailableAt(int c, int y, int m)
    {
        for (int u = 1; u <= 999; ++u) {
            const UnitRecord& unit = oob_.UnitTable[u];
            if (!Named(unit.Name) || unit.Class != c || unit.Nation != oob_.CurrentOOB)
                continue;
            // Each unit the search reaches has its start date, the month examined
            // and its end date converted, in that order.
            const std::int64_t from = UnitDate(u, true);
            const std::int64_t at = ExaminedDate(y, m);
            const std::int64_t to = UnitDate(u, false);
            if (from <= at && at <= to) {
                if (IsX3Radio(unit)) {
                    x3Flag_ = true;
                    continue;
                }
                return true;
            }
        }
        return false;
    }

    std::int64_t UnitDate(int u, bool start)
    {
        const UnitRecord& unit = oob_.UnitTable[u];
        auto who = [&] { return "Unit " + Str(u) + " " + Trim(unit.Name); };
        if (start)
            return DateOrStop(unit.YrAvail, unit.MonthAvail, who, unit.YrAvail, unit.MonthAvail, "start");
        return DateOrStop(unit.YrUnavail, unit.MonthUnAvail, who, unit.YrUnavail, unit.MonthUnAvail, "end");
    }

    // The month examined comes from the formation: month 0 or the first month of
    // the first year from its start month, anything past 12 from its end month.
    std::int64_t ExaminedDate(int y, int m)
    {
        const FormationRecord& form = oob_.FormationTable[f_];
        auto who = [&] { return "Formation " + Str(f_) + " " + Trim(form.Name); };
        if (y == y0_ && m == form.MonthAvail)
            return DateOrStop(y, m, who, y, form.MonthAvail, "start");
        return DateOrStop(y, m, who, y, form.MonthUntil, "end");
    }

    const Oob& oob_;
    ReportSink& sink_;
    int f_ = 0;
    int y0_ = 0;
    bool x3Flag_ = false;
};

}  // namespace

ReportEnd CheckFormationDates(const Oob& oob, ReportSink& sink)
{
    LiteralDates run(oob, sink);
    try {
        run.Pass1();
        run.Pass2();
        run.Pass3();
    } catch (const NoDate& stop) {
        return {true, stop.message};
    }
    return {};
}

std::vector<std::string> TemplateUnitRows(const Oob& oob)
{
    std::vector<std::string> rows;
    for (int u = 1; u <= 999; ++u) {
        const UnitRecord& unit = oob.UnitTable[u];
        const std::string name = Trim(unit.Name);
        std::string row = Pad3(u) + " - ";
        if (!name.empty()) {
            row += name;
            if (UnitInAnyFormation(oob, u)) {
                row += " - Template Unit ";
                if (IsX3Radio(unit))
                    row += " (X3!)";
            }
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace brackle::reference

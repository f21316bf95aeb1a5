#include "reports/unit_weapon_checks_reference.h"

#include <optional>
#include <string>

#include "oob/names.h"
#include "oob/text.h"
#include "reports/report_dates.h"

namespace brackle::reference {

namespace {

// Why a year index and month form no date, the month looked at first.
std::string Problem(int yearIndex, int month)
{
    if (month < 1 || month > 12)
        return "month " + std::to_string(month);
    return "year index " + std::to_string(yearIndex);
}

ReportEnd Stop(const std::string& who, int yearIndex, int month, const std::string& which)
{
    return {true, who + " has " + Problem(yearIndex, month) + " in its " + which + " date: the check stops here."};
}

std::string UnitText(const Oob& oob, int u)
{
    const UnitRecord& r = oob.UnitTable[u];
    return Pad3(u) + " - " + Trim(r.Name) + " (" + Pad3(r.Class) + " - " + UnitClassName(oob.Names, r.Class) + ") ";
}

int WeaponOfSlot(const UnitRecord& r, int j)
{
    if (j == 1)
        return r.Wpn1;
    if (j == 2)
        return r.Wpn2;
    if (j == 3)
        return r.Wpn3;
    return r.Wpn4;
}

bool Used(const Oob& oob, int w)
{
    if (w == 198)
        return true;
    if (oob.WeaponTable[w].Class == 0)
        return false;
    for (int u = 1; u <= 999; ++u) {
        const UnitRecord& r = oob.UnitTable[u];
        if (r.Name.empty())
            continue;
        for (int j = 1; j <= 4; ++j) {
            if (WeaponOfSlot(r, j) == w)
                return true;
        }
    }
    return false;
}

}  // namespace

ReportEnd FindOrphanClasses(const Oob& oob, ReportSink& sink)
{
    for (int u = 1; u <= 999; ++u) {
        const UnitRecord& r = oob.UnitTable[u];
        if (r.Nation != oob.CurrentOOB)
            continue;
        bool placed = false;
        for (int f = 1; f <= 999; ++f) {
            for (int s = 0; s < 10; ++s) {
                const int v = oob.FormationTable[f].Slot[s];
                if (v >= 1 && v <= 999 && oob.UnitTable[v].Class == r.Class)
                    placed = true;
            }
        }
        if (!placed)
            sink.Line(UnitText(oob, u) + " - ORPHANED -");
    }
    sink.Line(" ");
    sink.Line(" ==================== ");
    sink.Line("Searching for units which do not have a container formation at a particular date");
    sink.Line(" ==================== ");
    sink.Line(" ");

    for (int u = 1; u <= 999; ++u) {
        const UnitRecord& r = oob.UnitTable[u];
        if (r.Nation != oob.CurrentOOB)
            continue;
        const std::string text = UnitText(oob, u);
        const std::string name = Trim(r.Name);
        const std::string who = "Unit " + std::to_string(u) + " " + name;
        const std::optional<std::int64_t> S = MonthStart(r.YrAvail, r.MonthAvail);
        if (!S) {
            if (name.empty())
                continue;
            return Stop(who, r.YrAvail, r.MonthAvail, "start");
        }
        const std::optional<std::int64_t> E = MonthStart(r.YrUnavail, r.MonthUnAvail);
        if (!E) {
            if (name.empty())
                continue;
            return Stop(who, r.YrUnavail, r.MonthUnAvail, "end");
        }
        std::int64_t n = 0;
        if (*E - *S >= 7)
            n = (*E - *S) / 7;
        for (std::int64_t k = 1; k <= n; ++k) {
            const std::int64_t d = *S + 7 * k;
            sink.Status(text);
            bool covered = false;
            for (int f = 1; f <= 999 && !covered; ++f) {
                const FormationRecord& fr = oob.FormationTable[f];
                for (int s = 0; s < 10; ++s) {
                    const int v = fr.Slot[s];
                    if (v < 1 || v > 999 || oob.UnitTable[v].Class != r.Class)
                        continue;
                    const std::string fname = Trim(fr.Name);
                    const std::string fwho = "Formation " + std::to_string(f) + " " + fname;
                    const std::optional<std::int64_t> fs = MonthStart(fr.YrAvail, fr.MonthAvail);
                    if (!fs) {
                        if (fname.empty())
                            continue;
                        return Stop(fwho, fr.YrAvail, fr.MonthAvail, "start");
                    }
                    const std::optional<std::int64_t> fe = MonthStart(fr.YrUntil, fr.MonthUntil);
                    if (!fe) {
                        if (fname.empty())
                            continue;
                        return Stop(fwho, fr.YrUntil, fr.MonthUntil, "end");
                    }
                    if (*fs <= d && d <= *fe) {
                        covered = true;
                        break;
                    }
                }
            }
            if (!covered) {
                const CivilDate date = DateOfDay(d);
                sink.Line(text + " - has no corresponding formation at - " + std::to_string(date.Month) + "/" +
                          std::to_string(date.Year));
                break;
            }
        }
    }
    sink.Line(" ");
    sink.Line(" ==================== ");
    sink.Line("**** Run Complete ****");
    return {};
}

void FindUnusedWeapons(const Oob& oob, ReportSink& sink)
{
    sink.Line("Run starting ");
    sink.Line("");
    for (int w = 1; w <= 248; ++w) {
        const WeaponRecord& r = oob.WeaponTable[w];
        sink.Status(Pad3(w) + " - " + r.Name);
        if (!Used(oob, w) && !r.Name.empty())
            sink.Line(Pad3(w) + " - " + r.Name + " - UNUSED ");
    }
    sink.Line("");
    sink.Line("Run completed");
}

void ClearUnusedWeapons(Oob& oob, ReportSink& sink)
{
    sink.Line("");
    sink.Line("========================");
    sink.Line("");
    for (int w = 1; w <= 248; ++w) {
        bool used = Used(oob, w);
        WeaponRecord& r = oob.WeaponTable[w];
        if (w == 198) {
            r = WeaponRecord{};
            r.Name = "1000lb Bomb";
            r.Class = 11;
            r.WarheadSize = 48;
            r.HEPen = 8;
            r.HEKill = 96;
            r.Accuracy = 1;
            r.Range = 1;
            used = true;
        }
        if (!used) {
            if (!r.Name.empty())
                sink.Line(Pad3(w) + " - " + r.Name + " - UNUSED - DELETED");
            r = WeaponRecord{};
        }
    }
    sink.Line("");
    sink.Line("RUN COMPLETED");
}

}  // namespace brackle::reference

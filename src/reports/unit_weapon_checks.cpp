#include "reports/unit_weapon_checks.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <optional>

#include "oob/changes.h"
#include "oob/history.h"
#include "oob/names.h"
#include "oob/text.h"
#include "reports/report_dates.h"
#include "reports/report_tables.h"

namespace brackle {

namespace {

// "%.15s": at most 15 characters, ending early at a NUL byte.
std::string Max15(const std::string& text)
{
    const std::size_t nul = text.find('\0');
    return text.substr(0, std::min<std::size_t>(nul, 15));
}

std::array<std::uint8_t, 4> Weapons(const UnitRecord& r)
{
    return {r.Wpn1, r.Wpn2, r.Wpn3, r.Wpn4};
}

std::array<std::uint8_t, 4> HEAmmo(const UnitRecord& r)
{
    return {r.Wpn1HEAmmo, r.Wpn2HEAmmo, r.Wpn3HEAmmo, r.Wpn4HEAmmo};
}

std::array<std::uint8_t, 4> APAmmo(const UnitRecord& r)
{
    return {r.Wpn1APAmmo, r.Wpn2APAmmo, r.Wpn3APAmmo, r.Wpn4APAmmo};
}

// " - Available 03/039 to 05/045"
std::string Availability(const UnitRecord& r)
{
    return " - Available " + Zero2(r.MonthAvail) + "/" + Pad3(r.YrAvail) + " to " + Zero2(r.MonthUnAvail) + "/" +
           Pad3(r.YrUnavail);
}

// What keeps a year index and a month from forming a date ("month 13",
// "year index 0"), or nothing when they form one.
std::optional<std::string> DateProblem(int yearIndex, int month)
{
    if (month < 1 || month > 12)
        return "month " + Num(month);
    if (yearIndex == 0)
        return "year index " + Num(yearIndex);
    return std::nullopt;
}

ReportEnd StopAt(const std::string& record, const std::string& problem, const char* which)
{
    return {true, NoDateStopMessage(record, problem, std::string(which) == "start")};
}

// The first date of a record that forms no date, as the search meets it: the
// start date before the end date.
std::optional<ReportEnd> DatesStop(const std::string& record, int startYear, int startMonth, int endYear,
                                   int endMonth)
{
    if (auto p = DateProblem(startYear, startMonth))
        return StopAt(record, *p, "start");
    if (auto p = DateProblem(endYear, endMonth))
        return StopAt(record, *p, "end");
    return std::nullopt;
}

// Weapons that an in-use unit (raw name not empty) has in one of its four slots.
std::bitset<256> CarriedWeapons(const Oob& oob)
{
    std::bitset<256> carried;
    for (int u = 1; u <= kUnitSlots; ++u) {
        const UnitRecord& r = UnitAt(oob, u);
        if (r.Name.empty())
            continue;
        for (std::uint8_t w : Weapons(r))
            carried.set(w);
    }
    return carried;
}

constexpr int kReservedWeapon = 198;
constexpr int kLastExaminedWeapon = 248;  // weapon 249 is never reported or cleared

bool WeaponUsed(const Oob& oob, const std::bitset<256>& carried, int w)
{
    if (w == kReservedWeapon)
        return true;
    return WeaponAt(oob, w).Class != 0 && carried.test(static_cast<std::size_t>(w));
}

WeaponRecord ReservedWeapon()
{
    WeaponRecord r;
    r.Name = "1000lb Bomb";
    r.Class = 11;
    r.Size = 0;
    r.WarheadSize = 48;
    r.HEPen = 8;
    r.HEKill = 96;
    r.APPen = 0;
    r.APKill = 0;
    r.Accuracy = 1;
    r.Range = 1;
    r.SabotRange = 0;
    r.SabotPen = 0;
    r.HEATPen = 0;
    return r;
}

// ---- Units without a container formation ------------------------------------
//
// A week d of a unit of class c is covered when a formation holding a unit of
// class c (in a slot 1..10, unit numbers 1..999 only) runs from a month start
// <= d to a month start >= d. The formations are met in table order, so when a
// named formation holding class c has a date that forms no date, every week
// that no formation before it covers stops the search there.

struct DayRange {
    std::int64_t first = 0;
    std::int64_t last = 0;
};

struct ClassCover {
    // Days covered by the formations that are tested before any stop, merged
    // into sorted ranges with at least one uncovered day between two of them.
    std::vector<DayRange> ranges;
    // Set when a named formation holding the class forms no date: a week the
    // ranges do not cover reaches it.
    std::optional<ReportEnd> stop;
};

class ContainerIndex {
public:
    explicit ContainerIndex(const Oob& oob) : oob_(oob)
    {
        for (int f = 1; f <= kFormationSlots; ++f) {
            std::bitset<kUnitClasses> held;
            for (std::uint16_t v : FormationAt(oob, f).Slot) {
                if (v >= 1 && v <= kUnitSlots)
                    held.set(UnitAt(oob, v).Class);
            }
            for (int c = 0; c < kUnitClasses; ++c) {
                if (held.test(static_cast<std::size_t>(c)))
                    holders_[static_cast<std::size_t>(c)].push_back(f);
            }
        }
    }

    // Some formation holds a unit of the class.
    bool Placed(int unitClass) const { return !holders_[static_cast<std::size_t>(unitClass)].empty(); }

    const ClassCover& Cover(int unitClass)
    {
        auto& slot = covers_[static_cast<std::size_t>(unitClass)];
        if (!slot)
            slot = Build(unitClass);
        return *slot;
    }

private:
    ClassCover Build(int unitClass) const
    {
        ClassCover cover;
        for (int f : holders_[static_cast<std::size_t>(unitClass)]) {
            const FormationRecord& r = FormationAt(oob_, f);
            const auto start = MonthStart(r.YrAvail, r.MonthAvail);
            const auto end = MonthStart(r.YrUntil, r.MonthUntil);
            if (!start || !end) {
                const std::string name = Trim(r.Name);
                if (name.empty())
                    continue;  // an empty slot whose dates were cleared covers nothing
                cover.stop = DatesStop("Formation " + Num(f) + " " + name, r.YrAvail, r.MonthAvail, r.YrUntil,
                                       r.MonthUntil);
                break;
            }
            if (*start <= *end)
                cover.ranges.push_back({*start, *end});
        }
        std::sort(cover.ranges.begin(), cover.ranges.end(),
                  [](const DayRange& a, const DayRange& b) { return a.first < b.first; });
        std::vector<DayRange> merged;
        for (const DayRange& r : cover.ranges) {
            if (!merged.empty() && r.first <= merged.back().last + 1)
                merged.back().last = std::max(merged.back().last, r.last);
            else
                merged.push_back(r);
        }
        cover.ranges = std::move(merged);
        return cover;
    }

    const Oob& oob_;
    std::array<std::vector<int>, kUnitClasses> holders_;
    std::array<std::optional<ClassCover>, kUnitClasses> covers_;
};

// The first week k in 1..weeks whose day start + 7 k the ranges do not cover.
std::optional<std::int64_t> FirstUncoveredWeek(const std::vector<DayRange>& ranges, std::int64_t start,
                                               std::int64_t weeks)
{
    std::int64_t k = 1;
    while (k <= weeks) {
        const std::int64_t d = start + 7 * k;
        auto it = std::upper_bound(ranges.begin(), ranges.end(), d,
                                   [](std::int64_t day, const DayRange& r) { return day < r.first; });
        if (it == ranges.begin())
            return k;
        --it;
        if (it->last < d)
            return k;
        // Every week up to the end of this range is covered; the next one lies
        // after it, in a gap or in a later range.
        k = (it->last - start) / 7 + 1;
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> ClassRows(const Oob& oob)
{
    std::vector<std::string> rows;
    rows.reserve(kUnitClasses);
    for (int c = 0; c < kUnitClasses; ++c)
        rows.push_back(Zero2(c) + " - " + UnitClassName(oob.Names, c));
    return rows;
}

void FindUnitsOfClass(const Oob& oob, int unitClass, ReportSink& sink)
{
    sink.Line("Searching for Units of class " + Num(unitClass) + " " + UnitClassName(oob.Names, unitClass));
    for (int u = 1; u <= kUnitSlots; ++u) {
        const UnitRecord& r = UnitAt(oob, u);
        if (r.Class != unitClass)
            continue;
        const std::string name = Trim(r.Name);
        if (name.empty())
            continue;
        std::string line = Pad3(u) + " - " + Max15(name) + " " + Availability(r) + " ";
        if (IsX3Radio(r))
            line += "*has X3 Radio Code*";
        if (IsForeign(oob, r.Nation))
            line += " - Foreign Unit (nat " + Num(r.Nation) + ") ";
        sink.Line(line);
    }
}

void FindForeignUnits(const Oob& oob, ReportSink& sink)
{
    sink.Line("Foreign uints found:");
    for (int u = 1; u <= kUnitSlots; ++u) {
        const UnitRecord& r = UnitAt(oob, u);
        if (!IsForeign(oob, r.Nation))
            continue;
        const std::string name = Trim(r.Name);
        if (name.empty())
            continue;
        sink.Line("Unit " + Pad3(u) + " - " + " " + name + " (class " + Num(r.Class) + " " +
                  UnitClassName(oob.Names, r.Class) + ")" + " is assigned to nation " + Num(r.Nation) + " " +
                  NationName(oob.Names, r.Nation));
    }
}

ReportEnd FindOrphanClasses(const Oob& oob, ReportSink& sink)
{
    ContainerIndex index(oob);
    const auto unitText = [&](int u) {
        const UnitRecord& r = UnitAt(oob, u);
        return Pad3(u) + " - " + Trim(r.Name) + " (" + Pad3(r.Class) + " - " + UnitClassName(oob.Names, r.Class) +
               ") ";
    };

    // Orphans: units of the nation whose class no formation holds.
    for (int u = 1; u <= kUnitSlots; ++u) {
        const UnitRecord& r = UnitAt(oob, u);
        if (r.Nation != oob.CurrentOOB)
            continue;
        if (!index.Placed(r.Class))
            sink.Line(unitText(u) + " - ORPHANED -");
    }
    sink.Line(" ");
    sink.Line(" ==================== ");
    sink.Line("Searching for units which do not have a container formation at a particular date");
    sink.Line(" ==================== ");
    sink.Line(" ");

    // Units with a week that no formation holding their class covers.
    for (int u = 1; u <= kUnitSlots; ++u) {
        const UnitRecord& r = UnitAt(oob, u);
        if (r.Nation != oob.CurrentOOB)
            continue;
        const auto start = MonthStart(r.YrAvail, r.MonthAvail);
        const auto end = MonthStart(r.YrUnavail, r.MonthUnAvail);
        if (!start || !end) {
            const std::string name = Trim(r.Name);
            if (name.empty())
                continue;  // an empty slot whose dates were cleared is not examined
            return *DatesStop("Unit " + Num(u) + " " + name, r.YrAvail, r.MonthAvail, r.YrUnavail, r.MonthUnAvail);
        }
        const std::int64_t weeks = *end - *start >= 7 ? (*end - *start) / 7 : 0;
        if (weeks == 0)
            continue;
        const std::string text = unitText(u);
        sink.Status(text);
        const ClassCover& cover = index.Cover(r.Class);
        const auto k = FirstUncoveredWeek(cover.ranges, *start, weeks);
        if (!k)
            continue;
        if (cover.stop)
            return *cover.stop;
        const CivilDate d = DateOfDay(*start + 7 * *k);
        sink.Line(text + " - has no corresponding formation at - " + Num(d.Month) + "/" + Num(static_cast<long>(d.Year)));
    }
    sink.Line(" ");
    sink.Line(" ==================== ");
    sink.Line("**** Run Complete ****");
    return {};
}

void FindBadAmmo(const Oob& oob, ReportSink& sink)
{
    sink.Line(" ");
    sink.Line(" ==================== ");
    sink.Line("Searching for bad ammo assignments");
    for (int u = 1; u <= kUnitSlots; ++u) {
        const UnitRecord& r = UnitAt(oob, u);
        if (Trim(r.Name).empty())
            continue;
        const bool apExempt = r.Class == 44 || r.Class == 214 || r.Class == 215 || r.Class == 223;
        const auto weapons = Weapons(r);
        const auto he = HEAmmo(r);
        const auto ap = APAmmo(r);
        for (int j = 1; j <= 4; ++j) {
            const std::size_t i = static_cast<std::size_t>(j - 1);
            const int w = weapons[i];
            const std::string head = "Unit " + Num(u) + "  " + r.Name + " weapon slot " + Num(j);
            if (w == 0) {
                if ((j == 1 && (r.SabotAmmo > 0 || r.HEATAmmo > 0)) || he[i] > 0 || ap[i] > 0)
                    sink.Line(head + " - Ammo Issued to null weapon slot");
                continue;
            }
            const WeaponRecord& wpn = WeaponAt(oob, w);
            const std::string named = head + " - " + wpn.Name;
            if (j == 1 && r.SabotAmmo > 0 && wpn.SabotPen == 0)
                sink.Line(named + " - bad Sabot ammo ");
            if (j == 1 && r.HEATAmmo > 0 && wpn.HEATPen == 0)
                sink.Line(named + " - bad HEAT ammo ");
            if (he[i] > 0 && wpn.HEKill == 0)
                sink.Line(named + " - bad HE ammo ");
            if (ap[i] > 0 && !apExempt) {
                if (wpn.APPen == 0)
                    sink.Line(named + " - bad AP ammo ");
                if (wpn.APPen == 222 && wpn.HEATPen == 0)
                    sink.Line(named + " - bad HEAT AP ammo (222 code)");
            }
        }
    }
    sink.Line("");
    sink.Line("== Run Complete ==");
}

std::vector<std::string> WeaponRows(const Oob& oob)
{
    std::vector<std::string> rows;
    rows.reserve(kWeaponSlots);
    for (int w = 1; w <= kWeaponSlots; ++w)
        rows.push_back(Pad3(w) + " - " + Trim(WeaponAt(oob, w).Name));
    return rows;
}

bool FindWeaponUsers(const Oob& oob, int row, ReportSink& sink)
{
    const int w = row + 1;
    if (w < 1 || w > kWeaponSlots)
        return false;
    const std::string weaponName = Trim(WeaponAt(oob, w).Name);
    if (weaponName.empty())
        return false;
    sink.Line("users of weapon ID " + Num(w) + " " + weaponName + ":");
    for (int u = 1; u <= kUnitSlots; ++u) {
        const UnitRecord& r = UnitAt(oob, u);
        const std::string name = Trim(r.Name);
        if (name.empty())
            continue;
        const auto weapons = Weapons(r);
        for (int j = 1; j <= 4; ++j) {
            if (weapons[static_cast<std::size_t>(j - 1)] != w)
                continue;
            sink.Line(Pad3(u) + " - " + name + " - uClass " + Pad3(r.Class) + " : " + " slot " + Num(j) +
                      Availability(r));
        }
    }
    return true;
}

std::vector<std::string> WeaponClassRows()
{
    std::vector<std::string> rows;
    for (int c = 1; c <= 26; ++c)
        rows.push_back(Pad3(c) + " - " + Trim(WeaponClassName(c)));
    return rows;
}

void FindWeaponsOfClass(const Oob& oob, int row, ReportSink& sink)
{
    const int c = row + 1;
    sink.Line("Weapons of weapon Class " + Num(c) + ":");
    for (int w = 1; w <= kWeaponSlots; ++w) {
        const WeaponRecord& r = WeaponAt(oob, w);
        if (r.Class == c)
            sink.Line(Pad3(w) + " - " + Trim(r.Name));
    }
}

void FindUnusedWeapons(const Oob& oob, ReportSink& sink)
{
    const std::bitset<256> carried = CarriedWeapons(oob);
    sink.Line("Run starting ");
    sink.Line("");
    for (int w = 1; w <= kLastExaminedWeapon; ++w) {
        const WeaponRecord& r = WeaponAt(oob, w);
        sink.Status(Pad3(w) + " - " + r.Name);
        if (!WeaponUsed(oob, carried, w) && !r.Name.empty())
            sink.Line(Pad3(w) + " - " + r.Name + " - UNUSED ");
    }
    sink.Line("");
    sink.Line("Run completed");
}

void ClearUnusedWeapons(Oob& oob, ReportSink& sink)
{
    const std::bitset<256> carried = CarriedWeapons(oob);
    const TablesSnapshot before = SnapshotTables(oob);
    sink.Line("");
    sink.Line("========================");
    sink.Line("");
    for (int w = 1; w <= kLastExaminedWeapon; ++w) {
        WeaponRecord& r = oob.WeaponTable[static_cast<std::size_t>(w)];
        bool used = WeaponUsed(oob, carried, w);
        if (w == kReservedWeapon) {
            r = ReservedWeapon();
            used = true;
        }
        if (used)
            continue;
        if (!r.Name.empty())
            sink.Line(Pad3(w) + " - " + r.Name + " - UNUSED - DELETED");
        r = WeaponRecord{};
    }
    sink.Line("");
    sink.Line("RUN COMPLETED");
    RecordStep(oob, before, [](const ChangeCounts& c) { return "Clear unused weapons: " + Counted(c.Weapons, "weapon"); });
}

}  // namespace brackle

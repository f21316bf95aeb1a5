#include "transfer/csv_dump.h"

#include <cstdio>

#include "oob/names.h"

namespace brackle {

namespace fs = std::filesystem;

namespace {

// One column of a dump file: its header name and the text written for a used slot.
template <typename Record>
struct Column {
    const char* Header;
    std::string (*Text)(const Oob& oob, const Record& r);
};

template <auto Field, typename Record>
std::string Number(const Oob&, const Record& r)
{
    return std::to_string(static_cast<int>(r.*Field));
}

template <typename Record>
std::string NameOf(const Oob&, const Record& r)
{
    return r.Name;
}

std::string WeaponName(const Oob& oob, int w)
{
    if (w < 1 || w > kWeaponSlots)
        return "";
    return oob.WeaponTable[static_cast<std::size_t>(w)].Name;
}

template <auto Field>
std::string UnitWeaponName(const Oob& oob, const UnitRecord& u)
{
    return WeaponName(oob, u.*Field);
}

std::string UnitClassText(const Oob& oob, const UnitRecord& u)
{
    return UnitClassName(oob.Names, u.Class);
}

std::string MoveClassText(const Oob&, const UnitRecord& u)
{
    return MoveClassName(u.MC);
}

std::string FormTypeText(const Oob&, const FormationRecord& f)
{
    return FormTypeName(f.FormType);
}

std::string PageText(const Oob&, const FormationRecord& f)
{
    return PageName(f.Page);
}

template <std::size_t K>
std::string SlotValue(const Oob&, const FormationRecord& f)
{
    return std::to_string(f.Slot[K]);
}

// 1000 + f names formation f, 1..999 unit v; 0, exactly 1000 and anything
// above 1999 name no record.
template <std::size_t K>
std::string SlotDescription(const Oob& oob, const FormationRecord& f)
{
    const int v = f.Slot[K];
    if (v > 1000 && v <= 1000 + kFormationSlots)
        return oob.FormationTable[static_cast<std::size_t>(v - 1000)].Name;
    if (v >= 1 && v <= kUnitSlots)
        return "[" + oob.UnitTable[static_cast<std::size_t>(v)].Name + "]";
    return "";
}

using U = UnitRecord;
const Column<U> kUnitColumns[] = {
    {"Name", NameOf<U>},
    {"Nation", Number<&U::Nation>},
    {"Class ID", Number<&U::Class>},
    {"Class", UnitClassText},
    {"Cost", Number<&U::Cost>},
    {"Size", Number<&U::Size>},
    {"Crew", Number<&U::Crew>},
    {"Speed", Number<&U::Speed>},
    {"Swim Spd", Number<&U::Swim>},
    {"Move Class ID", Number<&U::MC>},
    {"Move Class", MoveClassText},
    {"Radio%", Number<&U::Radio>},
    {"Survivability", Number<&U::Survive>},
    {"Lift Cap", Number<&U::Carry>},
    {"Load Cost", Number<&U::Weight>},
    {"1st Month Avail", Number<&U::MonthAvail>},
    {"1st Year Avail", Number<&U::YrAvail>},
    {"Last Month Avail", Number<&U::MonthUnAvail>},
    {"Last Year Avail", Number<&U::YrUnavail>},
    {"Fire Control", Number<&U::FC>},
    {"Stabiliser", Number<&U::Stabiliser>},
    {"Vision", Number<&U::Vision>},
    {"Nr S/D", Number<&U::SD>},
    {"Rate of Fire", Number<&U::ROF>},
    {"EW", Number<&U::EW>},
    {"Range Finder", Number<&U::RF>},
    {"Weapon 1", Number<&U::Wpn1>},
    {"Wpn 1 Name", UnitWeaponName<&U::Wpn1>},
    {"Wpn1 HE Rds", Number<&U::Wpn1HEAmmo>},
    {"Wpn1 AP Rds", Number<&U::Wpn1APAmmo>},
    {"Wpn1 HEAT Rds", Number<&U::HEATAmmo>},
    {"Wpn1 SABOT Rds", Number<&U::SabotAmmo>},
    {"Wpn1 Sound", Number<&U::WPNSound1>},
    {"Weapon 2", Number<&U::Wpn2>},
    {"Wpn 2 Name", UnitWeaponName<&U::Wpn2>},
    {"Wpn2 HE Rds", Number<&U::Wpn2HEAmmo>},
    {"Wpn2 AP Rds", Number<&U::Wpn2APAmmo>},
    {"Wpn2 Sound", Number<&U::WPNSound2>},
    {"Weapon 3", Number<&U::Wpn3>},
    {"Wpn 3 Name", UnitWeaponName<&U::Wpn3>},
    {"Wpn3 HE Rds", Number<&U::Wpn3HEAmmo>},
    {"Wpn3 AP Rds", Number<&U::Wpn3APAmmo>},
    {"Wpn3 Sound", Number<&U::WPNSound3>},
    {"Weapon 4", Number<&U::Wpn4>},
    {"Wpn 4 Name", UnitWeaponName<&U::Wpn4>},
    {"Wpn4 HE Rds", Number<&U::Wpn4HEAmmo>},
    {"Wpn4 AP Rds", Number<&U::Wpn4APAmmo>},
    {"Wpn4 Sound", Number<&U::WPNSound4>},
    {"Steel HF", Number<&U::SteelHF>},
    {"Steel HS", Number<&U::SteelHS>},
    {"Steel HR", Number<&U::SteelHR>},
    {"Steel TF", Number<&U::SteelTF>},
    {"Steel TS", Number<&U::SteelTS>},
    {"Steel TR", Number<&U::SteelTR>},
    {"Steel Top", Number<&U::SteelTop>},
    {"HEAT HF", Number<&U::HEATHF>},
    {"HEAT HS", Number<&U::HEATHS>},
    {"HEAT HR", Number<&U::HEATHR>},
    {"HEAT TF", Number<&U::HEATTF>},
    {"HEAT TS", Number<&U::HEATTS>},
    {"HEAT TR", Number<&U::HEATTR>},
    {"HEAT Top", Number<&U::HEATTop>},
    {"ERA HF", Number<&U::ERAHF>},
    {"ERA HS", Number<&U::ERAHS>},
    {"ERA HR", Number<&U::ERAHR>},
    {"ERA TF", Number<&U::ERATF>},
    {"ERA TS", Number<&U::ERATS>},
    {"ERA TR", Number<&U::ERATR>},
    {"ERA Top", Number<&U::ERATop>},
    {"Unit Sound", Number<&U::SoundByte>},
    {"Graphic (Icon) ID", Number<&U::Icon>},
    {"Picture (LBM) ID", Number<&U::PictureID>},
};

using W = WeaponRecord;
const Column<W> kWeaponColumns[] = {
    {"Name", NameOf<W>},
    {"Weapon Class", Number<&W::Class>},
    {"Weapon Size", Number<&W::Size>},
    {"Warhead Size", Number<&W::WarheadSize>},
    {"HE Pen", Number<&W::HEPen>},
    {"HE Kill", Number<&W::HEKill>},
    {"AP Pen", Number<&W::APPen>},
    {"AP Kill", Number<&W::APKill>},
    {"Accuracy", Number<&W::Accuracy>},
    {"Range", Number<&W::Range>},
    {"Sabot Range", Number<&W::SabotRange>},
    {"Sabot Pen", Number<&W::SabotPen>},
    {"HEAT Pen", Number<&W::HEATPen>},
};

using F = FormationRecord;
const Column<F> kFormationColumns[] = {
    {"Name", NameOf<F>},
    {"Country", Number<&F::Nation>},
    {"Form Type", Number<&F::FormType>},
    {"FT Desc", FormTypeText},
    {"Buy Page", Number<&F::Page>},
    {"BP Desc", PageText},
    {"Avail From Mo", Number<&F::MonthAvail>},
    {"Avail From Yr", Number<&F::YrAvail>},
    {"Avail To Mo", Number<&F::MonthUntil>},
    {"Avail To Yr", Number<&F::YrUntil>},
    {"Exp Mod", Number<&F::ExpMod>},
    {"Mor Mod", Number<&F::MoraleMod>},
    {"Subunit 01", SlotValue<0>}, {"Description1", SlotDescription<0>},
    {"Subunit 02", SlotValue<1>}, {"Description2", SlotDescription<1>},
    {"Subunit 03", SlotValue<2>}, {"Description3", SlotDescription<2>},
    {"Subunit 04", SlotValue<3>}, {"Description4", SlotDescription<3>},
    {"Subunit 05", SlotValue<4>}, {"Description5", SlotDescription<4>},
    {"Subunit 06", SlotValue<5>}, {"Description6", SlotDescription<5>},
    {"Subunit 07", SlotValue<6>}, {"Description7", SlotDescription<6>},
    {"Subunit 08", SlotValue<7>}, {"Description8", SlotDescription<7>},
    {"Subunit 09", SlotValue<8>}, {"Description9", SlotDescription<8>},
    {"Subunit 10", SlotValue<9>}, {"Description", SlotDescription<9>},
};

const char* const kLineEnd = "\r\n";

struct Layout {
    int Slots;
    int EmptyDashes;        // "-" fields after "XUNUSEDX" on an empty slot's line
    bool HeaderEndsInComma;
};

template <typename Record, std::size_t N>
std::string DumpText(const Oob& oob, const std::vector<Record>& table, const Column<Record> (&columns)[N],
                     const Layout& layout)
{
    std::string text = "Nation ID,Nationality,OB Slot No";
    for (const auto& c : columns)
        text += std::string(",") + c.Header;
    if (layout.HeaderEndsInComma)
        text += ",";
    text += kLineEnd;

    const std::string label = std::to_string(oob.CurrentOOB) + "," + NationName(oob.Names, oob.CurrentOOB) + ",";
    std::string dashes;
    for (int i = 0; i < layout.EmptyDashes; ++i)
        dashes += "-,";
    for (int slot = 1; slot <= layout.Slots; ++slot) {
        const Record& r = table[static_cast<std::size_t>(slot)];
        text += label + std::to_string(slot) + ",";
        if (r.Name.empty()) {
            text += "XUNUSEDX," + dashes;
        } else {
            for (const auto& c : columns)
                text += c.Text(oob, r) + ",";
        }
        text += kLineEnd;
    }
    return text;
}

// Replaces path with text; true only when every byte reached the disk.
bool WriteWholeFile(const fs::path& path, const std::string& text, std::string* reason)
{
    const SaveResult r = WriteFileAtomically(path, text.data(), text.size());
    if (!r.ok && reason)
        *reason = (r.created ? "" : kDumpNotCreated) + r.reason;
    return r.ok;
}

}  // namespace

std::string DumpFileName(int n, DumpKind kind)
{
    const char* suffix = kind == DumpKind::Units ? "unit.csv" : kind == DumpKind::Weapons ? "wpns.csv" : "fmns.csv";
    return std::string("obatDUMP") + (n >= 0 && n < 10 ? "0" : "") + std::to_string(n) + suffix;
}

bool DumpUnits(const fs::path& path, const Oob& oob, std::string* reason)
{
    return WriteWholeFile(path, DumpText(oob, oob.UnitTable, kUnitColumns, {kUnitSlots, 71, false}), reason);
}

bool DumpWeapons(const fs::path& path, const Oob& oob, std::string* reason)
{
    return WriteWholeFile(path, DumpText(oob, oob.WeaponTable, kWeaponColumns, {kWeaponSlots, 16, true}), reason);
}

bool DumpFormations(const fs::path& path, const Oob& oob, std::string* reason)
{
    return WriteWholeFile(path, DumpText(oob, oob.FormationTable, kFormationColumns, {kFormationSlots, 30, true}), reason);
}

std::vector<fs::path> DumpOOB(const Oob& oob, int n, const fs::path& dir, const DumpFileFailed& fileFailed)
{
    using Writer = bool (*)(const fs::path&, const Oob&, std::string*);
    const std::pair<DumpKind, Writer> files[] = {
        {DumpKind::Units, DumpUnits},
        {DumpKind::Weapons, DumpWeapons},
        {DumpKind::Formations, DumpFormations},
    };
    std::vector<fs::path> failed;
    for (const auto& [kind, write] : files) {
        const fs::path path = dir / DumpFileName(n, kind);
        std::string reason;
        if (!write(path, oob, &reason)) {
            failed.push_back(path);
            if (fileFailed)
                fileFailed(path, reason);
        }
    }
    return failed;
}

DumpAllResult DumpAll(const NameTables& names, const fs::path& oobDir, const std::function<void(int n)>& progress,
                      const DumpFileFailed& fileFailed, const DumpLoadFailed& loadFailed)
{
    DumpAllResult result;
    for (int n = 1; n <= kNations; ++n) {
        if (!OOBExists(oobDir, n))
            continue;
        if (progress)
            progress(n);
        Oob oob;
        oob.Names = names;
        oob.CurrentOOB = static_cast<std::uint16_t>(n);
        LoadResult loaded = LoadOOB(oob, oobDir, n);
        if (loaded.code != 0) {
            if (loadFailed)
                loadFailed(loaded);
            result.LoadFailed.push_back(std::move(loaded));
            continue;
        }
        const auto failed = DumpOOB(oob, n, oobDir, fileFailed);
        result.Failed.insert(result.Failed.end(), failed.begin(), failed.end());
        result.Numbers.push_back(n);
        ++result.Dumped;
    }
    return result;
}

}  // namespace brackle

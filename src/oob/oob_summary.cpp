#include "oob/oob_summary.h"

#include <cctype>

#include "oob/names.h"
#include "oob/text.h"

namespace brackle {

namespace {

bool AllDigits(const std::string& s)
{
    if (s.empty())
        return false;
    for (const unsigned char c : s)
        if (!std::isdigit(c))
            return false;
    return true;
}

}  // namespace

std::optional<int> ParseOOBNumber(const std::string& text)
{
    if (!AllDigits(text) || text.size() > 6)
        return std::nullopt;
    const int n = std::stoi(text);
    if (n < 1 || n > 999)
        return std::nullopt;
    return n;
}

std::optional<int> OOBNumberOfFileName(const std::string& fileName)
{
    if (fileName.size() != 11)
        return std::nullopt;
    std::string lower;
    for (const unsigned char c : fileName)
        lower.push_back(static_cast<char>(std::tolower(c)));
    if (lower.compare(0, 4, "obat") != 0 || lower.compare(7, 4, ".obf") != 0)
        return std::nullopt;
    return ParseOOBNumber(lower.substr(4, 3));
}

OobSummary SummariseOob(const Oob& oob)
{
    OobSummary s;
    s.Number = oob.CurrentOOB;
    s.NationName = NationName(oob.Names, oob.CurrentOOB);
    s.SizeBytes = oob.LoadedSize;
    s.Info = oob.OOBInfo;
    for (int u = 1; u <= kUnitSlots; ++u)
        s.Units += Trim(oob.UnitTable[static_cast<std::size_t>(u)].Name).empty() ? 0 : 1;
    for (int w = 1; w <= kWeaponSlots; ++w)
        s.Weapons += Trim(oob.WeaponTable[static_cast<std::size_t>(w)].Name).empty() ? 0 : 1;
    for (int f = 1; f <= kFormationSlots; ++f)
        s.Formations += Trim(oob.FormationTable[static_cast<std::size_t>(f)].Name).empty() ? 0 : 1;
    return s;
}

std::string FormatSummary(const OobSummary& s)
{
    std::string t;
    t += "Number:     " + std::to_string(s.Number) + "\n";
    t += "Nation:     " + s.NationName + "\n";
    t += "Size:       " + std::to_string(s.SizeBytes) + " bytes\n";
    t += "Info:       " + s.Info + "\n";
    t += "Units:      " + std::to_string(s.Units) + "\n";
    t += "Weapons:    " + std::to_string(s.Weapons) + "\n";
    t += "Formations: " + std::to_string(s.Formations) + "\n";
    return t;
}

}  // namespace brackle

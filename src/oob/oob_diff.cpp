#include "oob/oob_diff.h"

#include <algorithm>

namespace brackle {

namespace {

using U = UnitRecord;
using W = WeaponRecord;
using F = FormationRecord;

// One field of a record and its place in the file: the column starts at Base,
// slot r's entry at Base + r * Stride, the field Pos bytes into the entry, Bytes long.
template <typename Record>
struct Field {
    const char* Name;
    std::size_t Base;
    std::size_t Stride;
    std::size_t Pos;
    std::size_t Bytes;
    long (*Number)(const Record&);  // nullptr for the name

    std::size_t At(std::size_t slot) const { return Base + slot * Stride + Pos; }
};

#define NUM(Rec, f, base, stride, pos, bytes) \
    Field<Rec> { #f, base, stride, pos, bytes, [](const Rec& r) -> long { return r.f; } }
#define NAME(Rec, base) \
    Field<Rec> { "Name", base, kNameLength, 0, kNameLength, nullptr }
#define SLOT(k) \
    Field<F> { "Slot" #k, 151080, 20, 2 * ((k) - 1), 2, [](const F& r) -> long { return r.Slot[(k) - 1]; } }

constexpr std::size_t kInfoOffset = 0;

// In the order of the record's fields.
const Field<U> kUnitFields[] = {
    NAME(U, 10080),
    NUM(U, Class, 25080, 1, 0, 1),
    NUM(U, Icon, 88080, 2, 0, 2),
    NUM(U, PictureID, 75080, 2, 0, 2),
    NUM(U, Size, 27080, 1, 0, 1),
    NUM(U, Crew, 28080, 1, 0, 1),
    NUM(U, Wpn1, 29080, 4, 0, 1),
    NUM(U, Wpn2, 29080, 4, 1, 1),
    NUM(U, Wpn3, 29080, 4, 2, 1),
    NUM(U, Wpn4, 29080, 4, 3, 1),
    NUM(U, Wpn1HEAmmo, 33080, 8, 0, 1),
    NUM(U, Wpn1APAmmo, 33080, 8, 1, 1),
    NUM(U, Wpn2HEAmmo, 33080, 8, 2, 1),
    NUM(U, Wpn2APAmmo, 33080, 8, 3, 1),
    NUM(U, Wpn3HEAmmo, 33080, 8, 4, 1),
    NUM(U, Wpn3APAmmo, 33080, 8, 5, 1),
    NUM(U, Wpn4HEAmmo, 33080, 8, 6, 1),
    NUM(U, Wpn4APAmmo, 33080, 8, 7, 1),
    NUM(U, Speed, 41080, 1, 0, 1),
    NUM(U, SteelHF, 42080, 14, 0, 1),
    NUM(U, SteelHS, 42080, 14, 1, 1),
    NUM(U, SteelHR, 42080, 14, 2, 1),
    NUM(U, SteelTF, 42080, 14, 3, 1),
    NUM(U, SteelTS, 42080, 14, 4, 1),
    NUM(U, SteelTR, 42080, 14, 5, 1),
    NUM(U, SteelTop, 42080, 14, 6, 1),
    NUM(U, HEATHF, 42080, 14, 7, 1),
    NUM(U, HEATHS, 42080, 14, 8, 1),
    NUM(U, HEATHR, 42080, 14, 9, 1),
    NUM(U, HEATTF, 42080, 14, 10, 1),
    NUM(U, HEATTS, 42080, 14, 11, 1),
    NUM(U, HEATTR, 42080, 14, 12, 1),
    NUM(U, HEATTop, 42080, 14, 13, 1),
    NUM(U, ERAHF, 56080, 7, 0, 1),
    NUM(U, ERAHS, 56080, 7, 1, 1),
    NUM(U, ERAHR, 56080, 7, 2, 1),
    NUM(U, ERATF, 56080, 7, 3, 1),
    NUM(U, ERATS, 56080, 7, 4, 1),
    NUM(U, ERATR, 56080, 7, 5, 1),
    NUM(U, ERATop, 56080, 7, 6, 1),
    NUM(U, Radio, 69080, 1, 0, 1),
    NUM(U, YrAvail, 70080, 1, 0, 1),
    NUM(U, YrUnavail, 71080, 1, 0, 1),
    NUM(U, Cost, 72080, 2, 0, 2),
    NUM(U, Nation, 74080, 1, 0, 1),
    NUM(U, FC, 78080, 1, 0, 1),
    NUM(U, SabotAmmo, 79080, 1, 0, 1),
    NUM(U, HEATAmmo, 80080, 1, 0, 1),
    NUM(U, Stabiliser, 82080, 1, 0, 1),
    NUM(U, Survive, 86080, 1, 0, 1),
    NUM(U, Vision, 77080, 1, 0, 1),
    NUM(U, Swim, 90080, 1, 0, 1),
    NUM(U, SD, 92080, 1, 0, 1),
    NUM(U, ROF, 81080, 1, 0, 1),
    NUM(U, Carry, 85080, 1, 0, 1),
    NUM(U, Weight, 87080, 1, 0, 1),
    NUM(U, EW, 84080, 1, 0, 1),
    NUM(U, RF, 83080, 1, 0, 1),
    NUM(U, MC, 91080, 1, 0, 1),
    NUM(U, MonthAvail, 93080, 1, 0, 1),
    NUM(U, MonthUnAvail, 94080, 1, 0, 1),
    NUM(U, SoundByte, 95080, 1, 0, 1),
    NUM(U, WPNSound1, 96080, 4, 0, 1),
    NUM(U, WPNSound2, 96080, 4, 1, 1),
    NUM(U, WPNSound3, 96080, 4, 2, 1),
    NUM(U, WPNSound4, 96080, 4, 3, 1),
    NUM(U, SpareA, 26080, 1, 0, 1),
    NUM(U, SpareB, 100080, 1, 0, 1),
    NUM(U, WinterIcon, 101080, 2, 0, 2),
    NUM(U, DesertIcon, 103080, 2, 0, 2),
};

const Field<W> kWeaponFields[] = {
    NAME(W, 80),
    NUM(W, Class, 3830, 1, 0, 1),
    NUM(W, Size, 4330, 1, 0, 1),
    NUM(W, WarheadSize, 4580, 1, 0, 1),
    NUM(W, HEPen, 4830, 2, 0, 1),
    NUM(W, HEKill, 5330, 2, 0, 1),
    NUM(W, APPen, 4830, 2, 1, 1),
    NUM(W, APKill, 5330, 2, 1, 1),
    NUM(W, Accuracy, 5830, 1, 0, 1),
    NUM(W, Range, 6080, 1, 0, 1),
    NUM(W, SabotRange, 6330, 1, 0, 1),
    NUM(W, SabotPen, 6580, 1, 0, 1),
    NUM(W, HEATPen, 6830, 1, 0, 1),
};

const Field<F> kFormationFields[] = {
    NAME(F, 131080),
    NUM(F, Nation, 146080, 1, 0, 1),
    NUM(F, YrAvail, 147080, 1, 0, 1),
    NUM(F, MonthAvail, 171080, 1, 0, 1),
    NUM(F, YrUntil, 148080, 1, 0, 1),
    NUM(F, MonthUntil, 172080, 1, 0, 1),
    NUM(F, Page, 149080, 1, 0, 1),
    NUM(F, FormType, 150080, 1, 0, 1),
    SLOT(1), SLOT(2), SLOT(3), SLOT(4), SLOT(5), SLOT(6), SLOT(7), SLOT(8), SLOT(9), SLOT(10),
    NUM(F, ExpMod, 173080, 1, 0, 1),
    NUM(F, MoraleMod, 174080, 1, 0, 1),
};

#undef NUM
#undef NAME
#undef SLOT

// Which bytes of the buffer some field reads: every field of slots 1..N and the info text.
std::vector<bool> MakeFieldBytes()
{
    std::vector<bool> covered(kBufferSize, false);
    auto mark = [&covered](const auto& fields, std::size_t slots) {
        for (const auto& f : fields)
            for (std::size_t s = 1; s <= slots; ++s)
                for (std::size_t i = 0; i < f.Bytes; ++i)
                    covered[f.At(s) + i] = true;
    };
    mark(kUnitFields, kUnitSlots);
    mark(kWeaponFields, kWeaponSlots);
    mark(kFormationFields, kFormationSlots);
    for (std::size_t i = 0; i < kInfoLength; ++i)
        covered[kInfoOffset + i] = true;
    return covered;
}

const std::vector<bool>& FieldBytes()
{
    static const std::vector<bool> covered = MakeFieldBytes();
    return covered;
}

const char kHex[] = "0123456789ABCDEF";

// Printable ASCII stays; the backslash (and inside quotes the quote) is escaped,
// every other byte becomes \xNN.
std::string Escaped(const std::string& text, bool quoted)
{
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\' || (quoted && c == '\'')) {
            out.push_back('\\');
            out.push_back(ch);
        } else if (c >= 0x20 && c < 0x7F) {
            out.push_back(ch);
        } else {
            out += "\\x";
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0xF]);
        }
    }
    return out;
}

// The text in single quotes, escaped.
std::string Quoted(const std::string& text)
{
    std::string out = "'";
    out.append(Escaped(text, true)).append("'");
    return out;
}

std::string Padded(std::size_t slot)
{
    std::string s = std::to_string(slot);
    return s.size() >= 3 ? s : std::string(3 - s.size(), '0') + s;
}

std::string Counted(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Differing bytes of one kind: how many and the first.
struct ByteCount {
    std::size_t count = 0;
    std::size_t first = 0;

    void Add(std::size_t at)
    {
        if (count++ == 0 || at < first)
            first = at;
    }
};

class Differ {
public:
    Differ(const Oob& a, const Oob& b)
        : a_(a), b_(b), common_(std::min({a.LoadedSize, b.LoadedSize, a.OOBBuffer.size(), b.OOBBuffer.size()}))
    {
    }

    OobDiff Run()
    {
        d_.Units = Table("unit", a_.UnitTable, b_.UnitTable, kUnitSlots, kUnitFields, true);
        d_.Weapons = Table("weapon", a_.WeaponTable, b_.WeaponTable, kWeaponSlots, kWeaponFields, false);
        d_.Formations = Table("formation", a_.FormationTable, b_.FormationTable, kFormationSlots, kFormationFields,
                              true);
        if (a_.OOBInfo != b_.OOBInfo) {
            d_.Info = true;
            d_.Lines.push_back("info: " + Quoted(a_.OOBInfo) + " -> " + Quoted(b_.OOBInfo));
        } else {
            HiddenIn(kInfoOffset, kInfoLength);
        }
        Uninterpreted();
        d_.UninterpretedBytes = uninterpreted_.count;
        d_.FirstUninterpreted = uninterpreted_.first;
        d_.HiddenBytes = hidden_.count;
        d_.FirstHidden = hidden_.first;
        if (uninterpreted_.count > 0)
            d_.Lines.push_back("uninterpreted bytes: " + std::to_string(uninterpreted_.count) + " differ, first at " +
                               std::to_string(uninterpreted_.first));
        if (hidden_.count > 0)
            d_.Lines.push_back("field bytes that load the same: " + std::to_string(hidden_.count) +
                               " differ, first at " + std::to_string(hidden_.first));
        if (a_.LoadedSize != b_.LoadedSize) {
            d_.LengthDiffers = true;
            d_.Lines.push_back("length: " + std::to_string(a_.LoadedSize) + " -> " + std::to_string(b_.LoadedSize) +
                               " bytes");
        }
        d_.Lines.push_back(Summary());
        return std::move(d_);
    }

private:
    // The records of one table, slot by slot; gives the number of records that differ.
    template <typename Record, std::size_t N>
    int Table(const char* kind, const std::vector<Record>& as, const std::vector<Record>& bs, int slots,
              const Field<Record> (&fields)[N], bool named)
    {
        int changed = 0;
        for (std::size_t s = 1; s <= static_cast<std::size_t>(slots); ++s) {
            const Record& ra = as[s];
            const Record& rb = bs[s];
            std::string head;
            for (const Field<Record>& f : fields) {
                std::string was, now;
                if (f.Number) {
                    const long va = f.Number(ra);
                    const long vb = f.Number(rb);
                    if (va == vb) {
                        HiddenIn(f.At(s), f.Bytes);
                        continue;
                    }
                    was = std::to_string(va);
                    now = std::to_string(vb);
                } else {
                    if (ra.Name == rb.Name) {
                        HiddenIn(f.At(s), f.Bytes);
                        continue;
                    }
                    was = Quoted(ra.Name);
                    now = Quoted(rb.Name);
                }
                if (head.empty()) {
                    ++changed;
                    head.append(kind).append(" ").append(Padded(s));
                    const std::string& name = ra.Name.empty() ? rb.Name : ra.Name;
                    if (named && !name.empty())
                        head.append(" ").append(Escaped(name, false));
                    head.append(": ");
                }
                std::string line = head;
                line.append(f.Name).append(" ").append(was).append(" -> ").append(now);
                d_.Lines.push_back(std::move(line));
            }
        }
        return changed;
    }

    // The bytes of a field whose loaded values are equal.
    void HiddenIn(std::size_t at, std::size_t bytes)
    {
        const std::size_t end = std::min(at + bytes, common_);
        for (std::size_t i = at; i < end; ++i)
            if (a_.OOBBuffer[i] != b_.OOBBuffer[i])
                hidden_.Add(i);
    }

    void Uninterpreted()
    {
        const std::vector<bool>& covered = FieldBytes();
        const std::uint8_t* pa = a_.OOBBuffer.data();
        const std::uint8_t* pb = b_.OOBBuffer.data();
        for (std::size_t i = 0; i < common_; ++i)
            if (pa[i] != pb[i] && (i >= covered.size() || !covered[i]))
                uninterpreted_.Add(i);
    }

    std::string Summary() const
    {
        if (d_.Same())
            return "no differences";
        std::string s = Counted(static_cast<std::size_t>(d_.Units), "unit", "units") + ", " +
                        Counted(static_cast<std::size_t>(d_.Weapons), "weapon", "weapons") + ", " +
                        Counted(static_cast<std::size_t>(d_.Formations), "formation", "formations") + " changed";
        if (d_.Info)
            s += "; info changed";
        if (d_.UninterpretedBytes > 0)
            s += "; " + Counted(d_.UninterpretedBytes, "uninterpreted byte differs", "uninterpreted bytes differ");
        if (d_.HiddenBytes > 0)
            s += "; " + Counted(d_.HiddenBytes, "field byte that loads the same differs",
                                "field bytes that load the same differ");
        if (d_.LengthDiffers)
            s += "; lengths differ";
        return s;
    }

    const Oob& a_;
    const Oob& b_;
    const std::size_t common_;
    OobDiff d_;
    ByteCount uninterpreted_;
    ByteCount hidden_;
};

}  // namespace

OobDiff DiffOob(const Oob& a, const Oob& b)
{
    return Differ(a, b).Run();
}

bool IsFieldByte(std::size_t offset)
{
    return offset < kBufferSize && FieldBytes()[offset];
}

std::string QuotedForDiff(const std::string& text)
{
    return Escaped(text, true);
}

}  // namespace brackle

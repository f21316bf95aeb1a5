#include "oob/oob_diff.h"

#include "oob/oob_layout.h"

#include <algorithm>

namespace brackle {

namespace {

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
    mark(UnitLayout(), kUnitSlots);
    mark(WeaponLayout(), kWeaponSlots);
    mark(FormationLayout(), kFormationSlots);
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
        d_.Units = Table("unit", a_.UnitTable, b_.UnitTable, kUnitSlots, UnitLayout(), true);
        d_.Weapons = Table("weapon", a_.WeaponTable, b_.WeaponTable, kWeaponSlots, WeaponLayout(), false);
        d_.Formations = Table("formation", a_.FormationTable, b_.FormationTable, kFormationSlots, FormationLayout(),
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
    template <typename Record>
    int Table(const char* kind, const std::vector<Record>& as, const std::vector<Record>& bs, int slots,
              std::span<const LayoutField<Record>> fields, bool named)
    {
        int changed = 0;
        for (std::size_t s = 1; s <= static_cast<std::size_t>(slots); ++s) {
            const Record& ra = as[s];
            const Record& rb = bs[s];
            std::string head;
            for (const LayoutField<Record>& f : fields) {
                std::string was, now;
                if (f.Get) {
                    const long va = f.Get(ra);
                    const long vb = f.Get(rb);
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

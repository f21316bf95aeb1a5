// The file layout checked against a list of places written out by hand from the
// layout of an OOB file, not taken from the reader's or the writer's own column
// tables: a field stored in the wrong column, at the wrong width or with the
// wrong stride shows here even when the reader and the writer agree with each other.
#include "oob/oob_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "test_support.h"

namespace brackle {
namespace {

// How a field's bytes read: one unsigned byte, two bytes low byte first, or one signed byte.
enum class Kind { U8, U16, S8 };

// What the writer puts into a field's byte: the value as it is, or clamped.
enum class Saved {
    AsIs,
    Year,            // above 120 written as 120, 0 as 1
    MonthZeroAs1,    // above 12 written as 12, 0 as 1
    MonthZeroAs12,   // above 12 written as 12, 0 as 12
    SizeOfClass,     // 0 for the classes without a size
};

// One field of one table: its column starts at Start and holds Width bytes per
// slot (slot r at Start + r * Width); the field sits at Pos within the entry.
template <typename Record>
struct Place {
    const char* Field;
    std::size_t Start;
    std::size_t Width;
    std::size_t Pos;
    Kind Type;
    long (*Get)(const Record&);
    Saved Save = Saved::AsIs;

    std::size_t At(int slot) const { return Start + static_cast<std::size_t>(slot) * Width + Pos; }
    int Bytes() const { return Type == Kind::U16 ? 2 : 1; }
};

using U = UnitRecord;
using W = WeaponRecord;
using F = FormationRecord;

#define FIELD(Rec, kind, f, start, width, pos, ...) \
    Place<Rec> { #f, start, width, pos, Kind::kind, [](const Rec& r) -> long { return r.f; } __VA_OPT__(,) __VA_ARGS__ }

// Unit columns, each 1000 entries (slots 0..999).
const std::vector<Place<U>> kUnitPlaces = {
    FIELD(U, U8, Class, 25080, 1, 0),
    FIELD(U, U8, SpareA, 26080, 1, 0),
    FIELD(U, U8, Size, 27080, 1, 0, Saved::SizeOfClass),
    FIELD(U, U8, Crew, 28080, 1, 0),
    FIELD(U, U8, Wpn1, 29080, 4, 0),
    FIELD(U, U8, Wpn2, 29080, 4, 1),
    FIELD(U, U8, Wpn3, 29080, 4, 2),
    FIELD(U, U8, Wpn4, 29080, 4, 3),
    FIELD(U, U8, Wpn1HEAmmo, 33080, 8, 0),
    FIELD(U, U8, Wpn1APAmmo, 33080, 8, 1),
    FIELD(U, U8, Wpn2HEAmmo, 33080, 8, 2),
    FIELD(U, U8, Wpn2APAmmo, 33080, 8, 3),
    FIELD(U, U8, Wpn3HEAmmo, 33080, 8, 4),
    FIELD(U, U8, Wpn3APAmmo, 33080, 8, 5),
    FIELD(U, U8, Wpn4HEAmmo, 33080, 8, 6),
    FIELD(U, U8, Wpn4APAmmo, 33080, 8, 7),
    FIELD(U, U8, Speed, 41080, 1, 0),
    FIELD(U, U8, SteelHF, 42080, 14, 0),
    FIELD(U, U8, SteelHS, 42080, 14, 1),
    FIELD(U, U8, SteelHR, 42080, 14, 2),
    FIELD(U, U8, SteelTF, 42080, 14, 3),
    FIELD(U, U8, SteelTS, 42080, 14, 4),
    FIELD(U, U8, SteelTR, 42080, 14, 5),
    FIELD(U, U8, SteelTop, 42080, 14, 6),
    FIELD(U, U8, HEATHF, 42080, 14, 7),
    FIELD(U, U8, HEATHS, 42080, 14, 8),
    FIELD(U, U8, HEATHR, 42080, 14, 9),
    FIELD(U, U8, HEATTF, 42080, 14, 10),
    FIELD(U, U8, HEATTS, 42080, 14, 11),
    FIELD(U, U8, HEATTR, 42080, 14, 12),
    FIELD(U, U8, HEATTop, 42080, 14, 13),
    FIELD(U, U8, ERAHF, 56080, 7, 0),
    FIELD(U, U8, ERAHS, 56080, 7, 1),
    FIELD(U, U8, ERAHR, 56080, 7, 2),
    FIELD(U, U8, ERATF, 56080, 7, 3),
    FIELD(U, U8, ERATS, 56080, 7, 4),
    FIELD(U, U8, ERATR, 56080, 7, 5),
    FIELD(U, U8, ERATop, 56080, 7, 6),
    FIELD(U, U8, Radio, 69080, 1, 0),
    FIELD(U, U8, YrAvail, 70080, 1, 0, Saved::Year),
    FIELD(U, U8, YrUnavail, 71080, 1, 0, Saved::Year),
    FIELD(U, U16, Cost, 72080, 2, 0),
    FIELD(U, U8, Nation, 74080, 1, 0),
    FIELD(U, U16, PictureID, 75080, 2, 0),
    FIELD(U, U8, Vision, 77080, 1, 0),
    FIELD(U, U8, FC, 78080, 1, 0),
    FIELD(U, U8, SabotAmmo, 79080, 1, 0),
    FIELD(U, U8, HEATAmmo, 80080, 1, 0),
    FIELD(U, U8, ROF, 81080, 1, 0),
    FIELD(U, U8, Stabiliser, 82080, 1, 0),
    FIELD(U, U8, RF, 83080, 1, 0),
    FIELD(U, U8, EW, 84080, 1, 0),
    FIELD(U, U8, Carry, 85080, 1, 0),
    FIELD(U, U8, Survive, 86080, 1, 0),
    FIELD(U, U8, Weight, 87080, 1, 0),
    FIELD(U, U16, Icon, 88080, 2, 0),
    FIELD(U, U8, Swim, 90080, 1, 0),
    FIELD(U, U8, MC, 91080, 1, 0),
    FIELD(U, U8, SD, 92080, 1, 0),
    FIELD(U, U8, MonthAvail, 93080, 1, 0, Saved::MonthZeroAs1),
    FIELD(U, U8, MonthUnAvail, 94080, 1, 0, Saved::MonthZeroAs1),
    FIELD(U, U8, SoundByte, 95080, 1, 0),
    FIELD(U, U8, WPNSound1, 96080, 4, 0),
    FIELD(U, U8, WPNSound2, 96080, 4, 1),
    FIELD(U, U8, WPNSound3, 96080, 4, 2),
    FIELD(U, U8, WPNSound4, 96080, 4, 3),
    FIELD(U, U8, SpareB, 100080, 1, 0),
    FIELD(U, U16, WinterIcon, 101080, 2, 0),
    FIELD(U, U16, DesertIcon, 103080, 2, 0),
};

// Weapon columns, each 250 entries (slots 0..249). Penetration and kill hold
// two separate bytes per weapon, HE first.
const std::vector<Place<W>> kWeaponPlaces = {
    FIELD(W, U8, Class, 3830, 1, 0),
    FIELD(W, U8, Size, 4330, 1, 0),
    FIELD(W, U8, WarheadSize, 4580, 1, 0),
    FIELD(W, U8, HEPen, 4830, 2, 0),
    FIELD(W, U8, APPen, 4830, 2, 1),
    FIELD(W, U8, HEKill, 5330, 2, 0),
    FIELD(W, U8, APKill, 5330, 2, 1),
    FIELD(W, U8, Accuracy, 5830, 1, 0),
    FIELD(W, U8, Range, 6080, 1, 0),
    FIELD(W, U8, SabotRange, 6330, 1, 0),
    FIELD(W, U8, SabotPen, 6580, 1, 0),
    FIELD(W, U8, HEATPen, 6830, 1, 0),
};

// Formation columns, each 1000 entries (slots 0..999).
const std::vector<Place<F>> kFormationPlaces = {
    FIELD(F, U8, Nation, 146080, 1, 0),
    FIELD(F, U8, YrAvail, 147080, 1, 0, Saved::Year),
    FIELD(F, U8, YrUntil, 148080, 1, 0, Saved::Year),
    FIELD(F, U8, Page, 149080, 1, 0),
    FIELD(F, U8, FormType, 150080, 1, 0),
    FIELD(F, U16, Slot[0], 151080, 20, 0),
    FIELD(F, U16, Slot[1], 151080, 20, 2),
    FIELD(F, U16, Slot[2], 151080, 20, 4),
    FIELD(F, U16, Slot[3], 151080, 20, 6),
    FIELD(F, U16, Slot[4], 151080, 20, 8),
    FIELD(F, U16, Slot[5], 151080, 20, 10),
    FIELD(F, U16, Slot[6], 151080, 20, 12),
    FIELD(F, U16, Slot[7], 151080, 20, 14),
    FIELD(F, U16, Slot[8], 151080, 20, 16),
    FIELD(F, U16, Slot[9], 151080, 20, 18),
    FIELD(F, U8, MonthAvail, 171080, 1, 0, Saved::MonthZeroAs1),
    FIELD(F, U8, MonthUntil, 172080, 1, 0, Saved::MonthZeroAs12),
    FIELD(F, S8, ExpMod, 173080, 1, 0),
    FIELD(F, S8, MoraleMod, 174080, 1, 0),
};

#undef FIELD

constexpr std::size_t kFileSize = 200000;
constexpr std::size_t kInfoAt = 0, kInfoWidth = 80;
constexpr std::size_t kWeaponNameAt = 80, kUnitNameAt = 10080, kFormationNameAt = 131080;
constexpr std::size_t kNameWidth = 15;

// The stretches the layout leaves uninterpreted.
struct Gap {
    std::size_t From, To;  // To is one past the last byte
};
constexpr Gap kGaps[] = {{4080, 4330}, {7080, 10080}, {63080, 69080}, {105080, 131080}, {175080, 200000}};

// Classes whose size the writer forces to 0.
bool IsSizeless(long c)
{
    return c == 10 || c == 31 || c == 155 || c == 156 || c == 210 || c == 211;
}

// The byte the writer puts at the b-th byte of a field whose bytes hold v.
std::uint8_t SavedByte(Saved rule, const std::vector<std::uint8_t>& v, std::size_t b, long unitClass)
{
    const std::uint8_t x = v[b];
    switch (rule) {
    case Saved::AsIs: return x;
    case Saved::Year: return x > 120 ? 120 : (x == 0 ? 1 : x);
    case Saved::MonthZeroAs1: return x > 12 ? 12 : (x == 0 ? 1 : x);
    case Saved::MonthZeroAs12: return x > 12 ? 12 : (x == 0 ? 12 : x);
    case Saved::SizeOfClass: return IsSizeless(unitClass) ? 0 : x;
    }
    return x;
}

// The value a field's bytes read as.
long ValueOf(Kind kind, const std::vector<std::uint8_t>& v)
{
    switch (kind) {
    case Kind::U8: return v[0];
    case Kind::U16: return v[0] + 256L * v[1];
    case Kind::S8: return static_cast<std::int8_t>(v[0]);
    }
    return 0;
}

// The slots each table is checked at: the first, a middle one, the one before
// the last (every byte at the top of its range) and the last.
enum class Fill { Ascending, Descending, Top };
struct TestSlot {
    int Slot;
    Fill How;
    int First;  // the first byte value of an ascending or descending fill
};
const TestSlot kUnitTestSlots[] = {
    {1, Fill::Ascending, 1}, {500, Fill::Ascending, 100}, {998, Fill::Top, 0}, {999, Fill::Descending, 255}};
const TestSlot kWeaponTestSlots[] = {
    {1, Fill::Ascending, 1}, {125, Fill::Ascending, 100}, {248, Fill::Top, 0}, {249, Fill::Descending, 255}};
const TestSlot kFormationTestSlots[] = {
    {1, Fill::Ascending, 1}, {500, Fill::Ascending, 100}, {998, Fill::Top, 0}, {999, Fill::Descending, 255}};

// Years and months get values of their own: in range and distinct in the first
// two slots, so a writer that swaps two of them shows; out of range in the last,
// so the clamping shows. The top slot keeps 255 (written as 120 and 12).
struct Override {
    const char* Field;
    int Slot;
    std::uint8_t Value;
};
const Override kUnitOverrides[] = {
    {"YrAvail", 1, 41},     {"YrUnavail", 1, 97},     {"MonthAvail", 1, 3},     {"MonthUnAvail", 1, 11},
    {"YrAvail", 500, 120},  {"YrUnavail", 500, 119},  {"MonthAvail", 500, 12},  {"MonthUnAvail", 500, 2},
    {"YrAvail", 999, 0},    {"YrUnavail", 999, 121},  {"MonthAvail", 999, 0},   {"MonthUnAvail", 999, 13},
};
const Override kFormationOverrides[] = {
    {"YrAvail", 1, 42},    {"YrUntil", 1, 96},    {"MonthAvail", 1, 4},    {"MonthUntil", 1, 10},
    {"YrAvail", 500, 120}, {"YrUntil", 500, 118}, {"MonthAvail", 500, 12}, {"MonthUntil", 500, 1},
    {"YrAvail", 999, 0},   {"YrUntil", 999, 200}, {"MonthAvail", 999, 0},  {"MonthUntil", 999, 0},
    // The top slot: the highest and the lowest signed modifier.
    {"ExpMod", 998, 0x7F}, {"MoraleMod", 998, 0x80},
};

// A name for a test slot: the full 15 characters, no blanks at either end, except
// in the middle slot, where a short name is followed by a NUL and stray bytes.
// Names are never empty, so no clean-up pass clears a test slot's nation and
// dates, and never start or end with a blank, which the reader would trim.
std::string NameFor(char kind, int slot, Fill how, bool middle)
{
    std::string name(1, kind);
    name += std::to_string(slot);
    if (middle)
        return name + " mid";
    name += ' ';
    for (int i = 0; name.size() < kNameWidth; ++i)
        name.push_back(static_cast<char>((how == Fill::Top ? 'A' : 'a') + (slot + i) % 26));
    return name;
}

// The bytes of one field of one test slot, and the slot's name.
template <typename Record>
struct SlotData {
    int Slot;
    std::string Name;
    std::vector<std::vector<std::uint8_t>> Bytes;  // per place
};

template <typename Record>
std::vector<SlotData<Record>> MakeSlots(char kind, const std::vector<Place<Record>>& places,
                                        const TestSlot (&slots)[4], const std::vector<Override>& overrides)
{
    std::vector<SlotData<Record>> out;
    for (const TestSlot& ts : slots) {
        SlotData<Record> d;
        d.Slot = ts.Slot;
        d.Name = NameFor(kind, ts.Slot, ts.How, &ts == &slots[1]);
        int next = ts.First;
        for (const auto& p : places) {
            std::vector<std::uint8_t> v;
            for (int b = 0; b < p.Bytes(); ++b) {
                if (ts.How == Fill::Top) {
                    v.push_back(0xFF);
                } else {
                    v.push_back(static_cast<std::uint8_t>(next));
                    next += ts.How == Fill::Ascending ? 1 : -1;
                }
            }
            for (const Override& o : overrides)
                if (o.Slot == ts.Slot && std::string(o.Field) == p.Field)
                    v[0] = o.Value;
            d.Bytes.push_back(v);
        }
        out.push_back(d);
    }
    return out;
}

// Marks every byte a table's columns cover, name column included, slots 1..last.
template <typename Record>
void Claim(std::vector<int>& owner, const std::vector<Place<Record>>& places, std::size_t nameAt, int last)
{
    for (int s = 1; s <= last; ++s) {
        for (std::size_t i = 0; i < kNameWidth; ++i)
            ++owner[nameAt + static_cast<std::size_t>(s) * kNameWidth + i];
        for (const auto& p : places)
            for (int b = 0; b < p.Bytes(); ++b)
                ++owner[p.At(s) + static_cast<std::size_t>(b)];
    }
}

void PutName(std::vector<std::uint8_t>& buf, std::size_t at, const std::string& name, std::size_t width)
{
    for (std::size_t i = 0; i < name.size(); ++i)
        buf[at + i] = static_cast<std::uint8_t>(name[i]);
    if (name.size() < width)
        buf[at + name.size()] = 0;  // the bytes after this NUL keep their stray values
}

template <typename Record>
void PutSlots(std::vector<std::uint8_t>& buf, const std::vector<Place<Record>>& places, std::size_t nameAt,
              const std::vector<SlotData<Record>>& slots)
{
    for (const auto& d : slots) {
        PutName(buf, nameAt + static_cast<std::size_t>(d.Slot) * kNameWidth, d.Name, kNameWidth);
        for (std::size_t k = 0; k < places.size(); ++k)
            for (int b = 0; b < places[k].Bytes(); ++b)
                buf[places[k].At(d.Slot) + static_cast<std::size_t>(b)] = d.Bytes[k][static_cast<std::size_t>(b)];
    }
}

template <typename Record>
void ExpectLoaded(const char* table, const std::vector<Record>& records, const std::vector<Place<Record>>& places,
                  const std::vector<SlotData<Record>>& slots)
{
    for (const auto& d : slots) {
        const Record& r = records[static_cast<std::size_t>(d.Slot)];
        EXPECT_EQ(r.Name, d.Name) << table << " " << d.Slot << " Name";
        for (std::size_t k = 0; k < places.size(); ++k)
            EXPECT_EQ(places[k].Get(r), ValueOf(places[k].Type, d.Bytes[k]))
                << table << " " << d.Slot << " " << places[k].Field << " read from byte " << places[k].At(d.Slot);
    }
}

template <typename Record>
void ExpectSaved(const char* table, const std::vector<std::uint8_t>& out, const std::vector<Place<Record>>& places,
                 std::size_t nameAt, const std::vector<SlotData<Record>>& slots)
{
    for (const auto& d : slots) {
        // The writer's size rule reads the unit's class.
        long unitClass = 0;
        for (std::size_t k = 0; k < places.size(); ++k)
            if (std::is_same_v<Record, UnitRecord> && std::string(places[k].Field) == "Class")
                unitClass = ValueOf(places[k].Type, d.Bytes[k]);
        const std::size_t at = nameAt + static_cast<std::size_t>(d.Slot) * kNameWidth;
        std::string padded = d.Name;
        padded.resize(kNameWidth, '\0');
        EXPECT_EQ(std::string(out.begin() + static_cast<long>(at), out.begin() + static_cast<long>(at + kNameWidth)),
                  padded)
            << table << " " << d.Slot << " Name written at " << at;
        for (std::size_t k = 0; k < places.size(); ++k)
            for (int b = 0; b < places[k].Bytes(); ++b) {
                const std::size_t byteAt = places[k].At(d.Slot) + static_cast<std::size_t>(b);
                EXPECT_EQ(out[byteAt], SavedByte(places[k].Save, d.Bytes[k], static_cast<std::size_t>(b),
                                                 unitClass))
                    << table << " " << d.Slot << " " << places[k].Field << " written at byte " << byteAt;
            }
    }
}

// Bytes up to the first NUL, at most width of them.
std::string NameAt(const std::vector<std::uint8_t>& buf, std::size_t at, std::size_t width)
{
    std::string name;
    for (std::size_t i = 0; i < width && buf[at + i] != 0; ++i)
        name.push_back(static_cast<char>(buf[at + i]));
    return name;
}

// Without bytes <= 0x20 at either end.
std::string Trimmed(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20)
        --e;
    return s.substr(b, e - b);
}

std::vector<std::uint8_t> BytesAt(const std::vector<std::uint8_t>& buf, std::size_t at, int n)
{
    return {buf.begin() + static_cast<long>(at), buf.begin() + static_cast<long>(at) + n};
}

// Every slot of a table, not just the test slots: the stray bytes the file holds
// there are read into the record fields the layout puts them in, and written back
// to the same places (clamped where the writer clamps). Gives the first few
// differences, and their number.
template <typename Record>
std::vector<std::string> EverySlotDifferences(const std::vector<std::uint8_t>& file, const std::vector<Record>& records,
                                              const std::vector<std::uint8_t>* saved,
                                              const std::vector<Place<Record>>& places, std::size_t nameAt, int last,
                                              bool trimmedOnLoad)
{
    std::vector<std::string> diffs;
    std::size_t count = 0;
    auto differ = [&](int slot, const std::string& what, const std::string& got, const std::string& want) {
        if (++count <= 5)
            diffs.push_back("slot " + std::to_string(slot) + " " + what + ": " + got + " instead of " + want);
    };
    auto number = [](long v) { return std::to_string(v); };
    for (int s = 1; s <= last; ++s) {
        const std::string name = NameAt(file, nameAt + static_cast<std::size_t>(s) * kNameWidth, kNameWidth);
        const std::string loaded = trimmedOnLoad ? Trimmed(name) : name;
        long unitClass = 0;
        for (const auto& p : places)
            if (std::is_same_v<Record, UnitRecord> && std::string(p.Field) == "Class")
                unitClass = ValueOf(p.Type, BytesAt(file, p.At(s), 1));
        if (!saved) {
            const Record& r = records[static_cast<std::size_t>(s)];
            if (r.Name != loaded)
                differ(s, "Name read", '"' + r.Name + '"', '"' + loaded + '"');
            for (const auto& p : places) {
                const long want = ValueOf(p.Type, BytesAt(file, p.At(s), p.Bytes()));
                if (p.Get(r) != want)
                    differ(s, std::string(p.Field) + " read from byte " + number(p.At(s)), number(p.Get(r)),
                           number(want));
            }
            continue;
        }
        std::string padded = Trimmed(name);
        padded.resize(kNameWidth, '\0');
        const std::size_t at = nameAt + static_cast<std::size_t>(s) * kNameWidth;
        if (std::string(saved->begin() + static_cast<long>(at), saved->begin() + static_cast<long>(at + kNameWidth)) !=
            padded)
            differ(s, "Name written at byte " + number(at),
                   '"' + std::string(saved->begin() + static_cast<long>(at),
                                     saved->begin() + static_cast<long>(at + kNameWidth)) + '"',
                   '"' + padded + '"');
        for (const auto& p : places) {
            const auto v = BytesAt(file, p.At(s), p.Bytes());
            for (int b = 0; b < p.Bytes(); ++b) {
                const std::size_t byteAt = p.At(s) + static_cast<std::size_t>(b);
                const std::uint8_t want = SavedByte(p.Save, v, static_cast<std::size_t>(b), unitClass);
                if ((*saved)[byteAt] != want)
                    differ(s, std::string(p.Field) + " written at byte " + number(byteAt), number((*saved)[byteAt]),
                           number(want));
            }
        }
    }
    if (count > 5)
        diffs.push_back("and " + std::to_string(count - 5) + " more");
    return diffs;
}

class OobFileLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Every byte starts as a stray non-zero value, so a column read from the
        // wrong place, or a name read past its 15 bytes, picks up something visible.
        std::mt19937 rng(20240611);
        file.resize(kFileSize);
        for (auto& b : file)
            b = static_cast<std::uint8_t>(1 + rng() % 255);

        // The list itself: no byte claimed twice, none inside a gap.
        owner.assign(kFileSize, 0);
        for (std::size_t i = 0; i < kInfoWidth; ++i)
            ++owner[kInfoAt + i];
        Claim(owner, kWeaponPlaces, kWeaponNameAt, 249);
        Claim(owner, kUnitPlaces, kUnitNameAt, 999);
        Claim(owner, kFormationPlaces, kFormationNameAt, 999);
        for (std::size_t i = 0; i < kFileSize; ++i)
            ASSERT_LE(owner[i], 1) << "byte " << i << " is claimed twice by the test's own list";
        for (const Gap& g : kGaps)
            for (std::size_t i = g.From; i < g.To; ++i)
                ASSERT_EQ(owner[i], 0) << "byte " << i << " lies in a gap";

        info = "Info: the whole eighty characters of the text, with no NUL byte anywhere at all!";
        ASSERT_EQ(info.size(), kInfoWidth);
        PutName(file, kInfoAt, info, kInfoWidth);

        units = MakeSlots('U', kUnitPlaces, kUnitTestSlots, {std::begin(kUnitOverrides), std::end(kUnitOverrides)});
        weapons = MakeSlots('W', kWeaponPlaces, kWeaponTestSlots, {});
        formations = MakeSlots('F', kFormationPlaces, kFormationTestSlots,
                               {std::begin(kFormationOverrides), std::end(kFormationOverrides)});
        PutSlots(file, kUnitPlaces, kUnitNameAt, units);
        PutSlots(file, kWeaponPlaces, kWeaponNameAt, weapons);
        PutSlots(file, kFormationPlaces, kFormationNameAt, formations);

        test::WriteBytes(dir / OOBFileName(kNation), std::vector<unsigned char>(file.begin(), file.end()));
        oob.CurrentOOB = kNation;
        ASSERT_EQ(LoadOOB(oob, dir.path(), kNation).code, 0);
    }

    static constexpr int kNation = 7;
    test::TempDir dir;
    std::vector<std::uint8_t> file;
    std::vector<int> owner;  // how many fields of the list claim each byte
    std::string info;
    std::vector<SlotData<U>> units;
    std::vector<SlotData<W>> weapons;
    std::vector<SlotData<F>> formations;
    Oob oob;
};

TEST_F(OobFileLayout, TheReaderTakesEveryFieldFromItsPlace)
{
    EXPECT_EQ(oob.LoadedSize, kFileSize);
    EXPECT_EQ(oob.OOBInfo, info);
    ExpectLoaded("unit", oob.UnitTable, kUnitPlaces, units);
    ExpectLoaded("weapon", oob.WeaponTable, kWeaponPlaces, weapons);
    ExpectLoaded("formation", oob.FormationTable, kFormationPlaces, formations);
    // Unit names are trimmed as they are read, formation names by the clean-up
    // that follows; weapon names are taken as they are.
    using Diffs = std::vector<std::string>;
    EXPECT_EQ(EverySlotDifferences(file, oob.UnitTable, nullptr, kUnitPlaces, kUnitNameAt, 999, true), Diffs{});
    EXPECT_EQ(EverySlotDifferences(file, oob.WeaponTable, nullptr, kWeaponPlaces, kWeaponNameAt, 249, false), Diffs{});
    EXPECT_EQ(EverySlotDifferences(file, oob.FormationTable, nullptr, kFormationPlaces, kFormationNameAt, 999, true),
              Diffs{});
}

TEST_F(OobFileLayout, TheWriterPutsEveryFieldBackInItsPlaceAndLeavesTheRestAlone)
{
    // Spoil every byte the tables own in the buffer, so only what the writer
    // itself puts back can pass; the gaps and the slot 0 entries keep the file's bytes.
    for (std::size_t i = 0; i < kFileSize; ++i)
        if (owner[i])
            oob.OOBBuffer[i] = static_cast<std::uint8_t>(~oob.OOBBuffer[i]);
    ASSERT_TRUE(SaveOOB(oob, kNation, dir.path()).ok);
    const std::vector<unsigned char> saved = test::ReadBytes(dir / OOBFileName(kNation));
    ASSERT_EQ(saved.size(), kFileSize);
    const std::vector<std::uint8_t> out(saved.begin(), saved.end());

    EXPECT_EQ(std::string(out.begin(), out.begin() + kInfoWidth), info);
    ExpectSaved("unit", out, kUnitPlaces, kUnitNameAt, units);
    ExpectSaved("weapon", out, kWeaponPlaces, kWeaponNameAt, weapons);
    ExpectSaved("formation", out, kFormationPlaces, kFormationNameAt, formations);
    using Diffs = std::vector<std::string>;
    EXPECT_EQ(EverySlotDifferences(file, oob.UnitTable, &out, kUnitPlaces, kUnitNameAt, 999, true), Diffs{});
    EXPECT_EQ(EverySlotDifferences(file, oob.WeaponTable, &out, kWeaponPlaces, kWeaponNameAt, 249, true), Diffs{});
    EXPECT_EQ(EverySlotDifferences(file, oob.FormationTable, &out, kFormationPlaces, kFormationNameAt, 999, true),
              Diffs{});

    std::size_t kept = 0;
    for (std::size_t i = 0; i < kFileSize; ++i) {
        if (owner[i])
            continue;
        ASSERT_EQ(out[i], file[i]) << "uninterpreted byte " << i << " changed";
        ++kept;
    }
    // What is left are the gaps and slot 0 of every column: 15 + 12 bytes of the
    // weapon columns, 15 + 74 of the unit columns, 15 + 29 of the formation columns.
    std::size_t gaps = 0;
    for (const Gap& g : kGaps)
        gaps += g.To - g.From;
    EXPECT_EQ(kept, gaps + (15 + 12) + (15 + 74) + (15 + 29));
}

// A unit whose class has no size is written with size 0, and keeps 0 in memory.
TEST(OobFileSizeRule, ClassesWithoutASizeAreSavedWithSizeZero)
{
    Oob oob;
    oob.CurrentOOB = 3;
    for (int c = 0; c <= 255; ++c) {
        UnitRecord& u = oob.UnitTable[static_cast<std::size_t>(c + 1)];
        u.Name = "Unit";
        u.Class = static_cast<std::uint8_t>(c);
        u.Size = 9;
    }
    WriteTablesToBuffer(oob);
    for (int c = 0; c <= 255; ++c) {
        const int want = IsSizeless(c) ? 0 : 9;
        EXPECT_EQ(oob.OOBBuffer[27080 + static_cast<std::size_t>(c + 1)], want) << "class " << c;
        EXPECT_EQ(oob.UnitTable[static_cast<std::size_t>(c + 1)].Size, want) << "class " << c;
    }
}

}  // namespace
}  // namespace brackle

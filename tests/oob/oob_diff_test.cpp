// The diff of two loaded OOB files. The files are made byte by byte at places
// written out by hand from the file layout, and the expected lines are written
// out by hand too.
#include "oob/oob_diff.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "oob/oob_file.h"

namespace brackle {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutText(Bytes& b, std::size_t at, const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        b[at + i] = static_cast<std::uint8_t>(text[i]);
}

void Clear(Bytes& b, std::size_t at, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        b[at + i] = 0;
}

// File 3: info "v1.0"; unit 20 "Heavy Tank 40" (class 7, radio 11, years 40..45,
// months 1..12, cost 250, nation 3); unit 3 "Rifle Squad"; weapon 107 "76mm Gun";
// formation 5 without a name holding 1012 in Slot3; formation 12 "Tank Platoon"
// with ExpMod -5.
Bytes BaseFile()
{
    Bytes b(kBufferSize, 0);
    PutText(b, 0, "v1.0");
    PutText(b, 10080 + 20 * 15, "Heavy Tank 40");
    b[25080 + 20] = 7;
    b[69080 + 20] = 11;
    b[70080 + 20] = 40;
    b[71080 + 20] = 45;
    b[93080 + 20] = 1;
    b[94080 + 20] = 12;
    b[72080 + 40] = 250;
    b[74080 + 20] = 3;
    PutText(b, 10080 + 3 * 15, "Rifle Squad");
    b[74080 + 3] = 3;
    PutText(b, 80 + 107 * 15, "76mm Gun");
    b[151080 + 5 * 20 + 4] = 0xF4;  // 1012
    b[151080 + 5 * 20 + 5] = 0x03;
    PutText(b, 131080 + 12 * 15, "Tank Platoon");
    b[146080 + 12] = 3;
    b[173080 + 12] = 0xFB;  // -5
    return b;
}

Oob Load(const Bytes& bytes, std::size_t size = kBufferSize)
{
    Oob oob;
    oob.CurrentOOB = 3;
    oob.OOBBuffer = bytes;
    for (std::size_t i = size; i < kBufferSize; ++i)
        oob.OOBBuffer[i] = 0;  // what the loader leaves beyond a short file
    oob.LoadedSize = size;
    ReadTablesFromBuffer(oob);
    return oob;
}

struct Case {
    const char* What;
    std::function<void(Bytes&)> Change;
    std::vector<std::string> Lines;
};

TEST(OobDiff, EveryKindOfChange)
{
    const std::vector<Case> cases = {
        {"identical files", [](Bytes&) {}, {"no differences"}},
        {"a unit's number",
         [](Bytes& b) { b[69080 + 20] = 113; },
         {"unit 020 Heavy Tank 40: Radio 11 -> 113", "1 unit, 0 weapons, 0 formations changed"}},
        {"a 16-bit number's high byte",
         [](Bytes& b) { b[72080 + 41] = 1; },
         {"unit 020 Heavy Tank 40: Cost 250 -> 506", "1 unit, 0 weapons, 0 formations changed"}},
        {"a unit's name",
         [](Bytes& b) { PutText(b, 10080 + 20 * 15, "Heavy Tank 41"); },
         {"unit 020 Heavy Tank 40: Name 'Heavy Tank 40' -> 'Heavy Tank 41'",
          "1 unit, 0 weapons, 0 formations changed"}},
        {"a weapon's name emptied",
         [](Bytes& b) { Clear(b, 80 + 107 * 15, 15); },
         {"weapon 107: Name '76mm Gun' -> ''", "0 units, 1 weapon, 0 formations changed"}},
        {"a formation slot",
         [](Bytes& b) { b[151080 + 5 * 20 + 4] = 0xF5; },
         {"formation 005: Slot3 1012 -> 1013", "0 units, 0 weapons, 1 formation changed"}},
        {"a signed modifier",
         [](Bytes& b) { b[173080 + 12] = 3; },
         {"formation 012 Tank Platoon: ExpMod -5 -> 3", "0 units, 0 weapons, 1 formation changed"}},
        {"the info text",
         [](Bytes& b) { PutText(b, 0, "v1.1"); },
         {"info: 'v1.0' -> 'v1.1'", "0 units, 0 weapons, 0 formations changed; info changed"}},
        {"uninterpreted bytes",
         [](Bytes& b) {
             b[199999] = 1;
             b[63080] = 1;
             b[105080] = 1;
         },
         {"uninterpreted bytes: 3 differ, first at 63080",
          "0 units, 0 weapons, 0 formations changed; 3 uninterpreted bytes differ"}},
        {"slot 0 of a column and the weapon column nothing reads",
         [](Bytes& b) {
             b[69080] = 9;   // unit Radio, slot 0
             b[80] = 'x';    // weapon Name, slot 0
             b[4080 + 7] = 2;
         },
         {"uninterpreted bytes: 3 differ, first at 80",
          "0 units, 0 weapons, 0 formations changed; 3 uninterpreted bytes differ"}},
        {"bytes after the NUL that ends a name",
         [](Bytes& b) { b[10080 + 20 * 15 + 14] = 'X'; },
         {"field bytes that load the same: 1 differ, first at 10394",
          "0 units, 0 weapons, 0 formations changed; 1 field byte that loads the same differs"}},
        {"a unit erased and saved",
         [](Bytes& b) {
             Clear(b, 10080 + 20 * 15, 15);
             b[25080 + 20] = 0;
             b[69080 + 20] = 0;
             b[70080 + 20] = 1;  // the save writes a year 0 as 1, a month 0 as 1
             b[71080 + 20] = 1;
             b[94080 + 20] = 1;
             b[72080 + 40] = 0;
             b[74080 + 20] = 0;
         },
         {"unit 020 Heavy Tank 40: Name 'Heavy Tank 40' -> ''", "unit 020 Heavy Tank 40: Class 7 -> 0",
          "unit 020 Heavy Tank 40: Radio 11 -> 0", "unit 020 Heavy Tank 40: YrAvail 40 -> 1",
          "unit 020 Heavy Tank 40: YrUnavail 45 -> 1", "unit 020 Heavy Tank 40: Cost 250 -> 0",
          "unit 020 Heavy Tank 40: Nation 3 -> 0", "unit 020 Heavy Tank 40: MonthUnAvail 12 -> 1",
          "1 unit, 0 weapons, 0 formations changed"}},
        {"a unit added takes its new name",
         [](Bytes& b) {
             PutText(b, 10080 + 21 * 15, "Scout Car");
             b[69080 + 21] = 50;
         },
         {"unit 021 Scout Car: Name '' -> 'Scout Car'", "unit 021 Scout Car: Radio 0 -> 50",
          "1 unit, 0 weapons, 0 formations changed"}},
        {"several records, in slot order and table order",
         [](Bytes& b) {
             Clear(b, 0, 80);
             PutText(b, 0, "v2");
             b[151080 + 5 * 20 + 4] = 0xF5;
             b[69080 + 20] = 12;
             b[69080 + 3] = 40;
             b[6080 + 107] = 30;
         },
         {"unit 003 Rifle Squad: Radio 0 -> 40", "unit 020 Heavy Tank 40: Radio 11 -> 12",
          "weapon 107: Range 0 -> 30", "formation 005: Slot3 1012 -> 1013", "info: 'v1.0' -> 'v2'",
          "2 units, 1 weapon, 1 formation changed; info changed"}},
        {"control bytes, quotes and backslashes in texts",
         [](Bytes& b) {
             PutText(b, 80 + 107 * 15, "76\x1b[2J'\\");
             Clear(b, 10080 + 20 * 15, 15);
             PutText(b, 10080 + 20 * 15, "Heavy\x07Tank\xe4\\");
         },
         {"unit 020 Heavy Tank 40: Name 'Heavy Tank 40' -> 'Heavy\\x07Tank\\xE4\\\\'",
          "weapon 107: Name '76mm Gun' -> '76\\x1B[2J\\'\\\\'", "1 unit, 1 weapon, 0 formations changed"}},
    };
    const Oob a = Load(BaseFile());
    for (const Case& c : cases) {
        Bytes changed = BaseFile();
        c.Change(changed);
        const OobDiff d = DiffOob(a, Load(changed));
        EXPECT_EQ(d.Lines, c.Lines) << c.What;
        EXPECT_EQ(d.Same(), c.Lines.size() == 1 && c.Lines[0] == "no differences") << c.What;
    }
}

TEST(OobDiff, TheNameOfAChangedRecordIsPrintedSafely)
{
    Bytes before = BaseFile();
    Clear(before, 10080 + 20 * 15, 15);
    PutText(before, 10080 + 20 * 15, "Tank\x1b]0;x\x07\\");
    Bytes after = before;
    after[69080 + 20] = 12;
    const OobDiff d = DiffOob(Load(before), Load(after));
    ASSERT_EQ(d.Lines.size(), 2u);
    EXPECT_EQ(d.Lines[0], "unit 020 Tank\\x1B]0;x\\x07\\\\: Radio 11 -> 12");
}

TEST(OobDiff, FilesOfDifferentLengthsAreComparedOverTheLengthBothHave)
{
    Bytes longer = BaseFile();
    longer[199500] = 7;  // not in the shorter file: only the length says so
    const OobDiff d = DiffOob(Load(longer), Load(BaseFile(), 199000));
    EXPECT_EQ(d.Lines, (std::vector<std::string>{"length: 200000 -> 199000 bytes",
                                                 "0 units, 0 weapons, 0 formations changed; lengths differ"}));
    EXPECT_FALSE(d.Same());

    // A file that ends before the formation slots reads them as 0.
    const OobDiff cut = DiffOob(Load(BaseFile()), Load(BaseFile(), 150000));
    EXPECT_EQ(cut.Lines, (std::vector<std::string>{"formation 005: Slot3 1012 -> 0",
                                                   "formation 012 Tank Platoon: ExpMod -5 -> 0",
                                                   "length: 200000 -> 150000 bytes",
                                                   "0 units, 0 weapons, 2 formations changed; lengths differ"}));
}

// Every field's place in the file, by hand from the layout: the column's start,
// its bytes per slot, the field's position in the entry and its width.
struct Place {
    const char* Kind;
    const char* Field;
    std::size_t Start, Width, Pos, Bytes;
};

const std::vector<Place> kPlaces = {
    {"unit", "Name", 10080, 15, 0, 1},         {"unit", "Class", 25080, 1, 0, 1},
    {"unit", "SpareA", 26080, 1, 0, 1},        {"unit", "Size", 27080, 1, 0, 1},
    {"unit", "Crew", 28080, 1, 0, 1},          {"unit", "Wpn1", 29080, 4, 0, 1},
    {"unit", "Wpn2", 29080, 4, 1, 1},          {"unit", "Wpn3", 29080, 4, 2, 1},
    {"unit", "Wpn4", 29080, 4, 3, 1},          {"unit", "Wpn1HEAmmo", 33080, 8, 0, 1},
    {"unit", "Wpn1APAmmo", 33080, 8, 1, 1},    {"unit", "Wpn2HEAmmo", 33080, 8, 2, 1},
    {"unit", "Wpn2APAmmo", 33080, 8, 3, 1},    {"unit", "Wpn3HEAmmo", 33080, 8, 4, 1},
    {"unit", "Wpn3APAmmo", 33080, 8, 5, 1},    {"unit", "Wpn4HEAmmo", 33080, 8, 6, 1},
    {"unit", "Wpn4APAmmo", 33080, 8, 7, 1},    {"unit", "Speed", 41080, 1, 0, 1},
    {"unit", "SteelHF", 42080, 14, 0, 1},      {"unit", "SteelHS", 42080, 14, 1, 1},
    {"unit", "SteelHR", 42080, 14, 2, 1},      {"unit", "SteelTF", 42080, 14, 3, 1},
    {"unit", "SteelTS", 42080, 14, 4, 1},      {"unit", "SteelTR", 42080, 14, 5, 1},
    {"unit", "SteelTop", 42080, 14, 6, 1},     {"unit", "HEATHF", 42080, 14, 7, 1},
    {"unit", "HEATHS", 42080, 14, 8, 1},       {"unit", "HEATHR", 42080, 14, 9, 1},
    {"unit", "HEATTF", 42080, 14, 10, 1},      {"unit", "HEATTS", 42080, 14, 11, 1},
    {"unit", "HEATTR", 42080, 14, 12, 1},      {"unit", "HEATTop", 42080, 14, 13, 1},
    {"unit", "ERAHF", 56080, 7, 0, 1},         {"unit", "ERAHS", 56080, 7, 1, 1},
    {"unit", "ERAHR", 56080, 7, 2, 1},         {"unit", "ERATF", 56080, 7, 3, 1},
    {"unit", "ERATS", 56080, 7, 4, 1},         {"unit", "ERATR", 56080, 7, 5, 1},
    {"unit", "ERATop", 56080, 7, 6, 1},        {"unit", "Radio", 69080, 1, 0, 1},
    {"unit", "YrAvail", 70080, 1, 0, 1},       {"unit", "YrUnavail", 71080, 1, 0, 1},
    {"unit", "Cost", 72080, 2, 0, 2},          {"unit", "Nation", 74080, 1, 0, 1},
    {"unit", "PictureID", 75080, 2, 0, 2},     {"unit", "Vision", 77080, 1, 0, 1},
    {"unit", "FC", 78080, 1, 0, 1},            {"unit", "SabotAmmo", 79080, 1, 0, 1},
    {"unit", "HEATAmmo", 80080, 1, 0, 1},      {"unit", "ROF", 81080, 1, 0, 1},
    {"unit", "Stabiliser", 82080, 1, 0, 1},    {"unit", "RF", 83080, 1, 0, 1},
    {"unit", "EW", 84080, 1, 0, 1},            {"unit", "Carry", 85080, 1, 0, 1},
    {"unit", "Survive", 86080, 1, 0, 1},       {"unit", "Weight", 87080, 1, 0, 1},
    {"unit", "Icon", 88080, 2, 0, 2},          {"unit", "Swim", 90080, 1, 0, 1},
    {"unit", "MC", 91080, 1, 0, 1},            {"unit", "SD", 92080, 1, 0, 1},
    {"unit", "MonthAvail", 93080, 1, 0, 1},    {"unit", "MonthUnAvail", 94080, 1, 0, 1},
    {"unit", "SoundByte", 95080, 1, 0, 1},     {"unit", "WPNSound1", 96080, 4, 0, 1},
    {"unit", "WPNSound2", 96080, 4, 1, 1},     {"unit", "WPNSound3", 96080, 4, 2, 1},
    {"unit", "WPNSound4", 96080, 4, 3, 1},     {"unit", "SpareB", 100080, 1, 0, 1},
    {"unit", "WinterIcon", 101080, 2, 0, 2},   {"unit", "DesertIcon", 103080, 2, 0, 2},
    {"weapon", "Name", 80, 15, 0, 1},          {"weapon", "Class", 3830, 1, 0, 1},
    {"weapon", "Size", 4330, 1, 0, 1},         {"weapon", "WarheadSize", 4580, 1, 0, 1},
    {"weapon", "HEPen", 4830, 2, 0, 1},        {"weapon", "APPen", 4830, 2, 1, 1},
    {"weapon", "HEKill", 5330, 2, 0, 1},       {"weapon", "APKill", 5330, 2, 1, 1},
    {"weapon", "Accuracy", 5830, 1, 0, 1},     {"weapon", "Range", 6080, 1, 0, 1},
    {"weapon", "SabotRange", 6330, 1, 0, 1},   {"weapon", "SabotPen", 6580, 1, 0, 1},
    {"weapon", "HEATPen", 6830, 1, 0, 1},      {"formation", "Name", 131080, 15, 0, 1},
    {"formation", "Nation", 146080, 1, 0, 1},  {"formation", "YrAvail", 147080, 1, 0, 1},
    {"formation", "YrUntil", 148080, 1, 0, 1}, {"formation", "Page", 149080, 1, 0, 1},
    {"formation", "FormType", 150080, 1, 0, 1}, {"formation", "Slot1", 151080, 20, 0, 2},
    {"formation", "Slot2", 151080, 20, 2, 2},  {"formation", "Slot3", 151080, 20, 4, 2},
    {"formation", "Slot4", 151080, 20, 6, 2},  {"formation", "Slot5", 151080, 20, 8, 2},
    {"formation", "Slot6", 151080, 20, 10, 2}, {"formation", "Slot7", 151080, 20, 12, 2},
    {"formation", "Slot8", 151080, 20, 14, 2}, {"formation", "Slot9", 151080, 20, 16, 2},
    {"formation", "Slot10", 151080, 20, 18, 2}, {"formation", "MonthAvail", 171080, 1, 0, 1},
    {"formation", "MonthUntil", 172080, 1, 0, 1}, {"formation", "ExpMod", 173080, 1, 0, 1},
    {"formation", "MoraleMod", 174080, 1, 0, 1},
};

// A change to any byte of any field shows as that field, on its own line, and
// the byte is not counted again among the bytes.
TEST(OobDiff, EachFieldIsReadFromItsOwnBytes)
{
    const Oob a = Load(BaseFile());
    Oob b = Load(BaseFile());
    for (const Place& p : kPlaces) {
        const std::string kind = p.Kind;
        const std::size_t slot = kind == "unit" ? 20 : kind == "weapon" ? 107 : 12;
        const std::string head = kind == "unit"        ? "unit 020 Heavy Tank 40: "
                                 : kind == "weapon"    ? "weapon 107: "
                                                       : "formation 012 Tank Platoon: ";
        for (std::size_t i = 0; i < p.Bytes; ++i) {
            const std::size_t at = p.Start + slot * p.Width + p.Pos + i;
            const std::uint8_t was = b.OOBBuffer[at];
            b.OOBBuffer[at] = static_cast<std::uint8_t>(was == 0 ? 'A' : was + 1);
            ReadTablesFromBuffer(b);
            const OobDiff d = DiffOob(a, b);
            b.OOBBuffer[at] = was;
            ASSERT_EQ(d.Lines.size(), 2u) << p.Kind << " " << p.Field << " byte " << at;
            EXPECT_EQ(d.Lines[0].rfind(head + p.Field + " ", 0), 0u) << d.Lines[0];
            EXPECT_EQ(d.UninterpretedBytes + d.HiddenBytes, 0u) << p.Field;
        }
    }
}

// The bytes no field reads are exactly those the writer leaves alone.
TEST(OobDiff, UninterpretedBytesAreThoseNoSaveWrites)
{
    Oob probe;
    probe.OOBBuffer.assign(kBufferSize, 0xFF);
    WriteTablesToBuffer(probe);  // every field of an empty table writes 0, 1 or 12
    std::size_t fieldBytes = 0;
    for (std::size_t i = 0; i < kBufferSize; ++i) {
        ASSERT_EQ(IsFieldByte(i), probe.OOBBuffer[i] != 0xFF) << i;
        fieldBytes += IsFieldByte(i) ? 1 : 0;
    }
    // 80 + 249 * 27 weapon bytes, 999 * 92 unit bytes, 999 * 44 formation bytes.
    EXPECT_EQ(fieldBytes, 80u + 249u * 27u + 999u * 89u + 999u * 44u);

    struct Spot {
        std::size_t At;
        bool Read;
    };
    const Spot spots[] = {{0, true},        {79, true},       {80, false},     {94, false},     {95, true},
                          {4080, false},    {4329, false},    {4331, true},    {7079, true},   {7080, false},
                          {10079, false},   {10095, true},    {25079, true},   {63079, true},   {63080, false},
                          {69079, false},   {69080, false},   {69081, true},   {105079, true},  {105080, false},
                          {131079, false},  {175079, true},   {175080, false}, {199999, false}, {200000, false}};
    for (const Spot& s : spots)
        EXPECT_EQ(IsFieldByte(s.At), s.Read) << s.At;
}

TEST(OobDiff, QuotedTextsKeepPrintableAsciiOnly)
{
    const std::pair<std::string, std::string> cases[] = {
        {"76mm Gun", "76mm Gun"},      {"Bren's", "Bren\\'s"},  {"a\\b", "a\\\\b"},
        {"\x1b[2J", "\\x1B[2J"},       {"\xe4\xff", "\\xE4\\xFF"}, {std::string("a\0b", 3), "a\\x00b"},
        {"\x7f~ ", "\\x7F~ "},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(QuotedForDiff(text), shown) << shown;
}

}  // namespace
}  // namespace brackle

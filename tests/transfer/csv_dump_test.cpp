// The CSV dumps, byte for byte, against lines written out by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "oob/oob_file.h"
#include "oob/records.h"
#include "test_support.h"
#include "transfer/csv_dump.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

const char* const kUnitHeader =
    "Nation ID,Nationality,OB Slot No,Name,Nation,Class ID,Class,Cost,Size,Crew,Speed,Swim Spd,"
    "Move Class ID,Move Class,Radio%,Survivability,Lift Cap,Load Cost,1st Month Avail,1st Year Avail,"
    "Last Month Avail,Last Year Avail,Fire Control,Stabiliser,Vision,Nr S/D,Rate of Fire,EW,Range Finder,"
    "Weapon 1,Wpn 1 Name,Wpn1 HE Rds,Wpn1 AP Rds,Wpn1 HEAT Rds,Wpn1 SABOT Rds,Wpn1 Sound,"
    "Weapon 2,Wpn 2 Name,Wpn2 HE Rds,Wpn2 AP Rds,Wpn2 Sound,Weapon 3,Wpn 3 Name,Wpn3 HE Rds,Wpn3 AP Rds,"
    "Wpn3 Sound,Weapon 4,Wpn 4 Name,Wpn4 HE Rds,Wpn4 AP Rds,Wpn4 Sound,"
    "Steel HF,Steel HS,Steel HR,Steel TF,Steel TS,Steel TR,Steel Top,"
    "HEAT HF,HEAT HS,HEAT HR,HEAT TF,HEAT TS,HEAT TR,HEAT Top,"
    "ERA HF,ERA HS,ERA HR,ERA TF,ERA TS,ERA TR,ERA Top,"
    "Unit Sound,Graphic (Icon) ID,Picture (LBM) ID\r\n";

const char* const kWeaponHeader =
    "Nation ID,Nationality,OB Slot No,Name,Weapon Class,Weapon Size,Warhead Size,HE Pen,HE Kill,"
    "AP Pen,AP Kill,Accuracy,Range,Sabot Range,Sabot Pen,HEAT Pen,\r\n";

const char* const kFormationHeader =
    "Nation ID,Nationality,OB Slot No,Name,Country,Form Type,FT Desc,Buy Page,BP Desc,"
    "Avail From Mo,Avail From Yr,Avail To Mo,Avail To Yr,Exp Mod,Mor Mod,"
    "Subunit 01,Description1,Subunit 02,Description2,Subunit 03,Description3,Subunit 04,Description4,"
    "Subunit 05,Description5,Subunit 06,Description6,Subunit 07,Description7,Subunit 08,Description8,"
    "Subunit 09,Description9,Subunit 10,Description,\r\n";

// Unit 1 holds a different value in every column, counting up in dump order, so a
// column written out of place or left out shows as a break in the sequence.
const char* const kUnit1Line =
    "3,Kestrel Republic,1,Rifle Squad,3,7,Foot Soldiers,1234,11,12,13,14,4,Track,16,17,18,19,20,21,22,23,"
    "24,25,26,27,28,29,30,1,105mm Gun,32,33,34,35,36,0,,38,39,40,249,Last Gun,42,43,44,250,,46,47,48,"
    "50,51,52,53,54,55,56,57,58,59,60,61,62,63,64,65,66,67,68,69,70,71,60000,65535,\r\n";

const char* const kWeapon1Line = "3,Kestrel Republic,1,105mm Gun,21,22,23,24,25,26,27,28,29,30,31,255,\r\n";

// Slots: unit 1, formation 3, empty, 1000, 2000, unit 17, unit 999, formation 999,
// the nameless unit 5, 65535.
const char* const kFormation2Line =
    "3,Kestrel Republic,2,Alpha Coy,3,2,Company,3,Infantry,4,41,12,99,-5,-128,"
    "1,[Rifle Squad],1003,Bravo Plt,0,,1000,,2000,,17,[Scout],999,[Last Unit],1999,Last Fmn,5,[],65535,,\r\n";

Oob SmallTables()
{
    Oob oob;
    oob.CurrentOOB = 3;
    oob.Names.NationNames[3] = "Kestrel Republic";
    oob.Names.UnitClassNames[7] = "Foot Soldiers";

    WeaponRecord& w = oob.WeaponTable[1];
    w = {"105mm Gun", 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 255};
    oob.WeaponTable[249].Name = "Last Gun";

    UnitRecord& u = oob.UnitTable[1];
    u.Name = "Rifle Squad";
    u.Nation = 3;
    u.Class = 7;
    u.Cost = 1234;
    u.Size = 11;
    u.Crew = 12;
    u.Speed = 13;
    u.Swim = 14;
    u.MC = 4;
    u.Radio = 16;
    u.Survive = 17;
    u.Carry = 18;
    u.Weight = 19;
    u.MonthAvail = 20;
    u.YrAvail = 21;
    u.MonthUnAvail = 22;
    u.YrUnavail = 23;
    u.FC = 24;
    u.Stabiliser = 25;
    u.Vision = 26;
    u.SD = 27;
    u.ROF = 28;
    u.EW = 29;
    u.RF = 30;
    u.Wpn1 = 1;
    u.Wpn1HEAmmo = 32;
    u.Wpn1APAmmo = 33;
    u.HEATAmmo = 34;
    u.SabotAmmo = 35;
    u.WPNSound1 = 36;
    u.Wpn2 = 0;
    u.Wpn2HEAmmo = 38;
    u.Wpn2APAmmo = 39;
    u.WPNSound2 = 40;
    u.Wpn3 = 249;
    u.Wpn3HEAmmo = 42;
    u.Wpn3APAmmo = 43;
    u.WPNSound3 = 44;
    u.Wpn4 = 250;  // past the weapon table: no name
    u.Wpn4HEAmmo = 46;
    u.Wpn4APAmmo = 47;
    u.WPNSound4 = 48;
    std::uint8_t UnitRecord::* const armour[] = {
        &UnitRecord::SteelHF, &UnitRecord::SteelHS, &UnitRecord::SteelHR, &UnitRecord::SteelTF,
        &UnitRecord::SteelTS, &UnitRecord::SteelTR, &UnitRecord::SteelTop,
        &UnitRecord::HEATHF,  &UnitRecord::HEATHS,  &UnitRecord::HEATHR,  &UnitRecord::HEATTF,
        &UnitRecord::HEATTS,  &UnitRecord::HEATTR,  &UnitRecord::HEATTop,
        &UnitRecord::ERAHF,   &UnitRecord::ERAHS,   &UnitRecord::ERAHR,   &UnitRecord::ERATF,
        &UnitRecord::ERATS,   &UnitRecord::ERATR,   &UnitRecord::ERATop,
    };
    std::uint8_t value = 50;
    for (const auto field : armour)
        u.*field = value++;
    u.SoundByte = 71;
    u.Icon = 60000;
    u.PictureID = 65535;
    // Not dumped.
    u.WinterIcon = 901;
    u.DesertIcon = 902;
    u.SpareA = 97;
    u.SpareB = 98;

    oob.UnitTable[17].Name = "Scout";
    oob.UnitTable[999].Name = "Last Unit";
    oob.UnitTable[5].Nation = 3;  // a nameless unit with data: still an empty row

    FormationRecord& f = oob.FormationTable[2];
    f.Name = "Alpha Coy";
    f.Nation = 3;
    f.FormType = 2;
    f.Page = 3;
    f.MonthAvail = 4;
    f.YrAvail = 41;
    f.MonthUntil = 12;
    f.YrUntil = 99;
    f.ExpMod = -5;
    f.MoraleMod = -128;
    f.Slot = {1, 1003, 0, 1000, 2000, 17, 999, 1999, 5, 65535};
    oob.FormationTable[3].Name = "Bravo Plt";
    oob.FormationTable[3].ExpMod = 10;
    oob.FormationTable[999].Name = "Last Fmn";
    return oob;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));  // an unterminated tail
            break;
        }
        lines.push_back(text.substr(start, end + 2 - start));
        start = end + 2;
    }
    return lines;
}

std::string Repeat(const std::string& s, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += s;
    return out;
}

class CsvDump : public ::testing::Test {
protected:
    // The three files of number n in dir_, in order units, weapons, formations.
    std::vector<std::string> Written(int n)
    {
        return {test::ReadText(dir_ / DumpFileName(n, DumpKind::Units)),
                test::ReadText(dir_ / DumpFileName(n, DumpKind::Weapons)),
                test::ReadText(dir_ / DumpFileName(n, DumpKind::Formations))};
    }

    Oob oob_ = SmallTables();
    test::TempDir dir_;
};

TEST(CsvDumpNames, NumberAndKind)
{
    const struct {
        int n;
        DumpKind kind;
        const char* name;
    } cases[] = {
        {5, DumpKind::Units, "obatDUMP05unit.csv"},      {42, DumpKind::Weapons, "obatDUMP42wpns.csv"},
        {1, DumpKind::Formations, "obatDUMP01fmns.csv"}, {9, DumpKind::Units, "obatDUMP09unit.csv"},
        {10, DumpKind::Weapons, "obatDUMP10wpns.csv"},   {99, DumpKind::Formations, "obatDUMP99fmns.csv"},
        {123, DumpKind::Units, "obatDUMP123unit.csv"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DumpFileName(c.n, c.kind), c.name) << c.n;
}

TEST_F(CsvDump, EachFileHasItsHeaderAndOneCrLfLinePerSlot)
{
    ASSERT_TRUE(DumpOOB(oob_, 3, dir_.path()).empty());
    const auto files = Written(3);
    const struct {
        const char* header;
        std::size_t slots;
    } expected[] = {{kUnitHeader, 999}, {kWeaponHeader, 249}, {kFormationHeader, 999}};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto lines = Lines(files[k]);
        ASSERT_EQ(lines.size(), expected[k].slots + 1) << k;
        EXPECT_EQ(lines[0], expected[k].header) << k;
        for (std::size_t slot = 1; slot < lines.size(); ++slot) {
            const std::string label = "3,Kestrel Republic," + std::to_string(slot) + ",";
            ASSERT_EQ(lines[slot].rfind(label, 0), 0u) << k << " slot " << slot << ": " << lines[slot];
            ASSERT_EQ(lines[slot].substr(lines[slot].size() - 3), ",\r\n") << k << " slot " << slot;
        }
        // No bare line feed anywhere.
        for (std::size_t i = 0; i < files[k].size(); ++i) {
            if (files[k][i] == '\n') {
                ASSERT_TRUE(i > 0 && files[k][i - 1] == '\r') << k << " at " << i;
            }
        }
    }
}

TEST_F(CsvDump, UsedSlotsWriteEveryColumnInOrder)
{
    ASSERT_TRUE(DumpOOB(oob_, 3, dir_.path()).empty());
    const auto files = Written(3);
    const struct {
        std::size_t file;
        std::size_t slot;
        std::string line;
    } cases[] = {
        {0, 1, kUnit1Line},
        {0, 17, "3,Kestrel Republic,17,Scout,0,0,,0,0,0,0,0,0,Default,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,,0,0,0,0,0,"
                "0,,0,0,0,0,,0,0,0,0,,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,\r\n"},
        {1, 1, kWeapon1Line},
        {1, 249, "3,Kestrel Republic,249,Last Gun,0,0,0,0,0,0,0,0,0,0,0,0,\r\n"},
        {2, 2, kFormation2Line},
        {2, 3, "3,Kestrel Republic,3,Bravo Plt,0,0,Section,0,Default,0,0,0,0,10,0,"
               "0,,0,,0,,0,,0,,0,,0,,0,,0,,0,,\r\n"},
    };
    for (const auto& c : cases) {
        const auto lines = Lines(files[c.file]);
        ASSERT_GT(lines.size(), c.slot);
        EXPECT_EQ(lines[c.slot], c.line) << "file " << c.file << " slot " << c.slot;
    }
}

TEST_F(CsvDump, EmptySlotsAreMarkedUnusedWithAFixedRunOfDashes)
{
    ASSERT_TRUE(DumpOOB(oob_, 3, dir_.path()).empty());
    const auto files = Written(3);
    const struct {
        std::size_t file;
        std::size_t slot;
        int dashes;
    } cases[] = {{0, 2, 71}, {0, 5, 71}, {0, 998, 71}, {1, 2, 16}, {1, 248, 16}, {2, 1, 30}, {2, 998, 30}};
    for (const auto& c : cases) {
        const auto lines = Lines(files[c.file]);
        ASSERT_GT(lines.size(), c.slot);
        EXPECT_EQ(lines[c.slot], "3,Kestrel Republic," + std::to_string(c.slot) + ",XUNUSEDX," +
                                     Repeat("-,", c.dashes) + "\r\n")
            << "file " << c.file << " slot " << c.slot;
    }
}

TEST_F(CsvDump, TheNumberNamesTheFilesWhileCurrentOOBLabelsTheLines)
{
    ASSERT_TRUE(DumpOOB(oob_, 7, dir_.path()).empty());
    EXPECT_FALSE(fs::exists(dir_ / DumpFileName(3, DumpKind::Units)));
    const auto files = Written(7);
    EXPECT_EQ(Lines(files[0])[1], kUnit1Line);
    EXPECT_EQ(Lines(files[1])[1], kWeapon1Line);
    EXPECT_EQ(Lines(files[2])[2], kFormation2Line);
}

TEST_F(CsvDump, AnOldDumpIsReplacedWhole)
{
    test::WriteText(dir_ / DumpFileName(3, DumpKind::Weapons), std::string(100000, 'x'));
    ASSERT_TRUE(DumpOOB(oob_, 3, dir_.path()).empty());
    const std::string text = Written(3)[1];
    EXPECT_EQ(text.find('x'), std::string::npos);
    EXPECT_EQ(Lines(text).size(), 250u);
}

TEST_F(CsvDump, AFileThatCannotBeCreatedIsReportedAndTheOthersAreStillWritten)
{
    const struct {
        DumpKind blocked;
        std::size_t index;
    } cases[] = {{DumpKind::Units, 0}, {DumpKind::Weapons, 1}, {DumpKind::Formations, 2}};
    for (const auto& c : cases) {
        test::TempDir dir;
        const fs::path blocked = dir / DumpFileName(3, c.blocked);
        fs::create_directory(blocked);  // a folder in the way
        EXPECT_EQ(DumpOOB(oob_, 3, dir.path()), std::vector<fs::path>{blocked});
        const char* const firstLines[] = {kUnitHeader, kWeaponHeader, kFormationHeader};
        const DumpKind kinds[] = {DumpKind::Units, DumpKind::Weapons, DumpKind::Formations};
        for (std::size_t k = 0; k < 3; ++k) {
            if (k == c.index)
                continue;
            const auto lines = Lines(test::ReadText(dir / DumpFileName(3, kinds[k])));
            ASSERT_FALSE(lines.empty()) << c.index << " " << k;
            EXPECT_EQ(lines[0], firstLines[k]) << c.index << " " << k;
            EXPECT_EQ(lines.size(), k == 1 ? 250u : 1000u) << c.index << " " << k;
        }
    }
}

TEST_F(CsvDump, AMissingFolderFailsAllThreeInOrder)
{
    const fs::path missing = dir_ / "no such folder";
    EXPECT_EQ(DumpOOB(oob_, 3, missing),
              (std::vector<fs::path>{missing / "obatDUMP03unit.csv", missing / "obatDUMP03wpns.csv",
                                     missing / "obatDUMP03fmns.csv"}));
}

TEST_F(CsvDump, AFullDiskIsAFailure)
{
    // Every write to /dev/full fails for want of space, which shows only when
    // the buffered text is flushed.
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    EXPECT_FALSE(DumpUnits("/dev/full", oob_));
    EXPECT_FALSE(DumpWeapons("/dev/full", oob_));
    EXPECT_FALSE(DumpFormations("/dev/full", oob_));
}

// A dump that runs out of space keeps the previous dump whole and says why.
TEST_F(CsvDump, AFullDiskKeepsThePreviousDumpsAndGivesTheReason)
{
    test::TempDir dir;
    std::string why;
    const auto out = test::RunInChild({false, dir.path()}, [&] {
        const std::string old = "previous dump\r\n";
        const DumpKind kinds[] = {DumpKind::Units, DumpKind::Weapons, DumpKind::Formations};
        for (const DumpKind k : kinds)
            test::WriteText(dir / DumpFileName(3, k), old);
        // Leave about 36 KiB: too little for the units and formations, enough for the weapons.
        test::WriteBytes(dir / "filler", std::vector<unsigned char>(16000, 1));
        std::string events;
        const auto failed = DumpOOB(oob_, 3, dir.path(), [&](const fs::path& p, const std::string& reason) {
            events += p.filename().string() + ": " + reason + "; ";
        });
        for (const DumpKind k : kinds) {
            const std::string text = test::ReadText(dir / DumpFileName(3, k));
            events += text == old ? "old" : Lines(text).size() == 250 ? "new" : "cut";
            events += " ";
        }
        for (const auto& e : fs::directory_iterator(dir.path()))
            if (e.path().extension() == ".tmp")
                events += "temporary file left";
        return events;
    }, why);
    if (!out)
        GTEST_SKIP() << why;
    EXPECT_EQ(*out, "obatDUMP03unit.csv: No space left on device; obatDUMP03fmns.csv: No space left on device; "
                    "old new old ");
}

// An OOB file n in dir holding one unit of that name.
void WriteOob(const fs::path& dir, int n, const std::string& unitName, const std::string& fileName)
{
    Oob oob;
    oob.CurrentOOB = static_cast<std::uint16_t>(n);
    oob.LoadedSize = kBufferSize;
    oob.UnitTable[1].Name = unitName;
    oob.UnitTable[1].Nation = static_cast<std::uint8_t>(n);
    ASSERT_TRUE(SaveOOBToPath(oob, dir / fileName).ok);
}

TEST_F(CsvDump, DumpAllWritesOnlyTheFilesThatExist)
{
    WriteOob(dir_.path(), 1, "First", "obat001.obf");
    WriteOob(dir_.path(), 2, "Second", "OBAT002.OBF");
    NameTables names;
    names.NationNames[1] = "Kestrel Republic";
    names.NationNames[2] = "Varn Hegemony";

    std::vector<int> progress;
    const DumpAllResult r = DumpAll(names, dir_.path(), [&](int n) { progress.push_back(n); });
    EXPECT_EQ(r.Dumped, 2);
    EXPECT_EQ(r.Numbers, (std::vector<int>{1, 2}));
    EXPECT_EQ(progress, (std::vector<int>{1, 2}));
    EXPECT_TRUE(r.Failed.empty());
    EXPECT_TRUE(r.LoadFailed.empty());

    int csvFiles = 0;
    for (const auto& e : fs::directory_iterator(dir_.path()))
        csvFiles += e.path().extension() == ".csv";
    EXPECT_EQ(csvFiles, 6);

    const struct {
        int n;
        std::string line;
    } units[] = {
        {1, "1,Kestrel Republic,1,First,1,0,,0,0,0,0,0,0,Default,"},
        {2, "2,Varn Hegemony,1,Second,2,0,,0,0,0,0,0,0,Default,"},
    };
    for (const auto& u : units) {
        const auto files = Written(u.n);
        EXPECT_EQ(Lines(files[0])[1].rfind(u.line, 0), 0u) << u.n << ": " << Lines(files[0])[1];
        EXPECT_EQ(Lines(files[1]).size(), 250u) << u.n;
        EXPECT_EQ(Lines(files[2]).size(), 1000u) << u.n;
    }
}

TEST_F(CsvDump, DumpAllGoesOnPastAFileThatCannotBeWritten)
{
    WriteOob(dir_.path(), 1, "First", "obat001.obf");
    WriteOob(dir_.path(), 2, "Second", "obat002.obf");
    const fs::path blocked = dir_ / "obatDUMP01fmns.csv";
    fs::create_directory(blocked);

    const DumpAllResult r = DumpAll(NameTables{}, dir_.path());
    EXPECT_EQ(r.Dumped, 2);
    EXPECT_EQ(r.Failed, std::vector<fs::path>{blocked});
    EXPECT_TRUE(fs::is_regular_file(dir_ / "obatDUMP02fmns.csv"));
}

TEST_F(CsvDump, DumpAllTellsOfEachFailureAsItHappens)
{
    WriteOob(dir_.path(), 1, "First", "obat001.obf");
    WriteOob(dir_.path(), 3, "Third", "obat003.obf");
    fs::create_directory(dir_ / "obatDUMP01unit.csv");
    fs::create_directory(dir_ / "obatDUMP03wpns.csv");

    std::vector<std::string> events;
    DumpAll(
        NameTables{}, dir_.path(), [&](int n) { events.push_back("dumping " + std::to_string(n)); },
        [&](const fs::path& p, const std::string& why) {
            events.push_back("failed " + p.filename().string() + ": " + why);
        },
        [&](const LoadResult& r) { events.push_back("unreadable " + r.path.filename().string()); });
    const std::string inTheWay = std::string(kDumpNotCreated) + "a folder of that name is in the way";
    EXPECT_EQ(events, (std::vector<std::string>{"dumping 1", "failed obatDUMP01unit.csv: " + inTheWay, "dumping 3",
                                                "failed obatDUMP03wpns.csv: " + inTheWay}));
}

TEST_F(CsvDump, DumpAllOfAFolderWithoutOobFilesWritesNothing)
{
    int calls = 0;
    const DumpAllResult r = DumpAll(NameTables{}, dir_.path(), [&](int) { ++calls; });
    EXPECT_EQ(r.Dumped, 0);
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(fs::is_empty(dir_.path()));
}

}  // namespace
}  // namespace brackle

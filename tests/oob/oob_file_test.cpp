#include "oob/oob_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

#include "oob/text.h"
#include "test_support.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> Zeros(std::size_t n = kBufferSize) { return std::vector<unsigned char>(n, 0); }

void Put(std::vector<unsigned char>& b, std::size_t at, const char* text)
{
    std::memcpy(b.data() + at, text, std::strlen(text));
}

Oob LoadBytes(const test::TempDir& dir, const std::vector<unsigned char>& bytes, int n = 5)
{
    test::WriteBytes(dir / OOBFileName(n), bytes);
    Oob o;
    o.CurrentOOB = static_cast<std::uint16_t>(n);
    EXPECT_EQ(LoadOOB(o, dir.path(), n).code, 0);
    return o;
}

TEST(OobFile, FileNamesHaveThreeDigits)
{
    EXPECT_EQ(OOBFileName(5), "obat005.obf");
    EXPECT_EQ(OOBFileName(42), "obat042.obf");
    EXPECT_EQ(OOBFileName(999), "obat999.obf");
}

TEST(OobFile, ReadsTheWorkedPositions)
{
    test::TempDir dir;
    auto b = Zeros();
    Put(b, 10095, "Rifle Squad");
    Put(b, 25065, "Last unit");
    Put(b, 95, "  Rifle");
    b[72082] = 0x34;
    b[72083] = 0x12;
    b[151100] = 0xE9;
    b[151101] = 0x03;  // 1001
    b[151118] = 7;
    b[173081] = 0xFB;  // -5
    b[4831] = 9;       // weapon 0 APPen: slot 0 is never read
    b[4832] = 11;      // weapon 1 HEPen
    b[4833] = 12;      // weapon 1 APPen
    Put(b, 0, "Info text");
    const Oob o = LoadBytes(dir, b);
    EXPECT_EQ(o.UnitTable[1].Name, "Rifle Squad");
    EXPECT_EQ(o.UnitTable[999].Name, "Last unit");
    EXPECT_EQ(o.WeaponTable[1].Name, "  Rifle") << "weapon names keep leading blanks on load";
    EXPECT_EQ(o.UnitTable[1].Cost, 4660);
    EXPECT_EQ(o.FormationTable[1].Slot[0], 1001);
    EXPECT_EQ(o.FormationTable[1].Slot[9], 7);
    EXPECT_EQ(o.FormationTable[1].ExpMod, -5);
    EXPECT_EQ(o.WeaponTable[1].HEPen, 11);
    EXPECT_EQ(o.WeaponTable[1].APPen, 12);
    EXPECT_EQ(o.OOBInfo, "Info text");
}

TEST(OobFile, NamesStopAtTheFirstNulAndAreTrimmedAndPaddedOnSave)
{
    test::TempDir dir;
    auto b = Zeros();
    Put(b, 10095, "AB");
    b[10098] = 'X';  // after the NUL: ignored
    b[10099] = 'Y';
    Put(b, 10110, "  Two  ");  // unit 2
    Put(b, 95, "  Gun");       // weapon 1
    Oob o = LoadBytes(dir, b);
    EXPECT_EQ(o.UnitTable[1].Name, "AB");
    EXPECT_EQ(o.UnitTable[2].Name, "Two");
    ASSERT_TRUE(SaveOOB(o, 5, dir.path()).ok);
    const auto out = test::ReadBytes(dir / "obat005.obf");
    EXPECT_EQ(std::string(out.begin() + 10095, out.begin() + 10110), std::string("AB") + std::string(13, '\0'));
    EXPECT_EQ(std::string(out.begin() + 95, out.begin() + 110), std::string("Gun") + std::string(12, '\0'));
    EXPECT_EQ(o.WeaponTable[1].Name, "Gun");
}

TEST(OobFile, CleanUpAndClampingOnTheWayInAndOut)
{
    test::TempDir dir;
    auto b = Zeros();
    // Unit 3: empty, class 0, own nation, with dates: cleared on load, written as 1.
    b[74080 + 3] = 5;
    b[70080 + 3] = 50;
    b[93080 + 3] = 6;
    // Unit 4: empty but foreign: kept.
    b[74080 + 4] = 9;
    b[70080 + 4] = 50;
    // Unit 5: class 31 with size 5: saved with size 0.
    Put(b, 10080 + 5 * 15, "Boat");
    b[25080 + 5] = 31;
    b[27080 + 5] = 5;
    // Unit 6: years 0 and 200, months 0 and 13.
    Put(b, 10080 + 6 * 15, "Dated");
    b[70080 + 6] = 0;
    b[71080 + 6] = 200;
    b[93080 + 6] = 0;
    b[94080 + 6] = 13;
    // Formation 2: months 0 and 0.
    Put(b, 131080 + 2 * 15, "Coy");
    // Formation 3: empty, own nation, dated: cleared.
    b[146080 + 3] = 5;
    b[147080 + 3] = 60;
    Oob o = LoadBytes(dir, b);
    EXPECT_EQ(o.UnitTable[3].Nation, 0);
    EXPECT_EQ(o.UnitTable[3].YrAvail, 0);
    EXPECT_EQ(o.UnitTable[3].MonthAvail, 0);
    EXPECT_EQ(o.UnitTable[4].Nation, 9);
    EXPECT_EQ(o.UnitTable[4].YrAvail, 50);
    EXPECT_EQ(o.FormationTable[3].Nation, 0);
    EXPECT_EQ(o.FormationTable[3].YrAvail, 0);
    ASSERT_TRUE(SaveOOB(o, 5, dir.path()).ok);
    const auto out = test::ReadBytes(dir / "obat005.obf");
    struct Expect {
        const char* what;
        std::size_t at;
        int value;
    } cases[] = {
        {"cleared unit year written as 1", 70080 + 3, 1},
        {"cleared unit month written as 1", 93080 + 3, 1},
        {"sizeless class", 27080 + 5, 0},
        {"year 0 as 1", 70080 + 6, 1},
        {"year 200 as 120", 71080 + 6, 120},
        {"month 0 as 1", 93080 + 6, 1},
        {"month 13 as 12", 94080 + 6, 12},
        {"formation from-month 0 as 1", 171080 + 2, 1},
        {"formation until-month 0 as 12", 172080 + 2, 12},
        {"formation year 0 as 1", 147080 + 2, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(out[c.at], c.value) << c.what;
    EXPECT_EQ(o.UnitTable[5].Size, 0) << "the record itself loses its size";
    EXPECT_EQ(o.UnitTable[6].YrUnavail, 200) << "clamping changes only the bytes written";
}

// Bytes the editor does not interpret, slot 0 of every column included, survive a load and save.
TEST(OobFile, ResavingRandomFilesKeepsUninterpretedBytesAndIsStable)
{
    std::mt19937 rng(12345);
    for (int round = 0; round < 4; ++round) {
        test::TempDir dir;
        std::vector<unsigned char> b(kBufferSize);
        for (auto& c : b)
            c = static_cast<unsigned char>(rng());
        test::WriteBytes(dir / "obat007.obf", b);
        Oob o;
        o.CurrentOOB = 7;
        ASSERT_EQ(LoadOOB(o, dir.path(), 7).code, 0);
        ASSERT_TRUE(SaveOOB(o, 7, dir.path()).ok);
        const auto once = test::ReadBytes(dir / "obat007.obf");
        ASSERT_EQ(once.size(), kBufferSize);
        struct Range {
            std::size_t from, to;
        } untouched[] = {{4080, 4330}, {7080, 10080}, {63080, 69080}, {105080, 131080}, {175080, 200000}};
        for (const auto& r : untouched)
            for (std::size_t i = r.from; i < r.to; ++i)
                ASSERT_EQ(once[i], b[i]) << "byte " << i;
        // Slot 0 of a few columns of each kind.
        for (std::size_t at : {80ul, 94ul, 3830ul, 10080ul, 10094ul, 25080ul, 70080ul, 72080ul, 72081ul, 131080ul,
                               151080ul, 151099ul, 172080ul, 174080ul})
            EXPECT_EQ(once[at], b[at]) << "slot 0 byte " << at;
        Oob again;
        again.CurrentOOB = 7;
        ASSERT_EQ(LoadOOB(again, dir.path(), 7).code, 0);
        ASSERT_TRUE(SaveOOB(again, 7, dir.path()).ok);
        EXPECT_EQ(test::ReadBytes(dir / "obat007.obf"), once) << "a resaved file saves identically";
    }
}

TEST(OobFile, SavedFileHasTheLoadedLength)
{
    struct Case {
        std::size_t size, saved;
    } cases[] = {{150000, 150000}, {200000, 200000}, {210000, 200000}, {0, 0}};
    for (const auto& c : cases) {
        test::TempDir dir;
        test::WriteBytes(dir / "obat001.obf", std::vector<unsigned char>(c.size, 0));
        Oob o;
        o.CurrentOOB = 1;
        ASSERT_EQ(LoadOOB(o, dir.path(), 1).code, 0);
        EXPECT_EQ(o.LoadedSize, c.saved);
        ASSERT_TRUE(SaveOOB(o, 1, dir.path()).ok);
        EXPECT_EQ(fs::file_size(dir / "obat001.obf"), c.saved) << c.size;
    }
}

TEST(OobFile, AShortFileNeverShowsThePreviousFilesBytes)
{
    test::TempDir dir;
    auto full = Zeros();
    Put(full, 131080 + 15, "Old formation");
    Oob o = LoadBytes(dir, full, 1);
    ASSERT_EQ(o.FormationTable[1].Name, "Old formation");
    test::WriteBytes(dir / "obat002.obf", std::vector<unsigned char>(100000, 0));
    o.CurrentOOB = 2;
    ASSERT_EQ(LoadOOB(o, dir.path(), 2).code, 0);
    EXPECT_EQ(o.FormationTable[1].Name, "");
}

TEST(OobFile, AFailedLoadChangesNothing)
{
    test::TempDir dir;
    auto b = Zeros(150000);
    Put(b, 10095, "Kept");
    Oob o = LoadBytes(dir, b, 1);
    const auto buffer = o.OOBBuffer;
    fs::create_directory(dir / "obat003.obf");
    // File 2 is missing; file 3 is there but a folder, which the message says.
    const std::vector<int> missing = {2, 3};
    for (int n : missing) {
        const LoadResult r = LoadOOB(o, dir.path(), n);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.caption, "File Load Error");
        EXPECT_EQ(r.text, n == 2 ? "Unable to find " + OOBFileName(n)
                                 : "Unable to read " + (dir / OOBFileName(n)).string() +
                                       "\r\n\r\nit is a folder, not a file");
        EXPECT_EQ(o.UnitTable[1].Name, "Kept");
        EXPECT_EQ(o.LoadedSize, 150000u);
        EXPECT_EQ(o.OOBBuffer, buffer);
    }
}

TEST(OobFile, SaveAsCutsTheNameToTwelveCharacters)
{
    test::TempDir dir;
    Oob o = LoadBytes(dir, Zeros(1000), 1);
    const auto r = SaveOOBAs(o, "abcdefghijklmnopq", dir.path());
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(fs::exists(dir / "abcdefghijkl"));
}

TEST(OobFile, AFailedSaveLeavesTheOldFileAndNoTemporaryFiles)
{
    test::TempDir dir;
    Oob o = LoadBytes(dir, Zeros(1000), 1);
    fs::create_directory(dir / "taken");
    const auto intoFolder = SaveOOBAs(o, "taken", dir.path());
    EXPECT_FALSE(intoFolder.ok);
    EXPECT_FALSE(intoFolder.reason.empty());
    const auto gone = SaveOOB(o, 1, dir / "no such folder");
    EXPECT_FALSE(gone.ok);
    EXPECT_NE(gone.reason.find("does not exist"), std::string::npos);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 2) << "obat001.obf and the folder, nothing else";
}

// The names in a folder, sorted.
std::vector<std::string> Entries(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A loaded document whose save differs from old: 1000 bytes, info text "New"
// (inside the 1000 bytes, so the save keeps that length).
Oob NewContent()
{
    Oob o;
    o.CurrentOOB = 1;
    o.LoadedSize = 1000;
    o.OOBInfo = "New";
    return o;
}

const std::vector<unsigned char> kOld(1000, 0xAB);

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(OobSave, AReadOnlyFileIsRefusedAndKept)
{
    // 0444 is refused even for root; 0644 of another owner is read-only for the
    // unprivileged user although the folder would let it rename over the file.
    const struct {
        const char* what;
        fs::perms mode;
        bool unprivileged;
    } cases[] = {
        {"no write bit", fs::perms(0444), false},
        {"no write bit, unprivileged", fs::perms(0444), true},
        {"another owner's file", fs::perms(0644), true},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        fs::permissions(dir.path(), fs::perms(0777));
        const fs::path file = dir / "obat001.obf";
        test::WriteBytes(file, kOld);
        fs::permissions(file, c.mode);
        std::string reason;
        if (c.unprivileged) {
            if (::geteuid() != 0 && c.mode == fs::perms(0644)) {
                std::cout << c.what << ": skipped, not root so the file is the user's own\n";
                continue;
            }
            std::string why;
            const auto out = test::RunInChild({true, std::nullopt}, [&] {
                Oob o = NewContent();
                const SaveResult r = SaveOOBToPath(o, file);
                return r.ok ? std::string("saved") : r.reason;
            }, why);
            if (!out) {
                std::cout << c.what << ": skipped, " << why << "\n";
                continue;
            }
            reason = *out;
        } else {
            Oob o = NewContent();
            const SaveResult r = SaveOOBToPath(o, file);
            EXPECT_FALSE(r.ok) << c.what;
            EXPECT_FALSE(r.created) << c.what;
            reason = r.ok ? "saved" : r.reason;
        }
        EXPECT_TRUE(Contains(reason, file.string()) && Contains(reason, "read-only")) << c.what << ": " << reason;
        EXPECT_EQ(test::ReadBytes(file), kOld) << c.what;
        EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"obat001.obf"}) << c.what;
    }
}

TEST(OobSave, KeepsThePermissionsAndOwnerOfTheFileItReplaces)
{
    for (const unsigned mode : {0600u, 0640u, 0664u, 0755u}) {
        test::TempDir dir;
        const fs::path file = dir / "obat001.obf";
        test::WriteBytes(file, kOld);
        ::chmod(file.c_str(), mode);
        const bool root = ::geteuid() == 0;
        if (root)
            ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
        Oob o = NewContent();
        ASSERT_TRUE(SaveOOBToPath(o, file).ok);
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        if (root) {
            EXPECT_EQ(st.st_uid, 65534u) << std::oct << mode;
            EXPECT_EQ(st.st_gid, 65534u) << std::oct << mode;
        }
        EXPECT_NE(test::ReadBytes(file), kOld);
    }
}

TEST(OobSave, ASymbolicLinkStaysALinkAndTheFileItNamesIsWritten)
{
    const struct {
        const char* what;
        const char* real;    // below the temporary folder
        const char* target;  // what the link holds; empty: the absolute path of real
    } cases[] = {
        {"relative, same folder", "real.obf", "real.obf"},
        {"relative, other folder", "data/real.obf", "data/real.obf"},
        {"absolute", "data/real.obf", ""},
        {"a link to a link", "data/real.obf", "middle"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        fs::create_directory(dir / "data");
        const fs::path real = dir / c.real;
        test::WriteBytes(real, kOld);
        const fs::path link = dir / "obat001.obf";
        if (std::string(c.target) == "middle") {
            fs::create_symlink(real, dir / "middle");
            fs::create_symlink("middle", link);
        } else {
            fs::create_symlink(*c.target ? fs::path(c.target) : real, link);
        }
        Oob o = NewContent();
        ASSERT_TRUE(SaveOOBToPath(o, link).ok) << c.what;
        EXPECT_TRUE(fs::is_symlink(link)) << c.what;
        const auto saved = test::ReadBytes(real);
        EXPECT_EQ(saved.size(), 1000u) << c.what;
        EXPECT_NE(saved, kOld) << c.what;
        EXPECT_EQ(test::ReadBytes(link), saved) << c.what;
        for (const fs::path& folder : {dir.path(), dir / "data"})
            for (const auto& name : Entries(folder))
                EXPECT_EQ(name.find(".tmp"), std::string::npos) << c.what << ": " << name;
    }
}

TEST(OobSave, AFileWithOtherHardLinksIsRefusedAndKept)
{
    test::TempDir dir;
    const fs::path file = dir / "obat001.obf";
    test::WriteBytes(file, kOld);
    fs::create_hard_link(file, dir / "copy.obf");
    Oob o = NewContent();
    const SaveResult r = SaveOOBToPath(o, file);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(Contains(r.reason, "2 hard links")) << r.reason;
    EXPECT_EQ(fs::hard_link_count(file), 2u);
    EXPECT_EQ(test::ReadBytes(file), kOld);
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"copy.obf", "obat001.obf"}));
}

TEST(OobSave, NonRegularFilesAreRefusedWithoutWaiting)
{
    test::TempDir dir;
    const fs::path fifo = dir / "obat001.obf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::string why;
    // In a child: a load that opens the pipe would wait for a writer forever.
    const auto out = test::RunInChild({}, [&] {
        Oob o;
        o.CurrentOOB = 1;
        const LoadResult loaded = LoadOOBFromPath(o, fifo);
        Oob n = NewContent();
        const SaveResult saved = SaveOOBToPath(n, fifo);
        return std::to_string(loaded.code) + "|" + loaded.reason + "|" + (saved.ok ? "saved" : saved.reason);
    }, why);
    if (!out)
        GTEST_SKIP() << why;
    EXPECT_EQ(*out, "1|" + fifo.string() + ": it is not a regular file (a pipe, a device or a socket)|"
                        "it is not a regular file (a pipe, a device or a socket)");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"obat001.obf"});
}

TEST(OobLoad, AFileLongerThanTheBufferLoadsWithAWarning)
{
    const struct {
        std::size_t size;
        std::string warning;
    } cases[] = {
        {199999, ""},
        {200000, ""},
        {200001, "1"},
        {210000, "10000"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        const fs::path file = dir / "obat001.obf";
        test::WriteBytes(file, std::vector<unsigned char>(c.size, 0));
        Oob o;
        o.CurrentOOB = 1;
        const LoadResult r = LoadOOBFromPath(o, file);
        ASSERT_EQ(r.code, 0);
        EXPECT_EQ(r.warning, c.warning.empty() ? std::string()
                                               : "Only the first 200000 bytes of " + file.string() +
                                                     " are an OOB file; saving it will drop the other " + c.warning +
                                                     " bytes.")
            << c.size;
        EXPECT_EQ(o.LoadedSize, std::min<std::size_t>(c.size, 200000));
    }
}

TEST(OobLoad, BytesLoadAsTheSameFileFromDisk)
{
    std::mt19937 rng(99);
    for (const std::size_t size : {std::size_t{0}, std::size_t{120000}, kBufferSize, kBufferSize + 7}) {
        std::vector<std::uint8_t> bytes(size);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(rng());
        test::TempDir dir;
        test::WriteBytes(dir / "obat003.obf", std::vector<unsigned char>(bytes.begin(), bytes.end()));
        Oob fromFile;
        fromFile.CurrentOOB = 3;
        ASSERT_EQ(LoadOOBFromPath(fromFile, dir / "obat003.obf").code, 0);
        Oob fromBytes;
        fromBytes.CurrentOOB = 3;
        fromBytes.OOBBuffer.assign(kBufferSize, 0xEE);  // what an earlier file left
        LoadOOBFromBytes(fromBytes, bytes);
        EXPECT_EQ(fromBytes.LoadedSize, fromFile.LoadedSize) << size;
        EXPECT_EQ(fromBytes.OOBBuffer, fromFile.OOBBuffer) << size;
        EXPECT_TRUE(fromBytes.FileLoaded);
        EXPECT_EQ(fromBytes.OOBInfo, fromFile.OOBInfo) << size;
        EXPECT_TRUE(fromBytes.UnitTable == fromFile.UnitTable) << size;
        EXPECT_TRUE(fromBytes.WeaponTable == fromFile.WeaponTable) << size;
        EXPECT_TRUE(fromBytes.FormationTable == fromFile.FormationTable) << size;
    }
}

TEST(OobSave, ALongFileNameLeavesRoomForTheTemporaryFile)
{
    test::TempDir dir;
    for (const std::size_t length : {200u, 249u, 255u}) {
        const fs::path file = dir / std::string(length, 'a');
        Oob o = NewContent();
        const SaveResult r = SaveOOBToPath(o, file);
        EXPECT_TRUE(r.ok) << length << ": " << r.reason;
        EXPECT_EQ(fs::file_size(file), 1000u) << length;
        ASSERT_TRUE(SaveOOBToPath(o, file).ok) << "again, over the file: " << length;
    }
    EXPECT_EQ(Entries(dir.path()).size(), 3u);
}

TEST(OobSave, ReasonsAreTheOnesThatReallyHappened)
{
    test::TempDir dir;
    test::WriteBytes(dir / "plain", kOld);
    const struct {
        const char* what;
        fs::path path;
        std::string reason;
    } cases[] = {
        {"parent is a plain file", dir / "plain" / "obat001.obf", "Not a directory"},
        {"empty name", fs::path(), "no file name given to save to"},
        {"a folder's name only", dir.path() / "", "no file name given to save to"},
        {"missing folder", dir / "gone" / "obat001.obf", "the folder " + (dir / "gone").string() + " does not exist"},
    };
    for (const auto& c : cases) {
        Oob o = NewContent();
        const SaveResult r = SaveOOBToPath(o, c.path);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.reason, c.reason) << c.what;
    }
    Oob o;
    EXPECT_EQ(LoadOOBFromPath(o, dir / "plain" / "obat001.obf").reason,
              (dir / "plain" / "obat001.obf").string() + ": Not a directory");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"plain"});
}

TEST(OobSave, AFolderTheUserMayNotEnterIsPermissionDenied)
{
    test::TempDir dir;
    fs::create_directory(dir / "locked");
    const fs::path file = dir / "locked" / "obat001.obf";
    test::WriteBytes(file, kOld);
    fs::permissions(dir / "locked", fs::perms(0700));
    std::string why;
    const auto out = test::RunInChild({true, std::nullopt}, [&] {
        Oob o;
        o.CurrentOOB = 1;
        const LoadResult loaded = LoadOOBFromPath(o, file);
        Oob n = NewContent();
        const SaveResult saved = SaveOOBToPath(n, file);
        return loaded.reason + "|" + (saved.ok ? "saved" : saved.reason);
    }, why);
    if (!out)
        GTEST_SKIP() << why;
    EXPECT_EQ(*out, file.string() + ": Permission denied|Permission denied");
    EXPECT_EQ(test::ReadBytes(file), kOld);
}

TEST(OobSave, AReadOnlyFolderFailsAndKeepsTheOldFile)
{
    test::TempDir dir;
    const fs::path file = dir / "obat001.obf";
    test::WriteBytes(file, kOld);
    ::chmod(file.c_str(), 0666);
    fs::permissions(dir.path(), fs::perms(0555));
    std::string why;
    const auto out = test::RunInChild({true, std::nullopt}, [&] {
        Oob n = NewContent();
        const SaveResult saved = SaveOOBToPath(n, file);
        return saved.ok ? std::string("saved") : saved.reason;
    }, why);
    fs::permissions(dir.path(), fs::perms(0755));
    if (!out)
        GTEST_SKIP() << why;
    EXPECT_EQ(*out, "Permission denied");
    EXPECT_EQ(test::ReadBytes(file), kOld);
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"obat001.obf"});
}

TEST(OobSave, AFullDiskFailsAndKeepsTheOldFile)
{
    test::TempDir dir;
    std::string why;
    const auto out = test::RunInChild({false, dir.path()}, [&] {
        const fs::path file = dir / "obat001.obf";
        test::WriteBytes(file, kOld);
        // Fill what is left.
        std::vector<unsigned char> filler(200000, 1);
        test::WriteBytes(dir / "filler", filler);
        Oob o = NewContent();
        o.LoadedSize = 200000;
        const SaveResult r = SaveOOBToPath(o, file);
        std::string names;
        for (const auto& n : Entries(dir.path()))
            names += n + ",";
        return (r.ok ? std::string("saved") : r.reason) + "|" + (test::ReadBytes(file) == kOld ? "kept" : "changed") +
               "|" + names;
    }, why);
    if (!out)
        GTEST_SKIP() << why;
    EXPECT_EQ(*out, "No space left on device|kept|filler,obat001.obf,");
}

TEST(OobLoad, AFileThatIsThereButCannotBeReadSaysWhy)
{
    test::TempDir dir;
    fs::create_directory(dir / "obat001.obf");
    const fs::path locked = dir / "obat002.obf";
    test::WriteBytes(locked, kOld);
    fs::permissions(locked, fs::perms::none);
    Oob o;
    EXPECT_EQ(LoadOOB(o, dir.path(), 1).text,
              "Unable to read " + (dir / "obat001.obf").string() + "\r\n\r\nit is a folder, not a file");
    EXPECT_EQ(LoadOOB(o, dir.path(), 3).text, "Unable to find obat003.obf");
    std::string why;
    const auto out = test::RunInChild({true, std::nullopt}, [&] {
        Oob child;
        return LoadOOB(child, dir.path(), 2).text;
    }, why);
    if (!out)
        GTEST_SKIP() << why;
    EXPECT_EQ(*out, "Unable to read " + locked.string() + "\r\n\r\nPermission denied");
}

}  // namespace
}  // namespace brackle

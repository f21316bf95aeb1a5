// brackle-cli from the outside: the binary is run through the shell.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "demo/demo_game.h"
#include "oob/config.h"
#include "oob/oob_file.h"
#include "oob/oob_summary.h"
#include "test_support.h"
#include "transfer/csv_dump.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (const char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

class Cli : public ::testing::Test {
protected:
    // stdoutTo: where the standard output goes instead of a file read back
    // (such as /dev/full, a disk that is full).
    // stdoutTo: where the standard output goes instead of a file the run reads back.
    CliRun Call(const std::vector<std::string>& args, const std::string& stdoutTo = "")
    {
        std::string cmd = Quote(BRACKLE_CLI);
        for (const auto& a : args)
            cmd += " " + Quote(a);
        const fs::path out = stdoutTo.empty() ? dir_ / "stdout.txt" : fs::path(stdoutTo);
        const fs::path err = dir_ / "stderr.txt";
        cmd += " >" + Quote(stdoutTo.empty() ? out.string() : stdoutTo) + " 2>" + Quote(err.string()) + " </dev/null";
        const int status = std::system(cmd.c_str());
        CliRun r;
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = stdoutTo.empty() ? test::ReadText(out) : std::string();
        r.err = test::ReadText(err);
        return r;
    }

    // The demo game, written by the tool itself.
    fs::path Demo()
    {
        const fs::path root = dir_ / "game";
        if (!fs::exists(root)) {
            const CliRun r = Call({"demo", root.string()});
            EXPECT_EQ(r.code, 0) << r.err;
            EXPECT_NE(r.out.find("Vornex"), std::string::npos);
        }
        return root / "Vornex";
    }
    fs::path DemoOob(int n) { return Demo() / "game data" / "oobs" / OOBFileName(n); }
    fs::path DemoIni() { return Demo() / "Brackle" / "BRVX.ini"; }
    std::string In(const std::string& name) { return (dir_ / name).string(); }

    test::TempDir dir_;
};

TEST_F(Cli, HelpGoesToStandardOutput)
{
    for (const char* flag : {"--help", "-h"}) {
        const CliRun r = Call({flag});
        EXPECT_EQ(r.code, 0) << flag;
        EXPECT_NE(r.out.find("Usage:"), std::string::npos);
        for (const char* command : {"resave IN OUT", "info IN", "dump IN", "demo DIR", "--nation N", "--ini FILE",
                                    "--out DIR"})
            EXPECT_NE(r.out.find(command), std::string::npos) << command;
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(Cli, RefusesBadArgumentsOnStandardError)
{
    const std::string in = DemoOob(1).string();
    const std::string out = In("out.obf");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"bogus"},
        {"resave"},
        {"resave", in},
        {"resave", in, out, "extra"},
        {"resave", in, out, "--ini", DemoIni().string()},
        {"resave", in, out, "--nation"},
        {"resave", in, out, "--nation", "0"},
        {"resave", in, out, "--nation", "1000"},
        {"resave", in, out, "--nation", "-3"},
        {"resave", in, out, "--nation", "12a"},
        {"resave", in, out, "--nation", "1", "--nation", "2"},
        {"resave", in, out, "--fast"},
        {"info"},
        {"info", in, in},
        {"info", in, "--nation", "abc"},
        {"info", in, "--out", In("csv")},
        {"resave", in, out, "--out", In("csv")},
        {"dump"},
        {"dump", in, in},
        {"dump", in, "--out"},
        {"dump", in, "--out", In("a"), "--out", In("b")},
        {"dump", in, "--nation", "0"},
        {"dump", In("varn.obf")},
        {"demo"},
        {"demo", In("a"), In("b")},
        {"demo", In("a"), "--nation", "1"},
    };
    for (const auto& args : cases) {
        std::string shown;
        for (const auto& a : args)
            shown += a + " ";
        const CliRun r = Call(args);
        EXPECT_NE(r.code, 0) << shown;
        EXPECT_NE(r.err.find("brackle-cli: "), std::string::npos) << shown;
        EXPECT_EQ(r.out, "") << shown;
    }
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(Cli, ANumberOutOfRangeIsNamedInTheMessage)
{
    const CliRun r = Call({"info", DemoOob(1).string(), "--nation", "1000"});
    EXPECT_NE(r.code, 0);
    EXPECT_NE(r.err.find("1 to 999"), std::string::npos) << r.err;
}

TEST_F(Cli, AMissingInputFileFailsWithItsPath)
{
    const std::string missing = In("obat007.obf");
    for (const auto& args : std::vector<std::vector<std::string>>{{"resave", missing, In("out.obf")},
                                                                   {"info", missing}}) {
        const CliRun r = Call(args);
        EXPECT_NE(r.code, 0) << args[0];
        EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(In("out.obf")));
}

TEST_F(Cli, AFolderIsNoInputFile)
{
    fs::create_directory(In("obat003.obf"));
    const CliRun r = Call({"info", In("obat003.obf")});
    EXPECT_NE(r.code, 0);
    EXPECT_NE(r.err.find("folder"), std::string::npos) << r.err;
}

TEST_F(Cli, ResavingADemoFileChangesNoByte)
{
    for (const int n : DemoOobNumbers()) {
        const fs::path out = In("resaved" + std::to_string(n) + ".obf");
        const CliRun r = Call({"resave", DemoOob(n).string(), out.string()});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(test::ReadBytes(out), test::ReadBytes(DemoOob(n))) << n;
    }
}

TEST_F(Cli, ResavingAResavedFileChangesNoByte)
{
    // A file the editor did not write: short, with untrimmed names and years out of range.
    std::vector<unsigned char> bytes(150000, 0);
    const std::string name = "  Odd Unit ";
    std::copy(name.begin(), name.end(), bytes.begin() + 10080 + 15);
    bytes[70080 + 1] = 0;    // unit 1 available from year index 0
    bytes[71080 + 1] = 200;  // until year index 200
    const fs::path raw = In("obat004.obf");
    test::WriteBytes(raw, bytes);

    const fs::path once = In("once.obf");
    const fs::path twice = In("twice.obf");
    ASSERT_EQ(Call({"resave", raw.string(), once.string()}).code, 0);
    ASSERT_EQ(Call({"resave", once.string(), twice.string(), "--nation", "4"}).code, 0);
    const auto first = test::ReadBytes(once);
    EXPECT_EQ(first.size(), bytes.size());
    EXPECT_NE(first, bytes);  // the save did clean it
    EXPECT_EQ(test::ReadBytes(twice), first);
}

TEST_F(Cli, TheNationComesFromTheFileNameInAnyCaseOrFromTheOption)
{
    const fs::path upper = In("OBAT002.OBF");
    fs::copy_file(DemoOob(2), upper);
    CliRun r = Call({"info", upper.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Number:     2\n"), std::string::npos) << r.out;

    const fs::path renamed = In("varn.obf");
    fs::copy_file(DemoOob(2), renamed);
    r = Call({"resave", renamed.string(), In("out.obf")});
    EXPECT_NE(r.code, 0);
    EXPECT_NE(r.err.find("--nation"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(In("out.obf")));

    r = Call({"resave", renamed.string(), In("out.obf"), "--nation", "2"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(test::ReadBytes(In("out.obf")), test::ReadBytes(renamed));

    // The option wins over the name.
    r = Call({"info", DemoOob(1).string(), "--nation", "5"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Number:     5\n"), std::string::npos) << r.out;
}

TEST_F(Cli, ANamedIniFileMustExist)
{
    const CliRun r = Call({"info", DemoOob(1).string(), "--ini", In("BRVX.ini")});
    EXPECT_NE(r.code, 0);
    EXPECT_EQ(r.err, "brackle-cli: cannot read the ini file " + In("BRVX.ini") + ": No such file or directory\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(Cli, InfoCountsTheRecordsInUse)
{
    for (const int n : DemoOobNumbers()) {
        const auto demo = BuildDemoOob(n);
        const OobSummary expected = SummariseOob(demo.Tables);
        const CliRun r = Call({"info", DemoOob(n).string(), "--ini", DemoIni().string()});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_NE(r.out.find("Nation:     " + DemoNationNames()[static_cast<std::size_t>(n)] + "\n"),
                  std::string::npos) << r.out;
        EXPECT_NE(r.out.find("Size:       200000 bytes\n"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("Info:       " + demo.Tables.OOBInfo + "\n"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("Units:      " + std::to_string(expected.Units) + "\n"), std::string::npos);
        EXPECT_NE(r.out.find("Weapons:    " + std::to_string(expected.Weapons) + "\n"), std::string::npos);
        EXPECT_NE(r.out.find("Formations: " + std::to_string(expected.Formations) + "\n"), std::string::npos);
    }
}

TEST_F(Cli, InfoWithoutIniShowsTheMissingIniName)
{
    const CliRun r = Call({"info", DemoOob(1).string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Nation:     *NO INI FILE!*\n"), std::string::npos) << r.out;
}

TEST_F(Cli, InfoReportsTheSizeAsLoaded)
{
    test::WriteBytes(In("obat009.obf"), std::vector<unsigned char>(1234, 0));
    const CliRun r = Call({"info", In("obat009.obf")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Size:       1234 bytes\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Units:      0\n"), std::string::npos) << r.out;
}

TEST_F(Cli, ASaveIntoAMissingFolderFailsWithThePath)
{
    const std::string out = In("no/such/folder/obat001.obf");
    const CliRun r = Call({"resave", DemoOob(1).string(), out});
    EXPECT_NE(r.code, 0);
    EXPECT_NE(r.err.find(out), std::string::npos) << r.err;
}

// What DumpOOB writes for file IN loaded as number n with the names of ini (none: no names).
std::vector<std::vector<unsigned char>> ExpectedDump(const fs::path& in, int n, const fs::path* ini,
                                                     const fs::path& dir)
{
    Oob oob;
    Settings settings;
    const auto file = ini ? IniFile::FromPath(*ini) : std::nullopt;
    readinifile(file ? &*file : nullptr, settings, oob.Names);
    oob.CurrentOOB = static_cast<std::uint16_t>(n);
    EXPECT_EQ(LoadOOBFromPath(oob, in).code, 0);
    fs::create_directories(dir);
    EXPECT_TRUE(DumpOOB(oob, n, dir).empty());
    std::vector<std::vector<unsigned char>> files;
    for (const DumpKind kind : {DumpKind::Units, DumpKind::Weapons, DumpKind::Formations})
        files.push_back(test::ReadBytes(dir / DumpFileName(n, kind)));
    return files;
}

std::vector<std::vector<unsigned char>> DumpFiles(const fs::path& dir, int n)
{
    std::vector<std::vector<unsigned char>> files;
    for (const DumpKind kind : {DumpKind::Units, DumpKind::Weapons, DumpKind::Formations}) {
        EXPECT_TRUE(fs::is_regular_file(dir / DumpFileName(n, kind))) << DumpFileName(n, kind);
        files.push_back(test::ReadBytes(dir / DumpFileName(n, kind)));
    }
    return files;
}

TEST_F(Cli, DumpWritesWhatTheEditorDumps)
{
    const fs::path ini = DemoIni();
    const fs::path out = In("csv");
    fs::create_directory(out);
    const CliRun r = Call({"dump", DemoOob(5).string(), "--ini", ini.string(), "--out", out.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find((out / "obatDUMP05fmns.csv").string()), std::string::npos) << r.out;
    const auto files = DumpFiles(out, 5);
    EXPECT_EQ(files, ExpectedDump(DemoOob(5), 5, &ini, In("expected")));
    // The demo's nation names reach the lines.
    const std::string units(files[0].begin(), files[0].end());
    EXPECT_NE(units.find("\r\n5," + DemoNationNames()[5] + ",1,"), std::string::npos);
}

TEST_F(Cli, DumpDefaultsToTheInputFolderAndNoNames)
{
    const fs::path in = In("obat002.obf");
    fs::copy_file(DemoOob(2), in);
    const CliRun r = Call({"dump", in.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto files = DumpFiles(dir_.path(), 2);
    EXPECT_EQ(files, ExpectedDump(in, 2, nullptr, In("expected")));
    const std::string weapons(files[1].begin(), files[1].end());
    EXPECT_NE(weapons.find("\r\n2,*NO INI FILE!*,1,"), std::string::npos);
}

TEST_F(Cli, DumpTakesTheNumberFromTheOption)
{
    const fs::path in = In("varn.obf");
    fs::copy_file(DemoOob(2), in);
    const CliRun r = Call({"dump", in.string(), "--nation", "42", "--out", dir_.path().string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(DumpFiles(dir_.path(), 42), ExpectedDump(in, 42, nullptr, In("expected")));
}

TEST_F(Cli, DumpFailuresNameThePathAndTheOtherFilesAreWritten)
{
    const fs::path out = In("csv");
    fs::create_directories(out / "obatDUMP01wpns.csv");  // a folder in the way
    CliRun r = Call({"dump", DemoOob(1).string(), "--out", out.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find((out / "obatDUMP01wpns.csv").string() + ": a folder of that name is in the way"),
              std::string::npos)
        << r.err;
    EXPECT_TRUE(fs::is_regular_file(out / "obatDUMP01unit.csv"));
    EXPECT_TRUE(fs::is_regular_file(out / "obatDUMP01fmns.csv"));

    const std::string missing = In("no/such/folder");
    r = Call({"dump", DemoOob(1).string(), "--out", missing});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;

    r = Call({"dump", In("obat007.obf"), "--out", out.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(In("obat007.obf")), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out / "obatDUMP07unit.csv"));
}

TEST_F(Cli, ALongInputIsLoadedWithAWarningOnStandardError)
{
    const fs::path in = In("obat004.obf");
    test::WriteBytes(in, std::vector<unsigned char>(200123, 0));
    const CliRun r = Call({"info", in.string()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "brackle-cli: warning: Only the first 200000 bytes of " + in.string() +
                         " are an OOB file; saving it will drop the other 123 bytes.\n");
    EXPECT_EQ(r.out.find("warning"), std::string::npos);
}

TEST_F(Cli, ResaveRefusalsGiveTheRealReason)
{
    const fs::path in = In("obat004.obf");
    test::WriteBytes(in, std::vector<unsigned char>(200000, 0));
    test::WriteBytes(In("plain"), {1, 2, 3});
    const struct {
        std::string out;
        std::string err;
    } cases[] = {
        {"", "brackle-cli: cannot save: no file name given to save to\n"},
        {In("plain") + "/obat004.obf", "brackle-cli: cannot save " + In("plain") + "/obat004.obf: Not a directory\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = Call({"resave", in.string(), c.out});
        EXPECT_EQ(r.code, 1) << c.out;
        EXPECT_EQ(r.err, c.err) << c.out;
    }
}

// Two file-3 images: unit 20 "Heavy Tank 40" with radio 11, weapon 107 "76mm Gun".
std::vector<unsigned char> DiffBase()
{
    std::vector<unsigned char> b(200000, 0);
    const std::string unit = "Heavy Tank 40";
    std::copy(unit.begin(), unit.end(), b.begin() + 10080 + 20 * 15);
    b[69080 + 20] = 11;
    b[74080 + 20] = 3;
    const std::string weapon = "76mm Gun";
    std::copy(weapon.begin(), weapon.end(), b.begin() + 80 + 107 * 15);
    return b;
}

TEST_F(Cli, DiffPrintsWhatDiffersAndExitsOneOrZero)
{
    fs::create_directories(dir_ / "a");
    fs::create_directories(dir_ / "b");
    const fs::path a = dir_ / "a" / "obat003.obf";
    const fs::path b = dir_ / "b" / "obat003.obf";
    test::WriteBytes(a, DiffBase());
    test::WriteBytes(b, DiffBase());

    CliRun r = Call({"diff", a.string(), b.string()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "no differences\n");
    EXPECT_EQ(r.err, "");

    auto changed = DiffBase();
    changed[69080 + 20] = 113;
    std::fill(changed.begin() + 80 + 107 * 15, changed.begin() + 80 + 108 * 15, 0);
    changed[63080] = 1;
    test::WriteBytes(b, changed);
    r = Call({"diff", a.string(), b.string(), "--ini", DemoIni().string()});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(r.out, "unit 020 Heavy Tank 40: Radio 11 -> 113\n"
                     "weapon 107: Name '76mm Gun' -> ''\n"
                     "uninterpreted bytes: 1 differ, first at 63080\n"
                     "1 unit, 1 weapon, 0 formations changed; 1 uninterpreted byte differs\n");
    EXPECT_EQ(r.err, "");

    // Any names, given the number; it is the number of both files.
    fs::copy_file(a, In("before.obf"));
    fs::copy_file(b, In("after.obf"));
    r = Call({"diff", In("before.obf"), In("after.obf"), "--nation", "3"});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_NE(r.out.find("unit 020 Heavy Tank 40: Radio 11 -> 113\n"), std::string::npos) << r.out;

    // A demo file against itself.
    r = Call({"diff", DemoOob(2).string(), DemoOob(2).string()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "no differences\n");
}

TEST_F(Cli, DiffWithoutTwoLoadableFilesExitsTwo)
{
    const std::string a = DemoOob(1).string();
    const std::string missing = In("obat009.obf");
    fs::copy_file(DemoOob(2), In("varn.obf"));  // loads, but its name gives no number
    const struct {
        std::vector<std::string> args;
        std::string said;  // a part of the message
        bool tryHelp;
    } cases[] = {
        {{"diff"}, "diff needs two files A and B", true},
        {{"diff", a}, "diff needs two files A and B", true},
        {{"diff", a, a, a}, "diff needs two files A and B", true},
        {{"diff", a, a, "--fast"}, "unknown option --fast", true},
        {{"diff", a, a, "--out", In("x")}, "--out", true},
        {{"diff", a, a, "--nation", "0"}, "--nation must be a file number", true},
        {{"diff", a, a, "--nation", "x1"}, "--nation must be a file number", true},
        {{"diff", a, In("varn.obf")}, "cannot tell the file number", true},
        {{"diff", a, "/nonexistent"}, "cannot load /nonexistent: No such file or directory", false},
        {{"diff", a, missing}, missing + ": No such file or directory", false},
        {{"diff", missing, a}, missing, false},
        {{"diff", a, a, "--ini", In("none.ini")}, In("none.ini"), false},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const auto& arg : c.args)
            shown += arg + " ";
        const CliRun r = Call(c.args);
        EXPECT_EQ(r.code, 2) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << shown << "\n" << r.err;
        EXPECT_EQ(r.err.find("Try 'brackle-cli --help'.") != std::string::npos, c.tryHelp) << shown << r.err;
    }
    EXPECT_NE(Call({"--help"}).out.find("diff A B [--nation N] [--ini FILE]"), std::string::npos);
}

TEST_F(Cli, OutputThatCannotBeWrittenExitsFour)
{
    const std::string in = DemoOob(1).string();
    const std::string other = DemoOob(2).string();
    const std::vector<std::vector<std::string>> commands = {
        {"--help"},
        {"-h"},
        {"--version"},
        {"info", in},
        {"report", "weapons", in},
        {"report", "unused-weapons", in},
        {"check", in},           // 1 when it could be read
        {"diff", in, in},        // 0
        {"diff", in, other},     // 1
        {"resave", in, In("resaved.obf")},
        {"dump", in, "--out", dir_.path().string()},
        {"picture", (Demo() / "game data" / "pictures" / "Pm00001.lbm").string(), In("p.bmp")},
    };
    for (const auto& args : commands) {
        std::string shown;
        for (const auto& a : args)
            shown += a + " ";
        const CliRun r = Call(args, "/dev/full");
        EXPECT_EQ(r.code, 4) << shown << r.err;
        EXPECT_NE(r.err.find("brackle-cli: cannot write the standard output: No space left on device\n"),
                  std::string::npos) << shown << r.err;
    }
    // The code is in the help.
    const CliRun help = Call({"--help"});
    EXPECT_NE(help.out.find("4 the standard output could not be\nwritten"), std::string::npos) << help.out;
}

TEST_F(Cli, VersionAndEveryReportInTheHelp)
{
    const CliRun version = Call({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("brackle-cli ") + BRACKLE_VERSION + "\n");
    EXPECT_EQ(version.err, "");
    const CliRun help = Call({"--help"});
    EXPECT_NE(help.out.find("brackle-cli --version"), std::string::npos);
    for (const char* name : {"formations-using-class C", "broken-links", "template-units", "template-users U",
                             "platoons", "platoon-users F", "companies", "company-contents F", "x3-dates",
                             "formation-dates", "platoons-in-platoons", "unit-classes", "units-of-class C",
                             "foreign-units", "orphan-classes", "bad-ammo", "weapons", "weapon-users W",
                             "weapon-classes", "weapons-of-class C", "unused-weapons"})
        EXPECT_NE(help.out.find("\n  " + std::string(name) + " "), std::string::npos) << name;
}

TEST_F(Cli, DemoRefusesAFolderThatHoldsAGame)
{
    const struct {
        const char* what;
        std::function<void(const fs::path&)> make;  // makes DIR/Vornex
    } cases[] = {
        {"a game folder", [](const fs::path& v) {
             fs::create_directories(v / "game data" / "oobs");
             test::WriteBytes(v / "game data" / "oobs" / "obat001.obf", {1, 2, 3});
         }},
        {"an empty folder", [](const fs::path& v) { fs::create_directory(v); }},
        {"a file", [](const fs::path& v) { test::WriteBytes(v, {7}); }},
        {"a dangling link", [](const fs::path& v) { fs::create_symlink("nowhere", v); }},
    };
    for (const auto& c : cases) {
        const fs::path dir = dir_ / c.what;
        fs::create_directory(dir);
        c.make(dir / "Vornex");
        std::vector<std::string> before;
        for (const auto& e : fs::recursive_directory_iterator(dir))
            before.push_back(e.path().string());
        const CliRun r = Call({"demo", dir.string()});
        EXPECT_EQ(r.code, 1) << c.what;
        EXPECT_EQ(r.out, "") << c.what;
        EXPECT_EQ(r.err.rfind("brackle-cli: " + (dir / "Vornex").string() + " already exists", 0), 0u)
            << c.what << ": " << r.err;
        std::vector<std::string> after;
        for (const auto& e : fs::recursive_directory_iterator(dir))
            after.push_back(e.path().string());
        EXPECT_EQ(after, before) << c.what;
    }
    EXPECT_EQ(test::ReadBytes(dir_ / "a game folder" / "Vornex" / "game data" / "oobs" / "obat001.obf"),
              (std::vector<unsigned char>{1, 2, 3}));
    const CliRun empty = Call({"demo", ""});
    EXPECT_EQ(empty.code, 2);
    EXPECT_NE(empty.err.find("Try 'brackle-cli --help'."), std::string::npos);
}

TEST_F(Cli, AShortFileLoadsWithAWarningAndResavesToItsLength)
{
    for (const std::size_t size : {std::size_t{0}, std::size_t{100}, std::size_t{175079}}) {
        const fs::path in = In("obat004.obf");
        test::WriteBytes(in, std::vector<unsigned char>(size, 0));
        const CliRun r = Call({"resave", in.string(), In("out.obf")});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err.rfind("brackle-cli: warning: " + in.string() + " is only " + std::to_string(size) +
                                  " bytes long",
                              0),
                  0u)
            << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(fs::file_size(In("out.obf")), size);
        EXPECT_EQ(r.out, "Saved " + In("out.obf") + " (" + std::to_string(size) + " bytes)\n");
    }
    test::WriteBytes(In("obat004.obf"), std::vector<unsigned char>(175080, 0));
    const CliRun full = Call({"info", In("obat004.obf")});
    EXPECT_EQ(full.code, 0);
    EXPECT_EQ(full.err, "");
}

TEST_F(Cli, AResaveThatCannotKeepTheOwnerSaysSo)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root: a file of another owner that the saver may write";
    fs::permissions(dir_.path(), fs::perms(0777));
    const fs::path file = In("obat001.obf");
    fs::copy_file(DemoOob(1), file);
    fs::permissions(file, fs::perms(0666));  // root's, writable by anyone
    std::string why;
    const auto out = test::RunInChild({true, std::nullopt}, [&] {
        const std::string cmd = Quote(BRACKLE_CLI) + " resave " + Quote(file.string()) + " " + Quote(file.string()) +
                                " >/dev/null 2>" + Quote(In("owner.txt"));
        const int status = std::system(cmd.c_str());
        return std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }, why);
    if (!out)
        GTEST_SKIP() << why;
    EXPECT_EQ(*out, "0");
    EXPECT_EQ(test::ReadText(In("owner.txt")),
              "brackle-cli: warning: The owner and group of " + file.string() +
                  " could not be kept (Operation not permitted): the saved file belongs to the user who saved it.\n");
    EXPECT_EQ(test::ReadBytes(file), test::ReadBytes(DemoOob(1)));
}

TEST(OobFileNumbers, ComeFromObatNames)
{
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {
        {"obat001.obf", 1},   {"OBAT999.OBF", 999}, {"Obat042.Obf", 42},   {"obat000.obf", std::nullopt},
        {"obat1.obf", std::nullopt}, {"obat0012.obf", std::nullopt}, {"obatabc.obf", std::nullopt},
        {"xobat001.obf", std::nullopt}, {"obat001.obx", std::nullopt}, {"obat001", std::nullopt},
        {"obat-01.obf", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& [name, n] : cases)
        EXPECT_EQ(OOBNumberOfFileName(name), n) << name;
}

TEST(OobFileNumbers, TypedNumbersAreOneTo999)
{
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {
        {"1", 1}, {"999", 999}, {"007", 7}, {"0", std::nullopt}, {"1000", std::nullopt},
        {"-5", std::nullopt}, {"+5", std::nullopt}, {"", std::nullopt}, {"12a", std::nullopt},
        {" 5", std::nullopt}, {"99999999999999", std::nullopt},
    };
    for (const auto& [text, n] : cases)
        EXPECT_EQ(ParseOOBNumber(text), n) << text;
}

// A small file 3 for the report commands: a home unit, a foreign unit, a formation
// holding the home unit, a weapon. fault adds to it before it is written.
fs::path WriteReportFile(const fs::path& dir, const std::function<void(Oob&)>& fault = {},
                         const std::function<void(std::vector<std::uint8_t>&)>& poke = {})
{
    Oob o;
    o.CurrentOOB = 3;
    o.WeaponTable[5].Name = "Rifle";
    o.WeaponTable[5].Class = 1;
    o.WeaponTable[5].HEKill = 4;
    UnitRecord& u = o.UnitTable[1];
    u = UnitRecord{};
    u.Name = "Rifle Squad";
    u.Nation = 3;
    u.Class = 7;
    u.Wpn1 = 5;
    u.Wpn1HEAmmo = 20;
    u.YrAvail = 40;
    u.MonthAvail = 1;
    u.YrUnavail = 60;
    u.MonthUnAvail = 12;
    UnitRecord& f = o.UnitTable[2];
    f.Name = "Scout";
    f.Nation = 7;
    f.Class = 9;
    f.YrAvail = 40;
    f.MonthAvail = 1;
    f.YrUnavail = 60;
    f.MonthUnAvail = 12;
    FormationRecord& p = o.FormationTable[1];
    p.Name = "Rifle Plt";
    p.Nation = 3;
    p.FormType = 1;
    p.Slot[0] = 1;
    p.YrAvail = 40;
    p.MonthAvail = 1;
    p.YrUntil = 60;
    p.MonthUntil = 12;
    if (fault)
        fault(o);
    WriteTablesToBuffer(o);
    if (poke)
        poke(o.OOBBuffer);
    const fs::path path = dir / OOBFileName(3);
    EXPECT_TRUE(WriteFileAtomically(path, o.OOBBuffer.data(), kBufferSize).ok);
    return path;
}

TEST_F(Cli, ReportRefusesBadNamesAndArguments)
{
    const std::string in = WriteReportFile(dir_.path()).string();
    const std::vector<std::vector<std::string>> cases = {
        {"report"},
        {"report", "broken-links"},
        {"report", "no-such-report", in},
        {"report", "broken-links", in, "5"},
        {"report", "units-of-class", in},
        {"report", "units-of-class", in, "256"},
        {"report", "units-of-class", in, "-1"},
        {"report", "units-of-class", in, "7a"},
        {"report", "weapon-users", in, "0"},
        {"report", "weapon-users", in, "250"},
        {"report", "template-users", in, "1000"},
        {"report", "weapons-of-class", in, "27"},
        {"report", "foreign-units", in, "--out", In("x")},
        {"check"},
        {"check", in, in},
    };
    for (const auto& args : cases) {
        const CliRun r = Call(args);
        std::string joined;
        for (const auto& a : args)
            joined += a + " ";
        EXPECT_EQ(r.code, 2) << joined;
        EXPECT_EQ(r.out, "") << joined;
        EXPECT_NE(r.err.find("brackle-cli: "), std::string::npos) << joined;
    }
    const CliRun missing = Call({"report", "foreign-units", In("obat004.obf")});
    EXPECT_EQ(missing.code, 1);
}

TEST_F(Cli, ReportPrintsTheLinesOfOneReport)
{
    const std::string in = WriteReportFile(dir_.path()).string();
    const fs::path ini = dir_ / "BRVX.ini";
    test::WriteText(ini, "[NationNames]\nobat3=Third Nation\nobat7=Seventh Nation\n"
                         "[UnitClassNames]\nUnitClass7=Rifle Squad Class\nUnitClass9=Scout Car\n");
    const CliRun foreign = Call({"report", "foreign-units", in, "--ini", ini.string()});
    EXPECT_EQ(foreign.code, 0) << foreign.err;
    EXPECT_EQ(foreign.out, "Foreign uints found:\n"
                           "Unit 002 -  Scout (class 9 Scout Car) is assigned to nation 7 Seventh Nation\n");
    EXPECT_EQ(foreign.err, "");

    const CliRun users = Call({"report", "weapon-users", in, "5", "--ini", ini.string()});
    EXPECT_EQ(users.code, 0);
    EXPECT_EQ(users.out, "users of weapon ID 5 Rifle:\n"
                         "001 - Rifle Squad - uClass 007 :  slot 1 - Available 01/040 to 12/060\n");

    // A row the window ignores (an empty weapon) prints nothing.
    const CliRun empty = Call({"report", "weapon-users", in, "12"});
    EXPECT_EQ(empty.code, 0);
    EXPECT_EQ(empty.out, "");

    // A list prints its rows.
    const CliRun classes = Call({"report", "weapon-classes", in});
    EXPECT_EQ(classes.code, 0);
    EXPECT_EQ(std::count(classes.out.begin(), classes.out.end(), '\n'), 26);
    EXPECT_EQ(classes.out.rfind("001 - ", 0), 0u);

    const CliRun formations = Call({"report", "formations-using-class", in, "7"});
    EXPECT_EQ(formations.code, 0);
    EXPECT_EQ(formations.out, "001  Rifle Plt - Available: 01/40-12/60\n1 formations found using UC 7\n");
}

TEST_F(Cli, CheckPassesACleanFileAndFailsABrokenOne)
{
    const std::string clean = WriteReportFile(dir_.path()).string();
    const CliRun ok = Call({"check", clean});
    EXPECT_EQ(ok.code, 0) << ok.out << ok.err;
    for (const char* heading : {"--- broken-links: 0 findings ---", "--- x3-dates: 0 findings ---",
                                "--- formation-dates: 0 findings ---", "--- platoons-in-platoons: 0 findings ---",
                                "--- foreign-units: 1 finding ---", "--- bad-ammo: 0 findings ---",
                                "--- unused-weapons: 0 findings ---"})
        EXPECT_NE(ok.out.find(heading), std::string::npos) << heading << "\n" << ok.out;
    EXPECT_NE(ok.out.find("Checked " + clean + ": 1 finding; passed\n"), std::string::npos) << ok.out;

    const fs::path brokenDir = dir_ / "broken";
    fs::create_directory(brokenDir);
    const std::string broken =
        WriteReportFile(brokenDir, [](Oob& o) { o.FormationTable[1].Slot[1] = 44; }).string();  // no unit 44
    const CliRun bad = Call({"check", broken});
    EXPECT_EQ(bad.code, 1) << bad.out;
    EXPECT_NE(bad.out.find("Formation 1 - Rifle Plt - Slot 2 Points to a non-existing unit 44"), std::string::npos);
    EXPECT_NE(bad.out.find("failing: broken-links"), std::string::npos) << bad.out;
}

TEST_F(Cli, ACheckThatMeetsANamedRecordWithoutADateStops)
{
    // Formation 1's start month is 13 on disk: the date check cannot go on.
    const std::string in =
        WriteReportFile(dir_.path(), {}, [](std::vector<std::uint8_t>& b) { b[171080 + 1] = 13; }).string();
    const CliRun r = Call({"report", "formation-dates", in});
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find("Formation 1"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("13"), std::string::npos) << r.err;
    EXPECT_EQ(r.out.rfind("Checking gaps in formations\n", 0), 0u) << r.out;
    const CliRun check = Call({"check", in});
    EXPECT_EQ(check.code, 3);
    EXPECT_NE(check.out.find("--- formation-dates: "), std::string::npos);
    EXPECT_NE(check.out.find("(stopped)"), std::string::npos);
    EXPECT_NE(check.out.find("--- unused-weapons: "), std::string::npos);  // the other checks still ran
}

// The picture and icon commands write an 8-bit BMP: these read its fields.
std::uint32_t Le32At(const std::vector<unsigned char>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}
std::vector<unsigned char> PixelRows(const std::vector<unsigned char>& bmp)
{
    return {bmp.begin() + 1078, bmp.end()};
}

// A chunky 4 x 2 picture: top row 1 2 3 4, bottom row 9 9 9 9 (ByteRun1); colour 1 is 40 50 60.
std::vector<unsigned char> PbmFile(std::uint8_t planes = 8, std::uint8_t compression = 1)
{
    return {'F', 'O', 'R', 'M', 0, 0, 0, 0, 'P', 'B', 'M', ' ', 'B', 'M', 'H', 'D', 0, 0, 0, 20,
            0, 4, 0, 2, 0, 0, 0, 0, planes, 0, compression, 0, 0, 0, 1, 1, 0, 0, 0, 0,
            'C', 'M', 'A', 'P', 0, 0, 0, 6, 10, 20, 30, 40, 50, 60,
            'B', 'O', 'D', 'Y', 0, 0, 0, 7, 3, 1, 2, 3, 4, 253, 9};
}

// A shape file of 35 images (36 table entries) in which only entry 35, the one
// image 34 is read from, points at an image: 3 x 2, top row skip 1 then two 7s,
// bottom row one 9.
std::vector<unsigned char> ShapeFile()
{
    std::vector<unsigned char> b = {'1', '.', '1', '0', 35, 0, 0, 0};
    const auto le32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    for (int k = 0; k < 36; ++k) {
        le32(k == 35 ? 8 + 36 * 8 : 0x7FFFFFF0);
        le32(0);
    }
    const std::vector<unsigned char> image = {2, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
                                              1, 1, 4, 7, 0, 2, 9, 0};
    b.insert(b.end(), image.begin(), image.end());
    return b;
}

TEST_F(Cli, PictureWritesAn8BitBmpWithTheFilesLastRowFirst)
{
    test::WriteBytes(In("Pm00001.lbm"), PbmFile());
    const CliRun r = Call({"picture", In("Pm00001.lbm"), In("out.bmp")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("out.bmp"), std::string::npos) << r.out;
    const auto bmp = test::ReadBytes(In("out.bmp"));
    ASSERT_EQ(bmp.size(), 1078u + 8u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(Le32At(bmp, 2), 1086u);
    EXPECT_EQ(Le32At(bmp, 10), 1078u);
    EXPECT_EQ(Le32At(bmp, 14), 40u);
    EXPECT_EQ(Le32At(bmp, 18), 4u);
    EXPECT_EQ(Le32At(bmp, 22), 2u);
    EXPECT_EQ(bmp[28], 8);
    EXPECT_EQ((std::vector<unsigned char>(bmp.begin() + 54, bmp.begin() + 62)),
              (std::vector<unsigned char>{30, 20, 10, 0, 60, 50, 40, 0}));
    EXPECT_EQ(PixelRows(bmp), (std::vector<unsigned char>{9, 9, 9, 9, 1, 2, 3, 4}));
}

TEST_F(Cli, APictureTheDecoderRefusesWritesNothing)
{
    std::vector<unsigned char> notForm = PbmFile();
    notForm[0] = 'X';
    test::WriteBytes(In("bad.lbm"), notForm);
    test::WriteBytes(In("planes.lbm"), PbmFile(4));
    test::WriteBytes(In("packed.lbm"), PbmFile(8, 2));
    fs::create_directory(In("folder.lbm"));
    std::vector<unsigned char> noColumns = PbmFile();
    noColumns[21] = 0;  // width 0: decoded, but no BMP can hold it
    test::WriteBytes(In("empty.lbm"), noColumns);
    struct Case {
        std::string in;
        std::string message;
    } cases[] = {
        {In("bad.lbm"), "Invalid file"},
        {In("planes.lbm"), "Only supports 8 bit planes"},
        {In("packed.lbm"), "unsupported compression algorithm"},
        {In("missing.lbm"), In("missing.lbm")},
        {In("folder.lbm"), In("folder.lbm")},
        {In("empty.lbm"), "the picture is empty (0 x 2 pixels)"},
    };
    test::WriteText(In("kept.bmp"), "old");
    for (const auto& c : cases) {
        for (const std::string& out : {In("new.bmp"), In("kept.bmp")}) {
            const CliRun r = Call({"picture", c.in, out});
            EXPECT_EQ(r.code, 1) << c.in;
            EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
            EXPECT_EQ(r.out, "") << c.in;
        }
        EXPECT_FALSE(fs::exists(In("new.bmp"))) << c.in;
        EXPECT_EQ(test::ReadText(In("kept.bmp")), "old") << c.in;
    }
}

TEST_F(Cli, IconFindsTheShapeFileInAnyCaseAndReadsTheNextTableEntry)
{
    const fs::path graphics = dir_ / "graphics";
    fs::create_directory(graphics);
    test::WriteBytes(graphics / "ICON0012.SHP", ShapeFile());
    constexpr unsigned char T = 240;
    struct Case {
        std::vector<std::string> options;
        std::vector<unsigned char> rows;  // bottom row first
    } cases[] = {
        {{}, {9, T, T, 0, T, 7, 7, 0}},
        {{"--transparent", "3"}, {9, 3, 3, 0, 3, 7, 7, 0}},
        {{"--transparent", "0"}, {9, 0, 0, 0, 0, 7, 7, 0}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"icon", "1234", In("icon.bmp"), "--graphics", graphics.string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun r = Call(args);
        ASSERT_EQ(r.code, 0) << r.err;
        const auto bmp = test::ReadBytes(In("icon.bmp"));
        ASSERT_EQ(bmp.size(), 1078u + 8u);
        EXPECT_EQ(Le32At(bmp, 10), 1078u);
        EXPECT_EQ(Le32At(bmp, 18), 3u);
        EXPECT_EQ(Le32At(bmp, 22), 2u);
        EXPECT_EQ(bmp[28], 8);
        EXPECT_EQ(PixelRows(bmp), c.rows);
        // The built-in palette: colour 7 is 9F9F9F, colour 240 EFAB23 (blue, green, red, 0 in the table).
        EXPECT_EQ((std::vector<unsigned char>(bmp.begin() + 54 + 4 * 7, bmp.begin() + 54 + 4 * 8)),
                  (std::vector<unsigned char>{0x9F, 0x9F, 0x9F, 0}));
        EXPECT_EQ((std::vector<unsigned char>(bmp.begin() + 54 + 4 * 240, bmp.begin() + 54 + 4 * 241)),
                  (std::vector<unsigned char>{0x23, 0xAB, 0xEF, 0}));
    }
}

TEST_F(Cli, AnIconThatCannotBeDecodedWritesNothing)
{
    const fs::path graphics = dir_ / "graphics";
    fs::create_directory(graphics);
    test::WriteBytes(graphics / "Icon0012.shp", ShapeFile());
    std::vector<unsigned char> unmarked = ShapeFile();
    unmarked[2] = '2';  // "1.20"
    test::WriteBytes(graphics / "Icon0013.shp", unmarked);
    struct Case {
        const char* v;
        std::string message;
    } cases[] = {
        {"1400", (graphics / "Icon0014.shp").string()},  // no such file
        {"1334", "Invalid file"},                         // no "1.10"
        {"1235", "required icon not available"},          // 35 images: 0..34
        {"1299", "required icon not available"},
        {"1233", "Invalid file"},  // entry 34 points outside the file
    };
    test::WriteText(In("kept.bmp"), "old");
    for (const auto& c : cases) {
        for (const std::string& out : {In("new.bmp"), In("kept.bmp")}) {
            const CliRun r = Call({"icon", c.v, out, "--graphics", graphics.string()});
            EXPECT_EQ(r.code, 1) << c.v;
            EXPECT_NE(r.err.find(c.message), std::string::npos) << c.v << ": " << r.err;
        }
        EXPECT_FALSE(fs::exists(In("new.bmp"))) << c.v;
        EXPECT_EQ(test::ReadText(In("kept.bmp")), "old") << c.v;
    }
    const CliRun noFolder = Call({"icon", "1234", In("new.bmp"), "--graphics", In("nowhere")});
    EXPECT_EQ(noFolder.code, 1);
    EXPECT_FALSE(fs::exists(In("new.bmp")));
}

TEST_F(Cli, ABmpThatCannotBeWrittenIsReported)
{
    test::WriteBytes(In("Pm00001.lbm"), PbmFile());
    const CliRun r = Call({"picture", In("Pm00001.lbm"), In("missing/out.bmp")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(In("missing/out.bmp")), std::string::npos) << r.err;
}

TEST_F(Cli, PictureAndIconRefuseBadArguments)
{
    const std::string in = In("Pm00001.lbm");
    const std::string out = In("out.bmp");
    const std::string dir = dir_.path().string();
    const std::vector<std::vector<std::string>> cases = {
        {"picture"},
        {"picture", in},
        {"picture", in, out, "extra"},
        {"picture", in, out, "--nation", "1"},
        {"picture", in, out, "--graphics", dir},
        {"icon", "5", out},
        {"icon", "5", "--graphics", dir},
        {"icon", "5", out, "extra", "--graphics", dir},
        {"icon", "abc", out, "--graphics", dir},
        {"icon", "32768", out, "--graphics", dir},
        {"icon", "1234567", out, "--graphics", dir},
        {"icon", "-1", out, "--graphics", dir},
        {"icon", "", out, "--graphics", dir},
        {"icon", "5", out, "--graphics"},
        {"icon", "5", out, "--graphics", dir, "--graphics", dir},
        {"icon", "5", out, "--graphics", dir, "--transparent", "256"},
        {"icon", "5", out, "--graphics", dir, "--transparent", "-1"},
        {"icon", "5", out, "--graphics", dir, "--transparent", "x"},
        {"icon", "5", out, "--graphics", dir, "--transparent"},
        {"icon", "5", out, "--graphics", dir, "--ini", in},
        {"info", in, "--transparent", "3"},
    };
    test::WriteBytes(in, PbmFile());
    for (const auto& args : cases) {
        std::string shown;
        for (const auto& a : args)
            shown += a + " ";
        const CliRun r = Call(args);
        EXPECT_EQ(r.code, 2) << shown;
        EXPECT_NE(r.err.find("Try 'brackle-cli --help'."), std::string::npos) << shown << r.err;
        EXPECT_EQ(r.out, "") << shown;
    }
    EXPECT_FALSE(fs::exists(out));

    const CliRun help = Call({"--help"});
    EXPECT_NE(help.out.find("picture IN.lbm OUT.bmp"), std::string::npos);
    EXPECT_NE(help.out.find("icon V OUT.bmp --graphics DIR [--transparent T]"), std::string::npos);
}

}  // namespace
}  // namespace brackle

namespace brackle {
namespace {

// A script must never take an empty or cut report for a complete one.
TEST_F(Cli, OutputThatCannotBeWrittenExitsFourForReportsAndDiffs)
{
    const std::string oob = DemoOob(1).string();
    const std::string other = DemoOob(2).string();
    const std::vector<std::vector<std::string>> commands = {
        {"--help"},        {"--version"},          {"info", oob},
        {"check", oob},    {"report", "weapons", oob}, {"report", "bad-ammo", oob},
        {"diff", oob, other}, {"diff", oob, oob},
    };
    for (const auto& args : commands) {
        const CliRun r = Call(args, "/dev/full");
        EXPECT_EQ(r.code, 4) << args[0];
        EXPECT_NE(r.err.find("cannot write the standard output"), std::string::npos) << args[0] << ": " << r.err;
    }
}

TEST_F(Cli, VersionAndHelpNameTheVersionExitCodesAndEveryReport)
{
    const CliRun version = Call({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("brackle-cli ") + BRACKLE_VERSION + "\n");
    const CliRun help = Call({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* text : {"--version", "4 the standard output could not be", "  unused-weapons ",
                             "  broken-links ", "  bad-ammo "})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
}

// The demo goes only where no game folder is: a real game is never overwritten.
TEST_F(Cli, DemoRefusesAFolderThatHoldsAGameAlready)
{
    const fs::path dir = dir_ / "real";
    const fs::path oobs = dir / "Vornex" / "game data" / "oobs";
    fs::create_directories(oobs);
    const std::vector<unsigned char> mine(175080, 7);
    test::WriteBytes(oobs / "obat001.obf", mine);
    const CliRun r = Call({"demo", dir.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find((dir / "Vornex").string()), std::string::npos) << r.err;
    EXPECT_EQ(test::ReadBytes(oobs / "obat001.obf"), mine);
    EXPECT_FALSE(fs::exists(dir / "Vornex" / "Brackle"));
    EXPECT_FALSE(fs::exists(oobs / "obat002.obf"));

    const CliRun empty = Call({"demo", ""});
    EXPECT_EQ(empty.code, 2);
    EXPECT_FALSE(fs::exists(fs::current_path() / "Vornex"));
}

}  // namespace
}  // namespace brackle

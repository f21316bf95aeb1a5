// brackle-cli from the outside: the binary is run through the shell.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "oob/demo_game.h"
#include "oob/oob_file.h"
#include "oob/oob_summary.h"
#include "test_support.h"

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
    CliRun Call(const std::vector<std::string>& args)
    {
        std::string cmd = Quote(BRACKLE_CLI);
        for (const auto& a : args)
            cmd += " " + Quote(a);
        const fs::path out = dir_ / "stdout.txt";
        const fs::path err = dir_ / "stderr.txt";
        cmd += " >" + Quote(out.string()) + " 2>" + Quote(err.string()) + " </dev/null";
        const int status = std::system(cmd.c_str());
        CliRun r;
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = test::ReadText(out);
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
        for (const char* command : {"resave IN OUT", "info IN", "demo DIR", "--nation N", "--ini FILE"})
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
    EXPECT_NE(r.err.find(In("BRVX.ini")), std::string::npos) << r.err;
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

}  // namespace
}  // namespace brackle

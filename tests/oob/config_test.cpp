#include "oob/config.h"

#include <gtest/gtest.h>

#include <string>
#include "test_support.h"

namespace brackle {
namespace {

TEST(Config, ReadsAsAWindowsIniReaderDoes)
{
    const IniFile ini = IniFile::FromText(
        "\xEF\xBB\xBF; comment\r\n[brackle]\r\ntransparentcolour = 300\r\nHINTS=1\r\nHintDelay=4\r\n"
        "[NationNames]\r\nobat1 =  Kestrel ; Republic = x  \r\nobat1=second\r\nobat2=\r\n");
    Settings s;
    NameTables names;
    readinifile(&ini, s, names);
    EXPECT_EQ(s.TransparentColour, 255);
    EXPECT_TRUE(s.Hints);
    EXPECT_EQ(s.HintTimeMs, 2000);
    EXPECT_EQ(names.NationNames[1], "Kestrel ; Republic = x") << "the whole text after '='";
    EXPECT_EQ(names.NationNames[2], "");
    EXPECT_EQ(names.NationNames[3], kNoIniFile);
    EXPECT_EQ(names.UnitClassNames[255], kNoIniFile);
}

TEST(Config, SettingsClampAndDefault)
{
    struct Case {
        const char* text;
        int colour;
        bool hints;
        int hintMs;
    } cases[] = {
        {"[Brackle]\nTransparentColour=-5\n", 0, true, 500},
        {"[Brackle]\nTransparentColour=abc\nHints=0\nHintDelay=9\n", 240, false, 3000},
        {"garbage\x01\x02 without sections\n[[[\n=\n", 240, true, 500},
    };
    for (const auto& c : cases) {
        const IniFile ini = IniFile::FromText(c.text);
        Settings s;
        NameTables names;
        readinifile(&ini, s, names);
        EXPECT_EQ(s.TransparentColour, c.colour) << c.text;
        EXPECT_EQ(s.Hints, c.hints) << c.text;
        EXPECT_EQ(s.HintTimeMs, c.hintMs) << c.text;
    }
    Settings s;
    NameTables names;
    readinifile(nullptr, s, names);
    EXPECT_EQ(names.NationNames[1], kNoIniFile);
}

// Files saved on any platform: LF, CRLF and an old editor's lone CR all end lines.
TEST(Config, EveryKindOfLineEndEndsALine)
{
    const char* const texts[] = {
        "[NationNames]\nobat1=Kestrel\nobat2=Varn\n[UnitClassNames]\nUnitClass7=Scout",
        "[NationNames]\r\nobat1=Kestrel\r\nobat2=Varn\r\n[UnitClassNames]\r\nUnitClass7=Scout\r\n",
        "[NationNames]\robat1=Kestrel\robat2=Varn\r[UnitClassNames]\rUnitClass7=Scout\r",
        "[NationNames]\robat1=Kestrel\r\nobat2=Varn\n\n\r[UnitClassNames]\rUnitClass7=Scout",
    };
    for (const char* text : texts) {
        const IniFile ini = IniFile::FromText(text);
        Settings s;
        NameTables names;
        readinifile(&ini, s, names);
        EXPECT_EQ(names.NationNames[1], "Kestrel") << text;
        EXPECT_EQ(names.NationNames[2], "Varn") << text;
        EXPECT_EQ(names.UnitClassNames[7], "Scout") << text;
    }
}

// A runaway value (megabytes on one line) is cut to the 255 characters a text holds.
TEST(Config, ValuesAreCutTo255Characters)
{
    const std::string huge(10 * 1024 * 1024, 'N');
    const std::string text = "[NationNames]\nobat1=" + huge + "\nobat2=" + std::string(255, 'b') +
                             "\nobat3=" + std::string(256, 'c') + "\n[UnitClassNames]\nUnitClass0=" + huge + "\n";
    const IniFile ini = IniFile::FromText(text);
    Settings s;
    NameTables names;
    readinifile(&ini, s, names);
    EXPECT_EQ(names.NationNames[1], std::string(255, 'N'));
    EXPECT_EQ(names.NationNames[2], std::string(255, 'b'));
    EXPECT_EQ(names.NationNames[3], std::string(255, 'c'));
    EXPECT_EQ(names.UnitClassNames[0], std::string(255, 'N'));
}

TEST(Config, GameRootIsTheFolderAboveTheEditorsFolder)
{
    struct Case {
        const char* current;
        const char* root;
    } cases[] = {
        {"/games/Vornex/Brackle", "/games/Vornex"},
        {"/games/Vornex/BRACKLE/sub", "/games/Vornex"},
        {"/src/brackle/demo/Vornex/Brackle", "/src/brackle/demo/Vornex"},
        {"/games/Vornex", "/games/Vornex"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeriveGameRoot(c.current), std::filesystem::path(c.root)) << c.current;
}

TEST(Config, LinesEndAtCrLfLfOrALoneCr)
{
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string e = end;
        const IniFile ini = IniFile::FromText("[Brackle]" + e + "TransparentColour=7" + e + e + "[NationNames]" + e +
                                              "obat1=Kestrel" + e + "obat2=Varn" + e + "; obat3=no" + e +
                                              "obat4=Last");
        Settings s;
        NameTables names;
        readinifile(&ini, s, names);
        EXPECT_EQ(s.TransparentColour, 7) << (e == "\r" ? "CR" : e == "\n" ? "LF" : "CR LF");
        EXPECT_EQ(names.NationNames[1], "Kestrel");
        EXPECT_EQ(names.NationNames[2], "Varn");
        EXPECT_EQ(names.NationNames[3], kNoIniFile);
        EXPECT_EQ(names.NationNames[4], "Last");
    }
    // A mixture, and CR CR LF: an empty line between.
    const IniFile ini = IniFile::FromText("[NationNames]\robat1=A\r\r\nobat2=B\n\robat3=C\r\n");
    EXPECT_EQ(ini.String("NationNames", "obat1", ""), "A");
    EXPECT_EQ(ini.String("NationNames", "obat2", ""), "B");
    EXPECT_EQ(ini.String("NationNames", "obat3", ""), "C");
}

TEST(Config, TextsAreCutTo255Characters)
{
    const std::string huge(10'000'000, 'x');
    const struct {
        const char* what;
        std::string value;
        std::string kept;
    } cases[] = {
        {"255", std::string(255, 'a'), std::string(255, 'a')},
        {"256", std::string(255, 'a') + "b", std::string(255, 'a')},
        {"10 MB", "Name " + huge, "Name " + std::string(250, 'x')},
        {"blanks around", "   " + std::string(300, 'c') + "   ", std::string(255, 'c')},
    };
    for (const auto& c : cases) {
        const IniFile ini = IniFile::FromText("[NationNames]\nobat1=" + c.value + "\nobat2=Varn\n[UnitClassNames]\n"
                                              "UnitClass7=" + c.value + "\n[Brackle]\nForumURL=" + c.value + "\n");
        Settings s;
        NameTables names;
        readinifile(&ini, s, names);
        EXPECT_EQ(names.NationNames[1], c.kept) << c.what;
        EXPECT_EQ(names.NationNames[2], "Varn") << c.what;
        EXPECT_EQ(names.UnitClassNames[7], c.kept) << c.what;
        EXPECT_EQ(s.ForumURL, c.kept) << c.what;
    }
}

TEST(Config, AnIniFileThatCannotBeReadSaysWhy)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir / "BRVX.ini");
    std::string error;
    EXPECT_FALSE(IniFile::FromPath(dir / "BRVX.ini", &error));
    EXPECT_EQ(error, (dir / "BRVX.ini").string() + ": it is a folder, not a file");
    EXPECT_FALSE(IniFile::FromPath(dir / "none.ini", &error));
    EXPECT_EQ(error, (dir / "none.ini").string() + ": No such file or directory");
    test::WriteText(dir / "locked.ini", "[NationNames]\nobat1=A\n");
    std::filesystem::permissions(dir / "locked.ini", std::filesystem::perms::none);
    std::string why;
    const auto out = test::RunInChild({true, std::nullopt}, [&] {
        std::string e;
        return IniFile::FromPath(dir / "locked.ini", &e) ? std::string("read") : e;
    }, why);
    if (!out)
        GTEST_SKIP() << why;
    EXPECT_EQ(*out, (dir / "locked.ini").string() + ": Permission denied");
}

}  // namespace
}  // namespace brackle

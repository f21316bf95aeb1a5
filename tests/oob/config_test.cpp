#include "oob/config.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace brackle

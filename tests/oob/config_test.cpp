#include "oob/config.h"

#include <gtest/gtest.h>

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

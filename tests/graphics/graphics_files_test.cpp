#include "graphics/graphics_files.h"

#include <gtest/gtest.h>

#include "graphics/icon_map.h"
#include "test_support.h"

namespace brackle {
namespace {

TEST(GraphicsFiles, PictureNamesAndLookup)
{
    EXPECT_EQ(PictureFileName(5), "Pm00005.lbm");
    EXPECT_EQ(PictureFileName(99999), "Pm99999.lbm");
    EXPECT_EQ(PictureFileName(99998), "Pm99998.lbm");
    EXPECT_EQ(PictureFileName(10000), "Pm10000.lbm");
    EXPECT_EQ(PictureFileName(0), "Pm00000.lbm");

    test::TempDir dir;
    test::WriteText(dir / "PM00042.LBM", "x");
    test::WriteText(dir / "Pm00007.lbm", "x");
    EXPECT_EQ(FindPictureFile(dir.path(), 42), dir / "PM00042.LBM");
    EXPECT_EQ(FindPictureFile(dir.path(), 7), dir / "Pm00007.lbm");
    EXPECT_FALSE(FindPictureFile(dir.path(), 8));
    EXPECT_FALSE(FindPictureFile(dir.path(), -1));
    EXPECT_FALSE(FindPictureFile(dir.path(), 100000));
    // The last picture number has a file like any other.
    test::WriteText(dir / "Pm99999.lbm", "x");
    test::WriteText(dir / "Pm99998.lbm", "x");
    EXPECT_EQ(FindPictureFile(dir.path(), 99999), dir / "Pm99999.lbm");
    EXPECT_EQ(FindPictureFile(dir.path(), 99998), dir / "Pm99998.lbm");
    EXPECT_FALSE(FindPictureFile(dir.path(), 100000));

    test::WriteText(dir / "icon0012.SHP", "x");
    EXPECT_EQ(FindShapeFile(dir.path(), 1234), dir / "icon0012.SHP");
    EXPECT_FALSE(FindShapeFile(dir.path(), 1300));
}

TEST(GraphicsFiles, LoadFailuresSayWhy)
{
    test::TempDir dir;
    test::WriteText(dir / "Icon0000.shp", "1.11 not a shape file");
    test::WriteText(dir / "Pm00001.lbm", "FORM");

    struct Case {
        const char* what;
        DecodeResult r;
        const char* error;
    } cases[] = {
        {"no shape file", LoadShapeImage(dir.path(), 1234), "Icon0012.shp: no such file"},
        {"shape file without its mark", LoadShapeImage(dir.path(), 5), "Invalid file"},
        {"short picture", LoadPictureFile(dir / "Pm00001.lbm"), "Invalid file"},
        {"no picture file", LoadPictureFile(dir / "Pm00002.lbm"), "Pm00002.lbm: "},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(c.r.ok) << c.what;
        EXPECT_NE(c.r.error.find(c.error), std::string::npos) << c.what << ": " << c.r.error;
    }
}

TEST(GraphicsFiles, AFileThatCannotBeOpenedGivesTheSystemsReason)
{
    test::TempDir dir;
    test::WriteText(dir / "Pm00003.lbm", "FORM");
    test::WriteText(dir / "Icon0000.shp", "1.10");
    for (const char* name : {"Pm00003.lbm", "Icon0000.shp"})
        std::filesystem::permissions(dir / name, std::filesystem::perms::none);
    std::filesystem::create_directory(dir / "Pm00004.lbm");
    EXPECT_EQ(LoadPictureFile(dir / "Pm00004.lbm").error, (dir / "Pm00004.lbm").string() + ": Is a directory");
    std::string why;
    const auto out = test::RunInChild({true, std::nullopt}, [&] {
        return LoadPictureFile(dir / "Pm00003.lbm").error + "|" + LoadShapeImage(dir.path(), 5).error;
    }, why);
    if (!out)
        GTEST_SKIP() << why;
    EXPECT_EQ(*out, (dir / "Pm00003.lbm").string() + ": could not be opened: Permission denied|" +
                        (dir / "Icon0000.shp").string() + ": could not be opened: Permission denied");
}

TEST(GraphicsFiles, IconMapFile)
{
    test::TempDir dir;
    IconMap map;
    EXPECT_TRUE(ApplyIconMapFile(map, dir / "IconMap.csv").empty());  // no file, no change
    test::WriteText(dir / "IconMap.csv", "3,100,101\nbad\n");
    const std::vector<std::string> messages = ApplyIconMapFile(map, dir / "IconMap.csv");
    EXPECT_EQ(map.At(3).Hull, 100);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("IconMap.csv line 2:", 0), 0u) << messages[0];
}

}  // namespace
}  // namespace brackle

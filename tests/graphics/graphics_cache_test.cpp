#include "graphics/graphics_cache.h"

#include <gtest/gtest.h>

#include "graphics/graphics_writers.h"
#include "test_support.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;
using test::ChunkyPicture;
using test::Plain;
using test::ShapeFile;

class GraphicsCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(gfx);
        fs::create_directories(pics);
        // Icon0000.shp holds images 3 and 4, icon0001.SHP (its name in another case) image 105.
        test::WriteBytes(gfx / "Icon0000.shp", ShapeFile({{3, Plain(2, 2, 30)}, {4, Plain(3, 1, 40)}}));
        test::WriteBytes(gfx / "icon0001.SHP", ShapeFile({{5, Plain(1, 1, 50)}}));
        test::WriteText(gfx / "Icon0002.shp", "not a shape file");
        for (int n : {7, 8})
            test::WriteBytes(pics / PictureName(n), ChunkyPicture(4, 1, {{1, 2, 3}, {4, 5, 6}}, {0, 1, 1, static_cast<std::uint8_t>(n % 2)}));
        test::WriteText(pics / "Pm00009.lbm", "FORM but nothing more");
        cache.SetFolders(gfx, pics);
    }

    static std::string PictureName(int n) { return n == 8 ? "PM00008.LBM" : "Pm0000" + std::to_string(n) + ".lbm"; }

    static int Colour(const std::optional<IndexedImage>& image) { return image ? image->Pixels.back() : -1; }

    test::TempDir tmp;
    fs::path gfx = tmp / "graphics";
    fs::path pics = tmp / "pictures";
    GraphicsCache cache;
};

TEST_F(GraphicsCacheTest, ShapeImagesAreFoundAnyCaseAndEachFileIsReadOnce)
{
    struct Case {
        int v;
        int colour;  // of the last pixel, -1 for no image
        int width;
    } cases[] = {
        {3, 30, 2}, {4, 40, 3}, {105, 50, 1}, {5, -1, 0},  // 5: Icon0000.shp has no image 5
        {200, -1, 0},                                      // Icon0002.shp is no shape file
        {300, -1, 0},                                      // no Icon0003.shp
        {-1, -1, 0},
    };
    for (const Case& c : cases) {
        const auto image = cache.ShapeImage(c.v, 240);
        EXPECT_EQ(Colour(image), c.colour) << c.v;
        if (image)
            EXPECT_EQ(image->Width, c.width) << c.v;
    }
    const int read = cache.FilesRead();
    EXPECT_EQ(read, 3);  // Icon0000, icon0001, Icon0002: each once
    // Asked again, and with another transparent colour: nothing more is read.
    for (const Case& c : cases)
        EXPECT_EQ(Colour(cache.ShapeImage(c.v, 12)), c.colour) << c.v;
    EXPECT_EQ(cache.FilesRead(), read);
}

TEST_F(GraphicsCacheTest, TheTransparentColourFillsWhatTheImageSkips)
{
    test::WriteBytes(gfx / "Icon0004.shp", ShapeFile({{0, {2, 1, {test::kSkip, 9}}}}));
    EXPECT_EQ(cache.ShapeImage(400, 240)->Pixels, (std::vector<std::uint8_t>{240, 9}));
    EXPECT_EQ(cache.ShapeImage(400, 17)->Pixels, (std::vector<std::uint8_t>{17, 9}));
}

TEST_F(GraphicsCacheTest, PicturesAreKeptDecodedAndClearReadsAfresh)
{
    EXPECT_EQ(Colour(cache.Picture(7)), 1);
    EXPECT_EQ(Colour(cache.Picture(8)), 0);   // PM00008.LBM
    EXPECT_EQ(Colour(cache.Picture(9)), -1);  // does not decode
    EXPECT_EQ(Colour(cache.Picture(10)), -1); // missing
    EXPECT_EQ(Colour(cache.Picture(-1)), -1);
    EXPECT_EQ(Colour(cache.Picture(100000)), -1);
    EXPECT_EQ(cache.FilesRead(), 3);
    cache.Picture(7);
    cache.Picture(9);
    EXPECT_EQ(cache.FilesRead(), 3);

    // A picture changed on disk is seen at once (its time and size are checked),
    // and one added since the folder was listed.
    test::WriteBytes(pics / "Pm00007.lbm", ChunkyPicture(4, 1, {{1, 2, 3}, {4, 5, 6}}, {1, 1, 1, 0}));
    test::WriteBytes(pics / "pm00010.LBM", ChunkyPicture(4, 1, {{1, 2, 3}, {4, 5, 6}}, {1, 1, 1, 1}));
    EXPECT_EQ(Colour(cache.Picture(7)), 0);
    EXPECT_EQ(Colour(cache.Picture(10)), 1);
    cache.Clear();
    EXPECT_EQ(Colour(cache.Picture(7)), 0);
}

TEST_F(GraphicsCacheTest, TheLastPictureNumberIsAPictureLikeAnyOther)
{
    test::WriteBytes(pics / "Pm99999.lbm", ChunkyPicture(2, 1, {{1, 2, 3}, {4, 5, 6}}, {0, 1}));
    test::WriteBytes(pics / "Pm99998.lbm", ChunkyPicture(2, 1, {{1, 2, 3}, {4, 5, 6}}, {1, 0}));
    EXPECT_EQ(Colour(cache.Picture(99999)), 1);
    EXPECT_EQ(Colour(cache.Picture(99998)), 0);
    EXPECT_EQ(Colour(cache.Picture(100000)), -1);
}

TEST_F(GraphicsCacheTest, OnlyTheLastPicturesStayDecoded)
{
    for (int n = 100; n < 100 + static_cast<int>(GraphicsCache::kPicturesKept) + 1; ++n)
        test::WriteBytes(pics / ("Pm00" + std::to_string(n) + ".lbm"), ChunkyPicture(4, 1, {{1, 2, 3}, {4, 5, 6}}, {0, 0, 0, 1}));
    cache.SetFolders(gfx, pics);
    for (int n = 100; n < 100 + static_cast<int>(GraphicsCache::kPicturesKept) + 1; ++n)
        ASSERT_TRUE(cache.Picture(n));
    const int read = cache.FilesRead();
    cache.Picture(100 + static_cast<int>(GraphicsCache::kPicturesKept));  // the newest is kept
    EXPECT_EQ(cache.FilesRead(), read);
    cache.Picture(100);  // the oldest went
    EXPECT_EQ(cache.FilesRead(), read + 1);
}

TEST_F(GraphicsCacheTest, NoFoldersNoImages)
{
    GraphicsCache none;
    EXPECT_FALSE(none.ShapeImage(3, 240));
    EXPECT_FALSE(none.Picture(7));
    EXPECT_EQ(none.FilesRead(), 0);
}

}  // namespace
}  // namespace brackle

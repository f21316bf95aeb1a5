// The unit page's cache against files that change on disk while the editor runs.
#include <functional>
#include <gtest/gtest.h>

#include "graphics/graphics_cache.h"
#include "graphics/graphics_writers.h"
#include "test_support.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;
using test::ChunkyPicture;
using test::Plain;
using test::ShapeFile;

int LastPixel(const std::optional<IndexedImage>& image)
{
    return image ? image->Pixels.back() : -1;
}

// A picture whose last pixel is colour c (0..3), always of the same size.
test::Bytes PictureOf(std::uint8_t c)
{
    return ChunkyPicture(4, 1, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}, {0, 1, 1, c});
}

// Writes bytes over file in place (same inode, folder untouched) and moves its time on.
void Overwrite(const fs::path& file, const test::Bytes& bytes)
{
    const auto before = fs::last_write_time(file);
    test::WriteBytes(file, bytes);
    fs::last_write_time(file, before + std::chrono::seconds(2));
}

TEST(GraphicsCacheFiles, AChangedOrRemovedFileIsNeverShownFromMemory)
{
    test::TempDir tmp;
    const fs::path gfx = tmp / "graphics", pics = tmp / "pictures";
    fs::create_directories(gfx);
    fs::create_directories(pics);
    test::WriteBytes(pics / "Pm00007.lbm", PictureOf(1));
    test::WriteBytes(pics / "Pm00008.lbm", PictureOf(1));
    test::WriteBytes(gfx / "Icon0000.shp", ShapeFile({{3, Plain(2, 2, 30)}}));
    GraphicsCache cache;
    cache.SetFolders(gfx, pics);
    ASSERT_EQ(LastPixel(cache.Picture(7)), 1);
    ASSERT_EQ(LastPixel(cache.Picture(8)), 1);
    ASSERT_EQ(LastPixel(cache.ShapeImage(3, 240)), 30);
    const int read = cache.FilesRead();
    // Unchanged files come from memory.
    EXPECT_EQ(LastPixel(cache.Picture(7)), 1);
    EXPECT_EQ(LastPixel(cache.ShapeImage(3, 240)), 30);
    EXPECT_EQ(cache.FilesRead(), read);

    struct Case {
        const char* what;
        std::function<void()> change;
        std::function<int()> shown;
        int expected;
    };
    const std::vector<Case> cases = {
        {"a picture written over in place, same size", [&] { Overwrite(pics / "Pm00007.lbm", PictureOf(2)); },
         [&] { return LastPixel(cache.Picture(7)); }, 2},
        {"a picture replaced by another file", [&] {
             test::WriteBytes(tmp / "new.lbm", PictureOf(3));
             fs::rename(tmp / "new.lbm", pics / "Pm00007.lbm");
         }, [&] { return LastPixel(cache.Picture(7)); }, 3},
        {"a picture deleted", [&] { fs::remove(pics / "Pm00008.lbm"); }, [&] { return LastPixel(cache.Picture(8)); },
         -1},
        {"a picture back again", [&] { test::WriteBytes(pics / "Pm00008.lbm", PictureOf(0)); },
         [&] { return LastPixel(cache.Picture(8)); }, 0},
        {"a shape file written over", [&] { Overwrite(gfx / "Icon0000.shp", ShapeFile({{3, Plain(2, 2, 31)}})); },
         [&] { return LastPixel(cache.ShapeImage(3, 240)); }, 31},
        {"a shape file deleted", [&] { fs::remove(gfx / "Icon0000.shp"); },
         [&] { return LastPixel(cache.ShapeImage(3, 240)); }, -1},
    };
    for (const auto& c : cases) {
        c.change();
        EXPECT_EQ(c.shown(), c.expected) << c.what;
        EXPECT_EQ(c.shown(), c.expected) << c.what << ", asked again";
    }
}

}  // namespace
}  // namespace brackle

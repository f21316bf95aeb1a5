#include "graphics/shape_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brackle {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t T = 240;

void Le32(Bytes& b, std::int64_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(v) >> (8 * i)));
}

struct Header {
    int width;
    int height;
    int xStart = 0;
    int yStart = 0;
    int yEnd = 0;
};

// Image header (24 bytes) followed by its pixel codes.
Bytes Image(const Header& h, const Bytes& codes)
{
    Bytes b = {static_cast<std::uint8_t>(h.height), static_cast<std::uint8_t>(h.height >> 8),
               static_cast<std::uint8_t>(h.width), static_cast<std::uint8_t>(h.width >> 8), 0, 0, 0, 0};
    Le32(b, h.xStart);
    Le32(b, h.yStart);
    Le32(b, 0);
    Le32(b, h.yEnd);
    b.insert(b.end(), codes.begin(), codes.end());
    return b;
}

// "1.10", a count of 1 and two table entries; entry 1 (the one image 0 is read from)
// points at the image right after the table, at offset 24.
Bytes OneImageFile(const Header& h, const Bytes& codes)
{
    Bytes b = {'1', '.', '1', '0', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0};
    const Bytes image = Image(h, codes);
    b.insert(b.end(), image.begin(), image.end());
    return b;
}

TEST(ShapeDecoder, PixelCodes)
{
    struct Case {
        const char* what;
        Header header;
        Bytes codes;
        Bytes expected;  // rows top to bottom
    } cases[] = {
        {"skip 3, two 7s, new row", {6, 2, 0, 0, 1}, {1, 3, 4, 7, 0, 2, 9},
         {T, T, T, 7, 7, T, /**/ 9, T, T, T, T, T}},
        {"even code 2 after the 7s: one pixel 0, the row goes on", {7, 2, 0, 0, 1},
         {1, 3, 4, 7, 2, 0, 3, 5, 0, 4, 1}, {T, T, T, 7, 7, 0, 5, /**/ 1, 1, T, T, T, T, T}},
        {"odd code 7: three pixels as they stand", {4, 1, 0, 0, 0}, {7, 1, 2, 3}, {1, 2, 3, T}},
        {"skip past the right edge stops there, nothing spills into the next row", {4, 2, 0, 0, 1},
         {1, 200, 4, 9, 1, 255, 2, 8, 0, 4, 8}, {T, T, T, T, /**/ 8, 8, T, T}},
        {"run past the right edge is cut", {4, 2, 0, 0, 1}, {1, 2, 6, 9, 0, 2, 1}, {T, T, 9, 9, /**/ 1, T, T, T}},
        {"literal past the right edge is cut, its bytes still read", {4, 2, 0, 0, 1},
         {1, 2, 7, 1, 2, 0, 0, 4, 5}, {T, T, 1, 2, /**/ 5, 5, T, T}},
        {"rows start at x start", {4, 2, 2, 0, 1}, {4, 7, 0, 2, 8}, {T, T, 7, 7, /**/ T, T, 8, T}},
        {"negative x start counts as 0", {3, 1, -5, 0, 0}, {2, 4}, {4, T, T}},
        {"x start above the width counts as 0", {3, 1, 4, 0, 0}, {2, 4}, {4, T, T}},
        {"x start at the width draws nothing", {3, 1, 3, 0, 0}, {2, 4}, {T, T, T}},
        {"y start, and decoding stops past y end", {1, 3, 0, 1, 1}, {2, 5, 0, 2, 6}, {T, 5, T}},
        {"negative y start: row 0, y end moved down", {1, 3, 0, -1, 0}, {2, 5, 0, 2, 6, 0, 2, 7}, {5, 6, T}},
        {"y start above the height: row 0, y end moved up as much", {1, 3, 0, 10, 10}, {2, 5, 0, 2, 6, 0, 2, 7}, {5, T, T}},
        {"y start at the height: the first row is past the last, nothing is drawn", {1, 3, 0, 3, 2},
         {2, 5, 0, 2, 6, 0, 2, 7}, {T, T, T}},
        {"y start at the height, y end past it: still nothing", {2, 3, 0, 3, 99}, {4, 5, 0, 4, 6}, {T, T, T, T, T, T}},
        {"y start one above the height: row 0, y end moved up by it", {1, 3, 0, 4, 5}, {2, 5, 0, 2, 6, 0, 2, 7},
         {5, 6, T}},
        {"negative y end: to the last row", {1, 2, 0, 0, -1}, {2, 5, 0, 2, 6}, {5, 6}},
        {"y end past the height: to the last row", {1, 2, 0, 0, 99}, {2, 5, 0, 2, 6, 0, 2, 7}, {5, 6}},
        {"data ends after a skip code", {2, 1, 0, 0, 0}, {2, 3, 1}, {3, T}},
        {"data ends after a run code", {2, 1, 0, 0, 0}, {2, 3, 4}, {3, T}},
        {"data ends inside a literal", {3, 1, 0, 0, 0}, {7, 1, 2}, {1, 2, T}},
        {"no rows", {3, 0, 0, 0, 0}, {2, 5, 0, 2, 5}, {}},
        {"no columns", {0, 2, 0, 0, 1}, {1, 3, 2, 5, 3, 6, 0, 2, 5}, {}},
    };
    for (const auto& c : cases) {
        const DecodeResult r = DecodeShape(OneImageFile(c.header, c.codes), 0);
        ASSERT_TRUE(r.ok) << c.what << ": " << r.error;
        EXPECT_EQ(r.image.Width, c.header.width) << c.what;
        EXPECT_EQ(r.image.Height, c.header.height) << c.what;
        EXPECT_EQ(r.image.Pixels, c.expected) << c.what;
    }
}

TEST(ShapeDecoder, TransparentColourIsAParameter)
{
    const DecodeResult r = DecodeShape(OneImageFile({4, 1, 0, 0, 0}, {1, 1, 2, 9}), 0, 3);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.image.Pixels, (Bytes{3, 9, 3, 3}));
}

TEST(ShapeDecoder, BuiltInPalette)
{
    struct Case {
        int index;
        std::array<std::uint8_t, 3> rgb;
    } cases[] = {
        {0, {0x00, 0x00, 0x00}},   {11, {0xFF, 0xFF, 0xFF}}, {14, {0xFF, 0xDC, 0x00}},
        {40, {0xEB, 0xE2, 0xA5}},  {128, {0x97, 0x87, 0x63}}, {201, {0x90, 0x4B, 0x2C}},
        {240, {0xEF, 0xAB, 0x23}}, {255, {0xAF, 0xA7, 0x9F}},
    };
    const DecodeResult r = DecodeShape(OneImageFile({1, 1, 0, 0, 0}, {}), 0);
    ASSERT_TRUE(r.ok) << r.error;
    for (const auto& c : cases) {
        EXPECT_EQ(ShapePalette()[c.index], c.rgb) << c.index;
        EXPECT_EQ(r.image.Palette[c.index], c.rgb) << c.index;
    }
}

TEST(ShapeDecoder, ImageIndexReadsTheNextTableEntry)
{
    // 36 entries, count 35; only entry 35 points at an image (offset 8 + 36 * 8 = 296),
    // every other entry points far past the end of the file.
    Bytes b = {'1', '.', '1', '0', 35, 0, 0, 0};
    for (int k = 0; k < 36; ++k) {
        Le32(b, k == 35 ? 296 : 0x7FFFFFF0);
        Le32(b, 0);
    }
    const Bytes image = Image({2, 1, 0, 0, 0}, {4, 6});
    b.insert(b.end(), image.begin(), image.end());

    const DecodeResult r = DecodeShape(b, 34);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.image.Pixels, (Bytes{6, 6}));
    EXPECT_EQ(DecodeShape(b, 33).error, "Invalid file") << "entry 34 points outside the file";
    EXPECT_EQ(DecodeShape(b, 35).error, "required icon not available") << "count 35";
}

TEST(ShapeDecoder, CountsOf256AndMoreAreTaken255)
{
    // Count 300 and a table of 257 entries, every one pointing at the same 1 x 1 image.
    Bytes b = {'1', '.', '1', '0', 0x2C, 1, 0, 0};
    const std::int64_t imageAt = 8 + 257 * 8;
    for (int k = 0; k < 257; ++k) {
        Le32(b, imageAt);
        Le32(b, 0);
    }
    const Bytes image = Image({1, 1, 0, 0, 0}, {2, 5});
    b.insert(b.end(), image.begin(), image.end());
    EXPECT_TRUE(DecodeShape(b, 254).ok) << "entry 255";
    EXPECT_EQ(DecodeShape(b, 255).error, "required icon not available") << "entry 256 is there, but the count is 255";
}

TEST(ShapeDecoder, Failures)
{
    const Bytes good = OneImageFile({1, 1, 0, 0, 0}, {2, 1});
    Bytes badMark = good;
    badMark[3] = '1';
    Bytes countZero = good;
    countZero[4] = 0;
    Bytes countNegative = good;
    countNegative[7] = 0x80;
    Bytes count300 = good;  // taken as 255
    count300[4] = 0x2C;
    count300[5] = 1;
    Bytes headerOutside = good;
    headerOutside[16] = 0xFF;
    Bytes headerCut(good.begin(), good.begin() + 24 + 23);
    const Bytes tableCut(good.begin(), good.begin() + 19);
    struct Case {
        const char* what;
        Bytes file;
        int image;
        std::string message;
    } cases[] = {
        {"empty", {}, 0, "Invalid file"},
        {"no 1.10 mark", badMark, 0, "Invalid file"},
        {"short header", {'1', '.', '1', '0', 1, 0, 0}, 0, "Invalid file"},
        {"count 0", countZero, 0, "required icon not available"},
        {"negative count", countNegative, 0, "required icon not available"},
        {"count 1, image 1", good, 1, "required icon not available"},
        {"negative image", good, -1, "required icon not available"},
        {"count 300 counts as 255", count300, 255, "required icon not available"},
        {"table entry past the end", tableCut, 0, "required icon not available"},
        {"image header outside the file", headerOutside, 0, "Invalid file"},
        {"image header cut short", headerCut, 0, "Invalid file"},
        {"picture too big", OneImageFile({65535, 65535, 0, 0, 0}, {}), 0, "Invalid file"},
    };
    for (const auto& c : cases) {
        const DecodeResult r = DecodeShape(c.file, c.image);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.error, c.message) << c.what;
    }
}

TEST(ShapeDecoder, EveryTruncationIsSafe)
{
    const Bytes whole = OneImageFile({4, 2, 0, 0, 1}, {1, 1, 7, 1, 2, 3, 0, 4, 5});
    ASSERT_EQ(DecodeShape(whole, 0).image.Pixels, (Bytes{T, 1, 2, 3, /**/ 5, 5, T, T}));
    for (std::size_t n = 0; n < whole.size(); ++n) {
        const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        const DecodeResult r = DecodeShape(prefix, 0);
        if (n < 48) {
            EXPECT_FALSE(r.ok) << n << " bytes: the image header is not all there";
            EXPECT_FALSE(r.error.empty()) << n << " bytes";
        } else {
            EXPECT_TRUE(r.ok) << n << " bytes: the pixel codes there are decoded";
        }
    }
}

TEST(ShapeLocation, IconNumberToFileAndImage)
{
    struct Case {
        int v;
        int file;
        int image;
        int entry;
        const char* name;
    } cases[] = {
        {1234, 12, 34, 35, "Icon0012.shp"}, {99, 0, 99, 100, "Icon0000.shp"}, {0, 0, 0, 1, "Icon0000.shp"},
        {100, 1, 0, 1, "Icon0001.shp"},      {8383, 83, 83, 84, "Icon0083.shp"},
    };
    for (const auto& c : cases) {
        const ShapeLocation at = LocateShape(c.v);
        EXPECT_EQ(at.fileNumber, c.file) << c.v;
        EXPECT_EQ(at.image, c.image) << c.v;
        EXPECT_EQ(at.tableEntry, c.entry) << c.v;
        EXPECT_EQ(ShapeFileName(at.fileNumber), c.name) << c.v;
    }
}

}  // namespace
}  // namespace brackle

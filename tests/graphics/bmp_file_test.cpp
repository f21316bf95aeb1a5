#include "graphics/bmp_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "graphics/ilbm_decoder.h"
#include "test_support.h"

namespace brackle {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(Bmp8, ThreeByTwoPictureByteForByte)
{
    // Top row 1 2 3, bottom row 4 5 6; colour 0 is 10 20 30 (RGB), colour 1 AA BB CC.
    IndexedImage image;
    image.Width = 3;
    image.Height = 2;
    image.Palette[0] = {0x10, 0x20, 0x30};
    image.Palette[1] = {0xAA, 0xBB, 0xCC};
    image.Pixels = {1, 2, 3, 4, 5, 6};

    const Bytes expected = Concat({
        // File header: "BM", size 1086 (0x43E), reserved, pixel data at 1078 (0x436).
        {'B', 'M', 0x3E, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0},
        // Information header: 40 bytes, width 3, height 2, 1 plane, 8 bits, BI_RGB,
        // 8 bytes of pixels, 2835 (0xB13) pixels per metre, 256 colours used, 0 important.
        {40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, 0, 0, 0, 0, 8, 0, 0, 0,
         0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0},
        // Colour table, blue green red 0: the two colours, then 254 black entries.
        {0x30, 0x20, 0x10, 0, 0xCC, 0xBB, 0xAA, 0},
        Bytes(254 * 4, 0),
        // Bottom row first, each padded to 4 bytes.
        {4, 5, 6, 0, 1, 2, 3, 0},
    });
    EXPECT_EQ(Bmp8(image), expected);
}

TEST(Bmp8, RowPadding)
{
    struct Case {
        int width;
        Bytes pixels;  // one row
        Bytes row;     // as written
    } cases[] = {
        {1, {9}, {9, 0, 0, 0}},
        {2, {9, 8}, {9, 8, 0, 0}},
        {4, {1, 2, 3, 4}, {1, 2, 3, 4}},
        {5, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        IndexedImage image;
        image.Width = c.width;
        image.Height = 1;
        image.Pixels = c.pixels;
        const Bytes bmp = Bmp8(image);
        ASSERT_EQ(bmp.size(), 1078 + c.row.size()) << c.width;
        EXPECT_EQ(Bytes(bmp.begin() + 1078, bmp.end()), c.row) << c.width;
        EXPECT_EQ(bmp[34], c.row.size()) << "image size field, width " << c.width;
    }
}

TEST(Bmp8, ADecodedPbmHasItsLastRowFirst)
{
    // A chunky 4 x 2 picture, rows A A A A and B B B B, uncompressed, no colours.
    const Bytes pbm = {'F', 'O', 'R', 'M', 0, 0, 0, 0, 'P', 'B', 'M', ' ',
                       'B', 'M', 'H', 'D', 0, 0, 0, 20, 0, 4, 0, 2, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
                       'C', 'M', 'A', 'P', 0, 0, 0, 0,
                       'B', 'O', 'D', 'Y', 0, 0, 0, 8, 'A', 'A', 'A', 'A', 'B', 'B', 'B', 'B'};
    const DecodeResult r = DecodeIlbm(pbm);
    ASSERT_TRUE(r.ok) << r.error;
    const Bytes bmp = Bmp8(r.image);
    EXPECT_EQ(Bytes(bmp.begin() + 1078, bmp.end()), (Bytes{'B', 'B', 'B', 'B', 'A', 'A', 'A', 'A'}));
}

TEST(Bmp8, APixelBufferShorterThanThePictureIsNotReadPast)
{
    IndexedImage image;
    image.Width = 2;
    image.Height = 2;
    image.Pixels = {7, 7, 9};  // one whole row and a half
    const Bytes bmp = Bmp8(image);
    EXPECT_EQ(Bytes(bmp.begin() + 1078, bmp.end()), (Bytes{0, 0, 0, 0, 7, 7, 0, 0}));
}

TEST(WriteBmp8File, WritesTheBytesAndLeavesNothingOnFailure)
{
    test::TempDir dir;
    IndexedImage image;
    image.Width = 1;
    image.Height = 1;
    image.Pixels = {5};
    const SaveResult ok = WriteBmp8File(dir / "a.bmp", image);
    ASSERT_TRUE(ok.ok) << ok.reason;
    const std::vector<unsigned char> written = test::ReadBytes(dir / "a.bmp");
    EXPECT_EQ(Bytes(written.begin(), written.end()), Bmp8(image));

    const SaveResult bad = WriteBmp8File(dir / "missing" / "a.bmp", image);
    EXPECT_FALSE(bad.ok);
    EXPECT_FALSE(bad.reason.empty());
}

}  // namespace
}  // namespace brackle

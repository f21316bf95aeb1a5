#include "graphics/icon_dump.h"

#include <gtest/gtest.h>

#include <vector>

namespace brackle {
namespace {

// A 2 x 2 icon: top row colours 2, 3; bottom row 1, 2. Entries 1 and 3 share
// one colour, so the bottom-left pixel's colour (the background) covers two pixels.
IndexedImage TwoByTwo()
{
    IndexedImage icon;
    icon.Width = 2;
    icon.Height = 2;
    icon.Palette[1] = {0x10, 0x20, 0x30};
    icon.Palette[2] = {0xAA, 0xBB, 0xCC};
    icon.Palette[3] = {0x10, 0x20, 0x30};
    icon.Pixels = {2, 3, /**/ 1, 2};
    return icon;
}

TEST(IconDump, BackgroundIsTheColourOfTheBottomLeftPixel)
{
    const IndexedImage icon = TwoByTwo();
    EXPECT_EQ(BackgroundColour(icon), (std::array<std::uint8_t, 3>{0x10, 0x20, 0x30}));
    EXPECT_TRUE(IsBackground(icon, 0, 1));
    EXPECT_TRUE(IsBackground(icon, 1, 0));  // another entry, the same colour
    EXPECT_FALSE(IsBackground(icon, 0, 0));
    EXPECT_FALSE(IsBackground(icon, 1, 1));
}

TEST(IconDump, TwentyFourBitBmpWithThePinkBackground)
{
    // Written out from the BMP layout: 14-byte file header, 40-byte information
    // header, then the rows bottom first, blue-green-red, padded to 4 bytes.
    const std::vector<std::uint8_t> expected = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,           // size 54 + 2 rows of 8
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,       // 2 x 2, 1 plane, 24 bits
        0, 0, 0, 0, 16, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0xE1, 0xE1, 0xFF, 0xCC, 0xBB, 0xAA, 0, 0,                // bottom row: background, AABBCC
        0xCC, 0xBB, 0xAA, 0xE1, 0xE1, 0xFF, 0, 0,                // top row: AABBCC, background
    };
    EXPECT_EQ(IconDumpBmp(TwoByTwo()), expected);
    EXPECT_TRUE(IconDumpBmp(IndexedImage{}).empty());
}

}  // namespace
}  // namespace brackle

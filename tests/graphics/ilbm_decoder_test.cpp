#include "graphics/ilbm_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brackle {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

// The fixed start of a file, written out byte by byte: FORM, BMHD, then the CMAP header.
Bytes Start(const char* formType, int width, int height, int planes, int compression, std::uint32_t cmapLength)
{
    Bytes b = {'F', 'O', 'R', 'M', 0, 0, 0, 0};
    b.insert(b.end(), formType, formType + 4);
    Append(b, {'B', 'M', 'H', 'D', 0, 0, 0, 20,
               static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width),
               static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
               0, 0, 0, 0, static_cast<std::uint8_t>(planes), 0, static_cast<std::uint8_t>(compression), 0,
               0, 0, 1, 1, 0, 0, 0, 0});
    Append(b, {'C', 'M', 'A', 'P', static_cast<std::uint8_t>(cmapLength >> 24),
               static_cast<std::uint8_t>(cmapLength >> 16), static_cast<std::uint8_t>(cmapLength >> 8),
               static_cast<std::uint8_t>(cmapLength)});
    return b;
}

Bytes Chunk(const char* name, const Bytes& data)
{
    const auto n = static_cast<std::uint32_t>(data.size());
    Bytes b(name, name + 4);
    Append(b, {static_cast<std::uint8_t>(n >> 24), static_cast<std::uint8_t>(n >> 16),
               static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)});
    Append(b, data);
    return b;
}

// A chunky 4 x 2 picture, two colours, ByteRun1 body, BODY last: rows 1 2 3 4 and 9 9 9 9.
Bytes SmallPbm()
{
    Bytes b = Start("PBM ", 4, 2, 8, 1, 6);
    Append(b, {10, 20, 30, 40, 50, 60});
    Append(b, Chunk("BODY", {3, 1, 2, 3, 4, 253, 9}));
    return b;
}

TEST(IlbmByteRun1, DecodesByTheControlBytes)
{
    const Bytes nine129(129, 9);
    struct Case {
        const char* what;
        Bytes packed;
        std::size_t size;
        Bytes expected;
    } cases[] = {
        {"literal then run", {2, 10, 20, 30, 253, 7}, 7, {10, 20, 30, 7, 7, 7, 7}},
        {"128 gives 129 copies", {128, 9}, 129, nine129},
        {"data ends early: zeros", {0, 5}, 3, {5, 0, 0}},
        {"buffer full: the rest is ignored", {0, 1, 0, 2}, 1, {1}},
        {"run past the buffer", {253, 7}, 3, {255, 255, 255}},
        {"literal past the buffer", {2, 1, 2, 3}, 2, {255, 255}},
        {"literal past the data", {3, 1, 2}, 4, {255, 255, 255, 255}},
        {"repeated byte missing", {255}, 2, {255, 255}},
        {"nothing to fill", {5}, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnpackByteRun1(c.packed, c.size), c.expected) << c.what;
}

TEST(IlbmDecoder, ChunkyRowsTopToBottomWithPalette)
{
    const DecodeResult r = DecodeIlbm(SmallPbm());
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.image.Width, 4);
    EXPECT_EQ(r.image.Height, 2);
    EXPECT_EQ(r.image.Pixels, (Bytes{1, 2, 3, 4, 9, 9, 9, 9})) << "the file's first row on top";
    EXPECT_EQ(r.image.Palette[0], (std::array<std::uint8_t, 3>{10, 20, 30}));
    EXPECT_EQ(r.image.Palette[1], (std::array<std::uint8_t, 3>{40, 50, 60}));
    EXPECT_EQ(r.image.Palette[2], (std::array<std::uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(r.image.Palette[255], (std::array<std::uint8_t, 3>{0, 0, 0}));
}

TEST(IlbmDecoder, UncompressedChunkyPicture)
{
    Bytes b = Start("PBM ", 4, 2, 8, 0, 0);
    Append(b, Chunk("BODY", {'A', 'A', 'A', 'A', 'B', 'B', 'B', 'B'}));
    const DecodeResult r = DecodeIlbm(b);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.image.Pixels, (Bytes{'A', 'A', 'A', 'A', 'B', 'B', 'B', 'B'}));
}

TEST(IlbmDecoder, UncompressedBodyOfAnyLength)
{
    struct Case {
        const char* what;
        Bytes body;
        Bytes expected;
    } cases[] = {
        {"short body: the rest stays 0", {1, 2, 3}, {1, 2, 3, 0}},
        {"long body: the rest is ignored", {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4}},
        {"empty body", {}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Bytes b = Start("PBM ", 2, 2, 8, 0, 0);
        Append(b, Chunk("BODY", c.body));
        const DecodeResult r = DecodeIlbm(b);
        ASSERT_TRUE(r.ok) << c.what << ": " << r.error;
        EXPECT_EQ(r.image.Pixels, c.expected) << c.what;
    }
}

TEST(IlbmDecoder, PlanarToChunky)
{
    // Width 3 (not a multiple of 4 or 16): each plane row is one 16-bit word; 2 rows.
    // Row 0: plane 0 and plane 7 set bit 7 (x = 0 -> 1 + 128 = 129), plane 1 sets bit 5 (x = 2 -> 2).
    // Row 1: every plane sets bit 6 (x = 1 -> 255); a set bit past the width (bit 4) is dropped.
    Bytes body = {0x80, 0, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0};
    for (int k = 0; k < 8; ++k)
        Append(body, {0x48, 0xFF});
    Bytes b = Start("ILBM", 3, 2, 8, 0, 0);
    Append(b, Chunk("BODY", body));
    const DecodeResult r = DecodeIlbm(b);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.image.Width, 3);
    EXPECT_EQ(r.image.Pixels, (Bytes{129, 0, 2, 0, 255, 0}));
}

TEST(IlbmDecoder, CorruptCompressedBodyFillsWith255)
{
    Bytes b = Start("ILBM", 16, 1, 8, 1, 0);
    Append(b, Chunk("BODY", {200, 1}));  // 57 copies into a 16-byte buffer
    const DecodeResult r = DecodeIlbm(b);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.image.Pixels, Bytes(16, 255));
}

TEST(IlbmDecoder, PadBytesAfterOddChunks)
{
    // A one-colour palette (3 bytes) is followed by a pad byte, and so is a 1-byte chunk.
    Bytes b = Start("PBM ", 1, 1, 8, 0, 3);
    Append(b, {7, 8, 9, 0});
    Append(b, Chunk("ANNO", {'x'}));
    b.push_back(0);
    Append(b, Chunk("BODY", {42}));
    const DecodeResult r = DecodeIlbm(b);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.image.Pixels, Bytes{42});
    EXPECT_EQ(r.image.Palette[0], (std::array<std::uint8_t, 3>{7, 8, 9}));
}

TEST(IlbmDecoder, ChunkLengthsUseAll32Bits)
{
    // A skipped chunk of 65537 bytes: read as 1 byte, BODY would not be found.
    Bytes b = Start("PBM ", 1, 1, 8, 0, 0);
    Append(b, Chunk("ANNO", Bytes(65537, 'B')));
    b.push_back(0);
    Append(b, Chunk("BODY", {42}));
    const DecodeResult r = DecodeIlbm(b);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.image.Pixels, Bytes{42});
}

TEST(IlbmDecoder, Failures)
{
    const auto withBody = [](Bytes b) {
        Append(b, Chunk("BODY", {0}));
        return b;
    };
    Bytes notForm = withBody(Start("PBM ", 1, 1, 8, 0, 0));
    notForm[0] = 'X';
    Bytes notBmhd = withBody(Start("PBM ", 1, 1, 8, 0, 0));
    notBmhd[15] = 'X';
    Bytes notCmap = withBody(Start("PBM ", 1, 1, 8, 0, 0));
    notCmap[40] = 'c';
    Bytes noBody = Start("PBM ", 1, 1, 8, 0, 0);
    Append(noBody, Chunk("ANNO", {1, 2}));
    Bytes longBody = Start("PBM ", 1, 1, 8, 0, 0);
    Append(longBody, {'B', 'O', 'D', 'Y', 0, 1, 0, 1, 5});  // says 65537 bytes, has 1
    Bytes longPalette = Start("PBM ", 1, 1, 8, 0, 0x10003);
    Append(longPalette, {1, 2, 3, 0});
    Append(longPalette, Chunk("BODY", {0}));
    struct Case {
        const char* what;
        Bytes file;
        std::string message;
    } cases[] = {
        {"empty", {}, "Invalid file"},
        {"no FORM", notForm, "Invalid file"},
        {"no BMHD", notBmhd, "Invalid file"},
        {"4 planes", withBody(Start("ILBM", 1, 1, 4, 0, 0)), "Only supports 8 bit planes"},
        {"24 planes", withBody(Start("ILBM", 1, 1, 24, 0, 0)), "Only supports 8 bit planes"},
        {"no CMAP", notCmap, "Invalid file"},
        {"compression 2", withBody(Start("PBM ", 1, 1, 8, 2, 0)), "unsupported compression algorithm"},
        {"compression 255", withBody(Start("ILBM", 1, 1, 8, 255, 0)), "unsupported compression algorithm"},
        {"no BODY", noBody, "Invalid file"},
        {"BODY longer than the file", longBody, "Invalid file"},
        {"palette longer than the file", longPalette, "Invalid file"},
        {"picture too big", withBody(Start("PBM ", 65535, 65535, 8, 0, 0)), "Invalid file"},
    };
    for (const auto& c : cases) {
        const DecodeResult r = DecodeIlbm(c.file);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.error, c.message) << c.what;
    }
}

TEST(IlbmDecoder, EveryTruncationGivesAMessage)
{
    const Bytes whole = SmallPbm();
    ASSERT_TRUE(DecodeIlbm(whole).ok);
    for (std::size_t n = 0; n < whole.size(); ++n) {
        // A copy of exactly n bytes, so the sanitizer sees any read past its end.
        const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        const DecodeResult r = DecodeIlbm(prefix);
        EXPECT_FALSE(r.ok) << n << " bytes";
        EXPECT_FALSE(r.error.empty()) << n << " bytes";
    }
}

// Planar pictures wider than one byte per plane, written out byte by byte. Each
// plane's row is a whole number of 16-bit words: 2 bytes for 16 pixels, 4 bytes
// (12 bits of padding) for 20. Bit 7 of a plane's first byte is pixel 0.

// FORM, BMHD of a 16 x 2 8-plane ILBM (compression in byte 30), CMAP of one colour.
Bytes Header16x2(std::uint8_t compression)
{
    return {'F', 'O', 'R', 'M', 0, 0, 0, 0, 'I', 'L', 'B', 'M',
            'B', 'M', 'H', 'D', 0, 0, 0, 20,
            0, 16,            // width 16
            0, 2,             // height 2
            0, 0, 0, 0,       // x, y
            8, 0, compression, 0,
            0, 0, 1, 1, 0, 16, 0, 2,
            'C', 'M', 'A', 'P', 0, 0, 0, 3, 9, 8, 7, 0};  // one colour, pad byte
}

// Row 0: pixels 1 2 4 8 16 32 64 128 | 255 0 3 0 0 0 0 129
// Row 1: pixels 0 0 0 0 0 0 0 15 | 0 85 0 0 0 0 170 0
const Bytes kRows16 = {
    0x80, 0xA1,  // plane 0: x0; x8, x10, x15
    0x40, 0xA0,  // plane 1: x1; x8, x10
    0x20, 0x80,  // plane 2: x2; x8
    0x10, 0x80,  // plane 3: x3; x8
    0x08, 0x80,  // plane 4: x4; x8
    0x04, 0x80,  // plane 5: x5; x8
    0x02, 0x80,  // plane 6: x6; x8
    0x01, 0x81,  // plane 7: x7; x8, x15
    0x01, 0x40,  // plane 0: x7; x9
    0x01, 0x02,  // plane 1: x7; x14
    0x01, 0x40,  // plane 2: x7; x9
    0x01, 0x02,  // plane 3: x7; x14
    0x00, 0x40,  // plane 4: x9
    0x00, 0x02,  // plane 5: x14
    0x00, 0x40,  // plane 6: x9
    0x00, 0x02,  // plane 7: x14
};
const Bytes kPixels16 = {1, 2, 4, 8, 16, 32, 64, 128, 255, 0, 3, 0, 0, 0, 0, 129,
                         0, 0, 0, 0, 0, 0, 0, 15,  0,   85, 0, 0, 0, 0, 170, 0};

// The same for 20 x 2.
Bytes Header20x2(std::uint8_t compression)
{
    return {'F', 'O', 'R', 'M', 0, 0, 0, 0, 'I', 'L', 'B', 'M',
            'B', 'M', 'H', 'D', 0, 0, 0, 20,
            0, 20,            // width 20
            0, 2,             // height 2
            0, 0, 0, 0,
            8, 0, compression, 0,
            0, 0, 1, 1, 0, 20, 0, 2,
            'C', 'M', 'A', 'P', 0, 0, 0, 3, 9, 8, 7, 0};
}

// Row 0: pixel 0 is 7, pixel 8 is 200 (bits 3, 6, 7), pixels 16..19 are 1 2 128 255.
// Row 1: pixel 12 is 129 (bits 0, 7), pixel 15 is 60 (bits 2..5).
const Bytes kRows20 = {
    0x80, 0x00, 0x9F, 0xFF,  // plane 0: x0; x16, x19; the padding bits after x19 all set
    0x80, 0x00, 0x50, 0x00,  // plane 1: x0; x17, x19
    0x80, 0x00, 0x10, 0x00,  // plane 2: x0; x19
    0x00, 0x80, 0x10, 0x00,  // plane 3: x8; x19
    0x00, 0x00, 0x10, 0x00,  // plane 4: x19
    0x00, 0x00, 0x10, 0x00,  // plane 5: x19
    0x00, 0x80, 0x10, 0x00,  // plane 6: x8; x19
    0x00, 0x80, 0x30, 0x00,  // plane 7: x8; x18, x19
    0x00, 0x08, 0x00, 0x00,  // plane 0: x12
    0x00, 0x00, 0x00, 0x00,  // plane 1
    0x00, 0x01, 0x00, 0x00,  // plane 2: x15
    0x00, 0x01, 0x00, 0x00,  // plane 3: x15
    0x00, 0x01, 0x00, 0x00,  // plane 4: x15
    0x00, 0x01, 0x00, 0x00,  // plane 5: x15
    0x00, 0x00, 0x00, 0x00,  // plane 6
    0x00, 0x08, 0x00, 0x00,  // plane 7: x12
};
// kRows20 packed with ByteRun1 (n: n + 1 bytes as they stand; 257 - n: the next byte that often).
const Bytes kPacked20 = {
    10, 0x80, 0x00, 0x9F, 0xFF, 0x80, 0x00, 0x50, 0x00, 0x80, 0x00, 0x10,  // 11 bytes
    0xFF, 0x00,                                                          // 00 twice
    1, 0x80, 0x10,
    0xFE, 0x00,                                                          // 00 three times
    0, 0x10,
    0xFE, 0x00,
    0, 0x10,
    0xFF, 0x00,
    1, 0x80, 0x10,
    0xFF, 0x00,
    1, 0x80, 0x30,
    0xFF, 0x00,                                                          // end of row 0, start of row 1
    0, 0x08,
    0xFA, 0x00,                                                          // 00 seven times
    0, 0x01,
    0xFE, 0x00,
    0, 0x01,
    0xFE, 0x00,
    0, 0x01,
    0xFE, 0x00,
    0, 0x01,
    0xFA, 0x00,
    0, 0x08,
    0xFF, 0x00,
};
const Bytes kPixels20 = {7, 0, 0, 0, 0, 0, 0,   0, 200, 0, 0, 0, 0, 0, 0, 0,  1, 2, 128, 255,
                         0, 0, 0, 0, 0, 0, 0,   0, 0,   0, 0, 0, 129, 0, 0, 60, 0, 0, 0,  0};

Bytes WithBody(Bytes file, const Bytes& body)
{
    const auto n = static_cast<std::uint32_t>(body.size());
    Append(file, {'B', 'O', 'D', 'Y', 0, 0, static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)});
    Append(file, body);
    return file;
}

TEST(IlbmDecoder, PlanarPicturesWiderThanEightPixels)
{
    Bytes literal16;  // ByteRun1 with literals only: 15 then a row's 16 bytes, twice
    literal16.push_back(15);
    literal16.insert(literal16.end(), kRows16.begin(), kRows16.begin() + 16);
    literal16.push_back(15);
    literal16.insert(literal16.end(), kRows16.begin() + 16, kRows16.end());
    struct Case {
        const char* what;
        Bytes file;
        int width;
        const Bytes& pixels;
    } cases[] = {
        {"16 wide, uncompressed", WithBody(Header16x2(0), kRows16), 16, kPixels16},
        {"16 wide, ByteRun1 literals", WithBody(Header16x2(1), literal16), 16, kPixels16},
        {"20 wide, uncompressed", WithBody(Header20x2(0), kRows20), 20, kPixels20},
        {"20 wide, ByteRun1 runs and literals", WithBody(Header20x2(1), kPacked20), 20, kPixels20},
    };
    ASSERT_EQ(kRows20.size(), 64u);
    ASSERT_EQ(UnpackByteRun1(kPacked20, 64), kRows20) << "the packing above is what it says";
    for (const Case& c : cases) {
        const DecodeResult r = DecodeIlbm(c.file);
        ASSERT_TRUE(r.ok) << c.what << ": " << r.error;
        EXPECT_EQ(r.image.Width, c.width) << c.what;
        EXPECT_EQ(r.image.Height, 2) << c.what;
        EXPECT_EQ(r.image.Pixels, c.pixels) << c.what;
        EXPECT_EQ(r.image.Palette[0], (std::array<std::uint8_t, 3>{9, 8, 7})) << c.what;
    }
}

TEST(IlbmDecoder, EveryFormTypeButIlbmIsChunky)
{
    // A 4 x 2 body read as chunky rows gives these pixels; read as planes it would not.
    const Bytes body = {0x80, 0x01, 0x40, 0x02, 0x20, 0x03, 0x10, 0x04};
    for (const char* type : {"PBM ", "RGBN", "ACBM", "ilbm", "ILBX", "    "}) {
        Bytes b = Start(type, 4, 2, 8, 0, 0);
        Append(b, Chunk("BODY", body));
        const DecodeResult r = DecodeIlbm(b);
        ASSERT_TRUE(r.ok) << type << ": " << r.error;
        EXPECT_EQ(r.image.Pixels, body) << "form type \"" << type << "\"";
    }
    // "ILBM" itself takes the planes: 4 pixels in 8 planes of one word each are 16 bytes a row.
    Bytes b = Start("ILBM", 4, 1, 8, 0, 0);
    Append(b, Chunk("BODY", {0x80, 0, 0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10, 0}));
    const DecodeResult r = DecodeIlbm(b);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.image.Pixels, (Bytes{1, 2, 0, 128}));
}

}  // namespace
}  // namespace brackle

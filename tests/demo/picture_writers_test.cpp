// The demo's shape and IFF writers: bytes checked against the file layouts
// written out by hand, and read back by the editor's own decoders.
#include "demo/iff_writer.h"
#include "demo/shape_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/ilbm_decoder.h"
#include "graphics/shape_decoder.h"

namespace brackle {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t T = 240;

IndexedCanvas CanvasOf(int width, const Bytes& pixels)
{
    const int height = static_cast<int>(pixels.size()) / width;
    IndexedCanvas c(width, height, T);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            c.Put(x, y, pixels[static_cast<std::size_t>(y * width + x)]);
    return c;
}

Bytes Le32(std::uint32_t v)
{
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 24)};
}

// The 24-byte image header: height, width, 0, x start, y start, 0, y end.
Bytes ShapeHeader(int height, int width, int x0, int y0, int y1)
{
    Bytes b = {static_cast<std::uint8_t>(height), 0, static_cast<std::uint8_t>(width), 0, 0, 0, 0, 0};
    for (const int v : {x0, y0, 0, y1}) {
        const Bytes le = Le32(static_cast<std::uint32_t>(v));
        b.insert(b.end(), le.begin(), le.end());
    }
    return b;
}

TEST(ShapeWriter, CodesSkipsRunsAndLiteralsOfTheDrawnArea)
{
    const Bytes nines(129, 9);
    struct Case {
        const char* what;
        int width;
        Bytes pixels;
        Bytes header;
        Bytes codes;
    } cases[] = {
        {"x start at the first drawn column, a run of three, a literal", 8, {T, T, T, 7, 7, 7, 1, 2},
         ShapeHeader(1, 8, 3, 0, 0), {6, 7, 5, 1, 2, 0}},
        {"empty rows above and below are not coded; a skip inside the row", 4,
         {T, T, T, T, /**/ T, 5, T, 6, /**/ T, T, T, T}, ShapeHeader(3, 4, 1, 1, 1), {3, 5, 1, 1, 3, 6, 0}},
        {"pairs stay inside a literal", 5, {1, 1, 2, 2, 3}, ShapeHeader(1, 5, 0, 0, 0), {11, 1, 1, 2, 2, 3, 0}},
        {"a run longer than 127 is split", 129, nines, ShapeHeader(1, 129, 0, 0, 0), {254, 9, 5, 9, 9, 0}},
        {"an empty row between drawn ones, and a row ending early", 3, {4, 4, 4, /**/ T, T, T, /**/ 8, T, T},
         ShapeHeader(3, 3, 0, 0, 2), {6, 4, 0, 0, 3, 8, 0}},
        {"nothing drawn: no codes", 4, Bytes(16, T), ShapeHeader(4, 4, 0, 0, 0), {}},
    };
    for (const Case& c : cases) {
        const IndexedCanvas canvas = CanvasOf(c.width, c.pixels);
        Bytes expected = c.header;
        expected.insert(expected.end(), c.codes.begin(), c.codes.end());
        EXPECT_EQ(EncodeShapeImage(canvas), expected) << c.what;

        // And the editor's decoder gives the drawing back, skipped pixels in its transparent colour.
        const DecodeResult r = DecodeShape(EncodeShapeFile({canvas}), 0, 0);
        ASSERT_TRUE(r.ok) << c.what << ": " << r.error;
        ASSERT_EQ(r.image.Width, c.width) << c.what;
        ASSERT_EQ(r.image.Height, canvas.Height()) << c.what;
        for (std::size_t i = 0; i < c.pixels.size(); ++i)
            EXPECT_EQ(r.image.Pixels[i], c.pixels[i] == T ? 0 : c.pixels[i]) << c.what << " pixel " << i;
    }
}

TEST(ShapeWriter, ImageKIsReadThroughTableEntryKPlusOne)
{
    const IndexedCanvas a = CanvasOf(4, {1, 2, 3, 4});
    const IndexedCanvas b = CanvasOf(4, {T, 5, 5, 5, /**/ 6, T, T, T});
    const Bytes file = EncodeShapeFile({a, b});

    Bytes expected = {'1', '.', '1', '0', 2, 0, 0, 0};
    const std::uint32_t first = 8 + 3 * 8;  // three table entries for two images
    const std::uint32_t second = first + 24 + 6;
    for (const std::uint32_t offset : {first, first, second}) {
        const Bytes le = Le32(offset);
        expected.insert(expected.end(), le.begin(), le.end());
        expected.insert(expected.end(), {0, 0, 0, 0});
    }
    for (const Bytes& part : {ShapeHeader(1, 4, 0, 0, 0), Bytes{9, 1, 2, 3, 4, 0}, ShapeHeader(2, 4, 0, 0, 1),
                              Bytes{1, 1, 6, 5, 0, 3, 6, 0}})
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(file, expected);

    EXPECT_EQ(DecodeShape(file, 0).image.Pixels, a.Pixels());
    EXPECT_EQ(DecodeShape(file, 1).image.Pixels, b.Pixels());
    EXPECT_EQ(DecodeShape(file, 2).error, kIconNotAvailable);
}

// Walks a ByteRun1 stream by its control bytes; false when one is 128 or the stream breaks off.
bool WellFormed(const Bytes& packed)
{
    std::size_t at = 0;
    while (at < packed.size()) {
        const std::uint8_t c = packed[at++];
        if (c == 128)
            return false;
        at += c < 128 ? c + 1u : 1u;
    }
    return at == packed.size();
}

TEST(ByteRun1Packer, RoundTripsThroughTheDecoder)
{
    auto counting = [](std::size_t n) {
        Bytes b(n);
        for (std::size_t i = 0; i < n; ++i)
            b[i] = static_cast<std::uint8_t>(i * 7 + 1);  // no two neighbours equal
        return b;
    };
    auto concat = [](Bytes a, const Bytes& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    struct Case {
        const char* what;
        Bytes input;
        std::size_t maxPacked;
    } cases[] = {
        {"run of 1", Bytes(1, 4), 2},
        {"run of 2", Bytes(2, 4), 2},
        {"run of 128", Bytes(128, 4), 2},
        {"run of 129", Bytes(129, 4), 4},
        {"run of 200", Bytes(200, 4), 4},
        {"literal then run then literal", concat(concat(counting(5), Bytes(40, 9)), counting(3)), 6 + 2 + 4},
        {"pair inside a literal", {1, 2, 2, 3}, 5},
        {"nothing", {}, 0},
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (std::size_t n = 1; n <= 129; ++n)
        all.push_back({"literal", counting(n), n + (n + 127) / 128});
    for (const Case& c : all) {
        const Bytes packed = PackByteRun1(c.input);
        EXPECT_TRUE(WellFormed(packed)) << c.what << " " << c.input.size();
        EXPECT_LE(packed.size(), c.maxPacked) << c.what << " " << c.input.size();
        EXPECT_EQ(UnpackByteRun1(packed, c.input.size()), c.input) << c.what << " " << c.input.size();
    }
    // The control bytes themselves, written out by hand.
    EXPECT_EQ(PackByteRun1(Bytes{7, 7, 7}), (Bytes{254, 7}));
    EXPECT_EQ(PackByteRun1(Bytes{1, 2, 3}), (Bytes{2, 1, 2, 3}));
    EXPECT_EQ(PackByteRun1(Bytes(129, 5)), (Bytes{129, 5, 0, 5}));
}

TEST(IffWriter, WritesTheChunksInTheirOrderWithPadBytes)
{
    // Three pixels 1, 2, 255 in one row; one palette colour (3 bytes, odd) and an odd extra chunk.
    const IndexedCanvas picture = CanvasOf(3, {1, 2, 255});
    IffPalette palette{};
    palette[0] = {10, 20, 30};
    IffOptions options;
    options.Colours = 1;
    options.Extra = {{"ANNO", "abc"}};

    const Bytes expected = {
        'F', 'O', 'R', 'M', 0, 0, 0, 80, 'I', 'L', 'B', 'M',
        'B', 'M', 'H', 'D', 0, 0, 0, 20, 0, 3, 0, 1, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 1, 1, 0, 3, 0, 1,
        'C', 'M', 'A', 'P', 0, 0, 0, 3, 10, 20, 30, 0,
        'A', 'N', 'N', 'O', 0, 0, 0, 3, 'a', 'b', 'c', 0,
        // Planes 0..7 of the row, two bytes each: pixel 0 has bit 0, pixel 1 bit 1, pixel 2 all bits.
        'B', 'O', 'D', 'Y', 0, 0, 0, 16, 0xA0, 0, 0x60, 0, 0x20, 0, 0x20, 0, 0x20, 0, 0x20, 0, 0x20, 0, 0x20, 0,
    };
    const Bytes ilbm = EncodeIff(picture, palette, options);
    EXPECT_EQ(ilbm, expected);

    options.Planar = false;
    options.Compressed = true;
    const Bytes pbm = EncodeIff(picture, palette, options);
    const Bytes pbmTail = {'B', 'O', 'D', 'Y', 0, 0, 0, 4, 2, 1, 2, 255};
    ASSERT_GT(pbm.size(), pbmTail.size());
    EXPECT_EQ(Bytes(pbm.end() - static_cast<std::ptrdiff_t>(pbmTail.size()), pbm.end()), pbmTail);
    EXPECT_EQ(Bytes(pbm.begin() + 8, pbm.begin() + 12), (Bytes{'P', 'B', 'M', ' '}));
    EXPECT_EQ(pbm[30], 1);

    for (const Bytes* file : {&ilbm, &pbm}) {
        const DecodeResult r = DecodeIlbm(*file);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.image.Pixels, (Bytes{1, 2, 255}));
        EXPECT_EQ(r.image.Palette[0], (std::array<std::uint8_t, 3>{10, 20, 30}));
    }
}

}  // namespace
}  // namespace brackle

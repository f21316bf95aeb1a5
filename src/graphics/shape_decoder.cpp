#include "graphics/shape_decoder.h"

#include "graphics/ilbm_decoder.h"

#include <algorithm>
#include <cstring>

namespace brackle {
namespace {

DecodeResult Fail(const char* message)
{
    DecodeResult r;
    r.error = message;
    return r;
}

std::uint32_t Little32(std::span<const std::uint8_t> file, std::size_t at)
{
    return std::uint32_t{file[at]} | (std::uint32_t{file[at + 1]} << 8) | (std::uint32_t{file[at + 2]} << 16) |
           (std::uint32_t{file[at + 3]} << 24);
}

std::int32_t LittleSigned32(std::span<const std::uint8_t> file, std::size_t at)
{
    return static_cast<std::int32_t>(Little32(file, at));
}

int Little16(std::span<const std::uint8_t> file, std::size_t at)
{
    return file[at] | (file[at + 1] << 8);
}

constexpr std::uint32_t kPaletteRgb[256] = {
    0x000000, 0x171717, 0x2B2B2B, 0x434343, 0x5B5B5B, 0x737373, 0x8B8B8B, 0x9F9F9F, 0xB7B7B7, 0xCFCFCF, 0xE7E7E7, 0xFFFFFF, 0x4B4B97, 0x2BCF33, 0xFFDC00, 0xD20000,
    0xE3CB93, 0xE7BF93, 0xDBC387, 0xD3B77F, 0xDBAF83, 0xCFAB77, 0xD3A373, 0xD39F6F, 0xC39B6B, 0xB39F67, 0xBBAB73, 0xC3B783, 0xB78B5F, 0xBF8757, 0xC38B5B, 0xAB9357,
    0x9F874B, 0x977B3F, 0x9F6747, 0xAB6F43, 0xA7633B, 0x8F5737, 0x875733, 0x836733, 0xEBE2A5, 0x734F27, 0x6F5327, 0x5B4323, 0x5B4323, 0x5B431F, 0x4B371B, 0x473317,
    0x3F2717, 0x2F1F0F, 0x231B0F, 0x27231B, 0x170F07, 0x001F00, 0x073F00, 0x0B5700, 0x076F00, 0x078700, 0x07A300, 0x576B17, 0x63670F, 0x626715, 0x717624, 0x818634,
    0x858A38, 0x939846, 0xA4A957, 0xB2B86C, 0xB7774F, 0xAF7B53, 0x737F17, 0x637723, 0x4B5B1B, 0x475300, 0x434300, 0x545907, 0x370B00, 0xE7E3DB, 0xC7C3BF, 0xA7A39F,
    0x87837F, 0x63635F, 0x43433F, 0x23231F, 0xFFFFFF, 0xE3DFE7, 0xC7BFCF, 0xAB9BB3, 0x8F7B9B, 0xC86E46, 0x304000, 0x364606, 0x3F4F0F, 0x485818, 0x4F5F1F, 0x5C6C2C,
    0x637333, 0x6E7E3E, 0x7B8B4B, 0x90A060, 0x97A3C7, 0x8B9BBB, 0x838FAB, 0x77839F, 0x6B778F, 0x636B83, 0x576373, 0x4B5763, 0x434B57, 0x373F47, 0x2B333B, 0x232B2B,
    0x637723, 0x6F7383, 0x8383A7, 0x636B83, 0x6F7383, 0x3357AF, 0x077BD3, 0x2B4F97, 0x2F579F, 0x2F579F, 0x2F579F, 0x2F5BA7, 0x2F5FAF, 0x3367BB, 0x2F5FAF, 0x2F5BA7,
    0x978763, 0x977F63, 0x8F7F5B, 0x8B7753, 0x8F7357, 0x876F4F, 0x8B6B4B, 0x8B674B, 0x7F6747, 0x776743, 0x7B6F4B, 0x7F7757, 0x775B3F, 0x7F5B3B, 0x7F5B3B, 0x6F633B,
    0x675B33, 0x63532B, 0x67432F, 0x6F4B2F, 0x6F4327, 0x5F3B27, 0x5B3B23, 0x574323, 0x6B5743, 0x4B331B, 0x4B371B, 0x3B2F17, 0x3B2F17, 0x3B2F17, 0x332713, 0x2F230F,
    0x2B1B0F, 0x1F170B, 0x17130B, 0x1B1713, 0x0F0B07, 0x001700, 0x072B00, 0x073B00, 0x074B00, 0x075B00, 0x076B00, 0x3B470F, 0x43430B, 0x474300, 0x4D5200, 0x5B5B00,
    0x5F5F00, 0x676700, 0x6D7220, 0x7B802E, 0x774F33, 0x735337, 0x4B530F, 0x434F17, 0x333B13, 0x2F3700, 0x2F2F00, 0x3B3B00, 0x270700, 0x837F7B, 0x6F6F6B, 0x5F5F5B,
    0x4B4B47, 0x3B3B37, 0x272727, 0x171717, 0x979397, 0x877F8B, 0x776F7B, 0x6B5F6F, 0x5B4B63, 0x904B2C, 0x0B2707, 0x132F07, 0x173307, 0x1B3B07, 0x234307, 0x274B07,
    0x2F5307, 0x335B07, 0x3B6300, 0x3F6700, 0x636B83, 0x5B637B, 0x535F6F, 0x4F5767, 0x474F5F, 0x3F4753, 0x373F4B, 0x333743, 0x2B3337, 0x232B2F, 0x1F2327, 0x171B1F,
    0x434F17, 0x4B4B57, 0x57576F, 0x434757, 0x4B4B57, 0x172F83, 0x23479B, 0x000B5F, 0x071767, 0x07176F, 0x0F2377, 0x172F83, 0x1B3B8F, 0x23479B, 0x1B3B8F, 0x172F83,
    0xEFAB23, 0xFFDB27, 0xE79B23, 0xDF8323, 0x4F473F, 0x000000, 0x232323, 0x5B5753, 0x373333, 0x5B5753, 0xAFA79F, 0x67635F, 0x5B574B, 0x6B675B, 0x7F7F7F, 0xAFA79F,
};

}  // namespace

const std::array<std::array<std::uint8_t, 3>, 256>& ShapePalette()
{
    static const auto palette = [] {
        std::array<std::array<std::uint8_t, 3>, 256> p{};
        for (std::size_t i = 0; i < 256; ++i)
            p[i] = {static_cast<std::uint8_t>(kPaletteRgb[i] >> 16), static_cast<std::uint8_t>(kPaletteRgb[i] >> 8),
                    static_cast<std::uint8_t>(kPaletteRgb[i])};
        return p;
    }();
    return palette;
}

ShapeLocation LocateShape(int v)
{
    return {v / 100, v % 100, v % 100 + 1};
}

std::string ShapeFileName(int fileNumber)
{
    std::string digits = std::to_string(fileNumber);
    if (digits.size() < 4)
        digits.insert(0, 4 - digits.size(), '0');
    return "Icon" + digits + ".shp";
}

DecodeResult DecodeShape(std::span<const std::uint8_t> file, int image, std::uint8_t transparent)
{
    if (file.size() < 8 || std::memcmp(file.data(), "1.10", 4) != 0)
        return Fail(kInvalidFile);
    std::int64_t count = LittleSigned32(file, 4);
    if (count > 255)
        count = 255;
    if (image < 0 || count < std::int64_t{image} + 1)
        return Fail(kIconNotAvailable);
    // The header's offset comes from entry image + 1; an entry beyond the bytes means no such image.
    const std::size_t entry = 8 + 8 * (static_cast<std::size_t>(image) + 1);
    if (entry > file.size() || file.size() - entry < 4)
        return Fail(kIconNotAvailable);
    const std::size_t header = Little32(file, entry);
    if (header > file.size() || file.size() - header < 24)
        return Fail(kInvalidFile);

    const int height = Little16(file, header);
    const int width = Little16(file, header + 2);
    if (static_cast<std::size_t>(width) * static_cast<std::size_t>(height) > kMaxDecodedPixels)
        return Fail(kInvalidFile);
    std::int64_t x0 = LittleSigned32(file, header + 8);
    std::int64_t y = LittleSigned32(file, header + 12);
    std::int64_t yEnd = LittleSigned32(file, header + 20);
    if (y < 0 || y > height) {
        yEnd -= y;
        y = 0;
    }
    if (yEnd < 0 || yEnd >= height)
        yEnd = height - 1;
    if (x0 < 0 || x0 > width)
        x0 = 0;

    DecodeResult result;
    IndexedImage& out = result.image;
    out.Width = width;
    out.Height = height;
    out.Palette = ShapePalette();
    out.Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), transparent);

    // Pixel codes: 0 ends the row; 1, n skips n columns; an even code e repeats the
    // next byte e / 2 times; an odd code e of 3 or more is followed by e / 2 pixels.
    // Nothing is drawn past the right edge; the data is read on regardless.
    const std::span<const std::uint8_t> data = file.subspan(header + 24);
    std::size_t at = 0;
    std::int64_t x = x0;
    const auto put = [&](std::uint8_t value) {
        if (x < width)
            out.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = value;
        x = std::min<std::int64_t>(x + 1, width);
    };
    while (y <= yEnd && at < data.size()) {
        const std::uint8_t code = data[at++];
        if (code == 0) {
            ++y;
            x = x0;
        } else if (code == 1) {
            if (at >= data.size())
                break;
            x = std::min<std::int64_t>(x + data[at++], width);
        } else if (code % 2 == 0) {
            if (at >= data.size())
                break;
            const std::uint8_t value = data[at++];
            for (int i = 0; i < code / 2; ++i)
                put(value);
        } else {
            for (int i = 0; i < code / 2 && at < data.size(); ++i)
                put(data[at++]);
        }
    }
    result.ok = true;
    return result;
}

}  // namespace brackle

#include "graphics/ilbm_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace brackle {
namespace {

DecodeResult Fail(const char* message)
{
    DecodeResult r;
    r.error = message;
    return r;
}

bool HasTag(std::span<const std::uint8_t> file, std::size_t at, const char* tag)
{
    return at <= file.size() && file.size() - at >= 4 && std::memcmp(file.data() + at, tag, 4) == 0;
}

std::uint32_t Big32(std::span<const std::uint8_t> file, std::size_t at)
{
    return (std::uint32_t{file[at]} << 24) | (std::uint32_t{file[at + 1]} << 16) |
           (std::uint32_t{file[at + 2]} << 8) | std::uint32_t{file[at + 3]};
}

int Big16(std::span<const std::uint8_t> file, std::size_t at)
{
    return (file[at] << 8) | file[at + 1];
}

}  // namespace

std::vector<std::uint8_t> UnpackByteRun1(std::span<const std::uint8_t> packed, std::size_t out_size)
{
    std::vector<std::uint8_t> out(out_size, 0);
    std::size_t in = 0;
    std::size_t at = 0;
    while (in < packed.size() && at < out_size) {
        const std::uint8_t c = packed[in++];
        if (c < 128) {
            const std::size_t n = std::size_t{c} + 1;
            if (n > packed.size() - in || n > out_size - at) {
                std::fill(out.begin(), out.end(), std::uint8_t{255});
                return out;
            }
            std::copy_n(packed.begin() + static_cast<std::ptrdiff_t>(in), n, out.begin() + static_cast<std::ptrdiff_t>(at));
            in += n;
            at += n;
        } else {
            const std::size_t n = 257 - std::size_t{c};
            if (in >= packed.size() || n > out_size - at) {
                std::fill(out.begin(), out.end(), std::uint8_t{255});
                return out;
            }
            std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(at), n, packed[in++]);
            at += n;
        }
    }
    return out;
}

DecodeResult DecodeIlbm(std::span<const std::uint8_t> file)
{
    // The fixed start: FORM, the bitmap header, then the palette.
    if (!HasTag(file, 0, "FORM") || file.size() < 12 || !HasTag(file, 12, "BMHD") || file.size() < 40)
        return Fail(kInvalidFile);
    if (file[28] != 8)
        return Fail(kOnly8BitPlanes);
    if (!HasTag(file, 40, "CMAP") || file.size() < 48)
        return Fail(kInvalidFile);
    const bool planar = HasTag(file, 8, "ILBM");
    const int width = Big16(file, 20);
    const int height = Big16(file, 22);
    const int compression = file[30];

    DecodeResult result;
    IndexedImage& image = result.image;
    image.Width = width;
    image.Height = height;

    const std::uint32_t paletteBytes = Big32(file, 44);
    if (paletteBytes > file.size() - 48)
        return Fail(kInvalidFile);
    const std::size_t colours = std::min<std::size_t>(paletteBytes / 3, 256);
    for (std::size_t i = 0; i < colours; ++i)
        for (std::size_t c = 0; c < 3; ++c)
            image.Palette[i][c] = file[48 + 3 * i + c];

    // Every chunk, the palette included, is followed by a pad byte when it ends on an odd position.
    std::size_t at = 48 + std::size_t{paletteBytes};
    at += at & 1;
    std::span<const std::uint8_t> body;
    for (;;) {
        if (at > file.size() || file.size() - at < 8)
            return Fail(kInvalidFile);
        const std::uint32_t length = Big32(file, at + 4);
        if (length > file.size() - at - 8)
            return Fail(kInvalidFile);
        if (HasTag(file, at, "BODY")) {
            body = file.subspan(at + 8, length);
            break;
        }
        at += 8 + std::size_t{length};
        at += at & 1;
    }

    // Each row: width bytes, or 8 planes of whole 16-bit words for an interleaved bitmap.
    const std::size_t planeBytes = (static_cast<std::size_t>(width) + 15) / 16 * 2;
    const std::size_t rowBytes = planar ? 8 * planeBytes : static_cast<std::size_t>(width);
    if (static_cast<std::size_t>(width) * static_cast<std::size_t>(height) > kMaxDecodedPixels)
        return Fail(kInvalidFile);
    const std::size_t dataSize = rowBytes * static_cast<std::size_t>(height);

    std::vector<std::uint8_t> data;
    if (compression == 0) {
        data.assign(dataSize, 0);
        std::copy_n(body.begin(), std::min(body.size(), dataSize), data.begin());
    } else if (compression == 1) {
        data = UnpackByteRun1(body, dataSize);
    } else {
        return Fail(kUnsupportedCompression);
    }

    const std::size_t w = static_cast<std::size_t>(width);
    if (!planar) {
        image.Pixels = std::move(data);
    } else {
        image.Pixels.assign(w * static_cast<std::size_t>(height), 0);
        // Eight pixels at a time: each plane's byte is spread into one bit of
        // each of eight pixel bytes, the plane's number giving the bit.
        static const std::array<std::uint64_t, 256> kSpread = [] {
            std::array<std::uint64_t, 256> t{};
            for (std::size_t v = 0; v < 256; ++v)
                for (std::size_t i = 0; i < 8; ++i)
                    if (v & (0x80u >> i))
                        t[v] |= std::uint64_t{1} << (8 * i);
            return t;
        }();
        for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
            const std::uint8_t* row = data.data() + y * rowBytes;
            std::uint8_t* out = image.Pixels.data() + y * w;
            for (std::size_t b = 0; b * 8 < w; ++b) {  // b < planeBytes: planes hold whole words
                std::uint64_t eight = 0;
                for (std::size_t k = 0; k < 8; ++k)
                    eight |= kSpread[row[k * planeBytes + b]] << k;
                const std::size_t count = std::min<std::size_t>(8, w - b * 8);
                for (std::size_t i = 0; i < count; ++i)
                    out[b * 8 + i] = static_cast<std::uint8_t>(eight >> (8 * i));
            }
        }
    }
    result.ok = true;
    return result;
}

}  // namespace brackle

#include "graphics/bmp_file.h"

#include <algorithm>

namespace brackle {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> Bmp8(const IndexedImage& image)
{
    const std::size_t width = static_cast<std::size_t>(std::max(image.Width, 0));
    const std::size_t height = static_cast<std::size_t>(std::max(image.Height, 0));
    const std::size_t stride = (width + 3) / 4 * 4;
    const std::size_t pixelBytes = stride * height;
    std::vector<std::uint8_t> out(kBmp8PixelOffset + pixelBytes, 0);

    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, kBmp8PixelOffset);

    Put32(out, 14, 40);
    Put32(out, 18, static_cast<std::uint32_t>(width));
    Put32(out, 22, static_cast<std::uint32_t>(height));
    Put16(out, 26, 1);
    Put16(out, 28, 8);
    Put32(out, 30, 0);
    Put32(out, 34, static_cast<std::uint32_t>(pixelBytes));
    Put32(out, 38, 2835);
    Put32(out, 42, 2835);
    Put32(out, 46, 256);
    Put32(out, 50, 0);

    for (std::size_t i = 0; i < 256; ++i) {
        const auto& rgb = image.Palette[i];
        out[54 + 4 * i] = rgb[2];
        out[54 + 4 * i + 1] = rgb[1];
        out[54 + 4 * i + 2] = rgb[0];
    }

    // A short pixel buffer never makes us read past it: missing rows stay 0.
    const std::size_t rows = width == 0 ? 0 : std::min(height, image.Pixels.size() / width);
    for (std::size_t y = 0; y < rows; ++y) {
        const auto from = image.Pixels.begin() + static_cast<std::ptrdiff_t>(y * width);
        std::copy(from, from + static_cast<std::ptrdiff_t>(width),
                  out.begin() + static_cast<std::ptrdiff_t>(kBmp8PixelOffset + (height - 1 - y) * stride));
    }
    return out;
}

SaveResult WriteBmp8File(const std::filesystem::path& path, const IndexedImage& image)
{
    const std::vector<std::uint8_t> bytes = Bmp8(image);
    return WriteFileAtomically(path, bytes.data(), bytes.size());
}

}  // namespace brackle

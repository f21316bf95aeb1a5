#include "graphics/icon_dump.h"

namespace brackle {
namespace {

void Put16(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

bool Whole(const IndexedImage& icon)
{
    return icon.Width > 0 && icon.Height > 0 &&
           icon.Pixels.size() >= static_cast<std::size_t>(icon.Width) * static_cast<std::size_t>(icon.Height);
}

}  // namespace

std::array<std::uint8_t, 3> BackgroundColour(const IndexedImage& icon)
{
    if (!Whole(icon))
        return {0, 0, 0};
    return icon.Palette[icon.At(0, icon.Height - 1)];
}

bool IsBackground(const IndexedImage& icon, int x, int y)
{
    return icon.Palette[icon.At(x, y)] == BackgroundColour(icon);
}

std::vector<std::uint8_t> IconDumpBmp(const IndexedImage& icon)
{
    if (!Whole(icon))
        return {};
    const auto width = static_cast<std::uint32_t>(icon.Width);
    const auto height = static_cast<std::uint32_t>(icon.Height);
    const std::uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t dataBytes = rowBytes * height;
    std::vector<std::uint8_t> b;
    b.reserve(54 + dataBytes);
    b.push_back('B');
    b.push_back('M');
    Put32(b, 54 + dataBytes);  // file size
    Put32(b, 0);               // reserved
    Put32(b, 54);              // pixel data offset
    Put32(b, 40);              // information header size
    Put32(b, width);
    Put32(b, height);          // positive: the last row comes first
    Put16(b, 1);               // planes
    Put16(b, 24);              // bits per pixel
    Put32(b, 0);               // no compression
    Put32(b, dataBytes);
    Put32(b, 2835);            // 72 dots per inch
    Put32(b, 2835);
    Put32(b, 0);               // colours used
    Put32(b, 0);               // colours important
    const std::array<std::uint8_t, 3> background = BackgroundColour(icon);
    for (int y = icon.Height - 1; y >= 0; --y) {
        for (int x = 0; x < icon.Width; ++x) {
            const std::array<std::uint8_t, 3>& rgb = icon.Palette[icon.At(x, y)];
            const std::array<std::uint8_t, 3>& out = rgb == background ? kDumpBackground : rgb;
            b.push_back(out[2]);  // blue, green, red
            b.push_back(out[1]);
            b.push_back(out[0]);
        }
        b.resize(b.size() + (rowBytes - width * 3), 0);
    }
    return b;
}

}  // namespace brackle

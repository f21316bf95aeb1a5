// Small writers of the game's picture and shape files for tests, written from
// the file layouts: an uncompressed chunky picture and a shape file of plain
// rectangular images.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace brackle::test {

using Bytes = std::vector<std::uint8_t>;

// An image of a shape file: width x height palette indexes, top row first;
// kSkip leaves the pixel to the transparent colour.
struct ShapePicture {
    int width = 0;
    int height = 0;
    std::vector<int> pixels;
};
inline constexpr int kSkip = -1;

// A width x height image of one colour.
inline ShapePicture Plain(int width, int height, int colour)
{
    return {width, height, std::vector<int>(static_cast<std::size_t>(width * height), colour)};
}

inline void PutLe32(Bytes& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// "1.10", the image count, the table (entry k + 1 holds image k's offset), then
// each image: 24-byte header and one row code per pixel (a skip of 1, or an
// odd literal of one pixel), 0 at each row's end.
inline Bytes ShapeFile(const std::map<int, ShapePicture>& images)
{
    const int count = images.empty() ? 0 : images.rbegin()->first + 1;
    Bytes b = {'1', '.', '1', '0'};
    PutLe32(b, static_cast<std::uint32_t>(count));
    const std::size_t table = b.size();
    b.resize(table + 8 * static_cast<std::size_t>(count + 1), 0);
    for (const auto& [k, image] : images) {
        const auto at = static_cast<std::uint32_t>(b.size());
        for (int i = 0; i < 4; ++i)
            b[table + 8 * static_cast<std::size_t>(k + 1) + i] = static_cast<std::uint8_t>(at >> (8 * i));
        b.push_back(static_cast<std::uint8_t>(image.height));
        b.push_back(static_cast<std::uint8_t>(image.height >> 8));
        b.push_back(static_cast<std::uint8_t>(image.width));
        b.push_back(static_cast<std::uint8_t>(image.width >> 8));
        PutLe32(b, 0);
        PutLe32(b, 0);                                           // x start
        PutLe32(b, 0);                                           // y start
        PutLe32(b, 0);
        PutLe32(b, static_cast<std::uint32_t>(image.height - 1));  // y end
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const int v = image.pixels[static_cast<std::size_t>(y * image.width + x)];
                if (v == kSkip) {
                    b.insert(b.end(), {1, 1});
                } else {
                    b.insert(b.end(), {3, static_cast<std::uint8_t>(v)});
                }
            }
            b.push_back(0);
        }
    }
    return b;
}

inline void PutBe32(Bytes& b, std::uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// An uncompressed chunky ("PBM ") picture: width x height bytes, top row
// first, the colours of the palette given (red, green, blue).
inline Bytes ChunkyPicture(int width, int height, const std::vector<std::array<std::uint8_t, 3>>& colours,
                           const std::vector<std::uint8_t>& pixels)
{
    Bytes b = {'F', 'O', 'R', 'M'};
    PutBe32(b, 0);  // the form length is not read
    b.insert(b.end(), {'P', 'B', 'M', ' ', 'B', 'M', 'H', 'D'});
    PutBe32(b, 20);
    b.insert(b.end(), {static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width),
                       static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height), 0, 0, 0, 0,
                       8, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0});
    b.insert(b.end(), {'C', 'M', 'A', 'P'});
    PutBe32(b, static_cast<std::uint32_t>(3 * colours.size()));
    for (const auto& c : colours)
        b.insert(b.end(), c.begin(), c.end());
    if (b.size() % 2)
        b.push_back(0);
    b.insert(b.end(), {'B', 'O', 'D', 'Y'});
    PutBe32(b, static_cast<std::uint32_t>(pixels.size()));
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

}  // namespace brackle::test

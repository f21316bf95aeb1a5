// An 8-bit palette picture as the decoders give it; the Qt layer and the CLI
// turn it into a QImage or a BMP.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace brackle {

struct IndexedImage {
    int Width = 0;
    int Height = 0;
    std::array<std::array<std::uint8_t, 3>, 256> Palette{};  // red, green, blue
    std::vector<std::uint8_t> Pixels;  // rows top to bottom, exactly Width bytes each

    std::uint8_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// What a decoder gives: a picture, or the message saying why there is none.
struct DecodeResult {
    bool ok = false;
    IndexedImage image;
    std::string error;  // set when !ok
};

// The largest picture a decoder builds (width x height); anything larger is no picture of ours.
inline constexpr std::size_t kMaxDecodedPixels = std::size_t{64} * 1024 * 1024;

}  // namespace brackle

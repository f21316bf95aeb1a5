// An indexed picture as an 8-bit BMP file: what the CLI writes for a decoded
// picture or icon.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "graphics/indexed_image.h"
#include "oob/oob_file.h"

namespace brackle {

// Offset of the pixel data: 14-byte file header, 40-byte information header,
// 256 colour-table entries of 4 bytes.
inline constexpr std::uint32_t kBmp8PixelOffset = 14 + 40 + 256 * 4;

// The bytes of an 8-bit bottom-up BMP of the picture:
// - file header: "BM", the file size, two reserved words 0, the pixel offset 1078;
// - BITMAPINFOHEADER (40 bytes): width, height (positive: bottom-up), 1 plane,
//   8 bits, no compression (BI_RGB), the size of the pixel data, 2835 pixels
//   per metre (72 dpi) both ways, 256 colours used, 0 important (all of them);
// - 256 colour-table entries blue, green, red, 0 (the picture's palette);
// - the rows bottom to top, so the picture's top row comes last, each padded
//   with zeros to a multiple of 4 bytes.
// The picture must have Width * Height pixels.
std::vector<std::uint8_t> Bmp8(const IndexedImage& image);

// Writes Bmp8(image) to path through the editor's temp-and-rename writer, so a
// failed write leaves whatever was at path untouched.
SaveResult WriteBmp8File(const std::filesystem::path& path, const IndexedImage& image);

}  // namespace brackle
